// The version 5 radio record as JSON, for the command-line tool's dump.
#pragma once

#include "json_values.h"

struct Radio_Record;

// The fields of the keyword table's rows by their record names, in file order (a field of several
// cells or rows as a list, the four thresholds as objects), each value the record derives from
// them after its row; then the curves, states and configurations as lists. Values without a value
// (NOT_SET, and -1 for counts and codes that may be absent) are null.
Json radio_to_json(const Radio_Record& record);
