// The rules of the version 5 curve editor that need no window: which curves the New dialog
// offers and refuses, and how the codes field becomes a curve's codes.
#pragma once

#include "radio_curves.h"

#include <string>
#include <vector>

// The adaptive-modulation families of the New dialog: TX_EMISSION_nn and RX_SELECTIVITY_nn.
enum class State_Family { tx_emission, rx_selectivity };

inline constexpr int STATE_NUMBER_FIRST = 1;
inline constexpr int STATE_NUMBER_LAST = 99;

// The curve type of state `number` (1 to 99) of `family`: 11 + nn or 110 + nn.
int state_curve_type(State_Family family, int number);

// True when `curves` holds a curve of `type`.
bool has_curve_type(const Radio_Curve_List& curves, int type);

// Whether the New dialog offers type `type` (0 to 8): the curves against other radios always,
// every other type only while the record has no curve of it.
bool new_type_enabled(const Radio_Curve_List& curves, int type);

// The type the New dialog checks first: the lowest enabled of 0 to 8.
int first_new_type(const Radio_Curve_List& curves);

// The lowest state number of `family` without a curve, or 0 when all 99 are used.
int first_free_state(const Radio_Curve_List& curves, State_Family family);

// What OK of the New dialog says to a new curve of `type` with the stripped `code_text`: 0 to
// create it, MSG_CURVE_TYPE_EXISTS for a type of one curve at most (0, 2, 4 to 8 and each
// state) that exists already, MSG_INTERFERING_CODE_REQUIRED for a curve against other radios
// without a code. Types the dialog does not offer are refused as existing.
int new_curve_refusal(const Radio_Curve_List& curves, int type, const std::string& code_text);

// The codes field shows and edits the codes of these types: 0 to 3 and the states.
bool shows_codes(int type);

// The codes as the field shows them: joined with ", ".
std::string codes_field_text(const Radio_Curve& curve);

// The codes of the field's `text`: split at commas, each field stripped, empty fields and fields
// of 48 characters or more dropped.
std::vector<std::string> codes_of_field(const std::string& text);

enum class Codes_Outcome {
    unchanged,     // the field gave the codes the curve has
    changed,       // the curve took the field's codes (and a new name)
    code_required, // a curve against other radios would be left without a code: nothing changed
};

// Gives `curve` the codes of the field's `text`; a curve against other radios is then named
// "TYPE - CODE" after its first code. Such a curve keeps its codes when the text holds none,
// as a file could not be read back without one.
Codes_Outcome apply_codes_field(Radio_Curve& curve, const std::string& text);

// The partner of an emission or selectivity curve type: RX_SELECTIVITY for TX_EMISSION and the
// other way round, RX_SELECTIVITY_nn for TX_EMISSION_nn and back; -1 for other types.
int partner_curve_type(int type);

// True when the two lists hold the same curves in the same order, byte for byte in their values.
bool same_curves(const Radio_Curve_List& a, const Radio_Curve_List& b);
