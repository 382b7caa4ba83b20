// The version 5 curve editor on a radio file. "radio_curve_editor_demo [FILE.raf]" opens it to be
// tried by hand and says whether the record changed; "--grab FOLDER" instead saves pictures of
// the editor on the example's emission curve (curve_editor_radio.png) and of its New dialog
// (curve_new_radio.png).
#include "demo_support.h"
#include "radio_demo_support.h"
#include "create_new_curve_dlg.h"
#include "radio_curve_edit.h"
#include "radio_record.h"

#include <QApplication>
#include <QComboBox>

#include <cstdio>
#include <string>

namespace {

int grab(Radio_Record& record, const std::string& folder) {
    bool saved = true;
    {
        RadioCurveEdit editor(record);
        editor.resize(1100, 620);
        editor.show();
        auto* list = static_cast<QComboBox*>(editor.control(CurveEditWindow::IDC_CURVE_LIST));
        list->setCurrentIndex(list->findText(QStringLiteral("TX_EMISSION_04 - 256QAM")));
        editor.OnSelchangeCurveList();
        saved &= kelvor_demo::save_grab(editor, folder, "curve_editor_radio.png");
    }
    {
        CreateNewCurveDlg dialog(record.curves);
        dialog.show();
        saved &= kelvor_demo::save_grab(dialog, folder, "curve_new_radio.png");
    }
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);
    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const std::string path = argc == 2 ? argv[1]
                                       : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hx23_am_56m.raf";
    Radio_Record record;
    if (!kelvor_demo::read_demo_radio(record, path)) {
        return 1;
    }
    if (!folder.empty()) {
        return grab(record, folder);
    }
    RadioCurveEdit editor(record);
    std::printf("%s\n", editor.run() ? "the record changed" : "the record did not change");
    return 0;
}
