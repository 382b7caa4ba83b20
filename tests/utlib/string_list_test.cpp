// string_list: the text check and the line splitting rules.
#include "error_handler.h"
#include "message_catalogue.h"
#include "string_list.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

using kelvor_test::Temp_Dir;
using kelvor_test::with_line_ends;

namespace {

using Lines = std::vector<std::string>;

Lines lines_of(const string_list& list) {
    Lines lines;
    for (int i = 0; i < list.count(); ++i) {
        lines.emplace_back(list[i]);
    }
    return lines;
}

class StringList : public testing::Test {
protected:
    // Loads `bytes` from a file and returns the lines.
    Lines load(const std::string& bytes) {
        const std::string path = dir.write("text.raf", bytes);
        list.init_string_list(&handler, path.c_str());
        return lines_of(list);
    }

    // Loads `bytes`, expecting the handler to be raised; returns the code it carries.
    int load_fails(const std::string& bytes) {
        const std::string path = dir.write("bad.raf", bytes);
        try {
            list.init_string_list(&handler, path.c_str());
        } catch (Error_Handler* raised) {
            EXPECT_EQ(raised, &handler);
            EXPECT_STREQ(handler.get_file_name(), path.c_str());
            return handler.get_error_code();
        }
        ADD_FAILURE() << "nothing raised";
        return 0;
    }

    // The text of the message box the handler shows now, a file error.
    std::string shown() {
        const auto message = kelvor_test::shown_by(handler);
        EXPECT_EQ(message.caption, "File error");
        return message.text;
    }

    Temp_Dir dir;
    Error_Handler handler;
    string_list list;
};

TEST_F(StringList, RefusedFilesRaiseWithTheirMessage) {
    load("one\ntwo\n");
    EXPECT_EQ(load_fails(""), MSG_FILE_SIZE_ZERO);
    EXPECT_EQ(shown(), dir.file("bad.raf") + "\r\nFile size is zero bytes");

    load("one\ntwo\n");
    EXPECT_EQ(load_fails("A\x01" "B\n"), MSG_NOT_ASCII_TEXT);
    EXPECT_EQ(handler.get_error_type(), ET_ERROR);
    EXPECT_TRUE(list.empty()); // the earlier contents are gone
    EXPECT_EQ(shown(), dir.file("bad.raf") + "\r\nThe file must be an ascii text file.");
    EXPECT_EQ(load_fails(std::string("\x1d")), MSG_NOT_ASCII_TEXT);

    EXPECT_THROW(list.init_string_list(&handler, dir.file("none.raf").c_str()), Error_Handler*);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
}

TEST_F(StringList, LinesByTheirEnds) {
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        // Empty lines are kept, with CR LF and bare line feeds alike.
        {"A: 1\r\n\r\nB: 2\r\n", {"A: 1", "", "B: 2"}},
        {"A: 1\n\nB: 2\n", {"A: 1", "", "B: 2"}},
        // The last line without a line end; a carriage return at its end is kept.
        {"A\nENDFIL", {"A", "ENDFIL"}},
        {"A\r\nB\r", {"A", "B\r"}},
        {"only", {"only"}},
        // A final line feed adds no entry.
        {"A\nB\n", {"A", "B"}},
        {"\n", {""}},
        {"\n\n\nX", {"", "", "", "X"}},
        {"\r\n", {""}},
        // A carriage return inside a line stays.
        {"a\rb\r\n", {"a\rb"}},
        // Tab, end-of-file mark, 30, 31 and accented characters are all text.
        {"caf\xe9\t\x1a\x1e\x1f\xff\n", {"caf\xe9\t\x1a\x1e\x1f\xff"}},
        // A zero byte is accepted; the line reads up to it.
        {std::string("ab\0cd\nef", 8), {"ab", "ef"}},
        // Lines ended by carriage returns or LF CR are cut as CR LF lines are.
        {"A\rB\r", {"A", "B"}},
        {"A\r\rB", {"A", "", "B"}},
        {"\rA\r", {"", "A"}},
        {"A\n\rB\n\r", {"A", "B"}},
        {"A\n\r\n\rB", {"A", "", "B"}},
        {"\n\rA\n\r\n\r", {"", "A", ""}},
        {"A\n\rB\n", {"A", "B"}}, // the last line feed alone
        {"A\n\rB\rC\n\r", {"A", "B\rC"}},
        // The first line feed decides: with a carriage return before it the text is CR LF.
        {"A\r\n\r\nB", {"A", "", "B"}},
        {"A\nB\n\rC", {"A", "B", "\rC"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.text), c.lines) << testing::PrintToString(c.text);
    }
    // A buffer is split as a file would be.
    list.set_text(&handler, "a\r\n\r\nb", 6);
    EXPECT_EQ(lines_of(list), (Lines{"a", "", "b"}));
}

// The lines by the rules, one byte at a time, to set against the list's own cutting.
Lines lines_by_the_rules(const std::string& text) {
    Lines lines;
    std::string line;
    bool at_end = true;
    for (const char c : text) {
        if (c != '\n') {
            line += c;
            at_end = false;
            continue;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.emplace_back(line.c_str());
        line.clear();
        at_end = true;
    }
    if (!at_end) {
        lines.emplace_back(line.c_str());
    }
    return lines;
}

TEST_F(StringList, LongTextsAreCutAsShortOnesAre) {
    // Lines of every length up to 40, with CR LF and bare line feeds falling on every position
    // of the long text, and a CR LF split by every boundary.
    std::string text;
    for (int length = 0; length <= 40; ++length) {
        for (int i = 0; i < length; ++i) {
            text += static_cast<char>('a' + (length + i) % 26);
        }
        text += length % 3 == 0 ? "\n" : "\r\n";
        if (length % 7 == 0) {
            text += '\n';
        }
    }
    text += std::string(5000, '\n') + "x\r\ny\rz"; // many line feeds in a row
    EXPECT_EQ(load(text), lines_by_the_rules(text));
    EXPECT_EQ(list.count(), 41 + 6 + 5000 + 2); // empty lines count

    // With every kind of line end the long text is cut alike.
    std::string crlf_text;
    for (int length = 0; length <= 40; ++length) {
        crlf_text += std::string(static_cast<std::size_t>(length),
                                 static_cast<char>('a' + length % 26));
        crlf_text += length % 5 == 0 ? "\r\n\r\n" : "\r\n";
    }
    crlf_text += "x";
    const Lines crlf_lines = load(crlf_text);
    ASSERT_EQ(crlf_lines.size(), 51u);
    for (const char* end : {"\n", "\r", "\n\r"}) {
        EXPECT_EQ(load(with_line_ends(crlf_text, end)), crlf_lines)
            << testing::PrintToString(std::string(end));
    }
}

TEST_F(StringList, ANonTextByteAnywhereRefusesTheText) {
    const std::string good(48, 'a');
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const char bad : {'\x01', '\x03', '\x08', '\x0b', '\x0c', '\x1b', '\x1d'}) {
            std::string text = good;
            text[at] = bad;
            EXPECT_THROW(list.set_text(&handler, text.data(), text.size()), Error_Handler*)
                << "byte " << int(bad) << " at " << at;
            EXPECT_EQ(handler.get_error_code(), MSG_NOT_ASCII_TEXT);
            EXPECT_TRUE(list.empty());
        }
        for (const char allowed : {'\0', '\t', '\n', '\r', '\x1a', '\x1e', '\x1f', '\x80'}) {
            std::string text = good;
            text[at] = allowed;
            EXPECT_NO_THROW(list.set_text(&handler, text.data(), text.size()))
                << "byte " << int(allowed) << " at " << at;
        }
    }
}

TEST_F(StringList, LinesAreEditableInPlaceAndTheLongestIsKnown) {
    EXPECT_EQ(list.get_maxstrlen(), 0u);
    load("one\ntwo\nthree\n");
    load("ab\r\nabcdef\r\n\r\nabc");
    EXPECT_EQ(list.count(), 4); // reading again replaces the lines
    EXPECT_EQ(list.get_maxstrlen(), 6u);
    load("  KEY: value  \r\n");
    list.line(0)[0] = 'X';
    EXPECT_STREQ(list[0], "X KEY: value  ");

    const string_list constructed(&handler, dir.write("c.raf", "x\ny\n").c_str());
    EXPECT_EQ(lines_of(constructed), (Lines{"x", "y"}));
}

} // namespace
