// The version 5 keyword table: the 79 rows of the ASCII radio file, in file order, with what
// each row's cells hold and where they live in the record. The reader's row storing, the writer,
// the JSON dump and the editor's form all work from it.
#pragma once

#include <cstddef>
#include <cstdint>

struct Radio_Record;

// Rows of the table, in file order.
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

// What a row is: a section heading (written as a comment, no cells), a row of values, or the
// count line that the adaptive-modulation or coupling-unit rows follow.
enum class Raf_Row_Kind { heading, values, acm_count, acu_count };

// What the form's editor accepts in a row's cells: any text, a choice from a list (no typing),
// or the characters of the character set with that number (text_helpers.h).
inline constexpr unsigned char RAF_TEXT_INPUT = 0;
inline constexpr unsigned char RAF_CHOICE_INPUT = 1;
inline constexpr unsigned char RAF_EXPONENT_INPUT = 2; // "+-.1234567890eE"
inline constexpr unsigned char RAF_UNSIGNED_INPUT = 3; // "+.1234567890"
inline constexpr unsigned char RAF_SIGNED_INPUT = 4;   // "+-.1234567890"
inline constexpr unsigned char RAF_INTEGER_INPUT = 7;  // "+1234567890"

// Rules of single rows, beyond what their cells say.
enum Raf_Rule : unsigned {
    RAF_ONE_BASED = 1,          // the file holds the stored code + 1
    RAF_STORES_EMPTY_TEXT = 2,  // an empty field empties its text (others leave it as it was)
    RAF_SINCE_VERSION_03 = 4,   // versions 01 and 02 do not read the row
    RAF_FOUR_BEFORE_03 = 8,     // versions 01 and 02 read four cells
    RAF_PER_THRESHOLD = 16,     // cell i belongs to threshold i (10-3, 10-6, RBER, SES)
};

// Where one cell lives in the record: exactly one of a text array of `size` bytes, a double, an
// integer (-1 for none) or a one-byte code. `name` is the record's name of the field, `index` the
// element of an array field (-1 for a field of its own).
struct Raf_Cell {
    const char* name = "";
    int index = -1;
    char* text = nullptr;
    std::size_t size = 0;
    double* number = nullptr;
    int32_t* integer = nullptr;
    uint8_t* code = nullptr;
};

struct Raf_Keyword {
    const char* keyword; // the keyword, or a heading's label
    Raf_Row_Kind kind;
    int cells;           // value cells: 1 to 5, none for headings and counts
    unsigned char input; // what the form accepts (RAF_..._INPUT)
    int width;           // the form takes width - 1 characters; a text cell in a row of numbers
                         // (the capacity unit) takes what its field holds
    int decimals;        // the form shows numbers with this many decimals
    unsigned rules;      // Raf_Rule flags
    // A heading: the comment line written for it, when it is not "// " and the label. A row of
    // values: a comment written after them. A count: a comment line written before it.
    const char* note;
    // The place of cell 0 to cells - 1.
    Raf_Cell (*cell)(Radio_Record& record, int cell);
    // Brings what the record derives from a cell up to date after the cell was stored; null when
    // nothing is derived from the row.
    void (*derive)(Radio_Record& record, int cell);
};

// Row `row` (0 to 78).
const Raf_Keyword& raf_keyword(int row);
// The row whose keyword is exactly `keyword` (headings included), or -1.
int find_raf_row(const char* keyword);

// The place of cell `cell` of row `row`, a row of values.
Raf_Cell raf_cell(Radio_Record& record, int row, int cell);
// The same place in a record that is only read: nothing may be written through it.
Raf_Cell raf_cell(const Radio_Record& record, int row, int cell);
