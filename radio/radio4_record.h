// Radio4_Record: one radio model in the version 4 form, byte for byte the .mrs record, and its
// curves.
#pragma once

#include "radio_curves.h"
#include "text_helpers.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

inline constexpr std::size_t RADIO4_RECORD_SIZE = 923;
inline constexpr std::size_t RADIO4_CURVE_HEAD_SIZE = 45;
inline constexpr std::size_t RADIO4_CURVE_NAME_SIZE = 24;
inline constexpr int RADIO4_COMMENT_COUNT = 6;
// The eleven doubles after FREQ_HI_MHZ that the ASCII file does not carry.
inline constexpr int RADIO4_FURTHER_COUNT = 11;
inline constexpr int RADIO4_RESERVED_COUNT = 18;

// Bits of the flags byte.
inline constexpr uint8_t RADIO4_NB_DIGITAL = 0x80;
inline constexpr uint8_t RADIO4_PDH = 0x40;
inline constexpr uint8_t RADIO4_SDH = 0x20;
inline constexpr uint8_t RADIO4_TYPE_FLAGS = RADIO4_NB_DIGITAL | RADIO4_PDH | RADIO4_SDH;
inline constexpr uint8_t RADIO4_IF_COMBINER = 0x04;
inline constexpr uint8_t RADIO4_COCHANNEL = 0x08;
inline constexpr uint8_t RADIO4_USE_SIGNATURE = 0x10;

#pragma pack(push, 1)

// The equipment signature at one bit error ratio.
struct Radio4_Signature {
    double delay;    // ns
    double width;    // MHz
    double minph;    // dB, minimum phase
    double nonminph; // dB, non-minimum phase
};
static_assert(sizeof(Radio4_Signature) == 32);

// The fixed record; byte-packed, so doubles may stand at odd offsets. Read its doubles by value;
// never bind a reference or a pointer to one.
struct Radio4_Spec {
    char manufact[32];
    char comment[RADIO4_COMMENT_COUNT][32];
    char model[24];
    char emdesig[16];
    char radio_id[16];
    char modulation[8];
    char capacity[8];
    double txpower_dbm;
    double stability_prc; // percent; STABILITY_PPM is this times 10000
    double data_rate;     // Mb/s
    double spectrmbw_mhz;
    double channelbw_mhz;
    double rxthresh_10_3;
    double rxthresh_10_6;
    double dispfm_10_3;
    double dispfm_10_6;
    double maxrxsig_10_3;
    double maxrxsig_10_6;
    double ttoi_cochan_like;
    double ttoi_cochan_cw;
    double atpc_range;
    double num_atpcsteps; // a whole number held in a double
    double freq_lo_mhz;
    double freq_hi_mhz;
    double further[RADIO4_FURTHER_COUNT];
    int32_t curve_count;
    uint8_t flags;
    uint8_t reserved_525[6];
    double residual_ber;
    double rxthresh_rber;
    double ses_ber;
    double rxthresh_ses_ber;
    double xpif;
    double xpd_xpi;
    double if_comb_gain;
    double lcomb_factor;
    double bits_block;
    double blocks_sec;
    double alpha[3];
    Radio4_Signature signature_10_3;
    Radio4_Signature signature_10_6;
    Radio4_Signature signature_ses;
    Radio4_Signature signature_rber;
    double dispfm_ses;
    double dispfm_rber;
    double reserved_779[RADIO4_RESERVED_COUNT];
};

// The head of a curve as the .mrs file stores it.
struct Radio4_Curve_Head {
    char name[RADIO4_CURVE_NAME_SIZE];
    float x_min;
    float x_max;
    double power_integral;
    uint8_t two_sided;
    uint32_t point_count;
};

#pragma pack(pop)

static_assert(sizeof(Radio4_Spec) == RADIO4_RECORD_SIZE);
static_assert(offsetof(Radio4_Spec, comment) == 32);
static_assert(offsetof(Radio4_Spec, model) == 224);
static_assert(offsetof(Radio4_Spec, emdesig) == 248);
static_assert(offsetof(Radio4_Spec, radio_id) == 264);
static_assert(offsetof(Radio4_Spec, modulation) == 280);
static_assert(offsetof(Radio4_Spec, capacity) == 288);
static_assert(offsetof(Radio4_Spec, txpower_dbm) == 296);
static_assert(offsetof(Radio4_Spec, stability_prc) == 304);
static_assert(offsetof(Radio4_Spec, data_rate) == 312);
static_assert(offsetof(Radio4_Spec, spectrmbw_mhz) == 320);
static_assert(offsetof(Radio4_Spec, channelbw_mhz) == 328);
static_assert(offsetof(Radio4_Spec, rxthresh_10_3) == 336);
static_assert(offsetof(Radio4_Spec, rxthresh_10_6) == 344);
static_assert(offsetof(Radio4_Spec, dispfm_10_3) == 352);
static_assert(offsetof(Radio4_Spec, dispfm_10_6) == 360);
static_assert(offsetof(Radio4_Spec, maxrxsig_10_3) == 368);
static_assert(offsetof(Radio4_Spec, maxrxsig_10_6) == 376);
static_assert(offsetof(Radio4_Spec, ttoi_cochan_like) == 384);
static_assert(offsetof(Radio4_Spec, ttoi_cochan_cw) == 392);
static_assert(offsetof(Radio4_Spec, atpc_range) == 400);
static_assert(offsetof(Radio4_Spec, num_atpcsteps) == 408);
static_assert(offsetof(Radio4_Spec, freq_lo_mhz) == 416);
static_assert(offsetof(Radio4_Spec, freq_hi_mhz) == 424);
static_assert(offsetof(Radio4_Spec, further) == 432);
static_assert(offsetof(Radio4_Spec, curve_count) == 520);
static_assert(offsetof(Radio4_Spec, flags) == 524);
static_assert(offsetof(Radio4_Spec, reserved_525) == 525);
static_assert(offsetof(Radio4_Spec, residual_ber) == 531);
static_assert(offsetof(Radio4_Spec, rxthresh_rber) == 539);
static_assert(offsetof(Radio4_Spec, ses_ber) == 547);
static_assert(offsetof(Radio4_Spec, rxthresh_ses_ber) == 555);
static_assert(offsetof(Radio4_Spec, xpif) == 563);
static_assert(offsetof(Radio4_Spec, xpd_xpi) == 571);
static_assert(offsetof(Radio4_Spec, if_comb_gain) == 579);
static_assert(offsetof(Radio4_Spec, lcomb_factor) == 587);
static_assert(offsetof(Radio4_Spec, bits_block) == 595);
static_assert(offsetof(Radio4_Spec, blocks_sec) == 603);
static_assert(offsetof(Radio4_Spec, alpha) == 611);
static_assert(offsetof(Radio4_Spec, signature_10_3) == 635);
static_assert(offsetof(Radio4_Spec, signature_10_6) == 667);
static_assert(offsetof(Radio4_Spec, signature_ses) == 699);
static_assert(offsetof(Radio4_Spec, signature_rber) == 731);
static_assert(offsetof(Radio4_Spec, dispfm_ses) == 763);
static_assert(offsetof(Radio4_Spec, dispfm_rber) == 771);
static_assert(offsetof(Radio4_Spec, reserved_779) == 779);

static_assert(sizeof(Radio4_Curve_Head) == RADIO4_CURVE_HEAD_SIZE);
static_assert(offsetof(Radio4_Curve_Head, x_min) == 24);
static_assert(offsetof(Radio4_Curve_Head, x_max) == 28);
static_assert(offsetof(Radio4_Curve_Head, power_integral) == 32);
static_assert(offsetof(Radio4_Curve_Head, two_sided) == 40);
static_assert(offsetof(Radio4_Curve_Head, point_count) == 41);

// Names of the three curves that exist only while an .mrs file is written.
inline constexpr const char* RADIO4_TX_EMISSION_MASK = "TX_EMISSION_MASK";
inline constexpr const char* RADIO4_RX_SELECTIVITY_MASK = "RX_SELECTIVITY_MASK";
inline constexpr const char* RADIO4_RX_SELECTIVITY_CALC = "RX_SELECTIVITY_CALC";

// One curve: a node of the record's curve list.
struct Radio4_Curve {
    char name[RADIO4_CURVE_NAME_SIZE] = {};
    float x_min = 0.0f;
    float x_max = 0.0f;
    double power_integral = 0.0;
    uint8_t two_sided = 0;
    std::vector<Radio_Point> points; // ascending offsets

    int point_count() const { return static_cast<int>(points.size()); }
    // The head of this curve as the .mrs file stores it.
    Radio4_Curve_Head head() const;
    // True when the curve's name is `name`, ignoring case.
    bool is_named(const char* name) const;
    // Sets the name, cut to 23 characters.
    void set_name(const char* text);
};

// The curves in file order. Nodes are added and removed only through the record, which keeps
// its curve count equal to the number of nodes; the curves themselves may be edited in place.
class Radio4_Curve_List {
public:
    using iterator = std::list<Radio4_Curve>::iterator;
    using const_iterator = std::list<Radio4_Curve>::const_iterator;

    int count() const { return static_cast<int>(m_curves.size()); }
    bool empty() const { return m_curves.empty(); }
    iterator begin() { return m_curves.begin(); }
    iterator end() { return m_curves.end(); }
    const_iterator begin() const { return m_curves.begin(); }
    const_iterator end() const { return m_curves.end(); }
    Radio4_Curve& front() { return m_curves.front(); }
    Radio4_Curve& back() { return m_curves.back(); }
    const Radio4_Curve& front() const { return m_curves.front(); }
    const Radio4_Curve& back() const { return m_curves.back(); }

    // The first curve named `name` (ignoring case), or null.
    Radio4_Curve* find(const char* name);
    const Radio4_Curve* find(const char* name) const;

private:
    friend struct Radio4_Record;
    std::list<Radio4_Curve> m_curves;
};

// The record: the 923-byte fixed part and, in memory only, its curve list.
struct Radio4_Record {
    Radio4_Spec radio_spec;
    Radio4_Curve_List curves;

    Radio4_Record() { reset(); }

    // The values of a new record (PDH, no values) and no curves.
    void reset();

    // Appends a zero-filled curve at the end of the list; the curve count grows by one.
    Radio4_Curve& append_curve();
    // Unlinks and frees the curve at `position` with its points; the count drops by one.
    // Returns the position after it.
    Radio4_Curve_List::iterator unlink_curve(Radio4_Curve_List::iterator position);
    // Unlinks and frees `curve`, which must be a node of this record's list.
    void unlink_curve(const Radio4_Curve& curve);
    // Unlinks every masks and calculated selectivity curve; returns how many there were.
    int remove_derived_curves();
};

// True for the names of the two masks and the calculated selectivity (ignoring case).
bool is_radio4_derived_name(const char* name);

// Sets the curve's points from `count` (offset, dB) pairs in the given order: each point gets
// its linear value 10^(dB/10), the limits come from the first and last pair and the curve is
// two-sided when it starts below -0.001 MHz. A count that differs from the current one and is
// below 2 leaves the curve unchanged and gives false.
bool set_curve_points(Radio4_Curve& curve, int count, const double* pairs);

// The response in dB at offset `f`, as curve_value_at reads a version 5 curve.
double curve_value_at(const Radio4_Curve& curve, double f);

// The curve as a version 5 curve of `type` (points, limits, flags and power integral), named by
// its type.
Radio_Curve to_radio_curve(const Radio4_Curve& curve, int type);
// A version 5 curve as a version 4 curve named `name` (cut to 23 characters).
Radio4_Curve to_radio4_curve(const Radio_Curve& curve, const char* name);

// The record's texts, read safely whatever the bytes hold: at most the field's size.
template <std::size_t N>
std::string radio4_text(const char (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0') {
        ++length;
    }
    return std::string(field, length);
}
