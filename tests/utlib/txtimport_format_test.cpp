// The text import engine: splitting lines, column choices, the reading loop and definition files.
#include "error_handler.h"
#include "message_catalogue.h"
#include "test_support.h"
#include "txtimport_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

using kelvor_test::Recording_Presenter;
using kelvor_test::Temp_Dir;

namespace {

// An engine over `text`, each field simply its column.
struct Engine {
    explicit Engine(const std::string& text, int fields = 2, bool free_assignment = true)
        : format(nullptr, nullptr, fields, -1, free_assignment) {
        handler.init_fileio("lines.txt");
        format.set_text(&handler, text);
    }
    Error_Handler handler;
    txtimport_format format;
};

// Every field of the first line, as get_field gives them up to the first null.
std::vector<std::string> fields_of_first_line(txtimport_format& format) {
    std::vector<std::string> fields;
    int line = -1;
    EXPECT_TRUE(format.init_import());
    EXPECT_TRUE(format.set_line_buffer(line));
    EXPECT_EQ(line, 0);
    for (int field = 0; field < 10000; ++field) {
        const char* text = format.get_field(field);
        if (text == nullptr) {
            break;
        }
        fields.emplace_back(text);
    }
    return fields;
}

struct Delimited_Case {
    const char* name;
    std::string line;
    uint8_t choice;
    char other;
    bool quotes;
    bool consecutive;
    std::vector<std::string> fields;
};

class Delimited_Fields : public testing::TestWithParam<Delimited_Case> {};

TEST_P(Delimited_Fields, SplitAsTheFlagsSay) {
    const Delimited_Case& c = GetParam();
    Engine engine(c.line + "\r\n");
    txtimport_format& format = engine.format;
    format.record.delimiter_choice = c.choice;
    format.record.other_delimiter = c.other;
    format.record.quotes = c.quotes;
    format.record.consecutive = c.consecutive;
    ASSERT_TRUE(format.set_delimiter());
    format.read_disp_lines();
    format.set_col_widths();
    EXPECT_EQ(format.column_count, static_cast<int>(c.fields.size()));
    EXPECT_EQ(fields_of_first_line(format), c.fields);
}

const std::string long_field(100, '7');

void PrintTo(const Delimited_Case& c, std::ostream* out) { *out << c.name; }

INSTANTIATE_TEST_SUITE_P(
    Engine, Delimited_Fields,
    testing::Values(
        Delimited_Case{"QuotedCommaWithQuotes", "1.5,\"a,b\",3", 0, 0, true, false,
                       {"1.5", "\"a,b\"", "3"}},
        Delimited_Case{"QuotedCommaWithoutQuotes", "1.5,\"a,b\",3", 0, 0, false, false,
                       {"1.5", "\"a", "b\"", "3"}},
        Delimited_Case{"BlanksConsecutive", "10   20", 2, 0, false, true, {"10", "20"}},
        Delimited_Case{"BlanksEachSplit", "10   20", 2, 0, false, false, {"10", "", "", "20"}},
        Delimited_Case{"EmptyLineIsOneEmptyField", "", 0, 0, true, false, {""}},
        Delimited_Case{"TrailingDelimiterMakesNoField", "1;2;", 1, 0, true, false, {"1", "2"}},
        Delimited_Case{"EmptyMiddleField", "1;;3", 1, 0, true, false, {"1", "", "3"}},
        Delimited_Case{"TabKeepsBlanks", " 1 \t 2", 3, 0, true, false, {" 1 ", " 2"}},
        Delimited_Case{"Other", "a|b|c", 4, '|', true, false, {"a", "b", "c"}},
        Delimited_Case{"UnclosedQuoteRunsToTheEnd", "x,\"y,z", 0, 0, true, false,
                       {"x", "\"y,z"}},
        Delimited_Case{"LongFieldCutTo79", long_field + ",1", 0, 0, true, false,
                       {std::string(79, '7'), "1"}}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct Fixed_Case {
    const char* name;
    std::string line;
    std::vector<std::optional<std::string>> fields; // columns at 0, 6 and 12
};

void PrintTo(const Fixed_Case& c, std::ostream* out) { *out << c.name; }

class Fixed_Fields : public testing::TestWithParam<Fixed_Case> {};

TEST_P(Fixed_Fields, TrimmedAndNullWhenEmpty) {
    const Fixed_Case& c = GetParam();
    Engine engine("0123456789012345678\n" + c.line + "\n");
    txtimport_format& format = engine.format;
    format.record.fixed_width = 1;
    format.read_disp_lines();
    format.set_col_widths();
    ASSERT_EQ(format.column_count, 1);
    ASSERT_TRUE(format.set_fixed_column(6));
    ASSERT_TRUE(format.set_fixed_column(12));
    ASSERT_EQ(format.column_starts,
              (std::vector<int32_t>{0, 6, 12, std::max(19, format.longest_line)}));
    format.record.start_line = 2;
    int line = -1;
    ASSERT_TRUE(format.init_import());
    ASSERT_TRUE(format.set_line_buffer(line));
    ASSERT_EQ(line, 1);
    for (std::size_t field = 0; field < c.fields.size(); ++field) {
        const char* text = format.get_field(static_cast<int>(field));
        SCOPED_TRACE(field);
        if (c.fields[field]) {
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text, *c.fields[field]);
        } else {
            EXPECT_EQ(text, nullptr);
        }
    }
    EXPECT_EQ(format.get_field(3), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Fixed_Fields,
    testing::Values(
        Fixed_Case{"Trimmed", " 1.5  \t-2.25 x\r\x1A", {"1.5", "-2.25", "x"}},
        Fixed_Case{"ShortLine", "12", {"12", std::nullopt, std::nullopt}},
        Fixed_Case{"BlankColumnIsNull", "1           3", {"1", std::nullopt, "3"}},
        Fixed_Case{"LastColumnRunsToTheEnd", "a     b     " + long_field,
                   {"a", "b", std::string(79, '7')}}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(Engine, FixedBoundaryTogglesAndStopsAtTheLineEnd) {
    Engine engine("0123456789\n");
    txtimport_format& format = engine.format;
    format.record.fixed_width = 1;
    format.read_disp_lines();
    format.set_col_widths();
    EXPECT_TRUE(format.set_fixed_column(4));
    EXPECT_TRUE(format.set_fixed_column(2));
    format.column_assignment = {1, 0, 2};
    EXPECT_EQ(format.column_starts, (std::vector<int32_t>{0, 2, 4, 10}));
    EXPECT_EQ(format.column_widths, (std::vector<int32_t>{2, 2, 6}));
    // Removing a boundary joins two columns; the left one keeps its field.
    EXPECT_TRUE(format.set_fixed_column(2));
    EXPECT_EQ(format.column_starts, (std::vector<int32_t>{0, 4, 10}));
    EXPECT_EQ(format.column_assignment, (std::vector<int32_t>{1, 2}));
    for (const unsigned refused : {0u, 10u, 11u, 4000000000u}) {
        EXPECT_FALSE(format.set_fixed_column(refused)) << refused;
    }
    EXPECT_EQ(format.column_count, 2);
}

TEST(Engine, UnassignedFieldIsNull) {
    Engine engine("1,2,3\n", 3, false);
    txtimport_format& format = engine.format;
    format.read_disp_lines();
    format.set_col_widths();
    format.column_assignment = {0, 1, 0};
    int line = -1;
    ASSERT_TRUE(format.init_import());
    ASSERT_TRUE(format.set_line_buffer(line));
    ASSERT_NE(format.get_field(0), nullptr);
    EXPECT_STREQ(format.get_field(0), "2");
    for (const int field : {1, 2, -1, 3}) {
        EXPECT_EQ(format.get_field(field), nullptr) << field;
    }
}

TEST(Engine, StartLineDecidesTheFirstLineRead) {
    struct Case {
        int start_line;
        bool init;
        std::optional<int> first_line;
    };
    const Case cases[] = {{1, true, 0}, {3, true, 2}, {4, true, std::nullopt}, {5, false, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start_line);
        Engine engine("a\nb\nc\n");
        engine.format.record.start_line = c.start_line;
        ASSERT_EQ(engine.format.init_import(), c.init);
        if (!c.init) {
            continue;
        }
        int line = -1;
        EXPECT_EQ(engine.format.set_line_buffer(line), c.first_line.has_value());
        if (c.first_line) {
            EXPECT_EQ(line, *c.first_line);
        }
    }
}

TEST(Engine, StartLineOutsideOneTo200IsIgnored) {
    Engine engine("a\nb\nc\nd\n");
    txtimport_format& format = engine.format;
    ASSERT_TRUE(format.set_start_line(3));
    EXPECT_EQ(format.display_line_count, 3); // from the line before the start line
    EXPECT_STREQ(format.display_lines[0], "b");
    EXPECT_EQ(format.first_display_line, 1);
    for (const int refused : {0, -1, 201}) {
        EXPECT_FALSE(format.set_start_line(refused)) << refused;
        EXPECT_EQ(format.record.start_line, 3);
    }
    EXPECT_TRUE(format.set_start_line(200));
}

TEST(Engine, OtherWithoutCharacterKeepsTheDelimiter) {
    Engine engine("a;b\n");
    txtimport_format& format = engine.format;
    format.record.delimiter_choice = DELIMITER_SEMICOLON;
    ASSERT_TRUE(format.set_delimiter());
    format.record.delimiter_choice = DELIMITER_OTHER;
    format.record.other_delimiter = '\0';
    EXPECT_FALSE(format.set_delimiter());
    EXPECT_EQ(format.delimiter, ';');
}

TEST(Engine, NewDelimiterFindsNewColumnsWithoutChoices) {
    Engine engine("a;b,c;d;e\n", 2, false);
    txtimport_format& format = engine.format;
    format.read_disp_lines();
    format.set_col_widths();
    ASSERT_EQ(format.column_count, 2);
    format.column_assignment = {2, 1};
    format.record.delimiter_choice = DELIMITER_SEMICOLON;
    ASSERT_TRUE(format.set_delimiter());
    format.reset_delim_columns();
    EXPECT_EQ(format.column_count, 4);
    EXPECT_EQ(format.column_assignment, (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(format.column_widths, (std::vector<int32_t>{1, 3, 1, 1}));
}

TEST(Engine, CheckDuplicatesNamesTheColumns) {
    struct Case {
        bool free_assignment;
        std::vector<int32_t> assignment;
        const char* message; // null: the choices pass
    };
    const Case cases[] = {
        {false, {0, 0, 0}, "Column definitions are incomplete"},
        {false, {0, 2, 1, 0}, nullptr},
        {false, {2, 0, 2}, "Columns 1 and 3 are both defined as Level"},
        {true, {1, 1}, "Columns 1 and 2 have the same definition"},
    };
    for (const Case& c : cases) {
        Engine engine("1,2,3,4\n", 2, c.free_assignment);
        engine.format.set_header_item(0, "Frequency");
        engine.format.set_header_item(1, "Level");
        engine.format.column_count = static_cast<int>(c.assignment.size());
        engine.format.column_assignment = c.assignment;
        Recording_Presenter presenter;
        EXPECT_EQ(engine.format.check_duplicates(), c.message == nullptr);
        if (c.message == nullptr) {
            EXPECT_TRUE(presenter.shown.empty());
            continue;
        }
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.last().caption, "Data entry error");
        EXPECT_EQ(presenter.last().text, c.message);
        EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);
    }
}

// ---- definition files ------------------------------------------------------------------------

TEST(Engine, ForecastCountsUpToTheFirstLineThatDoesNotConvert) {
    struct Case {
        const char* text;
        int start_line;
        int lines;
        int stop_line;
        const char* stop_text;
    };
    const Case cases[] = {
        {"x,y\n1,2\n3,4\nend,5\n6,7\n", 2, 2, 4, "end,5"},
        {"1,2\n3\n", 1, 1, 2, "3"}, // a line without the second field
        {"1,2\n3,4\n", 1, 2, 0, ""},
        {"1,2\n", 2, 0, 0, ""}, // the start line just beyond the file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Engine engine(c.text, 2, false);
        txtimport_format& format = engine.format;
        format.record.start_line = c.start_line;
        format.read_disp_lines();
        format.set_col_widths();
        format.column_assignment = {1, 2};
        // The reading position stays where the caller had it.
        ASSERT_TRUE(format.init_import());
        int line = -1;
        const auto numbers = [](int, const char* text) {
            return text != nullptr && text[0] >= '0' && text[0] <= '9';
        };
        const Import_Forecast forecast = format.forecast_import(numbers);
        EXPECT_EQ(forecast.lines, c.lines);
        EXPECT_EQ(forecast.stop_line, c.stop_line);
        EXPECT_EQ(forecast.stop_text, c.stop_text);
        const bool more = c.lines + c.stop_line > 0;
        EXPECT_EQ(format.set_line_buffer(line), more);
        EXPECT_EQ(line, more ? c.start_line - 1 : -1);
    }
}

TEST(StoredDefaults, TextKeepsTheChoicesInTheirOrder) {
    // Delimited at tabs from line 3; three columns, the second and third holding fields 1, 2.
    Engine delimited("a\tb\tc\n", 2, false);
    txtimport_format& one = delimited.format;
    one.record.delimiter_choice = DELIMITER_TAB;
    ASSERT_TRUE(one.set_delimiter());
    one.read_disp_lines();
    one.set_col_widths();
    one.record.start_line = 3;
    one.column_assignment = {0, 1, 2};
    EXPECT_EQ(one.stored_defaults_text(), "12,2,3,0,1,0,3,9,124,3,0,1,2,");

    // Fixed width: the boundaries follow the fields.
    Engine fixed("0123456789\n", 2, false);
    txtimport_format& two = fixed.format;
    two.record.fixed_width = 1;
    two.record.quotes = 0;
    two.read_disp_lines();
    two.set_col_widths();
    ASSERT_TRUE(two.set_fixed_column(4));
    two.column_assignment = {2, 1};
    const std::string text = two.stored_defaults_text();
    EXPECT_EQ(text, "11,2,1,1,0,0,0,44,124,2,2,1,0,4,10,");

    // Loading gives the same choices back.
    Engine loaded("x\n", 2, false);
    loaded.format.load_stored_defaults(text.c_str());
    EXPECT_EQ(loaded.format.stored_defaults_text(), text);
    EXPECT_EQ(loaded.format.column_widths, (std::vector<int32_t>{4, 6}));
}

TEST(StoredDefaults, ReadingStopsAtTheFirstMissingOrWrongValue) {
    struct Case {
        const char* text;
        const char* taken; // the choices afterwards, as a settings text
    };
    const Case cases[] = {
        {nullptr, "9,2,1,0,1,0,0,44,124,0,"},
        {"", "9,2,1,0,1,0,0,44,124,0,"},
        // Another field count: nothing taken, not even the start line.
        {"9,3,5,1,", "9,2,1,0,1,0,0,44,124,0,"},
        // Values up to the first missing one.
        {"12,2,5,0,0,1,1", "9,2,5,0,0,1,0,44,124,0,"},
        {"12,2,5,0,0,1,1,59,124,2,1", "11,2,5,0,0,1,1,59,124,2,0,0,"},
        // An out-of-range value ends the reading: start line 201, a choice of 7, a field 3.
        {"12,2,201,1,0,", "9,2,1,0,1,0,0,44,124,0,"},
        {"12,2,4,0,0,0,7,44,", "9,2,4,0,0,0,0,44,124,0,"},
        {"11,2,1,0,1,0,0,44,124,2,3,1,", "11,2,1,0,1,0,0,44,124,2,0,0,"},
        // Fixed width without all its boundaries, or with a wrong order: no columns.
        {"11,2,1,1,0,0,0,44,124,2,1,2,0,4,", "9,2,1,1,0,0,0,44,124,0,0,"},
        {"11,2,1,1,0,0,0,44,124,2,1,2,0,6,4,", "9,2,1,1,0,0,0,44,124,0,0,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : "(null)");
        Engine engine("1,2\n", 2, false);
        txtimport_format& format = engine.format;
        // Whatever was chosen before is forgotten first.
        format.record.fixed_width = 1;
        format.record.consecutive = 1;
        format.record.start_line = 7;
        format.read_disp_lines();
        format.set_col_widths();
        format.record.start_line = 1;
        format.load_stored_defaults(c.text);
        EXPECT_EQ(format.stored_defaults_text(), c.taken);
    }
}

std::string record_bytes(const txtimport_format& format) {
    std::string bytes(sizeof format.record, '\0');
    std::memcpy(bytes.data(), &format.record, sizeof format.record);
    return bytes;
}

TEST(DefinitionFile, RoundTripDelimitedAndFixed) {
    Temp_Dir dir;
    for (const bool fixed : {false, true}) {
        SCOPED_TRACE(fixed);
        std::string text;
        for (int line = 0; line < 8; ++line) {
            text += "0123456789012345678901234\n";
        }
        Engine made(text);
        txtimport_format& format = made.format;
        format.record.fixed_width = fixed;
        format.record.quotes = 0;
        format.record.consecutive = 1;
        format.record.delimiter_choice = DELIMITER_OTHER;
        format.record.other_delimiter = '5';
        ASSERT_TRUE(format.set_delimiter());
        ASSERT_TRUE(format.set_start_line(7));
        format.set_col_widths();
        if (fixed) {
            ASSERT_TRUE(format.set_fixed_column(12));
            ASSERT_TRUE(format.set_fixed_column(5));
        }
        ASSERT_EQ(format.column_count, 3);
        format.column_assignment = {2, 0, 1};
        const std::string path = dir.file(fixed ? "fixed.id5" : "delimited.id5");
        ASSERT_TRUE(format.save_definition_file(path.c_str()));
        EXPECT_EQ(format.definition_file_name, path);

        // The layout: the record, three assignments and, for fixed width, four starts.
        const std::string bytes = kelvor_test::read_bytes(path);
        ASSERT_EQ(bytes.size(), fixed ? 40u + 12 + 16 : 40u + 12);
        EXPECT_EQ(bytes.substr(0, 16), std::string("IMPORT_TEXT_5.0\0", 16));
        EXPECT_EQ(bytes[20], '5');
        EXPECT_EQ(kelvor_test::value_at<int32_t>(bytes, 24), 7);
        EXPECT_EQ(kelvor_test::value_at<int32_t>(bytes, 32), 3);
        EXPECT_EQ(kelvor_test::value_at<int32_t>(bytes, 36), -1);
        EXPECT_EQ(kelvor_test::value_at<int32_t>(bytes, 40), 2);
        if (fixed) {
            EXPECT_EQ(kelvor_test::value_at<int32_t>(bytes, 56), 5);
            EXPECT_EQ(kelvor_test::value_at<int32_t>(bytes, 64), 25);
        }

        Engine loaded("x\n");
        Recording_Presenter presenter;
        ASSERT_TRUE(loaded.format.load_definition_file(path.c_str()));
        EXPECT_TRUE(presenter.shown.empty());
        EXPECT_EQ(record_bytes(loaded.format), record_bytes(format));
        EXPECT_EQ(loaded.format.column_count, 3);
        EXPECT_EQ(loaded.format.column_assignment, format.column_assignment);
        EXPECT_EQ(loaded.format.column_starts, format.column_starts);
        EXPECT_EQ(loaded.format.delimiter, '5');
        EXPECT_EQ(loaded.format.definition_file_name, path);
    }
}

std::string good_definition(bool fixed) {
    Engine engine("0123456789\n");
    engine.format.record.fixed_width = fixed;
    engine.format.read_disp_lines();
    engine.format.set_col_widths();
    if (fixed) {
        engine.format.set_fixed_column(4);
    } else {
        engine.format.initialize_columns(2);
    }
    engine.format.column_assignment = {1, 2};
    Temp_Dir dir;
    const std::string path = dir.file("good.id5");
    EXPECT_TRUE(engine.format.save_definition_file(path.c_str()));
    return kelvor_test::read_bytes(path);
}

TEST(DefinitionFile, BadFilesAreRefusedAndChangeNothing) {
    struct Case {
        const char* name;
        bool fixed;
        void (*damage)(std::string&);
        const char* message;
    };
    using kelvor_test::put_at;
    const Case cases[] = {
        {"Truncated record", false, [](std::string& b) { b.resize(39); }, "Read error at end of file"},
        {"Truncated columns", true, [](std::string& b) { b.resize(b.size() - 1); },
         "Read error at end of file"},
        {"Empty", false, [](std::string& b) { b.clear(); }, "Read error at end of file"},
        {"Wrong magic", false, [](std::string& b) { b[14] = '4'; }, "Wrong file format"},
        {"Another kind", false, [](std::string& b) { put_at<int32_t>(b, 36, 7); },
         "Wrong type of text import definition file"},
        {"Huge column count", false, [](std::string& b) { put_at<int32_t>(b, 32, 0x7FFFFFFF); },
         "Wrong file format"},
        {"More columns than bytes", false, [](std::string& b) { put_at<int32_t>(b, 32, 4000); },
         "Read error at end of file"},
        {"Negative column count", false, [](std::string& b) { put_at<int32_t>(b, 32, -1); },
         "Wrong file format"},
        {"Negative position", true, [](std::string& b) { put_at<int32_t>(b, 48, -3); },
         "Wrong file format"},
        {"Positions not ascending", true, [](std::string& b) { put_at<int32_t>(b, 52, 11); },
         "Wrong file format"},
        {"Field beyond the offer", false, [](std::string& b) { put_at<int32_t>(b, 44, 3); },
         "Wrong file format"},
        {"Start line zero", false, [](std::string& b) { put_at<int32_t>(b, 24, 0); },
         "Wrong file format"},
        {"Unknown delimiter choice", false, [](std::string& b) { b[19] = 5; }, "Wrong file format"},
    };
    Temp_Dir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = good_definition(c.fixed);
        c.damage(bytes);
        const std::string path = dir.write("bad.id5", bytes);

        Engine engine("1;2;3\n", 2, false);
        txtimport_format& format = engine.format;
        format.record.delimiter_choice = DELIMITER_SEMICOLON;
        ASSERT_TRUE(format.set_delimiter());
        format.read_disp_lines();
        format.set_col_widths();
        format.column_assignment = {0, 2, 1};
        const std::string before = record_bytes(format);

        Recording_Presenter presenter;
        EXPECT_FALSE(format.load_definition_file(path.c_str()));
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.last().caption, "File error");
        EXPECT_EQ(presenter.last().text, path + "\r\n" + c.message);
        EXPECT_EQ(record_bytes(format), before);
        EXPECT_EQ(format.column_count, 3);
        EXPECT_EQ(format.column_assignment, (std::vector<int32_t>{0, 2, 1}));
        EXPECT_EQ(format.delimiter, ';');
        EXPECT_TRUE(format.definition_file_name.empty());
    }
}

TEST(DefinitionFile, FailedSaveLeavesTheOldFile) {
    Temp_Dir dir;
    const std::string path = dir.write("kept.id5", "old");
    Engine engine("1,2\n");
    engine.format.read_disp_lines();
    engine.format.set_col_widths();
    Recording_Presenter presenter;
    {
        kelvor_test::File_Size_Limit limit(20);
        EXPECT_FALSE(engine.format.save_definition_file(path.c_str()));
    }
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.last().text.find("Insufficient disk space"), std::string::npos);
    EXPECT_EQ(kelvor_test::read_bytes(path), "old");
    EXPECT_TRUE(engine.format.definition_file_name.empty());
    EXPECT_EQ(dir.entries().size(), 1u);
}

// ---- what real text files hold ---------------------------------------------------------------

TEST(Engine, TakesWhateverTextFilesHold) {
    struct Case {
        const char* name;
        std::string bytes;
        int lines;
        std::string first_field; // of the first line, comma-delimited
        int longest;
    };
    const std::string megabyte_line = std::string(1 << 20, 'x');
    const std::string many_fields = [] {
        std::string line;
        for (int i = 0; i < 300000; ++i) {
            line += "1,";
        }
        return line;
    }();
    const Case cases[] = {
        {"NUL bytes", std::string("1.5\0junk,2\n3,4\n", 15), 2, "1.5", 3},
        {"1 MB line", megabyte_line + ",2\n", 1, std::string(79, 'x'), (1 << 20) + 2},
        {"No line end", "1,2", 1, "1", 3},
        {"CR only", "1,2\r3,4\r5,6\r", 3, "1", 3},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" "1.5,2\n", 1, "1.5", 5},
        {"Many fields", many_fields, 1, "1", 600000},
    };
    Temp_Dir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write("data.txt", c.bytes);
        Error_Handler handler;
        txtimport_format format(&handler, path.c_str(), 2, -1, true);
        EXPECT_EQ(format.lines.count(), c.lines);
        EXPECT_EQ(format.file_name, path);
        format.read_disp_lines();
        format.set_col_widths();
        EXPECT_EQ(format.longest_line, c.longest);
        EXPECT_LE(format.column_count, txtimport_format::max_columns);
        int line = -1;
        ASSERT_TRUE(format.init_import());
        ASSERT_TRUE(format.set_line_buffer(line));
        ASSERT_NE(format.get_field(0), nullptr);
        EXPECT_EQ(format.get_field(0), c.first_field);
    }
}

TEST(Engine, BinaryFileIsRaisedAndSetTextKeepsTheLines) {
    Temp_Dir dir;
    const std::string binary("\x01\x02\x03\xFF\x00\x10", 6);
    Error_Handler handler;
    try {
        txtimport_format format(&handler, dir.write("picked.bin", binary).c_str(), 2, -1, false);
        FAIL() << "a binary file was taken";
    } catch (Error_Handler* raised) {
        EXPECT_EQ(raised, &handler);
        EXPECT_EQ(raised->get_error_code(), MSG_NOT_ASCII_TEXT);
    }

    Engine engine("1,2\n");
    EXPECT_THROW(engine.format.set_text(&engine.handler, binary), Error_Handler*);
    ASSERT_EQ(engine.format.lines.count(), 1);
    EXPECT_STREQ(engine.format.lines[0], "1,2");
}

} // namespace
