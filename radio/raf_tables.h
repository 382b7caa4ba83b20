// The adaptive-modulation and coupling unit rows of the ASCII radio file, and its value texts.
#pragma once

#include "acm_acu_tables.h"

#include <string>
#include <vector>

// A double as the radio files write it: empty for NOT_SET, "0.00" for zero, two decimals, or
// the exponent form below 0.005 ("1.00E-03"); more decimals only where two would change the
// value.
std::string raf_double(double value);
// A curve point's offset or level: two decimals, or more where two would change it.
std::string raf_point(float value);
// A count or code as the radio files write it: empty for -1, 222 and 0.
std::string raf_integer(int value);

// The lines that follow the NUM_ACM_STATES line: nothing for an empty table, else the A, B and C
// groups, each after its comment line.
std::vector<std::string> acm_rows(const Acm_Table& table);
// The configuration rows that follow the NUM_ACU_CONFIG line.
std::vector<std::string> acu_rows(const Acu_Table& table);

// A text of a row longer than its field: the characters kept and the characters lost.
struct Text_Cut {
    std::size_t kept;
    std::size_t lost;
};

// Stores the fields of one row of group 'A', 'B' or 'C' into `state`; fields beyond the known
// ones are ignored and missing ones leave the state as it is. A text longer than its field is cut
// to it, and told in `cuts` when given.
void read_acm_row(Acm_State& state, char group, const std::vector<std::string>& fields,
                  std::vector<Text_Cut>* cuts = nullptr);
void read_acu_row(Acu_Config& config, const std::vector<std::string>& fields,
                  std::vector<Text_Cut>* cuts = nullptr);

// The rows of the older file versions (01 to 03), which keep at most ten states and six
// configurations on keyword lines of their own.
inline constexpr int OLD_ACM_ENTRIES = 10;
inline constexpr int OLD_ACU_ENTRIES = 6;
void read_old_admod(Acm_State& entry, int version, const std::vector<std::string>& fields,
                    std::vector<Text_Cut>* cuts = nullptr);
void read_old_admod_a(Acm_State& entry, int version, const std::vector<std::string>& fields);
void read_old_admod_b(Acm_State& entry, const std::vector<std::string>& fields);
void read_old_acu(Acu_Config& entry, int version, const std::vector<std::string>& fields,
                  std::vector<Text_Cut>* cuts = nullptr);
// The state table made from the ten entries: each entry with a modulation and a 10-6 threshold
// becomes a state.
void make_acm_table_from_entries(Acm_Table& table, const Acm_State* entries);

// A text as a line of the file can hold it: control characters become blanks and "//" (which would
// start a comment) becomes "/ /"; in a list of fields a comma (which would split the field)
// becomes a semicolon. Texts typed into the program never change; texts from binary files of
// other programs might.
std::string raf_safe_text(std::string text, bool in_list);

// Splits a value text at commas, each field stripped.
std::vector<std::string> split_fields(const char* text);
