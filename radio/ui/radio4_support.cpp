// The version 4 record for the editors.
#include "radio4_support.h"

#include "radio4_record.h"

void ensure_radio4_type(Radio4_Record& record) {
    if ((record.radio_spec.flags & RADIO4_TYPE_FLAGS) == 0) {
        record.radio_spec.flags = static_cast<uint8_t>(record.radio_spec.flags | RADIO4_PDH);
    }
}
