// The version 4 radio record and its files, as the radio editors use them.
#pragma once

#include <memory>
#include <string>

class Error_Handler;
struct Radio_Record;
struct Radio4_Record;

// Owns one version 4 record.
struct Radio4_Record_Deleter {
    void operator()(Radio4_Record* record) const;
};
using Radio4_Record_Ptr = std::unique_ptr<Radio4_Record, Radio4_Record_Deleter>;

// A new, reset record.
Radio4_Record_Ptr make_radio4_record();
void reset_radio4_record(Radio4_Record& record);

// The readers and writers (Radio4 formats); each raises the handler or the program's
// Data_Syntax_Error as the format's own functions do.
void read_radio4_binary(Radio4_Record& record, const char* path, Error_Handler* handler);
void read_radio4_ascii(Radio4_Record& record, const char* path, Error_Handler* handler);
void write_radio4_binary(Radio4_Record& record, const char* path, Error_Handler* handler);
void write_radio4_ascii(const Radio4_Record& record, const char* path, Error_Handler* handler);

// The conversions between the two versions.
void radio4_to_radio5(const Radio4_Record& v4, Radio_Record& v5);
void radio5_to_radio4(const Radio_Record& v5, Radio4_Record& v4);

// Sets the PDH flag when no radio-type flag is set.
void ensure_radio4_type(Radio4_Record& record);

// What the version 4 view shows of a record.
struct Radio4_Summary {
    std::string manufacturer;
    std::string model;
    std::string radio_type; // "PDH", "SDH", "NB_DIGITAL" or empty
    std::string modulation;
    std::string capacity;
    int curve_count = 0;
};
Radio4_Summary summarise_radio4(const Radio4_Record& record);
