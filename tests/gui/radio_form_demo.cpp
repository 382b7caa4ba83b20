// The version 5 radio editor's keyword form on a radio file. "radio_form_demo [FILE]" opens it to
// be tried by hand; "--grab FOLDER" instead saves pictures of the form on the adaptive modulation
// example: its top (radio_form.png) and, scrolled down, the combiner captions and the list
// buttons with a cell being edited (radio_form_lower.png).
#include "demo_support.h"
#include "keyword_form.h"
#include "raf_keywords.h"
#include "v5_radio_file_edit.h"

#include <QApplication>
#include <QFileInfo>

#include <string>

namespace {

int grab(V5RadioFileEdit& editor, const std::string& folder) {
    bool saved = kelvor_demo::save_grab(editor, folder, "radio_form.png");
    Keyword_Form& form = editor.form();
    form.select(ROW_COMMENT_FIRST, 0);
    form.select(ROW_GAIN_WIDTH_DEPTH, 1);
    const QString typed = QStringLiteral("1.2");
    form.start_edit(&typed);
    saved &= kelvor_demo::save_grab(editor, folder, "radio_form_lower.png");
    form.cancel_edit();
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);
    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const std::string path = argc == 2 ? argv[1]
                                       : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hx23_am_56m.raf";
    QWidget* window = nullptr;
    Editor_Sinks sinks;
    sinks.title = [&window](const std::string& named) {
        if (window != nullptr) {
            window->setWindowTitle(QStringLiteral("Kelvor - Radio Data Files V5 - ") +
                                   QFileInfo(QString::fromStdString(named)).fileName());
        }
    };
    V5RadioFileEdit editor(nullptr, sinks);
    window = &editor;
    editor.resize(1100, 800);
    editor.show();
    if (!editor.open_file(path)) {
        return 1;
    }
    if (!folder.empty()) {
        return grab(editor, folder);
    }
    return QApplication::exec();
}
