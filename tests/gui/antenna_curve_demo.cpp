// The antenna pattern editor on an antenna file. "antenna_curve_demo [FILE]" opens it to be
// tried (the example with all eight cuts when no file is given) and reports whether the record
// changed; "--grab FOLDER" instead saves a picture of the editor on the example
// (curve_editor_antenna.png) and of its New dialog (curve_new_antenna.png).
#include "antenna_curve_edit.h"
#include "antenna_document.h"
#include "antenna_record.h"
#include "create_new_antenna_curve_dlg.h"
#include "message_presenter.h"
#include "qt_message_presenter.h"
#include "qv5_extn.h"

#include <QApplication>
#include <QPixmap>

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

int grab(Antenna_Record& record, const std::string& folder) {
    bool saved = true;
    {
        AntennaCurveEdit editor(record);
        editor.resize(1120, 660);
        editor.show();
        saved &= save(editor, folder, "curve_editor_antenna.png");
    }
    {
        Antenna_Record some = record;
        some.set_cut(1, {});
        some.set_cut(5, {});
        some.set_cut(7, {});
        CreateNewAntennaCurveDlg dialog(new_cut_choice(some));
        dialog.show();
        saved &= save(dialog, folder, "curve_new_antenna.png");
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
                                       : std::string(KELVOR_EXAMPLES_DIR) +
                                             "/antenna/npx120_11_envelope.adf";
    Antenna_Document document(nullptr);
    if (!document.open_path(path)) {
        return 1;
    }
    if (grabbing) {
        return grab(document.record(), argv[2]);
    }
    const bool changed = edit_antenna_curves(nullptr, document.record());
    std::printf("%s\n", changed ? "changed" : "unchanged");
    return 0;
}
