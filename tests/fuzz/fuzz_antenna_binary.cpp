// Fuzz target for the binary antenna reader (.asd, .mas, .vas, told apart by their magic) and the
// .asd and .mas writers.
//
// Any input may be refused with a file error (wrong format, too short), but nothing may crash or
// allocate for a count the file cannot hold, the record keeps its promises, and what was read is
// written as .asd and .mas files that read back to the same values. The record also serialises
// as dump's JSON.
#include "antenna_fuzz_support.h"
#include "byte_reader.h"
#include "message_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Antenna_Record record;
    Error_Handler handler;
    record.reset_antenna_record();
    try {
        Byte_Reader file(&handler, std::string_view(reinterpret_cast<const char*>(data), size));
        read_antenna_binary(file, record);
    } catch (Error_Handler* error) {
        KELVOR_CHECK(error == &handler);
        KELVOR_CHECK(error->get_error_code() == MSG_WRONG_FILE_FORMAT ||
                     error->get_error_code() == MSG_READ_ERROR_AT_EOF);
        antenna_fuzz::check_record(record);
        return 0;
    }
    antenna_fuzz::check_record(record);
    antenna_fuzz::check_json(record);
    antenna_fuzz::check_asd_round_trip(record);
    antenna_fuzz::check_mas_round_trip(record);
    antenna_fuzz::check_nsma_round_trip(record);
    return 0;
}
