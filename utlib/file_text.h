// The character set of the texts inside the data files: one byte a character, in the Windows
// ANSI code page (Windows-1252). Every text that leaves a file for the screen, JSON or the
// terminal is decoded here, and every text typed in is encoded here.
#pragma once

#include "qv6_ut_export.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A file text as UTF-8. The text ends at `size` or at its first zero. Every byte has a
// character: the five bytes Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become
// the control characters of the same number, as Windows decodes them, so that encoding the result
// gives the bytes back.
QV6_UT_EXPORT std::string file_text_to_utf8(const char* text, std::size_t size);
inline std::string file_text_to_utf8(std::string_view text) {
    return file_text_to_utf8(text.data(), text.size());
}

// A UTF-8 text in the file's character set; nullopt when it is not valid UTF-8 or holds a
// character the code page has no byte for (a zero character included). `refused`, when given,
// gets the first such character (U+FFFD for invalid UTF-8).
QV6_UT_EXPORT std::optional<std::string> utf8_to_file_text(std::string_view utf8,
                                                           char32_t* refused = nullptr);
