// Telling radio files apart by their identifiers.
#include "radio_file_kind.h"

#include "qvfileio.h"

#include <cstring>
#include <string_view>

namespace {

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

const char* radio_kind_name(Radio_File_Kind kind) {
    switch (kind) {
    case Radio_File_Kind::raf5:
        return "raf5";
    case Radio_File_Kind::rsd:
        return "rsd";
    case Radio_File_Kind::mrs:
        return "mrs";
    case Radio_File_Kind::raf4:
        return "raf4";
    default:
        return "unknown";
    }
}

Radio_File_Kind radio_kind_of(const char* bytes, std::size_t size) {
    std::size_t start = 0;
    while (start < size && (bytes[start] == ' ' || bytes[start] == '\r' || bytes[start] == '\n')) {
        ++start;
    }
    const std::string_view text(bytes + start, size - start);
    for (const char* id : {"QV50_ASCII_RADIO_SPEC_01", "QV50_ASCII_RADIO_SPEC_02",
                           "QV50_ASCII_RADIO_SPEC_03", "QV50_ASCII_RADIO_SPEC_04"}) {
        if (starts_with(text, id)) {
            return Radio_File_Kind::raf5;
        }
    }
    for (const char* id : {"QV50_RADIO_SPEC_01", "QV50_RADIO_SPEC_03", "QV50_RADIO_SPEC_04"}) {
        if (starts_with(text, id)) {
            return Radio_File_Kind::rsd;
        }
    }
    if (starts_with(text, "QVW401RADIOSPEC")) {
        return Radio_File_Kind::mrs;
    }
    constexpr std::string_view v4 = "QVW40_RADIOSPEC";
    if (starts_with(text, v4) && text.size() > v4.size()) {
        return text[v4.size()] == '\0' ? Radio_File_Kind::mrs : Radio_File_Kind::raf4;
    }
    return Radio_File_Kind::unknown;
}

Radio_File_Kind identify_radio_file(const char* path, Error_Handler* handler) {
    qvfileio file(handler, path, QV_GENERIC_READ, QV_SHARE_READ);
    char head[48] = {};
    const uint32_t size = file.get_file_size();
    const unsigned count = size < sizeof head ? size : sizeof head;
    file.read(head, count);
    return radio_kind_of(head, count);
}
