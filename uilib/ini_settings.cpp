// The settings store on an INI file, written atomically.
#include "ini_settings.h"

#include "error_handler.h"
#include "qv5_extn.h"
#include "qvfileio.h"
#include "save_atomically.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

constexpr std::size_t max_value_length = 1023;

std::string trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])) != 0) {
        ++first;
    }
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])) != 0) {
        --last;
    }
    return text.substr(first, last - first);
}

bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<std::string> section_name(const std::string& line) {
    const std::string text = trimmed(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const auto close = text.find(']');
    return trimmed(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key name of a "name=value" line; nullopt for comments and lines without "=".
std::optional<std::string> key_name(const std::string& line) {
    const std::string text = trimmed(line);
    if (text.empty() || text.front() == ';' || text.front() == '[') {
        return std::nullopt;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return trimmed(line.substr(0, equals));
}

bool has_line_break(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The run's own store, used when the program has no settings file.
Ini_Text& process_store() {
    static Ini_Text store;
    return store;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool is_given(const char* text) { return text != nullptr && text[0] != '\0'; }

} // namespace

Ini_Text::Ini_Text(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const auto newline = text.find('\n', start);
        if (newline == std::string::npos) {
            m_lines.push_back({text.substr(start), ""});
            break;
        }
        const bool crlf = newline > start && text[newline - 1] == '\r';
        const std::size_t end = crlf ? newline - 1 : newline;
        m_lines.push_back({text.substr(start, end - start), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
}

std::string Ini_Text::new_line_end() const {
    for (const Line& line : m_lines) {
        if (!line.end.empty()) {
            return line.end;
        }
    }
    return "\r\n";
}

int Ini_Text::find_section(const std::string& section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = section_name(m_lines[i].content);
        if (name && same_name(*name, section)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> Ini_Text::get(const std::string& section,
                                         const std::string& key) const {
    const int header = find_section(section);
    if (header < 0) {
        return std::nullopt;
    }
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < m_lines.size(); ++i) {
        const std::string& content = m_lines[i].content;
        if (section_name(content)) {
            break;
        }
        const auto name = key_name(content);
        if (name && same_name(*name, key)) {
            std::string value = trimmed(content.substr(content.find('=') + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return value;
        }
    }
    return std::nullopt;
}

bool Ini_Text::set(const std::string& section, const std::string& key,
                   const std::string& value) {
    const std::string section_text = trimmed(section);
    const std::string key_text = trimmed(key);
    if (section_text.empty() || key_text.empty() || has_line_break(section) ||
        has_line_break(key) || has_line_break(value) || section.find(']') != std::string::npos ||
        key.find('=') != std::string::npos || key_text.front() == ';' ||
        key_text.front() == '[') {
        return false;
    }
    const std::string line_end = new_line_end();
    const int header = find_section(section_text);
    if (header < 0) {
        if (!m_lines.empty() && m_lines.back().end.empty()) {
            m_lines.back().end = line_end;
        }
        m_lines.push_back({"[" + section_text + "]", line_end});
        m_lines.push_back({key_text + "=" + value, line_end});
        return true;
    }
    std::size_t last_key = static_cast<std::size_t>(header);
    for (std::size_t i = last_key + 1; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (section_name(line.content)) {
            break;
        }
        const auto name = key_name(line.content);
        if (!name) {
            continue;
        }
        if (same_name(*name, key_text)) {
            const std::string& content = line.content;
            const auto name_start = content.find_first_not_of(" \t");
            const auto name_end = name_start + name->size();
            line.content = content.substr(0, name_end) + "=" + value;
            return true;
        }
        last_key = i;
    }
    if (m_lines[last_key].end.empty()) {
        m_lines[last_key].end = line_end;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last_key) + 1,
                   Line{key_text + "=" + value, line_end});
    return true;
}

std::string Ini_Text::text() const {
    std::string text;
    for (const Line& line : m_lines) {
        text += line.content;
        text += line.end;
    }
    return text;
}

std::string ReadINIfile(const char* section, const char* key, const char* default_value) {
    const std::string fallback = default_value != nullptr ? default_value : "";
    if (!is_given(section) || !is_given(key)) {
        return fallback;
    }
    const std::string& path = qv5_settings_path();
    const Ini_Text stored = path.empty() ? process_store() : Ini_Text(read_file(path));
    const auto value = stored.get(section, key);
    if (!value) {
        return fallback;
    }
    return value->substr(0, max_value_length);
}

std::string ReadINIfile(int section_id, int key_id, const char* default_value) {
    const char* section = qv6_ex_string(section_id);
    const char* key = qv6_ex_string(key_id);
    if (section == nullptr || key == nullptr) {
        return default_value != nullptr ? default_value : "";
    }
    return ReadINIfile(section, key, default_value);
}

int WriteINIfile(const char* section, const char* key, const char* value) {
    if (!is_given(section) || !is_given(key)) {
        return 0;
    }
    const std::string& path = qv5_settings_path();
    if (path.empty()) {
        return process_store().set(section, key, value != nullptr ? value : "") ? 1 : 0;
    }
    Ini_Text stored(read_file(path));
    if (!stored.set(section, key, value != nullptr ? value : "")) {
        return 0;
    }
    const std::string text = stored.text();
    Error_Handler handler;
    try {
        save_atomically(&handler, path.c_str(), [&](const char* temp_path) {
            qvfileio file(&handler, temp_path, QV_GENERIC_WRITE, QV_SHARE_NONE);
            file.write(text.data(), static_cast<unsigned>(text.size()));
        });
    } catch (Error_Handler*) {
        return 0;
    }
    return 1;
}

int WriteINIfile(int section_id, int key_id, const char* value) {
    return WriteINIfile(qv6_ex_string(section_id), qv6_ex_string(key_id), value);
}
