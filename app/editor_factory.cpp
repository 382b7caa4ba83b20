// Making the editor of a mode.
#include "editor_factory.h"

#include "AntennaFileEdit.h"
#include "V4RadioFileEdit.h"
#include "V5RadioFileEdit.h"

Mode_Editor* create_mode_editor(Equipment_Mode mode, QWidget* parent, Title_Sink title_sink) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return new V4RadioFileEdit(parent, std::move(title_sink));
    case Equipment_Mode::antenna:
        return new AntennaFileEdit(parent, std::move(title_sink));
    case Equipment_Mode::radio_v5:
        break;
    }
    return new V5RadioFileEdit(parent, std::move(title_sink));
}
