// The adaptive-modulation TX power options form.
#include "power_options_form.h"

#include "radio_record.h"
#include "wks_menu_frame.h"

#include <cstring>

namespace {

const char* const power_option_numbers[5] = {"1", "2", "3", "4", "5"};
const char* const power_option_rows[4] = {"Power option", "Max pwr (dBm)", "Min pwr (dBm)",
                                          "ATPC top (dB)"};

} // namespace

std::unique_ptr<Power_Options_Sheet> make_power_options_sheet(Radio_Record& record, int state) {
    if (state < 0 || state >= record.acm_table.count()) {
        return nullptr;
    }
    Acm_State& row = record.acm_table[state];
    auto sheet = std::make_unique<Power_Options_Sheet>();
    const std::string modulation(row.Mod, strnlen(row.Mod, sizeof row.Mod));
    sheet->title = "Adaptive modulation TX power options - " + modulation;
    for (int title = 0; title < 4; ++title) {
        sheet->row_title_texts[title] = std::string(" ") + power_option_rows[title];
        sheet->row_titles[title] = sheet->row_title_texts[title].c_str();
    }
    for (int column = 0; column < 5; ++column) {
        sheet->column_titles[column] = power_option_numbers[column];
    }
    double* const numbers[3] = {row.TXmax, row.TXmin, row.ATPC_top};
    const uint8_t number_sets[3] = {4, 4, 3};
    for (int index = 0; index < 20; ++index) {
        WorkSheetCell& cell = sheet->cells[index];
        const int line = index / 5;
        const int column = index % 5;
        cell.cell_id = static_cast<uint8_t>(index);
        cell.column = static_cast<int8_t>(column);
        cell.editable = 1;
        if (line == 0) {
            cell.type = WKS_TEXT;
            cell.length = 15;
            cell.notify_id = POWER_OPTIONS_NAME_NOTIFY;
            cell.char_set = 0;
            cell.data = record.radio_spec.tx_power_names[column];
            wks_keep_entry_value(cell);
        } else {
            cell.type = WKS_DOUBLE;
            cell.length = 8;
            cell.notify_id = -1;
            cell.decimals = 1;
            cell.char_set = number_sets[line - 1];
            cell.data = &numbers[line - 1][column];
            resetval_to_addr(cell);
        }
    }
    wks_menu_transfer& transfer = sheet->transfer;
    transfer.title = sheet->title.c_str();
    transfer.help_page = POWER_OPTIONS_HELP_PAGE;
    transfer.cell_count = 20;
    transfer.row_count = 4;
    transfer.column_count = 5;
    transfer.column_titles = sheet->column_titles.data();
    transfer.row_titles = sheet->row_titles.data();
    transfer.cells = sheet->cells.data();
    return sheet;
}

bool run_power_options_form(Radio_Record& record, int state, QWidget* parent) {
    const auto sheet = make_power_options_sheet(record, state);
    if (!sheet) {
        return false;
    }
    WksMenu_Frame form(&sheet->transfer);
    return form.ExecuteModal(parent, WKS_TOOLBAR_OK_CANCEL) == 1 && sheet->transfer.changed != 0;
}
