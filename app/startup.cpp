// Start-up values.
#include "startup.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

std::string startup_file_path(int argc, const char* const* argv) {
    if (argc < 2 || argv == nullptr || argv[1] == nullptr) {
        return {};
    }
    const std::size_t length = std::strlen(argv[1]);
    if (length > MAX_STARTUP_PATH) {
        return {};
    }
    return argv[1];
}

std::string settings_folder() {
    const char* config_home = std::getenv("XDG_CONFIG_HOME");
    if (config_home != nullptr && config_home[0] == '/') {
        return std::string(config_home) + "/Kelvor";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry != nullptr ? entry->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] != '/') {
        return {};
    }
    return std::string(home) + "/.config/Kelvor";
}

std::string settings_file_path() {
    const std::string folder = settings_folder();
    if (folder.empty()) {
        return {};
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        return {};
    }
    return folder + "/Kelvor.ini";
}

Global_Constants kelvor_global_constants() {
    Global_Constants constants{};
    constants.integers[0] = 292;
    constants.integers[1] = 294;
    constants.integers[2] = 343;
    constants.integers[3] = -9999;
    constants.integers[4] = -1;
    constants.integers[5] = -1;
    constants.pi = 3.141592653589793;
    constants.half_pi = constants.pi / 2;
    constants.quarter_pi = constants.pi / 4;
    constants.two_pi = 2 * constants.pi;
    constants.sqrt_2 = 1.4142135623730951;
    constants.thousand = 1000.0;
    constants.feet_per_mile = 5280.0;
    constants.metres_per_foot = 0.3048;
    constants.metres_per_us_survey_foot = 0.304800609601;
    constants.factor_1_000002 = 1.000002;
    constants.centimetres_per_inch = 2.54;
    constants.factor_1_6093 = 1.6093;
    constants.inches_per_mile = 63360.0;
    constants.degrees_per_radian = 57.29577951308232;
    constants.factor_1_33 = 1.33;
    constants.factor_0_5657 = 0.5657;
    constants.seconds_per_year = 31536000.0;
    constants.earth_radius_km = 6378.135;
    constants.dbi_frequency_mhz = 890.0;
    constants.factor_1_3888888e_06 = 1.3888888e-06;
    return constants;
}

std::string kelvor_help_base(const std::string& setting) {
    const char* value = std::getenv("KELVOR_HELP_URL");
    return value != nullptr && value[0] != '\0' ? std::string(value) : setting;
}
