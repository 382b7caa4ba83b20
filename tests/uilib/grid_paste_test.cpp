// Rows pasted from a spreadsheet into the adaptive-modulation list: the clipboard text through
// the grid's paste columns and the list's store rules.
#include "acm_acu_lists.h"
#include "grid_export.h"
#include "text_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The adaptive-modulation list as the grid shows it, the cursor in the first column.
Grid_Info acm_grid(int rows) {
    std::vector<Grid_Column> columns;
    std::vector<std::string> titles;
    for (const List_Column& c : acm_list_columns()) {
        columns.push_back({c.limit_plus_one, c.kind, c.char_set, c.editable});
        titles.emplace_back(c.title);
    }
    return make_grid_info(columns, titles, rows);
}

TEST(GridPaste, SpreadsheetRowsBecomeStatesOrAreReported) {
    Acm_Table table;
    Acm_List list(table);
    Grid_Info info = acm_grid(list.row_count());
    // Modulation, Throughput, RSEC, TX Power, RX threshold; the second row has no TX power, the
    // third an X for it, the fourth a letter in a number column; a final line break.
    const std::string clipboard = "QPSK\t50\tA\t20\t-80\r\n"
                                  "16QAM\t100\tB\t\t-75\r\n"
                                  "32QAM\t125\tB\tX\t-72\r\n"
                                  "64QAM\t150\tC\t18a\t-70\r\n"
                                  "\"256QAM\"\t200\t\"C\tD\"\t17.5\t-65\t3\r\n";
    const List_Paste_Report report =
        list.paste(parse_tab_text(clipboard), grid_paste_columns(info, 0));
    EXPECT_EQ(report.added, 2);
    ASSERT_EQ(table.count(), 2);
    EXPECT_STREQ(table[0].Mod, "QPSK");
    EXPECT_EQ(table[0].TXmax[0], 20.0);
    EXPECT_STREQ(table[1].RSEC, "C D") << "the tab inside the quoted cell became a blank";
    EXPECT_EQ(table[1].step_up, 3.0);
    EXPECT_EQ(paste_report_text(report, "states"),
              "3 pasted rows did not become states:\nrows 2 to 4: no TX Power (dBm)");
    // Pasting from the third column fills RSEC first.
    Grid_Info shifted = acm_grid(0);
    EXPECT_EQ(grid_paste_columns(shifted, 2).front(), 2);
}

TEST(GridPaste, TenThousandRowsAreBoundedByTheTable) {
    std::string clipboard;
    for (int n = 0; n < 10000; ++n) {
        clipboard += "QAM" + std::to_string(n) + "\t" + std::to_string(n) + "\t\t20\t-70\n";
    }
    Acm_Table table;
    Acm_List list(table);
    const List_Paste_Report report =
        list.paste(parse_tab_text(clipboard), grid_paste_columns(acm_grid(0), 0));
    EXPECT_EQ(report.added, MAX_ACM_STATES);
    EXPECT_EQ(table.count(), MAX_ACM_STATES);
    EXPECT_EQ(report.refused.size(), 10000u - MAX_ACM_STATES);
    EXPECT_EQ(paste_report_text(report, "states"),
              "9901 pasted rows did not become states:\nrows 100 to 10000: the list holds at most "
              "99 states");
}

} // namespace
