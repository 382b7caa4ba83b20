// The TX power options of one adaptive-modulation state, edited in a worksheet form: the radio's
// five option names (shared by every state) over the state's maximum and minimum powers and ATPC
// tops.
#pragma once

#include "wks_rules.h"

#include <array>
#include <memory>
#include <string>

class QWidget;
struct Radio_Record;

inline constexpr int POWER_OPTIONS_NAME_NOTIFY = 100;
inline constexpr const char* POWER_OPTIONS_HELP_PAGE = "Kelvor_6.htm#Version_5_RADIO_Data";

// The form's table over one state: 4 rows of 5 cells, numbered row by row, each bound to its
// field of the record. It points into itself and into the record, so it is neither copied nor
// moved, and the record's tables must not change while it lives.
struct Power_Options_Sheet {
    std::string title;
    std::array<std::string, 4> row_title_texts;
    std::array<const char*, 5> column_titles{};
    std::array<const char*, 4> row_titles{};
    std::array<WorkSheetCell, 20> cells{};
    wks_menu_transfer transfer;

    Power_Options_Sheet() = default;
    Power_Options_Sheet(const Power_Options_Sheet&) = delete;
    Power_Options_Sheet& operator=(const Power_Options_Sheet&) = delete;
};

// The table over state `state` of the record, the values on entry taken from the fields; null
// when the record has no such state.
std::unique_ptr<Power_Options_Sheet> make_power_options_sheet(Radio_Record& record, int state);

// Runs the form over state `state` of the record (modal over `parent`); true when OK was chosen
// and a field differs from what it was. Cancel leaves the record as it was. A state the record
// does not have opens nothing and gives false.
bool run_power_options_form(Radio_Record& record, int state, QWidget* parent);
