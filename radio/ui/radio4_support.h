// What the radio editors need of a version 4 record beyond its formats.
#pragma once

#include <string>

struct Radio4_Record;

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
