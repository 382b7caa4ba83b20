// File texts (Windows-1252) as Qt strings, and back: the one way they meet the widgets.
#pragma once

#include "file_text.h"
#include "qv6_ex_export.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// A file text (ending at `size` or at its first zero) as the widgets show it.
inline QString from_file_text(const char* text, std::size_t size) {
    return QString::fromStdString(file_text_to_utf8(text, size));
}
inline QString from_file_text(std::string_view text) {
    return QString::fromStdString(file_text_to_utf8(text));
}
// A fixed text field of a record.
template <std::size_t N>
QString from_file_text(const char (&field)[N]) {
    return from_file_text(field, N);
}

// What the user typed as a file text; nullopt when it holds a character the files cannot
// (`refused`, when given, gets the first one).
inline std::optional<std::string> to_file_text(const QString& text, QChar* refused = nullptr) {
    char32_t first = 0;
    auto result = utf8_to_file_text(text.toStdString(), &first);
    if (!result && refused != nullptr) {
        *refused = first <= 0xFFFF ? QChar(static_cast<char16_t>(first)) : QChar::ReplacementCharacter;
    }
    return result;
}
