// The user-interface library's start-up state and its string table.
#include "qv5_extn.h"

namespace {

struct Library_State {
    Global_Constants constants{};
    Screen_Metrics* metrics = nullptr;
    std::string settings_path;
    std::string help_path;
};

Library_State& state() {
    static Library_State instance;
    return instance;
}

struct Library_String {
    int id;
    const char* text;
};

constexpr Library_String library_strings[] = {
    {IDS_DISPLAY_OPTIONS, "Display Options"},
    {IDS_SCREEN_METRICS, "Screen metrics"},
    {IDS_DEFAULT_DIRECTORIES, "Default directories"},
    {IDS_IMPORT_TEXT_FILE, "Import text file"},
    {IDS_PROFILE_METRICS, "Profile metrics"},
    {IDS_DEFAULT_WINDOWSIZE, "DEFAULT_WINDOWSIZE"},
    {IDS_KELVOR_ANTENNA_DIRECTORY, "KELVOR_ANTENNA_DIRECTORY"},
    {IDS_KELVOR_RADIO_DIRECTORY, "KELVOR_RADIO_DIRECTORY"},
    {IDS_LOAD_IMPORT_DEFINITION, "Load text import definition file"},
    {IDS_SAVE_IMPORT_DEFINITION, "Save text import definition file"},
    {IDS_WNDSZE_KELVOR_MAIN, "WNDSZE_KELVOR_MAIN"},
    {IDS_WNDSZE_KELVOR_CURVES, "WNDSZE_KELVOR_CURVES"},
    {IDS_GRID_KELVOR_ACM, "GRID_KELVOR_ACM_DATA"},
    {IDS_GRID_KELVOR_ACU, "GRID_KELVOR_ACU_DATA"},
    // Tooltips of the worksheet toolbars: the text after the line feed.
    {IDS_WKS_OK, "\nAccept all data entries and close this form"},
    {IDS_WKS_CANCEL, "\nCancel all data entries and close this form"},
    {IDS_WKS_ERASE, "\nErase the current cell contents. (Delete or F3)"},
    {IDS_WKS_RESET_ALL, "\nReset all cells to their values on entry"},
    {IDS_WKS_RESET, "\nReset the current cell to its value on entry (F9)"},
    {IDS_WKS_HELP, "\nTechnical help for the data entries"},
    {IDS_WKS_ERASE_ALL, "\nErase contents of all cells. (Ctrl+Delete)"},
};

} // namespace

void init_qv5_extn(const Global_Constants* constants, Screen_Metrics* metrics,
                   const void* /*terrain_header*/, const char* settings_path) {
    Library_State& s = state();
    s.constants = constants != nullptr ? *constants : Global_Constants{};
    s.metrics = metrics;
    s.settings_path = settings_path != nullptr ? settings_path : "";
}

void init_qv5_extn_help_path(const char* help_base) {
    state().help_path = help_base != nullptr ? help_base : "";
}

const Global_Constants& qv5_global_constants() { return state().constants; }
Screen_Metrics* qv5_screen_metrics() { return state().metrics; }
const std::string& qv5_settings_path() { return state().settings_path; }
const std::string& qv5_help_path() { return state().help_path; }

const char* qv6_ex_string(int id) {
    for (const Library_String& entry : library_strings) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return nullptr;
}
