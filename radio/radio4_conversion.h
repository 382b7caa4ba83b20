// Converting radio records between version 4 and version 5.
#pragma once

#include <string>

struct Radio4_Record;
struct Radio4_Spec;
struct Radio_Record;

// Shown (caption "Error") for a version 4 curve that has no version 5 curve type; the conversion
// goes on without that curve.
inline constexpr const char* UNKNOWN_RADIO_CURVE = "Unknown radio curve";

// The version 5 curve type of the version 4 curve `name` in a radio of the record's CAPACITY and
// MODULATION, or -1 when there is none:
//  - "TtoI_" + code: "TtoI_Same" when both parts of the code (split at the first "-" or "_") are
//    the radio's CAPACITY or MODULATION (ignoring case), else "TtoI_CW" for the code "CW", else
//    "TtoI_Other" with the code as interfering code (put into `code`);
//  - "IRF_" + code: "IRF_Same" or "IRF_Other" by the same test;
//  - any other name: the version 5 type of that name (ignoring case), other than the four above.
int radio4_curve_type(const Radio4_Spec& radio_spec, const char* name, std::string* code = nullptr);

// Resets `v5` and fills it from `v4`. A curve without a version 5 type is passed over after the
// message box UNKNOWN_RADIO_CURVE.
void convert_v4_to_v5(const Radio4_Record& v4, Radio_Record& v5);

// Resets `v4` and fills it from `v5`, texts cut to the version 4 fields. The derived curves are
// not taken over.
void convert_v5_to_v4(const Radio_Record& v5, Radio4_Record& v4);
