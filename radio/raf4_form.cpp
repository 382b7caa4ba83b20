// The version 4 radio form's row texts and store rules.
#include "raf4_form.h"

#include "radio4_format.h"
#include "radio4_record.h"
#include "text_helpers.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cmath>
#include <cstring>

namespace {

double* double_at(Radio4_Spec& radio_spec, std::size_t offset) {
    return reinterpret_cast<double*>(reinterpret_cast<char*>(&radio_spec) + offset);
}

bool store_number(Radio4_Spec& radio_spec, std::size_t offset, double value) {
    double held;
    std::memcpy(&held, double_at(radio_spec, offset), sizeof held);
    if (std::memcmp(&held, &value, sizeof value) == 0) {
        return false;
    }
    std::memcpy(double_at(radio_spec, offset), &value, sizeof value);
    return true;
}

bool store_flags(Radio4_Spec& radio_spec, uint8_t flags) {
    const bool changed = radio_spec.flags != flags;
    radio_spec.flags = flags;
    return changed;
}

bool set_flag(Radio4_Spec& radio_spec, uint8_t flag, bool on) {
    return store_flags(radio_spec, static_cast<uint8_t>(on ? radio_spec.flags | flag
                                                           : radio_spec.flags & ~flag));
}

} // namespace

std::string raf4_form_text(const Radio4_Spec& radio_spec, int index) {
    if (index < 0 || index >= RAF4_KEYWORD_COUNT) {
        return {};
    }
    std::string text = raf4_value_text(radio_spec, index);
    // A small number the file writes with an exponent reads better in decimals where they are
    // few (a stability of 20 ppm is 0.002 percent).
    const Raf4_Value kind = raf4_keyword(index).value;
    const bool number = kind == Raf4_Value::number || kind == Raf4_Value::data_rate ||
                        kind == Raf4_Value::steps || kind == Raf4_Value::stability_ppm;
    if (number && text.find('E') != std::string::npos) {
        const double value = text_to_double(text.c_str());
        char decimals[32];
        const auto result =
            std::to_chars(std::begin(decimals), std::end(decimals), value, std::chars_format::fixed);
        if (result.ec == std::errc() && result.ptr - decimals <= 10) {
            text.assign(decimals, result.ptr);
        }
    }
    return text;
}

bool raf4_form_accepts(int index, char c) {
    if (index < 0 || index >= RAF4_KEYWORD_COUNT || c == '\0') {
        return false;
    }
    const unsigned char set = raf4_keyword(index).character_set;
    if (set <= 1) {
        return true;
    }
    const char* allowed = character_set_chars(set);
    return allowed != nullptr && std::strchr(allowed, c) != nullptr;
}

int raf4_form_limit(int index) {
    if (index < 0 || index >= RAF4_KEYWORD_COUNT) {
        return 0;
    }
    return std::max(raf4_keyword(index).width - 1, 0);
}

bool raf4_form_store(Radio4_Spec& radio_spec, int index, std::string_view text) {
    if (index < 0 || index >= RAF4_KEYWORD_COUNT) {
        return false;
    }
    const Raf4_Keyword& entry = raf4_keyword(index);
    // What the file gives back: the first line, nothing from a comment on, no blanks around it,
    // and no byte that would make the file no text file.
    std::string value(text.substr(0, text.find_first_of("\r\n")));
    value.resize(std::min(value.size(), static_cast<std::size_t>(raf4_form_limit(index))));
    value = value.substr(0, value.find("//"));
    for (char& c : value) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            c = ' ';
        }
    }
    strip_space(value.data());
    value.resize(std::strlen(value.c_str()));

    switch (entry.value) {
    case Raf4_Value::text: {
        char* field = reinterpret_cast<char*>(&radio_spec) + entry.offset;
        value.resize(std::min(value.size(), entry.size - 1));
        const bool changed = std::strncmp(field, value.c_str(), entry.size) != 0;
        std::memset(field, 0, entry.size);
        std::memcpy(field, value.data(), value.size());
        return changed;
    }
    case Raf4_Value::number:
    case Raf4_Value::data_rate:
    case Raf4_Value::steps:
    case Raf4_Value::stability_ppm: {
        double number = get_valid_double(value.data(), entry.character_set);
        if (number != NOT_SET && entry.value == Raf4_Value::steps) {
            number = std::trunc(number);
        }
        if (number != NOT_SET && entry.value == Raf4_Value::stability_ppm) {
            number *= 0.0001;
        }
        if (number == 0.0) {
            number = NOT_SET;
        }
        return store_number(radio_spec, entry.offset, number);
    }
    case Raf4_Value::radio_type: {
        uint8_t type = 0;
        if (starts_with_nocase(value, "NB_DIGITAL")) {
            type = RADIO4_NB_DIGITAL;
        } else if (starts_with_nocase(value, "PDH")) {
            type = RADIO4_PDH;
        } else if (starts_with_nocase(value, "SDH")) {
            type = RADIO4_SDH;
        }
        if (type == 0) {
            return false;
        }
        return store_flags(radio_spec,
                           static_cast<uint8_t>((radio_spec.flags & ~RADIO4_TYPE_FLAGS) | type));
    }
    case Raf4_Value::sd_operation:
        return set_flag(radio_spec, RADIO4_IF_COMBINER, starts_with_nocase(value, "IFC"));
    case Raf4_Value::cochannel:
        return set_flag(radio_spec, RADIO4_COCHANNEL, starts_with_nocase(value, "YES"));
    case Raf4_Value::use_signature:
        return set_flag(radio_spec, RADIO4_USE_SIGNATURE, starts_with_nocase(value, "YES"));
    }
    return false;
}
