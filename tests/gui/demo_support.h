// What the demo programs share: the program's start (message boxes in windows, settings in the
// run's own store) and saving a picture of a window.
#pragma once

#include "message_presenter.h"
#include "qt_message_presenter.h"
#include "qv5_extn.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <string>

namespace kelvor_demo {

// The application with the program's message boxes; settings live for the run only.
class Demo_App {
public:
    Demo_App(int& argc, char** argv) : m_app(argc, argv) {
        set_message_presenter(&m_presenter);
        init_qv5_extn(nullptr, nullptr, nullptr, nullptr);
    }
    ~Demo_App() { set_message_presenter(nullptr); }
    Demo_App(const Demo_App&) = delete;
    Demo_App& operator=(const Demo_App&) = delete;

private:
    QApplication m_app;
    Qt_Message_Presenter m_presenter;
};

// The folder after "--grab", or empty when the program runs to be tried by hand.
inline std::string grab_folder(int argc, char** argv) {
    return argc == 3 && std::string(argv[1]) == "--grab" ? argv[2] : std::string();
}

// Saves a picture of `widget` as `folder`/`name`; false, said on stderr, when it cannot.
inline bool save_grab(QWidget& widget, const std::string& folder, const char* name) {
    QApplication::processEvents();
    const std::string path = folder + "/" + name;
    if (!widget.grab().save(QString::fromStdString(path))) {
        std::fprintf(stderr, "cannot save %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace kelvor_demo
