// Fuzz target for the NSMA antenna text reader and the headerless pattern reader it hands over
// to: read, then write -> read round trips as NSMA text and as .asd.
//
// Any input may be refused with a syntax or file error, but nothing may crash, the record keeps
// its promises also after a refusal, and whatever is read must be written as a file that reads
// back to the same text, and as .mas. The record also serialises as dump's JSON.
#include "antenna_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Antenna_Record record;
    Error_Handler handler;
    const std::string path = antenna_fuzz::scratch_file("input.adf", data, size);
    Nsma_Read_Result result;
    try {
        result = read_nsma_file(record, &handler, path.c_str());
    } catch (Error_Handler*) {
        antenna_fuzz::check_record(record);
        return 0;
    } catch (Data_Syntax_Error* error) {
        KELVOR_CHECK(error == &data_syntax_error());
        KELVOR_CHECK(error->line_number() >= 1 && error->line_text() != nullptr);
        antenna_fuzz::check_record(record);
        return 0;
    }
    antenna_fuzz::check_record(record);
    antenna_fuzz::check_json(record);
    const std::string first = antenna_fuzz::nsma_text(record);
    const std::string second = antenna_fuzz::check_nsma_round_trip(record);
    if (result == Nsma_Read_Result::nsma) {
        // Values read from NSMA text are written so that they read back unchanged.
        KELVOR_CHECK(first == second);
    }
    antenna_fuzz::check_asd_round_trip(record);
    antenna_fuzz::check_mas_round_trip(record);
    return 0;
}
