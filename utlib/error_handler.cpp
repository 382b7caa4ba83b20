// Error_Handler and the error_handler message function.
#include "error_handler.h"

#include "message_catalogue.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// Copies at most limit - 1 characters of `text`, as the fixed buffers of the suite do.
std::string bounded(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, limit - 1));
}

std::string catalogue_string(int id, std::size_t limit) {
    const char* text = catalogue_text(id);
    return text ? bounded(text, limit) : std::string();
}

std::string format_line_message(int line_number) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, catalogue_text(MSG_SYNTAX_ERROR_ON_LINE), line_number);
    return buffer;
}

int caption_id_for(int type, bool has_file) {
    switch (type) {
    case ET_STATUS:
        return MSG_STATUS_INFORMATION;
    case ET_ERROR:
        return has_file ? MSG_FILE_ERROR : MSG_ERROR;
    case ET_WARNING:
        return MSG_WARNING;
    default:
        return 0;
    }
}

unsigned style_for_type(int type) {
    switch (type) {
    case ET_STATUS:
        return BOX_OK | BOX_ICON_INFORMATION;
    case ET_WARNING:
        return BOX_OK | BOX_ICON_EXCLAMATION;
    default:
        return BOX_OK | BOX_ICON_STOP;
    }
}

} // namespace

std::string system_error_text(unsigned long code) {
    if (code == 0 || code > 0x7FFFFFFF) {
        return {};
    }
    // strerrordesc_np answers null for values it does not know, where strerror would
    // invent "Unknown error N".
    const char* text = strerrordesc_np(static_cast<int>(code));
    return text ? text : std::string();
}

Error_Handler::Error_Handler() = default;

Error_Handler::~Error_Handler() { clear_buffs(); }

void Error_Handler::clear_buffs() {
    m_full_message.reset();
    m_caption_text.reset();
    m_info_text.reset();
    m_message_text.reset();
    std::memset(m_file_name, 0, sizeof m_file_name);
    m_last_error_code = 0;
}

void Error_Handler::set_file_name(const char* file) {
    std::memset(m_file_name, 0, sizeof m_file_name);
    if (file != nullptr) {
        std::strncpy(m_file_name, file, file_name_size - 1);
    }
}

void Error_Handler::init(int type, int code, const char* file) {
    clear_buffs();
    set_file_name(file);
    m_error_type = type;
    m_error_code = code;
}

void Error_Handler::init_fileio(const char* file) { init(ET_ERROR, MSG_FILE_ERROR, file); }

void Error_Handler::set_info_buff(const char* text) {
    if (text == nullptr) {
        m_info_text.reset();
    } else {
        m_info_text = text;
    }
}

void Error_Handler::set_info_buff(int id) { m_info_text = catalogue_string(id, 128); }

const char* Error_Handler::get_caption_text() const {
    return m_caption_text ? m_caption_text->c_str() : nullptr;
}

const char* Error_Handler::get_message_text() const {
    return m_message_text ? m_message_text->c_str() : nullptr;
}

const char* Error_Handler::get_info_text() const {
    return m_info_text ? m_info_text->c_str() : nullptr;
}

const char* Error_Handler::get_full_message() const {
    return m_full_message ? m_full_message->c_str() : nullptr;
}

void Error_Handler::format_errormsg() {
    m_caption_text.reset();
    m_message_text.reset();
    if (m_error_code == MSG_OPERATION_CANCELED) {
        m_error_type = ET_STATUS;
    }
    const int caption = caption_id_for(m_error_type, m_file_name[0] != '\0');
    if (caption == 0) {
        return;
    }
    m_caption_text = catalogue_string(caption, 1024);
    if (m_error_code == MSG_SYSTEM_ERROR) {
        m_error_code = MSG_FILE_ERROR;
    }
    if (m_last_error_code != 0) {
        m_message_text = system_error_text(m_last_error_code);
    } else if (m_error_code == MSG_SYNTAX_ERROR_ON_LINE) {
        m_message_text = format_line_message(m_line_number);
    } else {
        m_message_text = catalogue_string(m_error_code, 1024);
    }
}

const char* Error_Handler::get_errormsg() {
    if (m_error_type == ET_NONE) {
        return nullptr;
    }
    format_errormsg();
    std::string text = m_caption_text.value_or("");
    if (m_file_name[0] == '\0') {
        text += "\n";
    } else {
        text += " - ";
        text += m_file_name;
        text += "\n";
    }
    if (m_message_text) {
        text += *m_message_text + "\n";
    }
    if (m_info_text) {
        text += *m_info_text + "\n";
    }
    m_full_message = std::move(text);
    return m_full_message->c_str();
}

int Error_Handler::show_errormsg(Owner_Window owner, bool ask_continue) {
    if (m_error_type == ET_NONE) {
        return 0;
    }
    format_errormsg();
    std::string text;
    if (m_file_name[0] != '\0') {
        text += m_file_name;
        text += "\r\n";
    }
    if (m_message_text) {
        text += *m_message_text;
    }
    if (m_info_text) {
        text += "\r\n" + *m_info_text;
    }
    if (ask_continue) {
        text += "\r\n" + catalogue_string(MSG_CONTINUE, 1024);
    }
    m_full_message = std::move(text);
    const unsigned style =
        ask_continue ? (BOX_YES_NO | BOX_ICON_QUESTION) : style_for_type(m_error_type);
    return show_message_box(owner, m_caption_text.value_or(""), *m_full_message, style);
}

int error_handler(Owner_Window owner, int message_id, int caption_id, const char* context,
                  int line_number, bool ask_continue) {
    // Taken first: nothing below may disturb the error value being reported.
    const int system_error = errno;

    unsigned style;
    if (ask_continue) {
        style = BOX_YES_NO | BOX_ICON_QUESTION;
    } else if (caption_id == MSG_STATUS_INFORMATION) {
        style = BOX_OK | BOX_ICON_INFORMATION;
    } else if (caption_id == MSG_WARNING) {
        style = BOX_OK | BOX_ICON_EXCLAMATION;
    } else {
        style = BOX_OK | BOX_ICON_STOP;
    }
    const std::string caption = catalogue_string(caption_id, 260);

    std::string message;
    if (message_id == MSG_SYSTEM_ERROR) {
        message = bounded(system_error_text(static_cast<unsigned long>(system_error)), 260);
    } else if (message_id == MSG_SYNTAX_ERROR_ON_LINE) {
        message = bounded(format_line_message(line_number), 260);
    } else {
        message = catalogue_string(message_id, 260);
    }

    std::string text;
    if (context != nullptr && context[0] != '\0') {
        text = std::string(context) + "\r\n" + message;
        if (ask_continue) {
            text += "\r\nContinue?";
        }
        text = bounded(text, 1024);
    } else {
        text = message;
        if (ask_continue) {
            text += "\r\nContinue?";
        }
    }
    return show_message_box(owner, caption, text, style);
}
