// The antenna record as JSON, for the command-line tool's dump and for tests.
#pragma once

#include "antenna_record.h"

#include <nlohmann/json.hpp>

// {"gain_in_dbi", "pattern_relative", "nsma_header": {...}, "antenna_spec": {...}, "cuts": [...]}:
// the record's fields by name. NOT_SET numbers and the -1 of an absent frequency count are null;
// texts (single-byte Windows-1252) are UTF-8 strings. Each slot with points is
// {"slot", "plane", "polarization", "points": [[angle, attenuation], ...]}, the floats given
// with the digits they hold (3.1f as 3.1).
nlohmann::json antenna_to_json(const Antenna_Record& record);
