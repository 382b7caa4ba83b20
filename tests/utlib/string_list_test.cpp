// string_list: the text check and the line splitting rules.
#include "error_handler.h"
#include "message_catalogue.h"
#include "string_list.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

using kelvor_test::Recording_Presenter;
using kelvor_test::Temp_Dir;

namespace {

std::vector<std::string> lines_of(const string_list& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.count(); ++i) {
        lines.emplace_back(list[i]);
    }
    return lines;
}

class StringList : public testing::Test {
protected:
    // Loads `bytes` from a file and returns the lines.
    std::vector<std::string> load(const std::string& bytes) {
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

    Temp_Dir dir;
    Error_Handler handler;
    string_list list;
};

using Lines = std::vector<std::string>;

TEST_F(StringList, EmptyFileRaisesFileSizeZero) {
    EXPECT_EQ(load_fails(""), MSG_FILE_SIZE_ZERO);
    Recording_Presenter presenter;
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, dir.file("bad.raf") + "\r\nFile size is zero bytes");
}

TEST_F(StringList, MissingFileRaisesWithTheSystemError) {
    EXPECT_THROW(list.init_string_list(&handler, dir.file("none.raf").c_str()), Error_Handler*);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
}

TEST_F(StringList, EmptyLinesAreKeptWithCrLfAndBareLineFeedsAlike) {
    EXPECT_EQ(load("A: 1\r\n\r\nB: 2\r\n"), (Lines{"A: 1", "", "B: 2"}));
    EXPECT_EQ(load("A: 1\n\nB: 2\n"), (Lines{"A: 1", "", "B: 2"}));
}

TEST_F(StringList, LastLineWithoutLineEnd) {
    EXPECT_EQ(load("A\nENDFIL"), (Lines{"A", "ENDFIL"}));
    // A carriage return at the end of the last line is kept.
    EXPECT_EQ(load("A\r\nB\r"), (Lines{"A", "B\r"}));
    EXPECT_EQ(load("only"), (Lines{"only"}));
}

TEST_F(StringList, FinalLineFeedAddsNoEntry) {
    EXPECT_EQ(load("A\nB\n"), (Lines{"A", "B"}));
    EXPECT_EQ(load("\n"), Lines{""});
    EXPECT_EQ(load("\n\n\nX"), (Lines{"", "", "", "X"}));
    EXPECT_EQ(load("\r\n"), (Lines{""}));
}

TEST_F(StringList, CarriageReturnInsideALineStays) {
    EXPECT_EQ(load("a\rb\r\n"), (Lines{"a\rb"}));
}

TEST_F(StringList, NonTextBytesAreRefused) {
    EXPECT_EQ(load_fails("A\x01" "B\n"), MSG_NOT_ASCII_TEXT);
    EXPECT_EQ(handler.get_error_type(), ET_ERROR);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(load_fails(std::string("\x1d")), MSG_NOT_ASCII_TEXT);

    Recording_Presenter presenter;
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().caption, "File error");
    EXPECT_EQ(presenter.last().text, dir.file("bad.raf") + "\r\nThe file must be an ascii text file.");
}

TEST_F(StringList, TextBytesAreAccepted) {
    // Tab, end-of-file mark, 30, 31 and accented characters are all text.
    EXPECT_EQ(load("caf\xe9\t\x1a\x1e\x1f\xff\n"), (Lines{"caf\xe9\t\x1a\x1e\x1f\xff"}));
    // A zero byte is accepted; the line reads up to it.
    EXPECT_EQ(load(std::string("ab\0cd\nef", 8)), (Lines{"ab", "ef"}));
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
}

// `crlf_text` with each CR LF turned to `end`.
std::string with_line_ends(const std::string& crlf_text, const std::string& end) {
    std::string text;
    for (std::size_t at = 0; at < crlf_text.size(); ++at) {
        if (crlf_text.compare(at, 2, "\r\n") == 0) {
            text += end;
            ++at;
        } else {
            text += crlf_text[at];
        }
    }
    return text;
}

TEST_F(StringList, LinesEndingInCarriageReturnsOrLfCrAreCutAsCrLfLinesAre) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        EXPECT_EQ(load(c.text), c.lines) << testing::PrintToString(std::string(c.text));
    }
}

TEST_F(StringList, LongTextsAreCutAlikeWhateverTheirLineEnds) {
    // Lines of every length up to 40 and empty ones, so that every kind of line end falls on
    // every position of the long text and across every boundary.
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
        for (const char bad : {'\x01', '\x08', '\x0b', '\x0c', '\x1b', '\x1d'}) {
            std::string text = good;
            text[at] = bad;
            EXPECT_THROW(list.set_text(&handler, text.data(), text.size()), Error_Handler*)
                << "byte " << int(bad) << " at " << at;
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

TEST_F(StringList, RefusedFileLeavesEarlierContentsGone) {
    load("one\ntwo\n");
    ASSERT_EQ(list.count(), 2);
    load_fails("\x02");
    EXPECT_EQ(list.count(), 0);
}

TEST_F(StringList, ReadingAgainReplacesTheLines) {
    load("one\ntwo\nthree\n");
    EXPECT_EQ(load("four\n"), (Lines{"four"}));
}

TEST_F(StringList, LongestLine) {
    EXPECT_EQ(list.get_maxstrlen(), 0u);
    load("ab\r\nabcdef\r\n\r\nabc");
    EXPECT_EQ(list.get_maxstrlen(), 6u);
}

TEST_F(StringList, LinesAreEditableInPlace) {
    load("  KEY: value  \r\n");
    char* line = list.line(0);
    line[0] = 'X';
    EXPECT_STREQ(list[0], "X KEY: value  ");
}

TEST_F(StringList, SetTextSplitsABufferAsAFileWouldBe) {
    list.set_text(&handler, "a\r\n\r\nb", 6);
    EXPECT_EQ(lines_of(list), (Lines{"a", "", "b"}));
    EXPECT_THROW(list.set_text(&handler, "\x03", 1), Error_Handler*);
    EXPECT_EQ(handler.get_error_code(), MSG_NOT_ASCII_TEXT);
}

TEST(StringListFile, ConstructorReads) {
    Temp_Dir dir;
    Error_Handler handler;
    const std::string path = dir.write("c.raf", "x\ny\n");
    string_list list(&handler, path.c_str());
    EXPECT_EQ(lines_of(list), (Lines{"x", "y"}));
}

} // namespace
