// The editors of the three equipment modes, made for the main frame: the one place that names
// them.
#pragma once

#include "equipment_modes.h"
#include "mode_editor.h"

#include <memory>

class QWidget;

// The editor of `mode`, a QWidget, made for `parent`.
std::unique_ptr<Mode_Editor> create_mode_editor(Equipment_Mode mode, QWidget* parent,
                                                Editor_Sinks sinks);
