// What converting a radio record into one of the four radio file kinds cannot carry.
#pragma once

#include "data_findings.h"
#include "radio_file_kind.h"

struct Radio4_Record;
struct Radio_Record;

// What writing `record` (as read from its source file) as a file of `target` (raf5, rsd, mrs or
// raf4) loses. The record is converted and written in memory as the writers write the target,
// read back with the target's reader, converted back to the source's version and compared with
// the source field by field through the keyword tables. `not_kept` lists, in the source file's
// order, the keywords of set values that do not come back, then the record's fields without a
// keyword by their dump names ("ttoi_cw", "further"), then the curves by name and the codes of
// curves as "TYPE code CODE"; `texts_cut` tells each text that comes back only in part, as
// text_cut_warning tells it. Curves are matched by type, codes and points, not by name, since a
// conversion through version 4 splits a curve by its codes and names it anew. Values the writers
// derive where the source had none, the normalised levels of emission spectra and differences
// below a billionth of a number are no losses. A target the writer refuses outright loses
// nothing here (the write itself fails); one that does not read back loses "the whole record".
Conversion_Losses v5_conversion_losses(const Radio_Record& record, Radio_File_Kind target);
Conversion_Losses v4_conversion_losses(const Radio4_Record& record, Radio_File_Kind target);
