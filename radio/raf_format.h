// The version 5 ASCII radio file (.raf): identifiers, keyword rows, and its reader and writer.
#pragma once

#include <string>
#include <vector>

class Error_Handler;
class string_list;
struct Radio_Record;

inline constexpr const char* RAF_IDENTIFIERS[4] = {
    "QV50_ASCII_RADIO_SPEC_01", "QV50_ASCII_RADIO_SPEC_02", "QV50_ASCII_RADIO_SPEC_03",
    "QV50_ASCII_RADIO_SPEC_04"};
inline constexpr const char* RAF_END = "ENDFIL";
// Longest line the format allows.
inline constexpr std::size_t RAF_MAX_LINE = 255;

// Rows of the version 04 keyword table, in file order.
enum Raf_Row : int {
    ROW_MANUFACTURER = 0,
    ROW_MODEL,
    ROW_RELEASE_DATE,
    ROW_REVISION_NUM,
    ROW_REVISION_DATE,
    ROW_RADIO_ID,
    ROW_RADIO_CODE,
    ROW_APPLICATION_TYPE,
    ROW_RADIO_TYPE,
    ROW_FREQUENCY_RANGE,
    ROW_EMISSION_DESIGNATOR, // 10
    ROW_TXDATA_RATE,
    ROW_RXDATA_RATE,
    ROW_RADIO_CAPACITY,
    ROW_MODULATION,
    ROW_BANDWIDTH_FCC,
    ROW_BANDWIDTH_99PC,
    ROW_BANDWIDTH_CHANNEL,
    ROW_BANDWIDTH_3DB_TX,
    ROW_BANDWIDTH_3DB_RX,
    ROW_LABEL_TRANSMIT, // 20
    ROW_TX_POWER_NAMES,
    ROW_TX_POWER_OPTIONS,
    ROW_TX_POWER_MIN_OPTIONS,
    ROW_ATPC_OPTIONS,
    ROW_TX_POWER_RANGE,
    ROW_ATPC_RANGE,
    ROW_ATPC_STEP,
    ROW_REQUIRED_RXSIGNAL,
    ROW_TX_STABILITY,
    ROW_LABEL_RECEIVER, // 30
    ROW_RX_THRESHOLD_DESCRIPTION,
    ROW_RX_THRESHOLD_BER,
    ROW_RX_THRESHOLD_DBM,
    ROW_MAXIMUM_RXSIGNAL,
    ROW_DISPERSIVE_FM,
    ROW_SIGNATURE_DELAY,
    ROW_SIGNATURE_WIDTH,
    ROW_SIGNATURE_MINPHASE,
    ROW_SIGNATURE_NONMINPHASE,
    ROW_NOISE_FIGURE, // 40
    ROW_TTOI_RATIO,
    ROW_CTOI_10_6,
    ROW_CTOI_10_3,
    ROW_NOISE_FLOOR_KTBF,
    ROW_SIMULCAST_CAPTURE_RANGE,
    ROW_LABEL_BBER,
    ROW_BITS_BLOCK,
    ROW_BLOCKS_SEC,
    ROW_ALPHA_VALUES,
    ROW_NUM_ACM_STATES, // 50
    ROW_LABEL_COCHANNEL,
    ROW_COCHANNEL_OPERATION,
    ROW_COCHANNEL_XPIF,
    ROW_COCHANNEL_XPD_XPI,
    ROW_LABEL_SELECTIVE_FADING,
    ROW_SELECTIVE_FADING,
    ROW_LABEL_SPACE_DIV,
    ROW_SPACE_DIV_OPERATION,
    ROW_LABEL_BLANK,
    ROW_GAIN_WIDTH_DEPTH, // 60
    ROW_LABEL_FREQ_SEP,
    ROW_FREQ_SEP_FIRST, // 62 to 69
    ROW_TR_FIXED = ROW_FREQ_SEP_FIRST + 8,
    ROW_NUM_ACU_CONFIG,
    ROW_LABEL_MISC,
    ROW_COMMENT_FIRST, // 73 to 78
    RAF_ROW_COUNT = ROW_COMMENT_FIRST + 6,
};
static_assert(ROW_TR_FIXED == 70 && ROW_NUM_ACU_CONFIG == 71 && RAF_ROW_COUNT == 79);

// The keyword of a row, or the label of a label row.
const char* raf_keyword(int row);
// True for the rows that are section labels, written as comments.
bool is_raf_label(int row);
// The row whose keyword is exactly `keyword`, or -1.
int find_raf_row(const char* keyword);

// Reads a version 5 ASCII radio file of any of its four versions into `record`, which the
// caller has reset. Format faults raise the program's Data_Syntax_Error (the record keeps what
// was read before the faulty line); a file that cannot be read raises `handler`.
void read_raf_file(Radio_Record& record, const char* path, Error_Handler* handler);

// Reads lines already in memory, as read_raf_file does after loading the file; `path` names the
// file in syntax errors.
void read_raf_lines(Radio_Record& record, string_list& lines, const char* path);

// The version 04 text of `record`, lines ended by CR LF.
std::string raf_text(const Radio_Record& record);

// Writes `record` as a version 04 ASCII radio file, replacing `path` only when the whole file was
// written. Failures raise `handler`.
void write_raf_file(const Radio_Record& record, const char* path, Error_Handler* handler);
