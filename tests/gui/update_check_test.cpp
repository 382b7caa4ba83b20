// The update check against a web server on the loopback address.
#include "check_version_dlg.h"
#include "gui_test_support.h"
#include "update_check.h"

#include <QLabel>
#include <QProcess>
#include <QRegularExpression>

#include <chrono>
#include <filesystem>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kelvor_test;

namespace {

// A python3 http.server on 127.0.0.1 serving a scratch folder, stopped at the end.
class Local_Server {
public:
    explicit Local_Server(const std::string& folder) {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral("python3"),
                        {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                         QStringLiteral("0"), QStringLiteral("--bind"),
                         QStringLiteral("127.0.0.1"), QStringLiteral("--directory"),
                         QString::fromStdString(folder)});
        if (!m_process.waitForStarted(5000)) {
            return;
        }
        const QRegularExpression serving(QStringLiteral("port (\\d+)"));
        QByteArray output;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            m_process.waitForReadyRead(200);
            output += m_process.readAll();
            const auto match = serving.match(QString::fromLatin1(output));
            if (match.hasMatch()) {
                m_port = match.captured(1).toInt();
                return;
            }
        }
    }
    ~Local_Server() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    Local_Server(const Local_Server&) = delete;
    Local_Server& operator=(const Local_Server&) = delete;

    int port() const { return m_port; }
    std::string address(const std::string& name) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + "/" + name;
    }

private:
    QProcess m_process;
    int m_port = 0;
};

// A loopback port that nothing listens on: one the system just gave out and took back.
int closed_port() {
    const int socket_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket_fd < 0) {
        return 9;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 9;
    if (::bind(socket_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(socket_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(socket_fd);
    return port;
}

class UpdateCheck : public Gui_Test {
protected:
    void SetUp() override {
        Gui_Test::SetUp();
        std::filesystem::create_directories(dir.file("site"));
        server = std::make_unique<Local_Server>(dir.file("site"));
        ASSERT_NE(server->port(), 0) << "python3 -m http.server did not start";
    }
    void TearDown() override {
        server.reset();
        Gui_Test::TearDown();
    }

    std::unique_ptr<Local_Server> server;
};

TEST_F(UpdateCheck, AVersionTextOfSeveralLinesIsShownWhole) {
    const std::string text = "Kelvor Version 5.02.00\r\nReleased 2025-03-01\r\nFixes: many\r\n";
    dir.write("site/kelvorver.txt", text);
    EXPECT_EQ(latest_version_text(server->address("kelvorver.txt")), text);

    CheckVersionDlg dialog(nullptr, server->address("kelvorver.txt"));
    EXPECT_EQ(dialog.windowTitle(), "Kelvor - Check for Update");
    dialog.run_check();
    EXPECT_EQ(dialog.program_version(), "Kelvor Version 5.01.05");
    EXPECT_EQ(dialog.latest_version(), QString::fromStdString(text));
}

TEST_F(UpdateCheck, AMissingFileIsNotAvailable) {
    EXPECT_FALSE(fetch_version_text(server->address("missing.txt"), 10).has_value());
    CheckVersionDlg dialog(nullptr, server->address("missing.txt"));
    dialog.show();
    EXPECT_EQ(dialog.latest_version(), "Not available");
    EXPECT_EQ(dialog.program_version(), "Kelvor Version 5.01.05");
    const auto* link = dialog.findChild<QLabel*>("control_1002");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->text().contains("Visit the Kelvor site to download the latest update"));
}

TEST(UpdateCheckOffline, ARefusedConnectionIsNotAvailable) {
    const std::string address =
        "http://127.0.0.1:" + std::to_string(closed_port()) + "/kelvorver.txt";
    EXPECT_EQ(latest_version_text(address, 10), "Not available");
    CheckVersionDlg dialog(nullptr, address);
    dialog.run_check();
    EXPECT_EQ(dialog.latest_version(), "Not available");
    // Only the web protocols are fetched.
    EXPECT_EQ(latest_version_text("file:///etc/hostname", 10), "Not available");
}

TEST(UpdateCheckAddress, TheEnvironmentThenTheSettingThenTheProgramsOwn) {
    const char* saved = std::getenv("KELVOR_UPDATE_URL");
    const std::string previous = saved != nullptr ? saved : "";
    unsetenv("KELVOR_UPDATE_URL");
    EXPECT_EQ(update_check_address(""), KELVOR_UPDATE_ADDRESS);
    EXPECT_EQ(update_check_address("http://127.0.0.1:1/v.txt"), "http://127.0.0.1:1/v.txt");
    setenv("KELVOR_UPDATE_URL", "http://127.0.0.1:2/kelvorver.txt", 1);
    EXPECT_EQ(update_check_address("http://127.0.0.1:1/v.txt"),
              "http://127.0.0.1:2/kelvorver.txt");
    if (saved != nullptr) {
        setenv("KELVOR_UPDATE_URL", previous.c_str(), 1);
    } else {
        unsetenv("KELVOR_UPDATE_URL");
    }
}

} // namespace
