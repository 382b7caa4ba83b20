// The three equipment modes: their titles, help pages, start-up choice and switch order.
#pragma once

#include <array>
#include <string>

enum class Equipment_Mode { radio_v5, radio_v4, antenna };

struct Mode_Info {
    int menu_id;
    int title_id;
    const char* title;     // "Kelvor - Radio Data Files V5"
    const char* help_page; // "Kelvor_6.htm#Version_5_RADIO_Data"
};

const Mode_Info& mode_info(Equipment_Mode mode);

// The window title: the mode's title alone for an unnamed record, else "%s - %s" with the file
// name of `path`.
std::string mode_title(Equipment_Mode mode, const std::string& path);

// The mode the program starts in for the file named on the command line, and whether that file
// is opened: antenna extensions (".mas", ".vas", ".asd", ".adf", ".msi", ".dat") open in the
// antenna mode, radio extensions (".mrs", ".raf", ".rsd") in the version 5 mode, in any case;
// anything else, and no file, starts the version 5 mode without a file.
struct Startup_Choice {
    Equipment_Mode mode;
    bool open_file;
};
Startup_Choice startup_choice(const std::string& path);

// The other modes whose editors a switch to `target` asks to resolve unsaved changes, in order.
std::array<Equipment_Mode, 2> query_close_order(Equipment_Mode target);
