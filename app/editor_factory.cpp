// Making the editor of a mode.
#include "editor_factory.h"

#include "antenna_file_edit.h"
#include "v4_radio_file_edit.h"
#include "v5_radio_file_edit.h"

std::unique_ptr<Mode_Editor> create_mode_editor(Equipment_Mode mode, QWidget* parent,
                                                Editor_Sinks sinks) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return std::make_unique<V4RadioFileEdit>(parent, std::move(sinks));
    case Equipment_Mode::antenna:
        return std::make_unique<AntennaFileEdit>(parent, std::move(sinks));
    case Equipment_Mode::radio_v5:
        break;
    }
    return std::make_unique<V5RadioFileEdit>(parent, std::move(sinks));
}
