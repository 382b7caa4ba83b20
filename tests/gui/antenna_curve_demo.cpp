// The antenna pattern editor on an antenna file. "antenna_curve_demo [FILE]" opens it to be
// tried (the example with all eight cuts when no file is given) and reports whether the record
// changed; "--grab FOLDER" instead saves a picture of the editor on the example
// (curve_editor_antenna.png) and of its New dialog (curve_new_antenna.png).
#include "demo_support.h"
#include "antenna_curve_edit.h"
#include "antenna_document.h"
#include "antenna_record.h"
#include "create_new_antenna_curve_dlg.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <string>

namespace {

int grab(Antenna_Record& record, const std::string& folder) {
    bool saved = true;
    {
        AntennaCurveEdit editor(record);
        editor.resize(1120, 660);
        editor.show();
        saved &= kelvor_demo::save_grab(editor, folder, "curve_editor_antenna.png");
    }
    {
        Antenna_Record some = record;
        some.set_cut(1, {});
        some.set_cut(5, {});
        some.set_cut(7, {});
        CreateNewAntennaCurveDlg dialog(new_cut_choice(some));
        dialog.show();
        saved &= kelvor_demo::save_grab(dialog, folder, "curve_new_antenna.png");
    }
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);
    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const std::string path = argc == 2 ? argv[1]
                                       : std::string(KELVOR_EXAMPLES_DIR) +
                                             "/antenna/npx120_11_envelope.adf";
    Antenna_Document document(nullptr);
    if (!document.open_path(path)) {
        return 1;
    }
    if (!folder.empty()) {
        return grab(document.record(), folder);
    }
    const bool changed = edit_antenna_curves(nullptr, document.record());
    std::printf("%s\n", changed ? "changed" : "unchanged");
    return 0;
}
