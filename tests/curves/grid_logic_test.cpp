// Curve_Grid: cursor keys, the in-place edit, the apply rules, Ctrl+Y, paste and copy.
#include "curve_grid.h"
#include "message_catalogue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

Curve_Points points_of(std::vector<Curve_Pair> pairs) {
    return Curve_Points(pairs);
}

std::vector<Curve_Pair> pairs_of(const Curve_Points& points) {
    return {points.points().begin(), points.points().end()};
}

// Types `text` into the grid (the first character starts the edit) and ends it with `end`;
// returns the outcome of the ending key, with list_changed gathered over the whole input.
Grid_Outcome type(Curve_Grid& grid, const std::string& text, Grid_Key end = Grid_Key::enter) {
    bool list_changed = false;
    for (const char c : text) {
        const Grid_Outcome typed = grid.character(c);
        EXPECT_TRUE(typed.handled) << c;
        EXPECT_FALSE(typed.beep) << c;
        list_changed = list_changed || typed.list_changed;
    }
    Grid_Outcome outcome = grid.key(end);
    outcome.list_changed = outcome.list_changed || list_changed;
    return outcome;
}

struct Grid_Fixture : ::testing::Test {
    Curve_Points points;
    Curve_Grid grid;
    void attach(std::vector<Curve_Pair> pairs) {
        points = points_of(std::move(pairs));
        grid.attach(&points);
    }
};

using GridEntry = Grid_Fixture;

TEST_F(GridEntry, PointTypedIntoEmptyListLeavesCursorOnNextNewRow) {
    attach({});
    Grid_Outcome outcome = type(grid, "10");
    EXPECT_FALSE(outcome.list_changed);
    EXPECT_EQ(points.count(), 0);
    EXPECT_EQ(grid.current_row(), 0);
    EXPECT_EQ(grid.current_column(), 1);
    EXPECT_EQ(grid.cell_text(0, 0), "10.0000");

    outcome = type(grid, "-3");
    EXPECT_TRUE(outcome.list_changed);
    EXPECT_TRUE(outcome.row_changed);
    EXPECT_TRUE(grid.changed());
    EXPECT_EQ(pairs_of(points), (std::vector<Curve_Pair>{{10.0, -3.0}}));
    EXPECT_EQ(grid.current_row(), 1);
    EXPECT_EQ(grid.current_column(), 0);
    EXPECT_EQ(grid.row_count(), 2);
    EXPECT_EQ(grid.cell_text(1, 0), "");
}

TEST_F(GridEntry, NewPointIsSortedInAndChangedXReSorts) {
    attach({{0, 0}, {10, -20}});
    grid.key(Grid_Key::end);
    EXPECT_FALSE(type(grid, "5").list_changed);
    EXPECT_EQ(points.count(), 2);
    EXPECT_TRUE(type(grid, "-6").list_changed);
    EXPECT_EQ(pairs_of(points), (std::vector<Curve_Pair>{{0, 0}, {5, -6}, {10, -20}}));
    EXPECT_EQ(grid.current_row(), 3);
    EXPECT_EQ(grid.current_column(), 0);

    grid.key(Grid_Key::home);
    EXPECT_TRUE(type(grid, "15").list_changed);
    EXPECT_EQ(pairs_of(points), (std::vector<Curve_Pair>{{5, -6}, {10, -20}, {15, 0}}));
    EXPECT_EQ(grid.current_row(), 0); // Enter on a point does not move the cursor
}

// The y typed first waits for its x; Tab and Shift+Tab apply and change the column.
TEST_F(GridEntry, YBeforeXAndTabbing) {
    attach({{0, 0}});
    grid.key(Grid_Key::end);
    grid.key(Grid_Key::right);
    type(grid, "-4");
    EXPECT_EQ(grid.current_column(), 0);
    EXPECT_EQ(points.count(), 1);
    EXPECT_EQ(grid.cell_text(1, 1), "-4.0");
    const Grid_Outcome outcome = type(grid, "2", Grid_Key::tab);
    EXPECT_TRUE(outcome.list_changed);
    EXPECT_EQ(pairs_of(points), (std::vector<Curve_Pair>{{0, 0}, {2, -4}}));
    EXPECT_EQ(grid.current_row(), 1); // Tab stays on the row, now the new point
    EXPECT_EQ(grid.current_column(), 1);

    type(grid, "-9", Grid_Key::back_tab);
    EXPECT_EQ(points[1].y, -9.0);
    EXPECT_EQ(grid.current_column(), 0);
    type(grid, "1", Grid_Key::down);
    EXPECT_EQ(points[1].x, 1.0);
    EXPECT_EQ(grid.current_row(), 2);
}

TEST_F(GridEntry, XWithinAThousandthOfAnotherIsRefused) {
    struct Case {
        const char* text;
        int row; // 1: the point 10; 3: the new-point row
        bool refused;
    };
    const Case cases[] = {
        {"10.0004", 3, true}, {"9.9991", 3, true}, {"19.9995", 3, true},
        {"10.002", 3, false}, {"9.998", 3, false}, {"10.0004", 1, false}, // its own old x
        {"0.0009", 1, true},  {"20", 1, true},     {"19.99", 1, false},
    };
    for (const Case& c : cases) {
        attach({{0, 0}, {10, -1}, {20, -5}});
        grid.move_to(c.row, 0);
        const Curve_Pair before = points[c.row];
        const Grid_Outcome outcome = type(grid, c.text);
        EXPECT_EQ(outcome.message.has_value(), c.refused) << c.text << " in row " << c.row;
        if (c.refused && outcome.message) {
            EXPECT_EQ(outcome.message->message_id, MSG_SAME_DISTANCE);
            EXPECT_EQ(outcome.message->caption_id, MSG_DATA_ENTRY_ERROR);
            EXPECT_EQ(points[c.row], before);
            EXPECT_FALSE(grid.changed());
        } else {
            const double x = text_to_double(c.text);
            EXPECT_EQ(points[c.row].x, x) << c.text;
            EXPECT_TRUE(points.sorted());
        }
        EXPECT_FALSE(grid.editing());
    }
}

TEST_F(GridEntry, TextWithoutANumberIsStoredAsZero) {
    attach({{5, 5}});
    type(grid, "-", Grid_Key::enter);
    EXPECT_EQ(pairs_of(points), (std::vector<Curve_Pair>{{0, 5}}));
    EXPECT_TRUE(grid.changed());
}

TEST_F(GridEntry, CtrlYClearsTheNewRowOrDeletesAPoint) {
    attach({{0, 0}, {10, -20}});
    grid.key(Grid_Key::end);
    type(grid, "7");
    Grid_Outcome outcome = grid.key(Grid_Key::delete_row);
    EXPECT_FALSE(outcome.list_changed);
    EXPECT_FALSE(grid.changed());
    EXPECT_EQ(points.count(), 2);
    EXPECT_EQ(points[2], points.default_pair());
    EXPECT_EQ(grid.current_row(), 1);

    outcome = grid.key(Grid_Key::delete_row);
    EXPECT_TRUE(outcome.list_changed);
    EXPECT_TRUE(grid.changed());
    EXPECT_EQ(pairs_of(points), (std::vector<Curve_Pair>{{0, 0}}));
    EXPECT_EQ(grid.row_count(), 2);
}

// Deleting the last point of a scrolled grid moves the cursor up to the last point.
TEST_F(GridEntry, CtrlYOnLastPointOfScrolledGrid) {
    std::vector<Curve_Pair> pairs;
    for (int i = 0; i < 30; ++i) {
        pairs.push_back({double(i), 0.0});
    }
    attach(pairs);
    grid.move_to(29, 0);
    ASSERT_GT(grid.first_visible_row(), 0);
    grid.key(Grid_Key::delete_row);
    EXPECT_EQ(points.count(), 29);
    EXPECT_EQ(grid.current_row(), 28);
    EXPECT_LE(grid.first_visible_row(), grid.scroll_limit());
}

TEST_F(GridEntry, CellTexts) {
    // 0.25 shows as 0.3: halves round away from zero, as the data files are written.
    attach({{1234.5678, -3}, {0, 0.25}, {-0.00004, 1e-9}, {NOT_SET, 2}});
    struct Case {
        int row;
        int column;
        const char* text;
    };
    for (const Case c : {Case{0, 0, "1234.5678"}, Case{0, 1, "-3.0"}, Case{1, 0, "0.0000"},
                         Case{1, 1, "0.3"}, Case{2, 0, "-0.0000"}, Case{2, 1, "0.0"},
                         Case{3, 0, ""}, Case{3, 1, "2.0"}, Case{4, 0, ""}, Case{9, 1, ""}}) {
        EXPECT_EQ(grid.cell_text(c.row, c.column), c.text) << c.row << "," << c.column;
    }
    EXPECT_EQ(Curve_Grid::row_label(0), "1");
    EXPECT_EQ(Curve_Grid::row_label(99999), "100000");
}

using GridKeys = Grid_Fixture;

TEST_F(GridKeys, CursorMovesAndScrolling) {
    struct Case {
        int row;
        int column;
        Grid_Key key;
        int expected_row;
        int expected_column;
        int expected_first; // from a grid scrolled to show the start row at the top
        int visible = Curve_Grid::rows_per_page; // rows the window shows
    };
    const Case cases[] = {
        {0, 0, Grid_Key::up, 0, 0, 0},           {0, 0, Grid_Key::down, 1, 0, 0},
        {19, 0, Grid_Key::down, 20, 0, 19},      {0, 1, Grid_Key::page_down, 20, 1, 1},
        {45, 0, Grid_Key::page_down, 50, 0, 31}, {50, 0, Grid_Key::down, 50, 0, 31},
        {25, 0, Grid_Key::page_up, 5, 0, 5},     {5, 0, Grid_Key::page_up, 0, 0, 0},
        {10, 1, Grid_Key::end, 50, 1, 31},       {40, 1, Grid_Key::home, 0, 1, 0},
        {3, 0, Grid_Key::right, 3, 1, 3},        {3, 1, Grid_Key::left, 3, 0, 3},
        {3, 0, Grid_Key::tab, 3, 1, 3},          {3, 1, Grid_Key::back_tab, 3, 0, 3},
        {3, 0, Grid_Key::escape, 3, 0, 3},
        // A taller or shorter window: pages stay 20 rows, the view follows the window.
        {0, 0, Grid_Key::page_down, 20, 0, 0, 30}, {10, 1, Grid_Key::end, 50, 1, 21, 30},
        {0, 0, Grid_Key::down, 1, 0, 1, 1},
    };
    std::vector<Curve_Pair> pairs;
    for (int i = 0; i < 50; ++i) {
        pairs.push_back({double(i), 0.0});
    }
    for (const Case& c : cases) {
        attach(pairs);
        grid.set_visible_rows(c.visible);
        grid.scroll_to(c.row);
        grid.move_to(c.row, c.column);
        ASSERT_EQ(grid.first_visible_row(), std::min(c.row, grid.scroll_limit()));
        const Grid_Outcome outcome = grid.key(c.key);
        EXPECT_EQ(grid.current_row(), c.expected_row) << c.row << " key " << int(c.key);
        EXPECT_EQ(grid.current_column(), c.expected_column) << c.row << " key " << int(c.key);
        EXPECT_EQ(grid.first_visible_row(), c.expected_first) << c.row << " key " << int(c.key);
        EXPECT_EQ(outcome.row_changed, c.row != c.expected_row);
        EXPECT_LE(grid.current_row() - grid.first_visible_row(), c.visible - 1);
    }
    grid.set_visible_rows(Curve_Grid::rows_per_page);
    grid.key(Grid_Key::end);
    EXPECT_EQ(grid.last_visible_row(), 50);
    EXPECT_EQ(grid.row_at(0, 16), 31);
    EXPECT_EQ(grid.row_at(19 * 16 + 15, 16), 50);
    EXPECT_EQ(grid.row_at(20 * 16, 16), -1);
}

TEST_F(GridKeys, EditStartsWithTheShownValueSelectedOrTheTypedCharacter) {
    for (const Grid_Key key : {Grid_Key::f2, Grid_Key::enter, Grid_Key::space}) {
        attach({{1.5, -2}});
        const Grid_Outcome outcome = grid.key(key);
        EXPECT_TRUE(outcome.edit_started);
        EXPECT_EQ(grid.edit_text(), "1.5000");
        EXPECT_FALSE(grid.edit_modified());
        grid.edit_character('4'); // replaces the selected text
        EXPECT_EQ(grid.edit_text(), "4");
        grid.key(Grid_Key::enter);
        EXPECT_EQ(points[0].x, 4.0);
    }
    attach({{1.5, -2}});
    EXPECT_TRUE(grid.character(' ').edit_started);
    EXPECT_EQ(grid.edit_text(), "1.5000");

    attach({{1.5, -2}});
    EXPECT_TRUE(grid.character('.').edit_started);
    EXPECT_EQ(grid.edit_text(), ".");
    EXPECT_TRUE(grid.edit_modified());
}

TEST_F(GridKeys, LettersDoNothingInTheGridAndBeepInTheEdit) {
    attach({{1.5, -2}});
    const Grid_Outcome in_grid = grid.character('a');
    EXPECT_FALSE(in_grid.handled);
    EXPECT_FALSE(in_grid.beep);
    EXPECT_FALSE(grid.editing());

    grid.key(Grid_Key::f2);
    for (const char c : {'a', 'e', ',', ' '}) {
        const Grid_Outcome outcome = grid.character(c);
        EXPECT_TRUE(outcome.beep) << c;
        EXPECT_EQ(grid.edit_text(), "1.5000");
    }
    EXPECT_TRUE(grid.key(Grid_Key::space).beep);
    // Eight characters at most.
    grid.character('1');
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(grid.character('2').beep);
    }
    EXPECT_TRUE(grid.character('3').beep);
    EXPECT_EQ(grid.edit_text(), "12222222");
    // The edit control's own changes are held to the same rules.
    grid.set_edit_text("-1x2345678");
    EXPECT_EQ(grid.edit_text(), "-1234567");
    EXPECT_TRUE(Curve_Grid::edit_accepts('+'));
    EXPECT_FALSE(Curve_Grid::edit_accepts('\0'));
}

TEST_F(GridKeys, EscapeClearsThenEndsAndUnmodifiedEnterChangesNothing) {
    attach({{1.5, -2}});
    grid.character('7');
    Grid_Outcome outcome = grid.key(Grid_Key::escape);
    EXPECT_TRUE(grid.editing());
    EXPECT_TRUE(outcome.edit_text_changed);
    EXPECT_EQ(grid.edit_text(), "");
    outcome = grid.key(Grid_Key::escape);
    EXPECT_TRUE(outcome.edit_ended);
    EXPECT_FALSE(grid.editing());
    EXPECT_EQ(points[0].x, 1.5);

    grid.key(Grid_Key::f2);
    outcome = grid.key(Grid_Key::enter);
    EXPECT_TRUE(outcome.edit_ended);
    EXPECT_FALSE(outcome.list_changed);
    // Retyping the shown values changes nothing either.
    EXPECT_FALSE(type(grid, "1.5", Grid_Key::tab).list_changed);
    EXPECT_FALSE(type(grid, "-2.0").list_changed);
    EXPECT_FALSE(grid.changed());
    // Keys of the edit control are not the grid's while it is open.
    grid.key(Grid_Key::f2);
    EXPECT_FALSE(grid.key(Grid_Key::left).handled);
    EXPECT_FALSE(grid.key(Grid_Key::delete_row).handled);
    EXPECT_EQ(points.count(), 1);
}

using GridPaste = Grid_Fixture;

TEST_F(GridPaste, AddsEveryPairSortedWithOneNotification) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<Curve_Pair> expected;
    };
    const Case cases[] = {
        {"header line",
         "Angle (deg)\tResponse dB\n30\t-10\n-30\t-12.5\n",
         {{-30, -12.5}, {0, 0}, {30, -10}}},
        {"mixed separators",
         "3;1\r\n1, 2\n\n  -2 4 \n\"5\"\t-1e1\n",
         {{-2, 4}, {0, 0}, {1, 2}, {3, 1}, {5, -10}}},
        {"a later text line ends it", "1 1\n2 2\nnotes\n3 3\n", {{0, 0}, {1, 1}, {2, 2}}},
        {"third column passed over", "+4,5,6\n", {{0, 0}, {4, 5}}},
        {"header only", "x y\n", {{0, 0}}},
        {"not quite numbers", "1x 2\n", {{0, 0}}},
    };
    for (const Case& c : cases) {
        attach({{0, 0}});
        const Grid_Outcome outcome = grid.paste(c.text);
        EXPECT_TRUE(outcome.handled) << c.name;
        EXPECT_FALSE(outcome.message) << c.name;
        EXPECT_EQ(pairs_of(points), c.expected) << c.name;
        const bool added = c.expected.size() > 1;
        EXPECT_EQ(outcome.list_changed, added) << c.name;
        EXPECT_EQ(grid.changed(), added) << c.name;
    }
}

TEST_F(GridPaste, DuplicateRefusesTheWholePasteNamingTheFirst) {
    struct Case {
        const char* text;
        const char* named;
    };
    const Case cases[] = {
        {"5 0\n1 1\n1.0005 3\n", "1.0000"},   // inside the pasted rows
        {"3 0\n10.0002 1\n2 2\n", "10.0002"}, // against the list
        {"7 0\n2 0\n9.9995 0\n2.0009 0\n", "2.0000"},
    };
    for (const Case& c : cases) {
        attach({{0, 0}, {10, -20}});
        const Grid_Outcome outcome = grid.paste(c.text);
        ASSERT_TRUE(outcome.message) << c.text;
        EXPECT_EQ(outcome.message->message_id, MSG_SAME_DISTANCE);
        EXPECT_EQ(outcome.message->caption_id, MSG_DATA_ENTRY_ERROR);
        EXPECT_EQ(outcome.message->context, c.named);
        EXPECT_FALSE(outcome.list_changed);
        EXPECT_EQ(points.count(), 2);
        EXPECT_FALSE(grid.changed());
    }
}

TEST_F(GridPaste, KeepsWhatIsTypedInTheNewRowAndWaitsForAnOpenEdit) {
    attach({{0, 0}});
    grid.key(Grid_Key::end);
    type(grid, "50");
    EXPECT_TRUE(grid.paste("1 1\n2 2").list_changed);
    EXPECT_EQ(points.count(), 3);
    EXPECT_EQ(grid.current_row(), 3);
    EXPECT_EQ(grid.cell_text(3, 0), "50.0000");
    type(grid, "-1");
    EXPECT_EQ(points[3], (Curve_Pair{50, -1}));

    grid.key(Grid_Key::f2);
    EXPECT_FALSE(grid.paste("8 8").handled);
    EXPECT_EQ(points.count(), 4);
}

TEST_F(GridPaste, CopyTextRoundTrips) {
    attach({{-12.7, -60}, {0, 0}, {1234.5678, -3.25}});
    const std::string text = grid.copy_text("Frequency MHz", "Response dB");
    EXPECT_EQ(text, "Frequency MHz\tResponse dB\n-12.7\t-60\n0\t0\n1234.5678\t-3.25\n");
    Curve_Points copy;
    Curve_Grid other;
    other.attach(&copy);
    other.paste(text);
    EXPECT_EQ(pairs_of(copy), pairs_of(points));
}

// A long curve: each edit moves one point and each paste sorts once, so neither takes
// quadratic time.
TEST_F(GridPaste, HundredThousandPoints) {
    constexpr int n = 100000;
    std::string text;
    for (int i = n - 1; i >= 0; --i) {
        text += std::to_string(i) + "\t-" + std::to_string(i % 50) + "\n";
    }
    attach({});
    ASSERT_TRUE(grid.paste(text).list_changed);
    ASSERT_EQ(points.count(), n);
    EXPECT_TRUE(points.sorted());
    EXPECT_EQ(points.capacity(), n + 8);

    for (int edit = 0; edit < 50; ++edit) {
        grid.move_to(0, 0);
        type(grid, std::to_string(n + edit));
        ASSERT_EQ(points[n - 1].x, double(n + edit));
    }
    EXPECT_TRUE(points.sorted());
    grid.key(Grid_Key::end);
    EXPECT_EQ(grid.current_row(), n);
    EXPECT_EQ(grid.first_visible_row(), n - 19);
    EXPECT_EQ(grid.row_at(19 * 10, 10), n);
}

} // namespace
