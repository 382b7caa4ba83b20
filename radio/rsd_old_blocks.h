// The main blocks of the binary radio files of versions 01 and 03.
#pragma once

#include <cstddef>
#include <cstdint>

class Byte_Reader;
struct Radio_Record;

// The older versions always store six coupling unit configurations.
inline constexpr int OLD_RSD_CONFIGS = 6;
// Sizes of the two forms of the older main block.
inline constexpr std::size_t OLD_FORM_A_SIZE = 2936;
inline constexpr std::size_t OLD_FORM_B_SIZE = 5648;

// Reads the main block of a version 01 or 03 file, stored with `stored_size` bytes, into the
// record's fixed part and state table.
void read_old_main_block(Byte_Reader& file, Radio_Record& record, int version, uint32_t stored_size);

// The same from a block already in memory, of which `present` bytes were stored; fields beyond
// them keep the record's defaults. `form_b` tells the form.
void decode_old_main_block(const unsigned char* block, std::size_t present, bool form_b,
                           int version, Radio_Record& record);
