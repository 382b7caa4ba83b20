// The antenna record as JSON, for the command-line tool's dump and for tests.
#pragma once

#include "antenna_record.h"

#include "json_values.h"

// {"antenna_spec": {...}, "cuts": [...], "gain_in_dbi", "nsma_header": {...}, "pattern_relative"}:
// the record's fields by name, keys in alphabetical order. NOT_SET numbers and the -1 of an
// absent frequency count are null; texts (single-byte Windows-1252) are UTF-8 strings. Each slot
// with points is {"plane", "points": [[angle, attenuation], ...], "polarization", "slot"}, the
// floats given with the digits they hold (3.1f as 3.1).
Json antenna_to_json(const Antenna_Record& record);
