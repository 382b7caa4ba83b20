// The grid list's marked rows, row-number clicks, cursor keys and enabled commands.
#include "grid_cursor.h"
#include "grid_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int> sorted_rows(const Marked_Row& marks) {
    std::vector<int> rows = marks.rows();
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(MarkedRow, KeepsEachRowOnceAndItsCapacityMovesBySteps) {
    Marked_Row marks;
    EXPECT_TRUE(marks.add_row(7));
    EXPECT_FALSE(marks.add_row(7));
    EXPECT_FALSE(marks.remove_row(8));
    for (int row = 100; marks.count() < 21; ++row) {
        marks.add_row(row);
    }
    EXPECT_EQ(marks.capacity(), 40);
    marks.remove_row(100);
    EXPECT_EQ(marks.capacity(), 20) << "20 below the capacity of 40";
    marks.add_row(3);
    marks.sort_marked();
    EXPECT_TRUE(std::is_sorted(marks.rows().begin(), marks.rows().end()));
    EXPECT_EQ(marks.rows().front(), 3);
    EXPECT_TRUE(marks.is_marked(7));
    marks.init();
    EXPECT_EQ(marks.count(), 0);
    EXPECT_EQ(marks.capacity(), 20);
    EXPECT_FALSE(marks.is_marked(7));
}

struct Click {
    int row;
    Row_Click how;
};

struct Click_Case {
    const char* name;
    std::vector<Click> clicks;
    std::vector<int> marked;
    int anchor;
};

TEST(MarkedRow, RowNumberClicks) {
    const Row_Click plain = Row_Click::plain, ctrl = Row_Click::ctrl, shift = Row_Click::shift;
    const Click_Case cases[] = {
        {"a click marks the row alone", {{2, plain}, {4, plain}}, {4}, 4},
        {"a click on the only marked row unmarks it", {{2, plain}, {2, plain}}, {}, 2},
        {"Ctrl adds and toggles", {{2, plain}, {4, ctrl}, {6, ctrl}, {4, ctrl}}, {2, 6}, 4},
        {"Shift marks from the only marked row", {{2, plain}, {5, shift}}, {2, 3, 4, 5}, 2},
        {"Shift upwards", {{5, plain}, {2, shift}}, {2, 3, 4, 5}, 5},
        {"Shift from the last row clicked replaces the marks",
         {{1, plain}, {3, ctrl}, {6, shift}}, {3, 4, 5, 6}, 3},
        {"Shift twice keeps the anchor", {{4, plain}, {6, shift}, {2, shift}}, {2, 3, 4}, 4},
        {"Shift without any anchor marks the row", {{3, shift}}, {3}, 3},
        {"the template row and rows outside do nothing", {{1, plain}, {8, plain}, {-1, ctrl}, {8, shift}}, {1}, 1},
    };
    for (const Click_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Marked_Row marks;
        for (const Click& click : c.clicks) {
            click_row_number(marks, click.row, 8, click.how);
        }
        EXPECT_EQ(sorted_rows(marks), c.marked);
        EXPECT_EQ(marks.anchor, c.anchor);
    }
}

TEST(MarkedRow, InsertTogglesRealRowsOnly) {
    Marked_Row marks;
    toggle_row_mark(marks, 2, 5);
    toggle_row_mark(marks, 5, 5); // the template row
    EXPECT_EQ(marks.rows(), std::vector<int>{2});
    EXPECT_EQ(marks.single_marked(), 2);
    toggle_row_mark(marks, 2, 5);
    EXPECT_EQ(marks.count(), 0);
    EXPECT_EQ(marks.single_marked(), -1);
}

TEST(GridColumn, HowACellIsEdited) {
    const struct {
        Grid_Column column;
        Grid_Edit edit;
    } cases[] = {
        {{5, GRID_TEXT, 0, 0}, Grid_Edit::none},      {{5, GRID_CHECK_BOX, 0, 1}, Grid_Edit::toggle},
        {{5, GRID_COLOUR, 0, 1}, Grid_Edit::colour},  {{5, GRID_DROP_LIST, 0, 1}, Grid_Edit::drop_list},
        {{5, 200, 0, 1}, Grid_Edit::drop_list},       {{5, GRID_LATITUDE, 0, 1}, Grid_Edit::text},
        {{5, 17, 0, 1}, Grid_Edit::text},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grid_edit_kind(c.column), c.edit) << int(c.column.kind);
    }
    EXPECT_EQ(grid_drop_list_rows(5), 7);
    EXPECT_EQ(grid_drop_list_rows(18), 20);
    EXPECT_EQ(grid_drop_list_rows(500), 20);
}

Grid_Info table(int rows, bool editable = true) {
    std::vector<Grid_Column> columns(3, Grid_Column{5, GRID_TEXT, 0, 0});
    columns[1].editable = editable ? 1 : 0;
    Grid_Info info = make_grid_info(columns, {"A", "B", "C"}, rows);
    info.visible_rows = 2;
    return info;
}

struct Key_Case {
    const char* name;
    int row, column; // the start
    std::vector<Grid_Key> keys;
    int end_row, end_column, top_row;
};

TEST(GridCursor, Keys) {
    using enum Grid_Key;
    // Five rows and the template row 5; two rows visible; three columns.
    const Key_Case cases[] = {
        {"Right stops at the last column", 0, 0, {right, tab, right, tab}, 0, 2, 0},
        {"Left and Shift+Tab stop at the first", 0, 2, {left, back_tab, left}, 0, 0, 0},
        {"Down stops at the template row", 0, 1, std::vector<Grid_Key>(9, down), 5, 1, 4},
        {"Up stops at the first row", 2, 0, {up, up, up, up}, 0, 0, 0},
        {"Page Down by the visible rows", 0, 0, {page_down}, 2, 0, 1},
        {"Page Down no further than the template row", 4, 0, {page_down}, 5, 0, 4},
        {"Page Up no further than the first row", 1, 0, {page_up}, 0, 0, 0},
        {"Home and End", 3, 2, {home}, 0, 2, 0},
        {"End is the template row", 0, 2, {end}, 5, 2, 4},
    };
    for (const Key_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Grid_Info info = table(5);
        info.current_row = c.row;
        info.current_column = c.column;
        Grid_Cursor cursor(info);
        for (Grid_Key key : c.keys) {
            cursor.key(key);
        }
        EXPECT_EQ(info.current_row, c.end_row);
        EXPECT_EQ(info.current_column, c.end_column);
        EXPECT_EQ(info.top_row, c.top_row);
        EXPECT_EQ(info.last_visible_row, info.top_row + 1);
    }
}

TEST(GridCursor, ColumnsMoveByDisplayPositionAndDeletedRowsPullTheCursorBack) {
    Grid_Info info = table(5);
    info.column_order = {2, 0, 1};
    Grid_Cursor cursor(info);
    EXPECT_EQ(cursor.data_column(), 2);
    EXPECT_TRUE(cursor.key(Grid_Key::right));
    EXPECT_EQ(cursor.data_column(), 0);
    EXPECT_FALSE(cursor.select(1, 3)) << "no fourth position";
    EXPECT_FALSE(cursor.select(7, 0)) << "below the template row";
    EXPECT_TRUE(cursor.select(5, 0));
    cursor.set_row_count(2);
    EXPECT_EQ(info.current_row, 2) << "the template row of the shorter table";
    // An order that is no permutation is not followed out of the table.
    info.column_order = {0, 7, 1};
    EXPECT_EQ(grid_data_column(info, 1), 1);
}

struct Command_Case {
    const char* name;
    bool editable;
    int rows;
    int current_row;
    bool add, edit, remove;
};

TEST(GridCursor, EditAndDeleteOnlyOnARealRowOfAnEditableTable) {
    const Command_Case cases[] = {
        {"a real row", true, 3, 1, true, true, true},
        {"the template row", true, 3, 3, true, false, false},
        {"an empty table", true, 0, 0, true, false, false},
        {"no editable column", false, 3, 1, false, false, false},
    };
    for (const Command_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Grid_Info info = table(c.rows, c.editable);
        info.current_row = c.current_row;
        const Grid_Cursor cursor(info);
        EXPECT_EQ(cursor.enabled(Grid_Command::add), c.add);
        EXPECT_EQ(cursor.enabled(Grid_Command::edit), c.edit);
        EXPECT_EQ(cursor.enabled(Grid_Command::remove), c.remove);
        EXPECT_TRUE(cursor.enabled(Grid_Command::export_text));
    }
}

} // namespace
