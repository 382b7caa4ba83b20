// The settings store: one INI file read and written by section and key.
//
// Other tools of the suite read the same file, so its text stays as they expect it: "[Section]"
// lines, "KEY=value" lines without blanks around the "=", names found without regard to case,
// and everything a write does not touch (comments, blank lines, other sections, the order and
// spelling of keys, the line ends) left byte for byte as it was. A new file gets CR LF line ends.
#pragma once

#include "qv6_ex_export.h"

#include <optional>
#include <string>
#include <vector>

// An INI file's text, edited line by line.
class QV6_EX_EXPORT Ini_Text {
public:
    Ini_Text() = default;
    explicit Ini_Text(const std::string& text);

    // The value of `key` in `section`: the first such key of the first such section, blanks
    // around it removed and one pair of enclosing quotes (' or ") taken off; nullopt when absent.
    std::optional<std::string> get(const std::string& section, const std::string& key) const;

    // Stores `value` under `key` in `section`: replaces the value of an existing key (its name
    // keeps its spelling), or adds "key=value" after the section's last key, or adds the section
    // with the key at the end of the text. False, changing nothing, for names or values that the
    // file cannot hold (empty names, line breaks, "]" in a section or "=" in a key name).
    bool set(const std::string& section, const std::string& key, const std::string& value);

    std::string text() const;

private:
    struct Line {
        std::string content;
        std::string end; // "\r\n", "\n" or empty for a last line without a line end
    };
    // Index of the header line of `section`, or -1.
    int find_section(const std::string& section) const;
    std::string new_line_end() const;

    std::vector<Line> m_lines;
};

// The value stored under `section` and `key` in the settings file (or, without a settings file,
// in the run's own store), cut to 1023 characters; `default_value` when the section or key is
// null or empty or nothing is stored.
QV6_EX_EXPORT std::string ReadINIfile(const char* section, const char* key,
                                      const char* default_value);
// The same with the section and key given as string ids of the library; the default when either
// id has no text.
QV6_EX_EXPORT std::string ReadINIfile(int section_id, int key_id, const char* default_value);

// Stores `value` under `section` and `key`; non-zero on success. 0, storing nothing, when the
// section or key is null or empty, or the file cannot be written (the file then stays as it was).
QV6_EX_EXPORT int WriteINIfile(const char* section, const char* key, const char* value);
QV6_EX_EXPORT int WriteINIfile(int section_id, int key_id, const char* value);
