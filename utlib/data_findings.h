// What reading, converting or auditing a data file found besides its record: the fields a
// conversion could not carry, the texts cut to their fields, and the audit's warnings. Texts are
// the files' own single-byte texts; keywords are plain ASCII.
#pragma once

#include "qv6_ut_export.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What a conversion could not carry into its target format. Nothing of it changes what is
// written: it is told so that no data goes without a word.
struct Conversion_Losses {
    // The keywords (or curve and cut names) of set values the target has no room for, in the
    // order of the source's file.
    std::vector<std::string> not_kept;
    // Each text the target holds only in part, as text_cut_warning tells it.
    std::vector<std::string> texts_cut;
    // Each number the target holds with fewer digits, as rounded_warning tells it.
    std::vector<std::string> rounded;

    bool empty() const { return not_kept.empty() && texts_cut.empty() && rounded.empty(); }
};

// "KEYWORD cut to KEPT characters (LOST lost)": a text longer than its field, kept in part.
QV6_UT_EXPORT std::string text_cut_warning(std::string_view keyword, std::size_t kept, std::size_t lost);

// "KEYWORD rounded to TEXT": a number the target holds with fewer digits than it has.
QV6_UT_EXPORT std::string rounded_warning(std::string_view keyword, std::string_view text);

// "not kept: A, B" for the report of a conversion; empty for no fields.
QV6_UT_EXPORT std::string not_kept_text(const std::vector<std::string>& fields);

// Data that reads fine but is probably wrong. Never an error of the file.
struct Lint_Warning {
    std::string id;    // the rule, a short lower-case name with hyphens: "cut-range"
    std::string where; // the keyword, curve or cut it concerns: "LOWFRQ", "azimuth H/H"
    std::string text;  // one line saying what is wrong, with the values that show it
};
