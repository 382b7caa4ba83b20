// Converting radio records between version 4 and version 5.
#pragma once


#include <string>
#include <vector>

struct Radio4_Record;
struct Radio4_Spec;
struct Radio_Record;

// Told for a version 4 curve that has no version 5 curve type; the conversion goes on without
// that curve.
inline constexpr const char* UNKNOWN_RADIO_CURVE = "Unknown radio curve";

// The version 5 curve type of the version 4 curve `name` in a radio of the record's CAPACITY and
// MODULATION, or -1 when there is none:
//  - "TtoI_" + code: "TtoI_Same" when the code is CAPACITY and MODULATION joined by "-" or "_"
//    (either way round), or when both parts of the code (split at the first "-" or "_") are the
//    radio's CAPACITY or MODULATION (ignoring case); else "TtoI_CW" for the code "CW"; else
//    "TtoI_Other" with the code as interfering code (put into `code`);
//  - "IRF_" + code: "IRF_Same" or "IRF_Other" by the same test;
//  - "TX_EMISSION_nn-ID" and "RX_SELECTIVITY_nn-ID": the state curve with its identifier ID (put
//    into `code`);
//  - any other name: the version 5 type of that name (ignoring case), other than the four above.
int radio4_curve_type(const Radio4_Spec& radio_spec, const char* name, std::string* code = nullptr);

// Resets `v5` and fills it from `v4`. A curve without a version 5 type is passed over, and told
// in `passed_over` as "Unknown radio curve NAME: left out" (the record's own single-byte text).
// A curve against other radios that follows one of the same type with the same points adds its
// code to that one, as convert_v5_to_v4 splits them.
void convert_v4_to_v5(const Radio4_Record& v4, Radio_Record& v5,
                      std::vector<std::string>& passed_over);

// Resets `v4` and fills it from `v5`, texts cut to the version 4 fields. The derived curves are
// not taken over. A version 4 curve holds one code in its name (cut to 23 characters): a curve
// against other radios becomes one curve per code, and a state curve with an identifier is
// named "TX_EMISSION_nn-ID" or "RX_SELECTIVITY_nn-ID". Each text that had to be cut is told in
// `cuts` when given, as text_cut_warning tells it: "MODEL cut to 23 characters (4 lost)", or
// "curve NAME cut to 23 characters (4 lost)" (the record's own single-byte text).
void convert_v5_to_v4(const Radio_Record& v5, Radio4_Record& v4,
                      std::vector<std::string>* cuts = nullptr);
