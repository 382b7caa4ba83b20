// The syntax-error object and its report.
#include "syntax_error.h"

#include "file_text.h"
#include "text_helpers.h"

#include <cstring>

namespace {

constexpr const char* syntax_error_caption = "Syntax Error";
constexpr const char* line_number_label = "Line number";
constexpr std::size_t report_buffer_size = 1024;

} // namespace

void Data_Syntax_Error::start_read(const char* path) {
    std::memset(m_file_name, 0, sizeof m_file_name);
    if (path != nullptr) {
        std::strncpy(m_file_name, get_filename(path), file_name_size - 1);
    }
    m_line_number = -1;
    m_line_text.reset();
    m_fault.clear();
}

void Data_Syntax_Error::raise(int line_number, const char* line_text, const char* fault) {
    m_line_number = line_number;
    if (line_text != nullptr) {
        m_line_text = line_text;
    } else {
        m_line_text.reset();
    }
    m_fault = fault ? fault : "";
    throw this;
}

Data_Syntax_Error& data_syntax_error() {
    thread_local Data_Syntax_Error the_error;
    return the_error;
}

std::string format_syntax_error(const Data_Syntax_Error& error, bool ask_continue) {
    std::string text = error.file_name();
    text += "\r\n";
    if (error.line_number() != -1) {
        text += line_number_label;
        text += ' ';
        text += std::to_string(error.line_number());
        text += "\r\n";
    }
    if (error.line_text() != nullptr) {
        // The line is the file's single-byte text; messages are shown as UTF-8.
        text += file_text_to_utf8(error.line_text());
        text += "\r\n";
    }
    if (ask_continue) {
        text += "Continue?";
    }
    if (text.size() > report_buffer_size - 1) {
        // Cut before a character, never inside one.
        std::size_t cut = report_buffer_size - 1;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text.resize(cut);
    }
    return text;
}

int show_syntax_error(const Data_Syntax_Error& error, bool ask_continue) {
    const unsigned style = BOX_ICON_STOP | (ask_continue ? BOX_YES_NO : BOX_OK);
    return show_message_box(nullptr, syntax_error_caption, format_syntax_error(error, ask_continue),
                            style);
}

int show_syntax_error(bool ask_continue) {
    return show_syntax_error(data_syntax_error(), ask_continue);
}
