// The version 4 radio record as JSON, for the command-line tool's dump.
#pragma once

#include "json_values.h"

struct Radio4_Record;

// Every keyword field under its keyword, in the order of the form (STABILITY_PPM, which is the
// percentage over again, left out), the flags as the ASCII file words them and as their byte, the
// unnamed doubles, the curve count and the curves with their name, version 5 type (null when they
// have none), two-sided flag, power integral and [offset, dB] points. NOT_SET and a step count of
// -1 are null. Texts, which are single-byte Windows-1252, are given in UTF-8.
Json radio4_to_json(const Radio4_Record& record);
