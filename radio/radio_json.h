// The version 5 radio record as JSON, for the command-line tool's dump.
#pragma once

#include <nlohmann/json.hpp>

struct Radio_Record;

// Every field by its record name; values without a value (NOT_SET, and -1 for counts and codes
// that may be absent) are null. Curves, states and configurations are lists.
nlohmann::ordered_json radio_to_json(const Radio_Record& record);
