// The version 4 radio form in the program's main window on an example file. "radio4_form_demo
// [FILE]" opens it to be tried with the keyboard and the mouse; "--grab FOLDER" saves the window
// as form_radio4.png, then with a value being typed over DATA_RATE as form_radio4_editing.png,
// there and ends.
#include "demo_support.h"
#include "editor_factory.h"
#include "keyword_form.h"
#include "main_frame.h"
#include "radio4_format.h"
#include "v4_radio_file_edit.h"

#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);

    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const bool grab = !folder.empty();
    const std::string path = !grab && argc > 1
                                 ? argv[1]
                                 : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hm6l_16e1q.raf";
    CMainFrame frame(create_mode_editor, "https://help.example/");
    frame.resize(1100, 800);
    frame.move(0, 0);
    frame.start({});
    frame.controller().switch_mode(Equipment_Mode::radio_v4);
    auto* editor = dynamic_cast<V4RadioFileEdit*>(frame.controller().editor());
    if (editor == nullptr || !editor->open_file(path)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    frame.show();
    if (!grab) {
        return QApplication::exec();
    }

    if (!QTest::qWaitForWindowExposed(&frame)) {
        return 1;
    }
    Keyword_Form& form = editor->form();
    form.setFocus();
    QTest::qWait(300);
    bool saved = kelvor_demo::save_grab(frame, folder, "form_radio4.png");
    form.select(find_raf4_keyword("DATA_RATE"), 0);
    QTest::keyClicks(&form, "3");
    if (form.cell_editor() != nullptr) {
        QTest::keyClicks(form.cell_editor(), "4.368");
    }
    QTest::qWait(200);
    saved = kelvor_demo::save_grab(frame, folder, "form_radio4_editing.png") && saved;
    return saved ? 0 : 1;
}
