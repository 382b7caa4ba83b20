// The antenna form in the program's main window on an example file. "antenna_form_demo [FILE]"
// opens it to be tried with the keyboard and the mouse; "--grab FOLDER" saves the window as
// form_antenna.png, then with the list of the gain units open as form_antenna_choice.png, there
// and ends.
#include "antenna_file_edit.h"
#include "demo_support.h"
#include "editor_factory.h"
#include "keyword_form.h"
#include "main_frame.h"
#include "nsma_keywords.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);

    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const bool grab = !folder.empty();
    const std::string path =
        !grab && argc > 1 ? argv[1]
                          : std::string(KELVOR_EXAMPLES_DIR) + "/antenna/npx120_11_envelope.adf";
    CMainFrame frame(create_mode_editor, "https://help.example/");
    frame.resize(1100, 800);
    frame.move(0, 0);
    frame.start(path);
    auto* editor = dynamic_cast<AntennaFileEdit*>(frame.controller().editor());
    if (editor == nullptr || editor->document().path().empty()) {
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
    form.select(ROW_MDGAIN, 0);
    QTest::qWait(300);
    bool saved = kelvor_demo::save_grab(frame, folder, "form_antenna.png");
    form.select(ROW_GUNITS, 0);
    QTest::keyClick(&form, Qt::Key_Return);
    QTest::qWait(300);
    // The list's popup is a window of its own: the picture is taken from the screen.
    const QRect area = frame.frameGeometry();
    const std::string choice = folder + "/form_antenna_choice.png";
    if (!QGuiApplication::primaryScreen()
             ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
             .save(QString::fromStdString(choice))) {
        std::fprintf(stderr, "cannot save %s\n", choice.c_str());
        saved = false;
    }
    return saved ? 0 : 1;
}
