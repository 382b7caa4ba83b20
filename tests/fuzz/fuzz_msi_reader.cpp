// Fuzz target for the .msi antenna reader and its companion reader.
//
// Any input may be refused as no .msi file (the record reset) or with a syntax error (the record
// keeping what was read), but nothing may crash, the record keeps its promises, and what was read
// is written as NSMA text that reads back, as .asd and as .mas. The record also serialises as
// dump's JSON.
#include "antenna_fuzz_support.h"
#include "msi_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // The answer to a pattern that looks backwards comes from the input.
    Antenna_Read_Decisions decisions;
    decisions.reverse_backwards = size > 0 && (data[0] & 1) != 0;

    static Antenna_Record record;
    Error_Handler handler;
    const std::string path = antenna_fuzz::scratch_file("input.msi", data, size);
    record.reset_antenna_record();
    try {
        read_msi_text(record, &handler, path.c_str(),
                      std::string_view(reinterpret_cast<const char*>(data), size), decisions);
    } catch (Error_Handler*) {
        KELVOR_CHECK(record.filled_slots() == 0 && record.antenna_spec.model[0] == '\0');
        return 0;
    } catch (Data_Syntax_Error* error) {
        KELVOR_CHECK(error == &data_syntax_error());
        KELVOR_CHECK(error->line_number() >= 1 && error->line_text() != nullptr);
        antenna_fuzz::check_record(record);
        return 0;
    }
    antenna_fuzz::check_record(record);
    try {
        // The same lines again as a companion: blocks read_msi_text took whole.
        KELVOR_CHECK(read_msi_companion(record, &handler, path.c_str()));
    } catch (Data_Syntax_Error*) {
        KELVOR_CHECK(false);
    }
    antenna_fuzz::check_record(record);
    antenna_fuzz::check_json(record);
    antenna_fuzz::check_nsma_round_trip(record);
    antenna_fuzz::check_asd_round_trip(record);
    antenna_fuzz::check_mas_round_trip(record);
    return 0;
}
