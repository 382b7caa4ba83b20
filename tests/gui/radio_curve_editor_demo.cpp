// The version 5 curve editor on a radio file. "radio_curve_editor_demo [FILE.raf]" opens it to be
// tried by hand and says whether the record changed; "--grab FOLDER" instead saves pictures of
// the editor on the example's emission curve (curve_editor_radio.png) and of its New dialog
// (curve_new_radio.png).
#include "create_new_curve_dlg.h"
#include "error_handler.h"
#include "message_presenter.h"
#include "qt_message_presenter.h"
#include "qv5_extn.h"
#include "radio_curve_edit.h"
#include "radio_record.h"
#include "raf_format.h"
#include "syntax_error.h"

#include <QApplication>
#include <QComboBox>

#include <cstdio>
#include <string>

namespace {

bool save(QWidget& widget, const std::string& folder, const char* name) {
    QApplication::processEvents();
    const std::string path = folder + "/" + name;
    if (!widget.grab().save(QString::fromStdString(path))) {
        std::fprintf(stderr, "cannot save %s\n", path.c_str());
        return false;
    }
    return true;
}

int grab(Radio_Record& record, const std::string& folder) {
    bool saved = true;
    {
        RadioCurveEdit editor(record);
        editor.resize(1100, 620);
        editor.show();
        auto* list = static_cast<QComboBox*>(editor.control(CurveEditWindow::IDC_CURVE_LIST));
        list->setCurrentIndex(list->findText(QStringLiteral("TX_EMISSION_04 - 256QAM")));
        editor.OnSelchangeCurveList();
        saved &= save(editor, folder, "curve_editor_radio.png");
    }
    {
        CreateNewCurveDlg dialog(record.curves);
        dialog.show();
        saved &= save(dialog, folder, "curve_new_radio.png");
    }
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Qt_Message_Presenter presenter;
    set_message_presenter(&presenter);
    init_qv5_extn(nullptr, nullptr, nullptr, nullptr);
    const bool grabbing = argc == 3 && std::string(argv[1]) == "--grab";
    const std::string path = argc == 2 ? argv[1]
                                       : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hx23_am_56m.raf";
    Radio_Record record;
    Error_Handler handler;
    try {
        read_raf_file(record, path.c_str(), &handler);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(nullptr, false);
        return 1;
    } catch (Data_Syntax_Error* error) {
        std::fprintf(stderr, "%s: syntax error on line %d\n", path.c_str(), error->line_number());
        return 1;
    }
    if (grabbing) {
        return grab(record, argv[2]);
    }
    RadioCurveEdit editor(record);
    std::printf("%s\n", editor.run() ? "the record changed" : "the record did not change");
    return 0;
}
