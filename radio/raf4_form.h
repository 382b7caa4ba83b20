// The version 4 radio form's rules over the keyword table: the value each row shows, which
// characters its editor takes and how many, and how an edited text is stored. Plain code: the
// form widget draws and forwards keys, and the tests drive these without a window.
#pragma once

#include <string>
#include <string_view>

struct Radio4_Spec;

// The value of row `index` (0 to 64) as the ASCII writer writes it.
std::string raf4_form_text(const Radio4_Spec& radio_spec, int index);
// True when the row's editor takes `c`.
bool raf4_form_accepts(int index, char c);
// The most characters the row's editor takes.
int raf4_form_limit(int index);
// Stores an edited text (file text): its first line, cut to the editor and the field, as the
// file gives it back (no blanks at the ends, nothing from "//" on). Numbers: empty, no number or
// 0 store NOT_SET; STABILITY_PPM goes into the stability in percent; NUM_ATPCSTEPS is whole.
// DIGRADIO_TYPE beginning with NB_DIGITAL, PDH or SDH sets that one type; SD_OPERATION "IFC",
// COCHANNEL_OPERATION and USE_SIGNATURE "YES" set their flags and any other text clears them.
// True when the record changed.
bool raf4_form_store(Radio4_Spec& radio_spec, int index, std::string_view text);
