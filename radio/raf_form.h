// The version 5 radio form's rules over the keyword table: what each cell shows, which characters
// its editor takes and how many, the choice lists, and how an edited text is stored. Plain code:
// the form widget draws and forwards keys, and the tests drive these without a window.
#pragma once

#include "raf_keywords.h"

#include <string>
#include <string_view>
#include <vector>

struct Radio_Record;

// The text cell `cell` of row `row` shows (file text; empty for headings).
std::string raf_form_text(const Radio_Record& record, int row, int cell);
// The choices of a choice row (empty for other rows), in the order of their stored codes.
const std::vector<std::string>& raf_form_choices(int row);
// True when the editor of the cell takes `c`: any character in a text cell, the row's character
// set in a number cell, nothing in a choice or count row.
bool raf_form_accepts(int row, int cell, char c);
// The most characters the cell's editor takes (0 for a cell that takes none).
int raf_form_limit(int row, int cell);
// Stores an edited text (file text) into the cell: a text is cut at its first line break and to
// the field; a number cell stores NOT_SET for an empty text, a text that is no number of the
// row's set, and for 0 (but the three TX power rows keep 0); an integer cell stores the text's
// integer. Count rows and headings store nothing. True when the record changed.
bool raf_form_store(Radio_Record& record, int row, int cell, std::string_view text);
// Chooses entry `index` of a choice row; true when the record changed.
bool raf_form_choose(Radio_Record& record, int row, int index);
// What the field of a row means, in plain words, with its unit; for the count rows what they
// count and where they are edited. Empty for headings and rows out of range.
const char* raf_form_tip(int row);
