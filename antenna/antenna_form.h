// The antenna form's rules over the NSMA keyword table (rows 0 to 41): what each row shows,
// which characters its editor takes and how many, the choice lists, and how an edited text or a
// choice is applied. Plain code: the form widget draws and forwards keys, and the tests drive
// these without a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class Antenna_Record;

// The value row `row` shows (file text): texts as held, reals by the writer's number rule with
// MDGAIN in the record's gain unit, NOFREQ empty for -1 and 0, choices as their list texts.
std::string antenna_form_text(const Antenna_Record& record, int row);
// The list of a choice row (FEDORN, GUNITS, FIELD5, PATTYP), in the order of the stored values;
// empty for the other rows.
const std::vector<std::string>& antenna_form_choices(int row);
// What row `row` (0 to 41) means, in plain words with its unit, for the row's tooltip; empty for
// any other row.
std::string antenna_form_tip(int row);
// True when a row's editor takes `c` (its character class); false on choice and disabled rows.
bool antenna_form_accepts(int row, char c);
// The most characters a row's editor takes: its buffer size - 1 (0 for choice rows).
int antenna_form_limit(int row);
// Applies an edited text (file text). Texts keep their first line, cut to the field, as the file
// keeps them (upper case, no double quotes, no blanks or comma at the ends; an emptied revision
// keeps a new record's text).
// NOFREQ takes the integer. Reals convert with set 3 and store 0 as NOT_SET; the three gains take
// set 4 and keep 0; MDGAIN sets both units, or neither for an invalid entry. True, and the
// record's data_changed set, when the record changed.
bool antenna_form_store(Antenna_Record& record, int row, std::string_view text);
// Chooses entry `index` of a choice row. GUNITS moving to dBi adds 2.15 to the set low- and
// high-band gains, moving to dBd subtracts it. True, data_changed set, when the record changed.
bool antenna_form_choose(Antenna_Record& record, int row, int index);
