// The rules of the version 4 curve editor's New dialog: which curve types may still be created,
// the radio's own traffic code, and the name a new curve gets or why it is refused.
#pragma once

#include <array>
#include <cstddef>
#include <string>

struct Radio4_Spec;
class Radio4_Curve_List;

// The curve types of the dialog, in the order of its buttons.
enum class Radio4_New_Kind {
    ttoi,
    irf,
    ttoi_cw,
    tx_emission,
    rx_selectivity,
    rx_filter,
    tx_filter,
};
inline constexpr std::array<Radio4_New_Kind, 7> RADIO4_NEW_KINDS = {
    Radio4_New_Kind::ttoi,        Radio4_New_Kind::irf,       Radio4_New_Kind::ttoi_cw,
    Radio4_New_Kind::tx_emission, Radio4_New_Kind::rx_selectivity,
    Radio4_New_Kind::rx_filter,   Radio4_New_Kind::tx_filter,
};

// The longest traffic code the dialog takes.
inline constexpr std::size_t RADIO4_TRAFFIC_CODE_LENGTH = 15;

inline constexpr const char* RADIO4_CURVE_TYPE_ERROR = "Curve Type Error";                    // 214
inline constexpr const char* RADIO4_CODE_MISSING = "A traffic code must be specified.";       // 212
inline constexpr const char* RADIO4_CURVE_EXISTS = "This curve identifier already exists."; // 213

// The name of a type that has one fixed name ("TtoI_CW", "TX_EMISSION", ...), or null for TtoI
// and IRF, whose names carry a traffic code.
const char* radio4_fixed_curve_name(Radio4_New_Kind kind);

// True when the type's button is enabled: TtoI and IRF always, the others while the record has
// no curve of their name (ignoring case).
bool radio4_new_kind_available(const Radio4_Curve_List& curves, Radio4_New_Kind kind);

// The radio's own traffic code as "capacity-modulation", or "Not specified" when either is empty.
std::string radio4_own_traffic_code(const Radio4_Spec& radio_spec);

// What OK of the dialog gives: the new curve's name, or a refusal (text 212 or 213 with its
// message, shown under RADIO4_CURVE_TYPE_ERROR).
struct Radio4_New_Curve {
    std::string name;
    int refusal = 0;
    std::string message;

    bool accepted() const { return refusal == 0; }
};

// The name of a new curve of `kind`. For TtoI and IRF the code is stripped of blanks and cut to
// RADIO4_TRAFFIC_CODE_LENGTH characters: an empty one is refused with 212, else the name is
// "TtoI_" or "IRF_" followed by it. The others take their fixed names. A name the record holds
// already (ignoring case) is refused with 213, the message naming it on a second line.
Radio4_New_Curve radio4_new_curve(const Radio4_Curve_List& curves, Radio4_New_Kind kind,
                                  const std::string& code);
