// The version 4 radio functions for the editors.
#include "radio4_glue.h"

#include "error_handler.h"

#include <cstring>

#if KELVOR_HAVE_RADIO4

#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"

void Radio4_Record_Deleter::operator()(Radio4_Record* record) const { delete record; }

Radio4_Record_Ptr make_radio4_record() { return Radio4_Record_Ptr(new Radio4_Record()); }

void reset_radio4_record(Radio4_Record& record) { record.reset(); }

void read_radio4_binary(Radio4_Record& record, const char* path, Error_Handler* handler) {
    read_mrs_file(record, path, handler);
}

void read_radio4_ascii(Radio4_Record& record, const char* path, Error_Handler* handler) {
    read_raf4_file(record, path, handler);
}

void write_radio4_binary(Radio4_Record& record, const char* path, Error_Handler* handler) {
    write_mrs_file(record, path, handler);
}

void write_radio4_ascii(const Radio4_Record& record, const char* path, Error_Handler* handler) {
    write_raf4_file(record, path, handler);
}

void radio4_to_radio5(const Radio4_Record& v4, Radio_Record& v5) { convert_v4_to_v5(v4, v5); }

void radio5_to_radio4(const Radio_Record& v5, Radio4_Record& v4) { convert_v5_to_v4(v5, v4); }

void ensure_radio4_type(Radio4_Record& record) {
    if ((record.spec.flags & RADIO4_TYPE_FLAGS) == 0) {
        record.spec.flags = static_cast<uint8_t>(record.spec.flags | RADIO4_PDH);
    }
}

Radio4_Summary summarise_radio4(const Radio4_Record& record) {
    Radio4_Summary summary;
    summary.manufacturer = std::string(record.spec.manufact, strnlen(record.spec.manufact,
                                                                    sizeof record.spec.manufact));
    summary.model = std::string(record.spec.model, strnlen(record.spec.model,
                                                           sizeof record.spec.model));
    summary.modulation = std::string(record.spec.modulation,
                                     strnlen(record.spec.modulation, sizeof record.spec.modulation));
    summary.capacity = std::string(record.spec.capacity,
                                   strnlen(record.spec.capacity, sizeof record.spec.capacity));
    const uint8_t flags = record.spec.flags;
    summary.radio_type = (flags & RADIO4_NB_DIGITAL) != 0 ? "NB_DIGITAL"
                         : (flags & RADIO4_SDH) != 0      ? "SDH"
                         : (flags & RADIO4_PDH) != 0      ? "PDH"
                                                          : "";
    summary.curve_count = record.curves.count();
    return summary;
}

#else

// Until the version 4 formats are part of the radio library, a version 4 file cannot be read or
// written: every attempt fails with this explanation.
struct Radio4_Record {};

namespace {

[[noreturn]] void not_available(const char* path, Error_Handler* handler) {
    handler->init(ET_ERROR, 0, path);
    handler->set_info_buff("Version 4 radio files cannot be read or written by this build.");
    throw handler;
}

} // namespace

void Radio4_Record_Deleter::operator()(Radio4_Record* record) const { delete record; }
Radio4_Record_Ptr make_radio4_record() { return Radio4_Record_Ptr(new Radio4_Record()); }
void reset_radio4_record(Radio4_Record&) {}
void read_radio4_binary(Radio4_Record&, const char* path, Error_Handler* handler) {
    not_available(path, handler);
}
void read_radio4_ascii(Radio4_Record&, const char* path, Error_Handler* handler) {
    not_available(path, handler);
}
void write_radio4_binary(Radio4_Record&, const char* path, Error_Handler* handler) {
    not_available(path, handler);
}
void write_radio4_ascii(const Radio4_Record&, const char* path, Error_Handler* handler) {
    not_available(path, handler);
}
void radio4_to_radio5(const Radio4_Record&, Radio_Record&) {}
void radio5_to_radio4(const Radio_Record&, Radio4_Record&) {}
void ensure_radio4_type(Radio4_Record&) {}
Radio4_Summary summarise_radio4(const Radio4_Record&) { return {}; }

#endif
