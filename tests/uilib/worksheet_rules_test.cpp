// The worksheet form's plain rules: what cells show, entries, erase, copy and paste, the cursor,
// OK, Cancel and closing, and the layout.
#include "message_presenter.h"
#include "text_helpers.h"
#include "wks_rules.h"
#include "wks_sheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace {

const Wks_Missing_Values missing{-1, -1};

// A cell of `type` over `field`.
WorkSheetCell make_cell(int32_t type, void* field, uint8_t set = 0, int length = 15) {
    WorkSheetCell cell;
    cell.type = type;
    cell.data = field;
    cell.char_set = set;
    cell.length = length;
    cell.decimals = 2;
    wks_keep_entry_value(cell);
    return cell;
}

TEST(WorksheetCells, DoublesShowFixedOrExponentWithAPoint) {
    const struct {
        double value;
        int decimals;
        const char* shown;
    } cases[] = {
        {0.005, 3, "5.000E-03"}, {0.0, 3, "0.000"},   {NOT_SET, 2, ""},
        {0.01, 2, "0.01"},       {-0.004, 1, "-4.0E-03"}, {12.345, 1, "12.3"},
        {-30.0, 0, "-30."},      {0.005, 0, "5.E-03"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wks_double_text(c.value, c.decimals), c.shown) << c.value << " " << c.decimals;
    }
}

TEST(WorksheetCells, ShowEachTypeItsWay) {
    int16_t int16 = -1;
    int16_t choice = 1;
    uint8_t flag = 1;
    int32_t int32 = 42;
    double fraction = 0.125;
    double frequency = 1850.0;
    char text[16] = "Low";
    const char* const choices[] = {"TR", "DR"};
    WorkSheetCell flag_cell = make_cell(WKS_FLAG, &flag);
    flag_cell.true_text = "Yes";
    flag_cell.false_text = "No";
    WorkSheetCell choice_cell = make_cell(WKS_CHOICE, &choice);
    choice_cell.choice_list = choices;
    choice_cell.choice_count = 2;
    const std::pair<WorkSheetCell, std::string> cases[] = {
        {make_cell(WKS_INT16, &int16), ""},
        {flag_cell, "Yes"},
        {choice_cell, "DR"},
        {make_cell(WKS_INT32, &int32), "42"},
        {make_cell(WKS_FRACTION, &fraction), "12.50"},
        {make_cell(WKS_FREQUENCY, &frequency), "1850.00"},
        {make_cell(WKS_TEXT, text), "Low"},
        {make_cell(WKS_SELECTION, &int32), ""},
    };
    for (const auto& [cell, shown] : cases) {
        EXPECT_EQ(wks_cell_text(cell, missing), shown) << "type " << cell.type;
    }
    choice = 7;
    EXPECT_EQ(wks_cell_text(choice_cell, missing), "") << "an index outside the list";
}

TEST(WorksheetCells, TypedCharactersFollowTheCellsSet) {
    double number = 0;
    uint8_t flag = 0;
    char text[16] = "";
    const struct {
        WorkSheetCell cell;
        char typed;
        bool starts;
    } cases[] = {
        {make_cell(WKS_DOUBLE, &number, 4), 'a', false},
        {make_cell(WKS_DOUBLE, &number, 4), '-', true},
        {make_cell(WKS_DOUBLE, &number, 3), '-', false},
        {make_cell(WKS_DOUBLE, &number, 5), 'X', true},
        {make_cell(WKS_TEXT, text, 0), 'a', true},
        {make_cell(WKS_FLAG, &flag, 0), '1', false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wks_starts_edit(c.cell, c.typed), c.starts)
            << "type " << c.cell.type << " set " << int(c.cell.char_set) << " '" << c.typed << "'";
    }
}

TEST(WorksheetCells, EntriesStoreByTheCellsType) {
    struct Case {
        int32_t type;
        uint8_t set;
        const char* entry;
        double before;
        double after;
    };
    const Case doubles[] = {
        {WKS_DOUBLE, 5, "X", 3.0, NOT_SET},         {WKS_DOUBLE, 4, " 12.5 ", 3.0, 12.5},
        {WKS_DOUBLE, 3, "-2", 3.0, NOT_SET},        {WKS_DOUBLE_KEEP, 3, "-2", 3.0, 3.0},
        {WKS_FREQUENCY_POSITIVE, 4, "-3", 3.0, 3.0}, {WKS_FREQUENCY_POSITIVE, 4, "7", 3.0, 7.0},
        {WKS_FRACTION, 4, "50", 0.25, 0.25},        {WKS_FREQUENCY, 3, "", 3.0, NOT_SET},
    };
    for (const Case& c : doubles) {
        double field = c.before;
        WorkSheetCell cell = make_cell(c.type, &field, c.set);
        wks_store_entry(cell, c.entry, missing);
        EXPECT_EQ(field, c.after) << "type " << c.type << " entry '" << c.entry << "'";
    }

    char text[6] = "Keep";
    WorkSheetCell keep = make_cell(WKS_TEXT_KEEP, text, 0, 5);
    wks_store_entry(keep, "  ", missing);
    EXPECT_STREQ(text, "Keep");
    wks_store_entry(keep, "Longer text\r\nnext", missing);
    EXPECT_STREQ(text, "Longe") << "cut to the cell's length";
    WorkSheetCell empties = make_cell(WKS_TEXT, text, 0, 5);
    wks_store_entry(empties, "", missing);
    EXPECT_STREQ(text, "");

    int16_t int16 = 5;
    WorkSheetCell int16_cell = make_cell(WKS_INT16, &int16);
    wks_store_entry(int16_cell, "12abc", missing);
    EXPECT_EQ(int16, 12);
    wks_store_entry(int16_cell, "", missing);
    EXPECT_EQ(int16, -1);
}

TEST(WorksheetCells, EraseCopyAndPasteFollowTheTypeRules) {
    double number = 12.5;
    char text[16] = "Name";
    uint8_t flag = 1;
    int16_t choice = 1;
    int32_t selection = 3;
    int32_t unsigned_value = -1;
    WorkSheetCell number_cell = make_cell(WKS_DOUBLE, &number, 4);
    WorkSheetCell text_cell = make_cell(WKS_TEXT, text, 0, 4);
    WorkSheetCell flag_cell = make_cell(WKS_FLAG, &flag);
    WorkSheetCell choice_cell = make_cell(WKS_CHOICE, &choice);
    choice_cell.choice_count = 2;
    WorkSheetCell selection_cell = make_cell(WKS_SELECTION, &selection);

    EXPECT_EQ(wks_copy_text(number_cell), "12.500000000");
    EXPECT_EQ(wks_copy_text(text_cell), "Name");
    EXPECT_EQ(wks_copy_text(flag_cell), "");
    EXPECT_EQ(wks_copy_text(make_cell(WKS_UINT32, &unsigned_value)), "4294967295");

    EXPECT_FALSE(wks_paste(flag_cell, "0"));
    EXPECT_EQ(flag, 1) << "pasting into a flag does nothing";
    EXPECT_FALSE(wks_paste(choice_cell, "0"));
    EXPECT_EQ(choice, 1);
    EXPECT_TRUE(wks_paste(number_cell, "1.5e2 dB"));
    EXPECT_EQ(number, 150.0) << "no character-set check";
    EXPECT_TRUE(wks_paste(text_cell, "Pasted"));
    EXPECT_STREQ(text, "Past");

    EXPECT_TRUE(wks_erase(number_cell, missing));
    EXPECT_EQ(number, NOT_SET);
    EXPECT_TRUE(wks_erase(text_cell, missing));
    EXPECT_STREQ(text, "");
    EXPECT_TRUE(wks_erase(selection_cell, missing));
    EXPECT_EQ(selection, -1);
    EXPECT_FALSE(wks_erase(flag_cell, missing));
    EXPECT_EQ(flag, 1);
}

// Answers the close question from a queue and records it.
class Answering_Presenter : public Message_Presenter {
public:
    Answering_Presenter() { m_previous = set_message_presenter(this); }
    ~Answering_Presenter() override { set_message_presenter(m_previous); }
    int show_message(Owner_Window, const std::string& caption, const std::string& text,
                     unsigned) override {
        asked.push_back(caption + ": " + text);
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<int> answers;
    std::vector<std::string> asked;

private:
    Message_Presenter* m_previous;
};

// A 2 x 2 table: a name and a shown-only number in row 0, two numbers in row 1.
struct Small_Table {
    char name[16] = "Alpha";
    double shown_only = 1.0;
    double low = -10.0;
    double high = 20.0;
    WorkSheetCell cells[4];
    wks_menu_transfer transfer;

    Small_Table() {
        cells[0] = make_cell(WKS_TEXT, name, 0, 15);
        cells[1] = make_cell(WKS_DOUBLE, &shown_only, 4);
        cells[1].editable = 0;
        cells[2] = make_cell(WKS_DOUBLE, &low, 4);
        cells[3] = make_cell(WKS_DOUBLE, &high, 4);
        for (int index = 0; index < 4; ++index) {
            cells[index].cell_id = static_cast<uint8_t>(10 + index);
            cells[index].column = static_cast<int8_t>(index % 2);
        }
        cells[0].notify_id = 100;
        transfer.cell_count = 4;
        transfer.row_count = 2;
        transfer.column_count = 2;
        transfer.cells = cells;
    }
};

TEST(WorksheetSheet, CancelRestoresEveryEditableFieldIncludingTexts) {
    Small_Table table;
    Wks_Sheet sheet(table.transfer, missing);
    std::vector<std::pair<int, int>> notes;
    sheet.set_notifier([&](int message, int first, int second) {
        EXPECT_EQ(message, WKS_MSG_NOTIFY);
        notes.emplace_back(first, second);
    });
    EXPECT_TRUE(sheet.commit("Beta"));
    EXPECT_EQ(notes, (std::vector<std::pair<int, int>>{{100, 10}}));
    sheet.move(Wks_Move::right);
    EXPECT_EQ(sheet.current(), 2) << "the shown-only cell is passed over";
    sheet.commit("-3");
    sheet.move(Wks_Move::right);
    sheet.erase();
    table.shown_only = 99.0; // the owner's own calculation
    EXPECT_TRUE(sheet.marked_changed());
    EXPECT_EQ(notes.size(), 1u) << "only the notifying cell reports";

    EXPECT_EQ(sheet.cancel(), WKS_CANCEL);
    EXPECT_STREQ(table.name, "Alpha");
    EXPECT_EQ(table.low, -10.0);
    EXPECT_EQ(table.high, 20.0);
    EXPECT_EQ(table.shown_only, 99.0) << "shown-only cells are not touched";
}

TEST(WorksheetSheet, OkReportsAChangeOnlyWhenAFieldDiffers) {
    Small_Table table;
    Wks_Sheet sheet(table.transfer, missing);
    table.transfer.changed = 7;
    EXPECT_EQ(sheet.ok(), WKS_OK);
    EXPECT_EQ(table.transfer.changed, 0);

    sheet.commit("Alpha"); // the same text again
    sheet.select(3);
    sheet.commit("20");
    sheet.ok();
    EXPECT_EQ(table.transfer.changed, 0);
    EXPECT_EQ(table.transfer.current_cell, 3);

    sheet.commit("21");
    sheet.ok();
    EXPECT_EQ(table.transfer.changed, 1);
    EXPECT_EQ(table.high, 21.0);
}

TEST(WorksheetSheet, ClosingAsksOnlyAfterAChange) {
    const struct {
        int answer;
        int result;
        double high;
    } cases[] = {{ID_YES, WKS_OK, 5.0}, {ID_NO, WKS_CANCEL, 20.0}, {ID_CANCEL, WKS_OPEN, 5.0}};
    for (const auto& c : cases) {
        Small_Table table;
        Wks_Sheet sheet(table.transfer, missing);
        Answering_Presenter presenter;
        EXPECT_EQ(sheet.close_request(nullptr), WKS_OK);
        EXPECT_TRUE(presenter.asked.empty());
        sheet.select(3);
        sheet.commit("5");
        presenter.answers.push_back(c.answer);
        EXPECT_EQ(sheet.close_request(nullptr), c.result);
        EXPECT_EQ(presenter.asked, std::vector<std::string>{"Close Worksheet: Keep Changes ?"});
        EXPECT_EQ(table.high, c.high);
    }
}

TEST(WorksheetSheet, KeysMoveAmongEditableCells) {
    // Row 0: a whole-row cell; rows 1 and 2: two columns, the cell at row 2, column 0 shown only.
    double fields[5] = {};
    WorkSheetCell cells[5];
    const int8_t columns[5] = {-1, 0, 1, 0, 1};
    for (int index = 0; index < 5; ++index) {
        cells[index] = make_cell(WKS_DOUBLE, &fields[index], 4);
        cells[index].column = columns[index];
    }
    cells[3].editable = 0;
    wks_menu_transfer transfer;
    transfer.cells = cells;
    transfer.cell_count = 5;
    transfer.column_count = 2;
    const struct {
        int from;
        Wks_Move key;
        int to;
    } cases[] = {
        {0, Wks_Move::left, 0},  {0, Wks_Move::right, 1}, {2, Wks_Move::tab, 4},
        {4, Wks_Move::right, 4}, {4, Wks_Move::back_tab, 2}, {2, Wks_Move::down, 4},
        {1, Wks_Move::down, 1},  {4, Wks_Move::up, 2},    {2, Wks_Move::up, 0},
        {0, Wks_Move::down, 1},  {1, Wks_Move::end, 4},   {4, Wks_Move::home, 0},
    };
    for (const auto& c : cases) {
        Wks_Sheet sheet(transfer, missing);
        ASSERT_TRUE(sheet.select(c.from));
        sheet.move(c.key);
        EXPECT_EQ(sheet.current(), c.to) << "from " << c.from << " key " << int(c.key);
    }
    Wks_Sheet sheet(transfer, missing);
    EXPECT_FALSE(sheet.select(3)) << "a shown-only cell";
}

TEST(WorksheetSheet, F4CopiesTheOtherColumnWhenNotEmptyOrZero) {
    Small_Table table;
    Wks_Sheet sheet(table.transfer, missing);
    sheet.select(3);
    EXPECT_TRUE(sheet.copy_other_column());
    EXPECT_EQ(table.high, -10.0);
    table.low = 0.0;
    EXPECT_FALSE(sheet.copy_other_column());
    table.low = NOT_SET;
    EXPECT_FALSE(sheet.copy_other_column());
    EXPECT_EQ(table.high, -10.0);
    sheet.reset_cell();
    EXPECT_EQ(table.high, 20.0);
}

TEST(WorksheetLayout, ColumnWidthsRowsAndWholeRowCells) {
    // Every character is 7 pixels wide.
    const auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
    const Wks_Metrics metrics{7, 20, 17};

    Small_Table table;
    const char* const titles[2] = {"A rather long column title", "B"};
    table.transfer.column_titles = titles;
    Wks_Layout layout = wks_layout(table.transfer, metrics, width, missing);
    EXPECT_EQ(layout.column_edges, (std::vector<int32_t>{28 * 7, 28 * 7 + 18 * 7}));
    EXPECT_EQ(layout.row_count, 2);
    EXPECT_EQ(layout.title_lines, 1);
    const WorkSheetCell& last = table.cells[3];
    EXPECT_EQ((std::vector<int>{last.rect[0], last.rect[1], last.rect[2], last.rect[3]}),
              (std::vector<int>{28 * 7, 21, 46 * 7, 41}));

    // A whole-row cell wider than both columns widens each to half of it.
    char wide[80];
    std::memset(wide, 'w', 60);
    wide[60] = '\0';
    table.cells[0].column = -1;
    table.cells[0].length = 79;
    table.cells[0].data = wide;
    table.transfer.column_titles = nullptr;
    layout = wks_layout(table.transfer, metrics, width, missing);
    EXPECT_EQ(layout.column_edges, (std::vector<int32_t>{31 * 7, 62 * 7}));
    EXPECT_EQ(table.cells[0].rect[0], 7);
    EXPECT_EQ(table.cells[0].rect[2], 61 * 7);
    EXPECT_EQ(layout.row_count, 3) << "the whole-row cell has a row of its own";

    // Ten columns and more: only the titles count.
    double fields[10] = {};
    WorkSheetCell cells[10];
    for (int index = 0; index < 10; ++index) {
        cells[index] = make_cell(WKS_DOUBLE, &fields[index], 4);
        cells[index].column = static_cast<int8_t>(index);
    }
    wks_menu_transfer wide_table;
    wide_table.cells = cells;
    wide_table.cell_count = 10;
    wide_table.column_count = 10;
    layout = wks_layout(wide_table, metrics, width, missing);
    EXPECT_EQ(layout.column_edges.front(), 14);
    EXPECT_EQ(layout.row_count, 1);
}

} // namespace

namespace {

TEST(WorksheetSheet, ATableWithoutCellsDoesNothing) {
    wks_menu_transfer transfer;
    transfer.cell_count = 5; // but no cell array
    transfer.column_count = 2;
    const Wks_Layout layout = wks_layout(
        transfer, Wks_Metrics{}, [](std::string_view) { return 10; }, missing);
    EXPECT_EQ(layout.row_count, 0);
    Wks_Sheet sheet(transfer, missing);
    EXPECT_EQ(sheet.current(), -1);
    EXPECT_FALSE(sheet.move(Wks_Move::right));
    EXPECT_FALSE(sheet.commit("1"));
    EXPECT_FALSE(sheet.paste("1"));
    EXPECT_FALSE(sheet.erase_all());
    EXPECT_EQ(sheet.ok(), WKS_OK);
    EXPECT_EQ(transfer.changed, 0);
}

} // namespace
