// Start-up of the program.
#include "test_app.h"

#include "editor_factory.h"
#include "frame_window_size.h"
#include "ini_settings.h"
#include "main_frame.h"
#include "qv5_extn.h"
#include "startup.h"
#include "stored_metrics.h"

CTestApp::CTestApp(int& argc, char** argv)
    : QApplication(argc, argv), m_argc(argc), m_argv(argv) {
    setApplicationName(QStringLiteral("Kelvor"));
    setOrganizationName(QStringLiteral("Kelvor"));
    setApplicationVersion(QStringLiteral("5.01.05"));
    setWindowIcon(QIcon(QStringLiteral(":/kelvor/kelvor.svg")));
}

CTestApp::~CTestApp() {
    m_frame.reset();
    if (m_previous_presenter != nullptr) {
        set_message_presenter(m_previous_presenter);
    }
}

bool CTestApp::InitInstance() {
    m_settings_file = settings_file_path();
    m_startup_file = startup_file_path(m_argc, m_argv);
    const Global_Constants constants = kelvor_global_constants();

    m_previous_presenter = set_message_presenter(&m_presenter);

    init_qv5_extn(&constants, &m_metrics, nullptr, m_settings_file.c_str());
    getdefault_screen_metrics(&m_metrics.font_description, &m_metrics.text_colour,
                              &m_metrics.font_size);
    m_metrics.font_size = 90;
    m_metrics.reset();

    m_frame = std::make_unique<CMainFrame>(
        create_mode_editor, kelvor_help_base(ReadINIfile("Help", "KELVOR_HELP_URL", "")));
    m_presenter.set_main_window(m_frame.get());
    m_frame->show_placed();
    m_frame->start(m_startup_file);
    return true;
}
