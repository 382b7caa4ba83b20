// Error_Handler records one failure of file work; error_handler shows a catalogue message.
//
// File objects, string lists and text-import engines fill the handler they were given and
// raise its pointer (`throw handler;`); the command that started the work catches the
// `Error_Handler*` and shows it once with show_errormsg.
#pragma once

#include "message_presenter.h"
#include "qv6_ut_export.h"

#include <cstdint>
#include <optional>
#include <string>

enum Error_Type : int32_t {
    ET_NONE = 0,    // nothing recorded
    ET_STATUS = 1,  // status information
    ET_ERROR = 2,   // an error; a file error when a file name is recorded
    ET_WARNING = 3, // a warning
};

class QV6_UT_EXPORT Error_Handler {
public:
    static constexpr int file_name_size = 1024;

    Error_Handler();
    ~Error_Handler();
    Error_Handler(const Error_Handler&) = delete;
    Error_Handler& operator=(const Error_Handler&) = delete;

    // Releases the four texts, empties the file name and forgets the system error value.
    // Type, code and line number stay.
    void clear_buffs();
    // clear_buffs, then records `file` (may be null; cut to 1023 characters), type and code.
    void init(int type, int code, const char* file);
    // The state every file operation starts in: an error (type 2, code 101) on `file`.
    void init_fileio(const char* file);

    void set_error_code(int code) { m_error_code = code; }
    void set_error_type(int type) { m_error_type = type; }
    void set_line_number(int line) { m_line_number = line; }
    void set_last_error_code(unsigned long code) { m_last_error_code = static_cast<uint32_t>(code); }
    // Replaces the recorded file name (cut to 1023 characters), keeping everything else.
    void set_file_name(const char* file);
    void set_info_buff(const char* text);
    void set_info_buff(int id);

    int get_error_code() const { return m_error_code; }
    int get_error_type() const { return m_error_type; }
    int get_line_number() const { return m_line_number; }
    uint32_t get_last_error_code() const { return m_last_error_code; }
    const char* get_file_name() const { return m_file_name; }
    const char* get_caption_text() const;
    const char* get_message_text() const;
    const char* get_info_text() const;

    // Looks up the caption for the type and the message for the code (or the system's text).
    void format_errormsg();
    // The recorded error as "caption[ - file]\nmessage\ninfo\n"; null when nothing is recorded.
    // The text stays valid until the next get_errormsg, show_errormsg, clear_buffs or the
    // handler's end.
    const char* get_errormsg();
    // Shows the recorded error in a message box and returns the answer (ID_OK, or ID_YES/ID_NO
    // with `ask_continue`); 0 without showing anything when nothing is recorded. The handler
    // keeps its state.
    int show_errormsg(Owner_Window owner, bool ask_continue);
    // The text show_errormsg last composed (null before the first call).
    const char* get_full_message() const;

private:
    int32_t m_error_type = ET_NONE;
    int32_t m_error_code = 0;
    int32_t m_line_number = 0;
    uint32_t m_last_error_code = 0;
    char m_file_name[file_name_size] = {};
    std::optional<std::string> m_full_message;
    std::optional<std::string> m_caption_text;
    std::optional<std::string> m_info_text;
    std::optional<std::string> m_message_text;
};

// The operating system's text for error value `code` (an errno value); empty when the system
// cannot describe it.
QV6_UT_EXPORT std::string system_error_text(unsigned long code);

// Shows catalogue message `message_id` under caption `caption_id` (98 to 102) and returns the
// answer. Message 1 shows the system's text for the current errno, message 106 is formatted with
// `line_number`; a non-empty `context` is shown on a line of its own above the message.
QV6_UT_EXPORT int error_handler(Owner_Window owner, int message_id, int caption_id,
                                const char* context, int line_number, bool ask_continue);
