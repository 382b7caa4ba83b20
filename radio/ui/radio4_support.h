// What the radio editors need of a version 4 record beyond its formats.
#pragma once

struct Radio4_Record;

// Sets the PDH flag when no radio-type flag is set.
void ensure_radio4_type(Radio4_Record& record);

