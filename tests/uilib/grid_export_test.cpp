// The grid list's delimited export, degree texts, and the tab-separated clipboard texts.
#include "grid_export.h"

#include "error_handler.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Export_Case {
    const char* name;
    Grid_Table_Text table;
    Grid_Export_Options options;
    std::string expected;
};

TEST(GridExport, FieldsInDisplayOrderQuotedOnlyWhenTheyHoldTheDelimiter) {
    const Grid_Table_Text names{{"Name", "On", "Note", "Colour"},
                                {GRID_TEXT, GRID_CHECK_BOX, GRID_DROP_LIST, GRID_COLOUR},
                                {{"a,b", "1", "5\" dish", "255"}, {"plain", "0", "\"", ""}}};
    const Grid_Table_Text places{{"Site", "Lat", "Lon"},
                                 {GRID_TEXT, GRID_LATITUDE, GRID_LONGITUDE},
                                 {{"Hill", "45 30 00 N", "W 73\xB0" "30'36\""},
                                  {"Bad", "somewhere", ""}}};
    const Export_Case cases[] = {
        {"check boxes and colours are left out; a quote alone is written as it is", names, {},
         "Name,Note\r\n\"a,b\",5\" dish\r\nplain,\"\r\n"},
        {"another delimiter quotes other fields", names, {';', false, false},
         "a,b;5\" dish\r\nplain;\"\r\n"},
        {"a field holding a quote and the delimiter keeps its quote",
         {{"T"}, {GRID_TEXT}, {{"x \"y\" z"}}}, {' ', false, false}, "\"x \"y\" z\"\r\n"},
        {"no usable delimiter: a comma", {{"A", "B"}, {GRID_TEXT, GRID_TEXT}, {{"1", "2"}}},
         {'\n', false, false}, "1,2\r\n"},
        {"coordinates as degree texts", places, {}, "Site,Lat,Lon\r\nHill,45 30 00 N,W 73\xB0" "30'36\"\r\nBad,somewhere,\r\n"},
        {"decimal coordinates; a cell that is no degree text as it is", places, {',', true, false},
         "Hill,45.5000000,-73.5100000\r\nBad,somewhere,\r\n"},
    };
    for (const Export_Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(grid_export_text(c.table, c.options), c.expected);
    }
    EXPECT_EQ(CSVEncloseQuotes("a\"b"), "\"a\"\"b\"");
}

TEST(GridExport, CellTextsComeInDisplayOrderAndDropListsGiveTheirChosenEntry) {
    Grid_Info info = make_grid_info({{5, GRID_TEXT, 0, 1}, {3, GRID_DROP_LIST, 0, 1}},
                                    {"Name", "Cfg"}, 2);
    info.column_order = {1, 0};
    auto cell = [](Grid_Transfer& t) {
        t.text = "r" + std::to_string(t.row) + "c" + std::to_string(t.column);
        t.entries = {"TR", "DR"};
        t.selection = t.row == 0 ? 1 : 9; // row 1 has no valid choice
    };
    const std::vector<int> marked{1, 5};
    const Grid_Table_Text all = grid_table_text(info, cell);
    EXPECT_EQ(all.titles, (std::vector<std::string>{"Cfg", "Name"}));
    EXPECT_EQ(all.rows, (std::vector<std::vector<std::string>>{{"DR", "r0c0"}, {"", "r1c0"}}));
    EXPECT_EQ(grid_table_text(info, cell, &marked).rows.size(), 1u) << "row 5 is outside";
}

TEST(GridExport, DegreeTexts) {
    const struct {
        const char* text;
        double value; // NAN: no degree text
    } cases[] = {
        {"45.25", 45.25},        {"-45.25", -45.25},  {"45 15", 45.25},
        {"45:15:36", 45.26},     {"45-15-36S", -45.26}, {"s 45 15 36", -45.26},
        {"E 7\xB0" "30'", 7.5},  {"180", 180},        {"180.5", NAN},
        {"45 60", NAN},          {"45.5 30", NAN},    {"-45 N", NAN},
        {"45 15 36 12", NAN},    {"", NAN},           {"N", NAN},
        {"45x", NAN},            {"1.2.3", NAN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> value = degree_text_value(c.text);
        if (std::isnan(c.value)) {
            EXPECT_FALSE(value.has_value());
        } else {
            ASSERT_TRUE(value.has_value());
            EXPECT_NEAR(*value, c.value, 1e-9);
        }
    }
}

TEST(GridExport, WrittenWhollyOrNotAtAll) {
    kelvor_test::Temp_Dir dir;
    const std::string path = dir.write("list.txt", "old");
    Error_Handler handler;
    write_grid_export(&handler, path.c_str(), "A,B\r\n");
    EXPECT_EQ(kelvor_test::read_bytes(path), "A,B\r\n");
    const std::string missing = dir.file("no folder/list.txt");
    EXPECT_THROW(write_grid_export(&handler, missing.c_str(), "A\r\n"), Error_Handler*);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

struct Parse_Case {
    const char* name;
    std::string text;
    std::vector<std::vector<std::string>> rows;
};

TEST(GridClipboard, TabTextsAsSpreadsheetsWriteThem) {
    const Parse_Case cases[] = {
        {"nothing", "", {}},
        {"CR LF rows; a final line break makes no row", "a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
        {"LF and CR rows", "a\nb\rc", {{"a"}, {"b"}, {"c"}}},
        {"empty cells and an empty row", "\tx\t\n\n", {{"", "x", ""}, {""}}},
        {"a quoted cell holds tabs, line breaks and quotes", "\"a\tb\r\nc \"\"q\"\"\"\tz\n",
         {{"a\tb\r\nc \"q\"", "z"}}},
        {"a quote inside a cell is a character", "5\" dish\tx", {{"5\" dish", "x"}}},
        {"an unclosed quote runs to the end", "\"a\tb\nc", {{"a\tb\nc"}}},
    };
    for (const Parse_Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parse_tab_text(c.text), c.rows);
    }
    // What the copy writes, the paste reads back.
    const Grid_Table_Text table{{"A", "B", "On"},
                                {GRID_TEXT, GRID_TEXT, GRID_CHECK_BOX},
                                {{"x\ty", "\"q\" r", "1"}, {"line\nbreak", "", "0"}}};
    const std::string text = grid_tab_text(table, true);
    EXPECT_EQ(parse_tab_text(text), (std::vector<std::vector<std::string>>{
                                        {"A", "B"}, {"x\ty", "\"q\" r"}, {"line\nbreak", ""}}));
}

TEST(GridClipboard, PastedCellsFillTheShownColumnsFromTheCursor) {
    Grid_Info info = make_grid_info({{5, GRID_TEXT, 0, 1},
                                     {5, GRID_TEXT, 0, 0},
                                     {1, GRID_CHECK_BOX, 0, 1},
                                     {5, GRID_TEXT, 0, 1}},
                                    {"A", "B", "C", "D"}, 0);
    info.column_order = {3, 2, 1, 0};
    EXPECT_EQ(grid_paste_columns(info, 0), (std::vector<int>{3, -1, 0}));
    EXPECT_EQ(grid_paste_columns(info, 2), (std::vector<int>{-1, 0}));
}

} // namespace
