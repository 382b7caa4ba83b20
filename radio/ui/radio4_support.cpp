// The version 4 record for the editors.
#include "radio4_support.h"

#include "radio4_record.h"

#include <cstring>

namespace {

template <std::size_t N> std::string text_of(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

} // namespace

void ensure_radio4_type(Radio4_Record& record) {
    if ((record.radio_spec.flags & RADIO4_TYPE_FLAGS) == 0) {
        record.radio_spec.flags = static_cast<uint8_t>(record.radio_spec.flags | RADIO4_PDH);
    }
}

Radio4_Summary summarise_radio4(const Radio4_Record& record) {
    Radio4_Summary summary;
    summary.manufacturer = text_of(record.radio_spec.manufact);
    summary.model = text_of(record.radio_spec.model);
    summary.modulation = text_of(record.radio_spec.modulation);
    summary.capacity = text_of(record.radio_spec.capacity);
    const uint8_t flags = record.radio_spec.flags;
    summary.radio_type = (flags & RADIO4_NB_DIGITAL) != 0 ? "NB_DIGITAL"
                         : (flags & RADIO4_SDH) != 0      ? "SDH"
                         : (flags & RADIO4_PDH) != 0      ? "PDH"
                                                          : "";
    summary.curve_count = record.curves.count();
    return summary;
}
