// The desktop program's tests run without a display: offscreen platform, private runtime and
// configuration folders.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    std::string base = (std::filesystem::temp_directory_path() / "kelvor-gui-XXXXXX").string();
    const char* folder = ::mkdtemp(base.data());
    if (folder != nullptr) {
        const std::string runtime = std::string(folder) + "/runtime";
        const std::string config = std::string(folder) + "/config";
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        std::filesystem::create_directories(config);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (folder != nullptr) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return status;
}
