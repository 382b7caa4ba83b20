// The keyword forms' cursor keys and scrolling.
#include "form_cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A heading, a field, a field of five cells, a heading, a field of two cells, a disabled field
// and a last field.
std::vector<Form_Row_Shape> sample_rows() {
    return {{0, false}, {1, true}, {5, true}, {0, false}, {2, true}, {1, false}, {1, true}};
}

TEST(FormCursor, KeysMoveBetweenTheCellsTheyMay) {
    struct Case {
        Form_Key_Style style;
        int row;
        int cell;
        Form_Key key;
        int expected_row;
        int expected_cell;
    };
    using K = Form_Key;
    constexpr auto cells = Form_Key_Style::cells;
    constexpr auto rows = Form_Key_Style::rows;
    const Case cases[] = {
        {cells, 1, 0, K::up, 1, 0},        {cells, 1, 0, K::down, 2, 0},
        {cells, 2, 3, K::down, 4, 1},      {cells, 2, 4, K::right, 2, 4},
        {cells, 2, 4, K::left, 2, 3},      {cells, 2, 0, K::left, 2, 0},
        {cells, 2, 4, K::tab, 4, 0},       {cells, 4, 0, K::back_tab, 2, 4},
        {cells, 4, 1, K::down, 6, 0},      {cells, 6, 0, K::tab, 6, 0},
        {cells, 1, 0, K::back_tab, 1, 0},  {cells, 4, 1, K::home, 1, 0},
        {cells, 2, 2, K::end, 6, 0},       {rows, 4, 0, K::right, 6, 0},
        {rows, 6, 0, K::left, 4, 0},       {rows, 4, 0, K::tab, 6, 0},
        {rows, 4, 0, K::back_tab, 2, 0},   {rows, 2, 0, K::up, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " cell " << c.cell << " key "
                                        << static_cast<int>(c.key));
        Form_Cursor cursor(sample_rows(), c.style);
        ASSERT_TRUE(cursor.select(c.row, c.cell) || (c.row == 1 && c.cell == 0));
        const bool moved = cursor.key(c.key);
        EXPECT_EQ(cursor.row(), c.expected_row);
        EXPECT_EQ(cursor.cell(), c.expected_cell);
        EXPECT_EQ(moved, c.row != c.expected_row || c.cell != c.expected_cell);
    }
}

TEST(FormCursor, PagesClicksAndChangingRows) {
    Form_Cursor cursor(sample_rows(), Form_Key_Style::cells);
    EXPECT_EQ(cursor.row(), 1); // the first selectable row
    // Headings, disabled rows and missing cells are not selected.
    EXPECT_FALSE(cursor.select(0, 0));
    EXPECT_FALSE(cursor.select(5, 0));
    EXPECT_FALSE(cursor.select(4, 2));
    EXPECT_EQ(cursor.row(), 1);

    cursor.set_rows_per_page(3);
    EXPECT_TRUE(cursor.key(Form_Key::page_down)); // row 4
    EXPECT_EQ(cursor.row(), 4);
    EXPECT_TRUE(cursor.select(6, 0));
    EXPECT_TRUE(cursor.key(Form_Key::page_up)); // row 3 is a heading: the field above it
    EXPECT_EQ(cursor.row(), 2);

    // Fewer rows: the cursor goes to the nearest row it may be on.
    EXPECT_TRUE(cursor.select(6, 0));
    cursor.set_rows({{0, false}, {3, true}, {1, false}});
    EXPECT_EQ(cursor.row(), 1);
    EXPECT_EQ(cursor.cell(), 0);
}

TEST(FormCursor, TheCurrentRowStaysInViewAndTheLastPageIsFull) {
    Form_Cursor cursor(std::vector<Form_Row_Shape>(30), Form_Key_Style::rows);
    cursor.set_rows_per_page(10);
    EXPECT_EQ(cursor.last_visible_row(), 9);
    cursor.key(Form_Key::end);
    EXPECT_EQ(cursor.first_visible_row(), 20);
    EXPECT_EQ(cursor.last_visible_row(), 29);
    cursor.select(25, 0);
    cursor.key(Form_Key::page_up);
    EXPECT_EQ(cursor.row(), 15);
    EXPECT_EQ(cursor.first_visible_row(), 15);
    // A taller window: the first row moves up so that the last page is full.
    cursor.set_rows_per_page(20);
    EXPECT_EQ(cursor.first_visible_row(), 10);
    cursor.set_rows_per_page(40);
    EXPECT_EQ(cursor.first_visible_row(), 0);
    EXPECT_EQ(cursor.last_visible_row(), 29);
    // Scrolling leaves the cursor where it is.
    cursor.set_rows_per_page(5);
    cursor.scroll_to(100);
    EXPECT_EQ(cursor.first_visible_row(), 25);
    EXPECT_EQ(cursor.row(), 15);
}

} // namespace
