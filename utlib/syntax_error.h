// Data_Syntax_Error: the one report of a format fault in a text data file.
//
// A text reader calls start_read when it begins and raise at the first fault; raise throws a
// pointer to the object (`Data_Syntax_Error*`), which the command that started the read catches
// and shows with show_syntax_error.
#pragma once

#include "message_presenter.h"
#include "qv6_ut_export.h"

#include <cstdint>
#include <optional>
#include <string>

class QV6_UT_EXPORT Data_Syntax_Error {
public:
    static constexpr int file_name_size = 80;

    // Takes the file name of `path` (cut to 79 characters), clears the line number to -1 and
    // forgets the line text and the fault of an earlier read.
    void start_read(const char* path);
    // Records the fault at `line_number` (1-based in the reader's line list) with a copy of the
    // line's text (may be null) and a short description of what is wrong, then throws `this`.
    [[noreturn]] void raise(int line_number, const char* line_text, const char* fault = nullptr);

    const char* file_name() const { return m_file_name; }
    int line_number() const { return m_line_number; }
    // The faulty line, or null when none was recorded.
    const char* line_text() const { return m_line_text ? m_line_text->c_str() : nullptr; }
    // What the reader found wrong, or empty; for logs and the command-line tool.
    const std::string& fault() const { return m_fault; }

private:
    char m_file_name[file_name_size] = {};
    int32_t m_line_number = -1;
    std::optional<std::string> m_line_text;
    std::string m_fault;
};

// The syntax-error object filled by every text reader: one for the program, or rather one per
// thread, so that readers in different threads of a batch each raise their own.
QV6_UT_EXPORT Data_Syntax_Error& data_syntax_error();

// The report's text: the file name, "Line number N" when there is a line number, the line when
// there is one, each ending in "\r\n", and "Continue?" when asked; cut to 1023 characters.
QV6_UT_EXPORT std::string format_syntax_error(const Data_Syntax_Error& error, bool ask_continue);

// Shows the report under "Syntax Error" with the error icon: OK, or Yes and No when asked to
// continue. Returns ID_OK, or ID_YES / ID_NO.
QV6_UT_EXPORT int show_syntax_error(const Data_Syntax_Error& error, bool ask_continue);
QV6_UT_EXPORT int show_syntax_error(bool ask_continue);
