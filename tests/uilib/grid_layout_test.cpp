// The grid list's stored layout: its text both ways, the refusal rules and the default edges.
#include "grid_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const Screen_Sizes screens{1920, 1080, 1920, 1080};

// Three columns and ten rows, as the program fills them before the layout is read.
Grid_Info program_info() {
    Grid_Info info = make_grid_info(std::vector<Grid_Column>(3), {"A", "B", "C"}, 10);
    info.column_edges = {30, 100, 200, 300};
    info.visible_rows = 5;
    info.window = {10, 20, 300, 200};
    return info;
}

struct Layout_Case {
    const char* name;
    const char* text;
    int top_row;
    int visible_rows;
    bool maximised;
    Grid_Rect window;
    std::vector<int32_t> edges;
    std::vector<int32_t> order;
};

TEST(GridLayout, ReadingTakesWhatIsSoundAndIgnoresOrClampsTheRest) {
    const Grid_Rect program{10, 20, 300, 200};
    const Grid_Rect centred{240, 135, 1440, 810};
    const std::vector<int32_t> edges{30, 100, 200, 300};
    const std::vector<int32_t> natural{0, 1, 2};
    const Layout_Case cases[] = {
        {"an empty text", "", 0, 5, false, program, edges, natural},
        {"another column count: ignored entirely",
         "4,2,9,1,100,50,800,600,40,140,240,340,440,3,2,1,0,", 0, 5, false, program, edges, natural},
        {"not a layout", "abc", 0, 5, false, program, edges, natural},
        {"a whole layout", "3,2,9,1,100,50,800,600,40,140,240,340,2,0,1,", 2, 9, true,
         {100, 50, 800, 600}, {40, 140, 240, 340}, {2, 0, 1}},
        {"left beyond the screens", "3,0,9,0,1921,50,800,600,", 0, 9, false, centred, edges, natural},
        {"left plus width negative", "3,0,9,0,-900,50,800,600,", 0, 9, false, centred, edges, natural},
        {"top negative", "3,0,9,0,100,-1,800,600,", 0, 9, false, centred, edges, natural},
        {"top beyond the screens", "3,0,9,0,100,1081,800,600,", 0, 9, false, centred, edges, natural},
        {"a negative width", "3,0,9,0,100,50,-5,600,", 0, 9, false, centred, edges, natural},
        {"a window larger than the screens is cut", "3,0,9,0,0,0,5000,600,", 0, 9, false,
         {0, 0, 1920, 600}, edges, natural},
        {"truncated after the visible rows", "3,4,12", 4, 12, false, program, edges, natural},
        {"truncated inside the rectangle", "3,4,12,0,15,25", 4, 12, false, {15, 25, 300, 200},
         edges, natural},
        {"a value beyond 32 bits ends the reading", "3,4,99999999999,1,", 4, 5, false, program,
         edges, natural},
        {"an empty field ends the reading", "3,4,,1,", 4, 5, false, program, edges, natural},
        {"a top row not below the row count", "3,10,9,", 0, 9, false, program, edges, natural},
        {"a negative top row and visible rows", "3,-4,-9,", 0, 0, false, program, edges, natural},
        {"edges truncated: edges and order ignored", "3,1,9,0,100,50,800,600,40,140,", 1, 9, false,
         {100, 50, 800, 600}, edges, natural},
        {"edges not increasing: ignored, the order taken",
         "3,1,9,0,100,50,800,600,40,140,140,340,2,1,0,", 1, 9, false, {100, 50, 800, 600}, edges,
         {2, 1, 0}},
        {"a negative first edge", "3,1,9,0,100,50,800,600,-40,140,240,340,", 1, 9, false,
         {100, 50, 800, 600}, edges, natural},
        {"huge edges", "3,1,9,0,100,50,800,600,40,140,240,2000000000,", 1, 9, false,
         {100, 50, 800, 600}, edges, natural},
        {"an order with a column twice", "3,1,9,0,100,50,800,600,40,140,240,340,0,0,1,", 1, 9,
         false, {100, 50, 800, 600}, {40, 140, 240, 340}, natural},
        {"an order naming a column outside", "3,1,9,0,100,50,800,600,40,140,240,340,0,1,3,", 1, 9,
         false, {100, 50, 800, 600}, {40, 140, 240, 340}, natural},
        {"an order with a negative column", "3,1,9,0,100,50,800,600,40,140,240,340,-1,0,1,", 1, 9,
         false, {100, 50, 800, 600}, {40, 140, 240, 340}, natural},
        {"an order truncated", "3,1,9,0,100,50,800,600,40,140,240,340,2,0", 1, 9, false,
         {100, 50, 800, 600}, {40, 140, 240, 340}, natural},
    };
    for (const Layout_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Grid_Info info = program_info();
        read_grid_layout(info, c.text, screens);
        EXPECT_EQ(info.top_row, c.top_row);
        EXPECT_EQ(info.visible_rows, c.visible_rows);
        EXPECT_EQ(info.maximised, c.maximised);
        EXPECT_EQ(info.window, c.window);
        EXPECT_EQ(info.column_edges, c.edges);
        EXPECT_EQ(info.column_order, c.order);
    }
}

TEST(GridLayout, WrittenTextReadsBackAndNoDamagedTextGivesAnOrderOutsideTheColumns) {
    Grid_Info written = program_info();
    written.top_row = 3;
    written.maximised = true;
    written.window = {100, 50, 800, 600};
    written.column_edges = {40, 140, 240, 340};
    written.column_order = {1, 2, 0};
    const std::string text = grid_layout_text(written);
    EXPECT_EQ(text, "3,3,5,1,100,50,800,600,40,140,240,340,1,2,0,");
    Grid_Info read = program_info();
    read_grid_layout(read, text, screens);
    EXPECT_EQ(grid_layout_text(read), text);

    // Every truncation of the text and many random damages of it.
    std::mt19937 random(18);
    std::vector<std::string> damaged;
    for (std::size_t n = 0; n <= text.size(); ++n) {
        damaged.push_back(text.substr(0, n));
    }
    const std::string values[] = {"-1", "3", "2147483647", "-2147483648", "99999999999", "", "x",
                                  "0", "7"};
    for (int n = 0; n < 3000; ++n) {
        std::string t = text;
        for (int change = 0; change < 3; ++change) {
            const std::size_t at = random() % t.size();
            const std::size_t end = std::min(t.find(',', at), t.size());
            t.replace(at, end - at, values[random() % std::size(values)]);
        }
        damaged.push_back(t);
    }
    for (const std::string& t : damaged) {
        Grid_Info info = program_info();
        read_grid_layout(info, t, screens);
        ASSERT_TRUE(is_column_permutation(info.column_order, 3)) << t;
        ASSERT_EQ(info.column_edges.size(), 4u) << t;
        ASSERT_TRUE(std::is_sorted(info.column_edges.begin(), info.column_edges.end())) << t;
        ASSERT_GE(info.top_row, 0) << t;
        ASSERT_LT(info.top_row, info.row_count) << t;
        ASSERT_GE(info.visible_rows, 0) << t;
        ASSERT_GE(info.window.width, 0) << t;
        ASSERT_LE(info.window.width, screens.virtual_width) << t;
    }
}

TEST(GridLayout, DefaultEdgesFollowTheTitlesInDisplayOrderAndResetRestoresTheOrder) {
    // 7 pixels a character, "999" 21 pixels: the row numbers end at 28; a column is the wider of
    // its title and 70 pixels, plus 28.
    EXPECT_EQ(default_grid_edges(7, 21, {50, 120}), (std::vector<int32_t>{28, 126, 274}));
    Grid_Info info = make_grid_info(std::vector<Grid_Column>(2), {"A", "B"}, 0);
    EXPECT_TRUE(needs_default_edges(info));
    info.column_order = {1, 0};
    set_default_grid_edges(info, 7, 21, {50, 120});
    EXPECT_EQ(info.column_edges, (std::vector<int32_t>{28, 176, 274}));
    EXPECT_FALSE(needs_default_edges(info));
    reset_grid_display(info, 7, 21, {50, 120});
    EXPECT_EQ(info.column_order, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(info.column_edges, (std::vector<int32_t>{28, 126, 274}));
}

TEST(GridLayout, ClosingStoresTheRectangleOnlyOfAWindowThatIsNotMaximised) {
    Grid_Info info = program_info();
    note_grid_window(info, true, {1, 2, 3, 4});
    EXPECT_TRUE(info.maximised);
    EXPECT_EQ(info.window, (Grid_Rect{10, 20, 300, 200}));
    note_grid_window(info, false, {1, 2, 3, 4});
    EXPECT_FALSE(info.maximised);
    EXPECT_EQ(info.window, (Grid_Rect{1, 2, 3, 4}));
    EXPECT_EQ(default_grid_rect(1920, 1080, 96, 96), (Grid_Rect{96, 96, 1152, 504}));
}

} // namespace
