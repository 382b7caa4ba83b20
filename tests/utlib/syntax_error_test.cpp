// Data_Syntax_Error and the syntax-error report.
#include "syntax_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <barrier>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

using kelvor_test::Recording_Presenter;

namespace {

// Starts a read of `path` and raises at `line`, returning what was thrown.
Data_Syntax_Error* fault(Data_Syntax_Error& error, const char* path, int line, const char* text) {
    error.start_read(path);
    try {
        error.raise(line, text, "unknown keyword");
    } catch (Data_Syntax_Error* raised) {
        return raised;
    }
    return nullptr;
}

TEST(SyntaxError, RaiseThrowsTheObjectAndTheNextReadForgetsIt) {
    Data_Syntax_Error error;
    EXPECT_EQ(fault(error, "/data/radios/link.raf", 12, "BANDWITH: 28"), &error);
    EXPECT_STREQ(error.file_name(), "link.raf");
    EXPECT_EQ(error.line_number(), 12);
    EXPECT_STREQ(error.line_text(), "BANDWITH: 28");
    EXPECT_EQ(error.fault(), "unknown keyword");

    error.start_read("/x/b.adf");
    EXPECT_STREQ(error.file_name(), "b.adf");
    EXPECT_EQ(error.line_number(), -1);
    EXPECT_EQ(error.line_text(), nullptr);
    EXPECT_EQ(error.fault(), "");
    EXPECT_EQ(format_syntax_error(error, false), "b.adf\r\n");
    try {
        error.raise(-1, nullptr);
    } catch (Data_Syntax_Error*) {
    }
    EXPECT_EQ(format_syntax_error(error, false), "b.adf\r\n");
}

TEST(SyntaxError, ReportShowsFileLineNumberAndLineAndInABatchAsksToContinue) {
    for (const int answer : {ID_OK, ID_YES, ID_NO}) {
        const bool batch = answer != ID_OK;
        Recording_Presenter presenter(answer);
        Data_Syntax_Error error;
        fault(error, "/data/radios/link.raf", 12, "BANDWITH: 28");
        EXPECT_EQ(show_syntax_error(error, batch), answer);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.last().caption, "Syntax Error");
        EXPECT_EQ(presenter.last().text, std::string("link.raf\r\nLine number 12\r\nBANDWITH: 28\r\n") +
                                             (batch ? "Continue?" : ""));
        EXPECT_EQ(presenter.last().style, (batch ? BOX_YES_NO : BOX_OK) | BOX_ICON_STOP);
    }
}

TEST(SyntaxError, LongNamesAndLinesAreCutTheLineBetweenCharacters) {
    Data_Syntax_Error error;
    const std::string name = "/tmp/" + std::string(120, 'n') + ".raf";
    const std::string line(2000, 'L');
    fault(error, name.c_str(), 1, line.c_str());
    EXPECT_EQ(std::strlen(error.file_name()), 79u);
    EXPECT_EQ(std::string(error.file_name()), std::string(79, 'n'));
    // The line itself is kept whole; the report is cut to its buffer.
    EXPECT_EQ(std::strlen(error.line_text()), 2000u);
    EXPECT_EQ(format_syntax_error(error, true).size(), 1023u);

    // The file's line is shown as UTF-8, cut between characters.
    fault(error, "d.raf", 2, "MODEL:\tH\xE9lios");
    EXPECT_EQ(format_syntax_error(error, false), "d.raf\r\nLine number 2\r\nMODEL:\tH\xC3\xA9lios\r\n");
    const std::string accented(2000, '\xE9');
    fault(error, "d.raf", 2, accented.c_str());
    const std::string report = format_syntax_error(error, true);
    const std::string head = "d.raf\r\nLine number 2\r\n";
    ASSERT_EQ(report.substr(0, head.size()), head);
    // 1001 bytes are left for the line: 500 whole characters of two bytes.
    EXPECT_EQ(report.size(), 1022u);
    for (std::size_t i = head.size(); i < report.size(); i += 2) {
        ASSERT_EQ(report.substr(i, 2), "\xC3\xA9") << i;
    }
}


TEST(SyntaxError, OneObjectForTheProgram) {
    Recording_Presenter presenter;
    Data_Syntax_Error& error = data_syntax_error();
    EXPECT_EQ(&error, &data_syntax_error());
    fault(error, "p.raf", 2, "line");
    show_syntax_error(false);
    EXPECT_EQ(presenter.last().text, "p.raf\r\nLine number 2\r\nline\r\n");
}

TEST(SyntaxError, ReadersInOtherThreadsRaiseTheirOwn) {
    // Two readers of a batch at once, each starting, pausing, then raising: neither sees the
    // other's file or fault.
    std::barrier both_started(2);
    const auto reader = [&](const std::string& name, int line, std::string& report) {
        data_syntax_error().start_read(name.c_str());
        both_started.arrive_and_wait();
        try {
            data_syntax_error().raise(line, ("text of " + name).c_str(), "fault");
        } catch (Data_Syntax_Error* raised) {
            report = format_syntax_error(*raised, false);
        }
    };
    std::string first;
    std::string second;
    {
        std::jthread a(reader, "a.raf", 3, std::ref(first));
        std::jthread b(reader, "b.raf", 7, std::ref(second));
    }
    EXPECT_EQ(first, "a.raf\r\nLine number 3\r\ntext of a.raf\r\n");
    EXPECT_EQ(second, "b.raf\r\nLine number 7\r\ntext of b.raf\r\n");
}

} // namespace
