// The version 4 curve editor on an example .mrs file. "radio4_curve_editor_demo [FILE]" opens it
// to be tried with the keyboard and the mouse; "--grab FOLDER" shows the example's TX emission
// curve, saves the window as curve_editor_radio4.png and its New dialog as
// curve_new_radio4.png there and ends.
#include "demo_support.h"
#include "create_new_curve40_dlg.h"
#include "dbl2_frame.h"
#include "error_handler.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_curve_edit40.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);

    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const bool grab = !folder.empty();
    const std::string path = !grab && argc > 1
                                 ? argv[1]
                                 : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hm6l_16e1q.mrs";
    Radio4_Record record;
    Error_Handler handler;
    try {
        read_mrs_file(record, path.c_str(), &handler);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(nullptr, false);
        return 1;
    }
    RadioCurveEdit40 editor(nullptr, record);
    if (!grab) {
        editor.run();
        return 0;
    }

    editor.resize(960, 560);
    editor.show();
    auto* list = static_cast<QComboBox*>(editor.control(CurveEditWindow::IDC_CURVE_LIST));
    const int emission = list->findText("TX_EMISSION");
    if (emission >= 0) {
        list->setCurrentIndex(emission);
        editor.OnSelchangeCurveList();
    }
    editor.grid()->set_current_row(editor.points().count() / 2);
    QTest::qWait(300);
    bool saved = kelvor_demo::save_grab(editor, folder, "curve_editor_radio4.png");
    CreateNewCurve40Dlg dialog(&editor, record);
    dialog.show();
    QTest::qWait(200);
    saved = kelvor_demo::save_grab(dialog, folder, "curve_new_radio4.png") && saved;
    return saved ? 0 : 1;
}
