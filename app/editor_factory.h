// The editors of the three equipment modes, made for the main frame.
#pragma once

#include "mode_editor.h"

class QWidget;

Mode_Editor* create_mode_editor(Equipment_Mode mode, QWidget* parent, Title_Sink title_sink);
