// CTestApp: the application object that brings the program up.
#pragma once

#include "qt_message_presenter.h"
#include "screen_metrics.h"

#include <QApplication>

#include <memory>
#include <string>

class CMainFrame;
class File_Dialog_Runner;

class CTestApp : public QApplication {
    Q_OBJECT

public:
    CTestApp(int& argc, char** argv);
    ~CTestApp() override;

    // The start-up entry: takes the command-line file, fixes the settings file (creating its
    // folder; none when that fails), hands the constants, the screen metrics and the settings
    // file to the user-interface library, sets the 9-point screen font, installs the message
    // boxes, creates and shows the main frame at its stored placement and opens the start-up
    // mode and file. True when the main window is up.
    bool InitInstance();

    CMainFrame* main_frame() const { return m_frame.get(); }
    const std::string& startup_file() const { return m_startup_file; }
    const std::string& settings_file() const { return m_settings_file; }
    const Screen_Metrics& screen_metrics() const { return m_metrics; }

private:
    int& m_argc;
    char** m_argv;
    std::string m_startup_file;
    std::string m_settings_file;
    Screen_Metrics m_metrics;
    Qt_Message_Presenter m_presenter;
    Message_Presenter* m_previous_presenter = nullptr;
    std::unique_ptr<CMainFrame> m_frame;
};
