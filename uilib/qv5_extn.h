// The user-interface library's start-up state: the suite's constants, the screen metrics, the
// settings file and the web-help base address, handed over once by the program.
#pragma once

#include "qv6_ex_export.h"

#include <cstdint>
#include <string>

class Screen_Metrics;

// The constants every program of the suite shares: six integers and twenty doubles, 46 words.
struct Global_Constants {
    int32_t integers[6];
    double pi;
    double half_pi;
    double quarter_pi;
    double two_pi;
    double sqrt_2;
    double thousand;
    double feet_per_mile;
    double metres_per_foot;
    double metres_per_us_survey_foot;
    double factor_1_000002;
    double centimetres_per_inch;
    double factor_1_6093;
    double inches_per_mile;
    double degrees_per_radian;
    double factor_1_33;
    double factor_0_5657;
    double seconds_per_year;
    double earth_radius_km;
    double dbi_frequency_mhz; // above it a binary antenna file's gains are dBi
    double factor_1_3888888e_06;
};
static_assert(sizeof(Global_Constants) == 46 * 4);

// Stores the start-up state: a copy of the constants, the program's screen metrics (kept by
// pointer; may be null), the terrain-database header (unused here, may be null) and the settings
// file path (copied; null or empty: settings live in memory for the run only).
QV6_EX_EXPORT void init_qv5_extn(const Global_Constants* constants, Screen_Metrics* metrics,
                                 const void* terrain_header, const char* settings_path);
// Stores the web-help base address (copied).
QV6_EX_EXPORT void init_qv5_extn_help_path(const char* help_base);

QV6_EX_EXPORT const Global_Constants& qv5_global_constants();
QV6_EX_EXPORT Screen_Metrics* qv5_screen_metrics();
// The settings file path; empty when the program has none.
QV6_EX_EXPORT const std::string& qv5_settings_path();
QV6_EX_EXPORT const std::string& qv5_help_path();

// Section and key names of the library, by id.
enum Qv6_Ex_String : int {
    IDS_DISPLAY_OPTIONS = 501,
    IDS_SCREEN_METRICS = 509,
    IDS_DEFAULT_DIRECTORIES = 510,
    IDS_IMPORT_TEXT_FILE = 525,
    IDS_PROFILE_METRICS = 570,
    IDS_DEFAULT_WINDOWSIZE = 614,
    IDS_KELVOR_ANTENNA_DIRECTORY = 664,
    IDS_KELVOR_RADIO_DIRECTORY = 665,
    IDS_LOAD_IMPORT_DEFINITION = 682,
    IDS_SAVE_IMPORT_DEFINITION = 683,
    IDS_WNDSZE_KELVOR_MAIN = 691,
    IDS_WNDSZE_KELVOR_CURVES = 692,
    IDS_GRID_KELVOR_ACM = 693, // stored layout of the adaptive-modulation list
    IDS_GRID_KELVOR_ACU = 694, // stored layout of the coupling unit list
    // Worksheet toolbar buttons: the command ids and their tooltips.
    IDS_WKS_OK = 470,
    IDS_WKS_CANCEL = 471,
    IDS_WKS_ERASE = 472,
    IDS_WKS_RESET_ALL = 473,
    IDS_WKS_RESET = 474,
    IDS_WKS_HELP = 484,
    IDS_WKS_ERASE_ALL = 40001,
};

// The library's text for `id`, or null when it has none.
QV6_EX_EXPORT const char* qv6_ex_string(int id);
