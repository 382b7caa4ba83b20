// The 65 keywords of the version 4 radio record and the texts of their values.
#include "radio4_format.h"
#include "radio4_record.h"
#include "raf_tables.h"

#include "string_list.h"

#include "text_helpers.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t signature_offset(std::size_t set, std::size_t member) {
    return set + member;
}

constexpr std::size_t s10_3 = offsetof(Radio4_Spec, signature_10_3);
constexpr std::size_t s10_6 = offsetof(Radio4_Spec, signature_10_6);
constexpr std::size_t srber = offsetof(Radio4_Spec, signature_rber);
constexpr std::size_t sses = offsetof(Radio4_Spec, signature_ses);
constexpr std::size_t delay = offsetof(Radio4_Signature, delay);
constexpr std::size_t width = offsetof(Radio4_Signature, width);
constexpr std::size_t minph = offsetof(Radio4_Signature, minph);
constexpr std::size_t nonminph = offsetof(Radio4_Signature, nonminph);
constexpr std::size_t flags = offsetof(Radio4_Spec, flags);
constexpr std::size_t comment = offsetof(Radio4_Spec, comment);

#define TEXT(member, keyword, description, width)                                                  \
    Raf4_Keyword {                                                                                 \
        keyword, description, Raf4_Value::text, offsetof(Radio4_Spec, member),                     \
            sizeof(Radio4_Spec::member), 0, width                                                  \
    }
#define NUMBER(member, keyword, description, set)                                                  \
    Raf4_Keyword {                                                                                 \
        keyword, description, Raf4_Value::number, offsetof(Radio4_Spec, member), 0, set, 47        \
    }
#define SIGNATURE(set_offset, member, keyword, description)                                        \
    Raf4_Keyword {                                                                                 \
        keyword, description, Raf4_Value::number, signature_offset(set_offset, member), 0, 3, 47  \
    }

const std::array<Raf4_Keyword, RAF4_KEYWORD_COUNT> keywords = {{
    TEXT(manufact, "MANUFACT", "Manufacturer (char[31])", 31),
    TEXT(model, "MODEL", "Radio model (char [23])", 23),
    {"COMMENT_1", "Comment (char[31])", Raf4_Value::text, comment, 32, 0, 31},
    {"COMMENT_2", "Comment (char[31])", Raf4_Value::text, comment + 32, 32, 0, 31},
    {"COMMENT_3", "Comment (char[31])", Raf4_Value::text, comment + 64, 32, 0, 31},
    {"COMMENT_4", "Comment (char[31])", Raf4_Value::text, comment + 96, 32, 0, 31},
    {"COMMENT_5", "Comment (char[31])", Raf4_Value::text, comment + 128, 32, 0, 31},
    {"COMMENT_6", "Comment (char[31])", Raf4_Value::text, comment + 160, 32, 0, 31},
    TEXT(emdesig, "EMDESIG", "Emission designator (char[15])", 15),
    TEXT(radio_id, "RADIO_ID", "radio id (char[15])", 15),
    TEXT(modulation, "MODULATION", "Modulation QPSK, 128QAM (char[7])", 7),
    TEXT(capacity, "CAPACITY", "Capacity 4E1, 28DS1, STM1 (char[7])", 7),
    {"DATA_RATE", "Data rate Mb/s", Raf4_Value::data_rate, offsetof(Radio4_Spec, data_rate), 0, 3,
     47},
    NUMBER(stability_prc, "STABILITY_PRC", "Frequency stability percent or", 3),
    {"STABILITY_PPM", "Frequency stability parts per million", Raf4_Value::stability_ppm,
     offsetof(Radio4_Spec, stability_prc), 0, 3, 47},
    NUMBER(spectrmbw_mhz, "SPECTRMBW_MHZ", "3 dB spectrum bandwidth (MHz) used for default curves",
           3),
    NUMBER(channelbw_mhz, "CHANNELBW_MHZ", "Channel bandwidth (MHz)", 3),
    NUMBER(maxrxsig_10_3, "MAXRXSIG_10-3", "Maximum receive signal for 10-3 BER (dBm)", 4),
    NUMBER(maxrxsig_10_6, "MAXRXSIG_10-6", "Maximum receive signal for 10-6 BER (dBm)", 4),
    NUMBER(ttoi_cochan_like, "TtoI_COCHAN_LIKE",
           "Threshold to interference ratio like modulation (dB)", 3),
    NUMBER(ttoi_cochan_cw, "TtoI_COCHAN_CW", "Threshold to interference ratio CW modulation (dB)",
           3),
    NUMBER(txpower_dbm, "TXPOWER_DBM", "Transmit power (dBm)", 4),
    NUMBER(freq_lo_mhz, "FREQ_LO_MHZ", "Lower frequency limit (MHz)", 3),
    NUMBER(freq_hi_mhz, "FREQ_HI_MHZ", "Upper frequency limit (MHz)", 3),
    NUMBER(atpc_range, "ATPC_RANGE", "Automatic TX power control range (dB)", 3),
    {"NUM_ATPCSTEPS", "Number of steps in the power control range", Raf4_Value::steps,
     offsetof(Radio4_Spec, num_atpcsteps), 0, 7, 7},
    {"DIGRADIO_TYPE", "PDH, SDH or NB_DIGITAL narrow band digital", Raf4_Value::radio_type, flags,
     0, 0, 47},
    {"SD_OPERATION", "BBS or IFC  baseband switch or IF combiner", Raf4_Value::sd_operation, flags,
     0, 0, 47},
    {"COCHANNEL_OPERATION", "YES or NO", Raf4_Value::cochannel, flags, 0, 0, 47},
    {"USE_SIGNATURE", "YES or NO   use equipment signature", Raf4_Value::use_signature, flags, 0, 0,
     47},
    NUMBER(xpif, "XPIF", "Cochannel XPD improvement factor", 3),
    NUMBER(xpd_xpi, "XPD_XPI", "XPD of the XPIC device", 3),
    NUMBER(if_comb_gain, "IF_COMB_GAIN", "IF combiner gain", 0),
    NUMBER(lcomb_factor, "LCOMB_FACTOR", "IF combiner selective fading improvement factor", 0),
    NUMBER(bits_block, "BITS_BLOCK", "Bits per block (SDH radios only)", 0),
    NUMBER(blocks_sec, "BLOCKS_SEC", "Blocks per second (SDH radios only)", 0),
    {"ALPHA1", "(SDH radios only)", Raf4_Value::number, offsetof(Radio4_Spec, alpha), 0, 0, 47},
    {"ALPHA2", "(SDH radios only)", Raf4_Value::number, offsetof(Radio4_Spec, alpha) + 8, 0, 0, 47},
    {"ALPHA3", "(SDH radios only)", Raf4_Value::number, offsetof(Radio4_Spec, alpha) + 16, 0, 0,
     47},
    SIGNATURE(s10_3, delay, "SIGNATURE_DELAY_10-3", "Signature delay (ns) at BER 10-3"),
    SIGNATURE(s10_3, width, "SIGNATURE_WIDTH_10-3", "Signature width (MHz) at BER 10-3"),
    SIGNATURE(s10_3, minph, "SIGNATURE_MINPH_10-3",
              "Signature depth - minimum phase (dB) at BER 10-3"),
    SIGNATURE(s10_3, nonminph, "SIGNATURE_NONMINPH_10-3",
              "Signature depth - non minmimum phase (dB) at BER 10-3"),
    SIGNATURE(s10_6, delay, "SIGNATURE_DELAY_10-6", "Signature delay (ns) at BER 10-6"),
    SIGNATURE(s10_6, width, "SIGNATURE_WIDTH_10-6", "Signature width (MHz) at BER 10-6"),
    SIGNATURE(s10_6, minph, "SIGNATURE_MINPH_10-6",
              "Signature depth - minimum phase (dB) at BER 10-6"),
    SIGNATURE(s10_6, nonminph, "SIGNATURE_NONMINPH_10-6",
              "Signature depth - non minmimum phase (dB) at BER 10-6"),
    SIGNATURE(srber, delay, "SIGNATURE_DELAY_RBER", "Signature delay (ns) at BER RBER"),
    SIGNATURE(srber, width, "SIGNATURE_WIDTH_RBER", "Signature width (MHz) at BER RBER"),
    SIGNATURE(srber, minph, "SIGNATURE_MINPH_RBER",
              "Signature depth - minimum phase (dB) at BER RBER"),
    SIGNATURE(srber, nonminph, "SIGNATURE_NONMINPH_RBER",
              "Signature depth - non minmimum phase (dB) at BER RBER"),
    SIGNATURE(sses, delay, "SIGNATURE_DELAY_SES", "Signature delay (ns) at BER SES"),
    SIGNATURE(sses, width, "SIGNATURE_WIDTH_SES", "Signature width (MHz) at BER SES"),
    SIGNATURE(sses, minph, "SIGNATURE_MINPH_SES",
              "Signature depth - minimum phase (dB) at BER SES"),
    SIGNATURE(sses, nonminph, "SIGNATURE_NONMINPH_SES",
              "Signature depth - non minmimum phase (dB) at BER SES"),
    NUMBER(dispfm_10_3, "DISPFM_10-3", "Dispersive fade margin at 10-3 BER (dB)", 3),
    NUMBER(dispfm_10_6, "DISPFM_10-6", "Dispersive fade margin at 10-6 BER (dB)", 3),
    NUMBER(dispfm_ses, "DISPFM_SES", "Dispersive fade margin at SES BER (dB)", 3),
    NUMBER(dispfm_rber, "DISPFM_RBER", "Dispersive fade margin at residual BER (dB)", 3),
    NUMBER(rxthresh_10_3, "RXTHRESH_10-3", "RX threshold at 10-3 BER (dBm)", 4),
    NUMBER(rxthresh_10_6, "RXTHRESH_10-6", "RX threshold at 10-6 BER (dBm)", 4),
    NUMBER(residual_ber, "RESIDUAL_BER",
           "Residual bit error rate - scientific notation 1E-10 (SDH radios only)", 3),
    NUMBER(rxthresh_rber, "RXTHRESH_RBER", "RX threshold at RBER (dBm) (SDH radios only)", 4),
    NUMBER(ses_ber, "SES_BER", "SES bit error rate - scientific notation 4.6E-4 (SDH radios only)",
           3),
    NUMBER(rxthresh_ses_ber, "RXTHRESH_SES_BER",
           "RX threshold at BERses (dBm) (SDH radios only )", 4),
}};

#undef TEXT
#undef NUMBER
#undef SIGNATURE

constexpr const char* curve_prefixes[] = {"TtoI_",     "TX_EMISSION", "RX_SELECTIVITY",
                                          "RX_FILTER", "TX_FILTER",   "IRF_"};

double double_at(const Radio4_Spec& radio_spec, std::size_t offset) {
    double value;
    std::memcpy(&value, reinterpret_cast<const char*>(&radio_spec) + offset, sizeof value);
    return value;
}

// A number with two decimals, as the format writes numbers, in the exponent form below 0.005.
std::string two_decimals(double value) {
    if (value == 0.0) {
        return "0.00";
    }
    return std::fabs(value) < 0.005 ? format_exponent(value, 2) : format_fixed(value, 2);
}

// A whole number as "%.d" writes it: nothing for zero.
std::string whole_number(double value) {
    const double whole = std::trunc(value);
    if (!std::isfinite(whole) || whole == 0.0) {
        return {};
    }
    return format_fixed(whole, 0);
}

} // namespace

const Raf4_Keyword& raf4_keyword(int index) { return keywords[static_cast<std::size_t>(index)]; }

int find_raf4_keyword(const char* keyword) {
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        if (std::strcmp(keywords[static_cast<std::size_t>(i)].keyword, keyword) == 0) {
            return i;
        }
    }
    return -1;
}

int match_raf4_line(const char* keyword) {
    // No keyword begins with another, so the first match is the only one; the curve prefix
    // "TtoI_" comes after the keywords that begin with it.
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        if (starts_with_nocase(keyword, keywords[static_cast<std::size_t>(i)].keyword)) {
            return i;
        }
    }
    for (const char* prefix : curve_prefixes) {
        if (starts_with_nocase(keyword, prefix)) {
            return RAF4_CURVE_LINE;
        }
    }
    return RAF4_UNKNOWN_LINE;
}

bool raf4_curve_name_writable(const char* name) {
    if (name == nullptr || name[0] == '\0') {
        return false;
    }
    // A blank or tab would end the name on reading, a line feed its line, and other control
    // characters make the reader refuse the file as not text.
    for (const char* c = name; *c != '\0'; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '\n' || !is_text_byte(static_cast<unsigned char>(*c))) {
            return false;
        }
    }
    return match_raf4_line(name) == RAF4_CURVE_LINE;
}

std::string raf4_value_text(const Radio4_Spec& radio_spec, int index) {
    const Raf4_Keyword& entry = raf4_keyword(index);
    const char* bytes = reinterpret_cast<const char*>(&radio_spec);
    switch (entry.value) {
    case Raf4_Value::text: {
        const char* field = bytes + entry.offset;
        std::size_t length = 0;
        while (length < entry.size && field[length] != '\0') {
            ++length;
        }
        return std::string(field, length);
    }
    case Raf4_Value::number:
    case Raf4_Value::data_rate:
        return raf_double(double_at(radio_spec, entry.offset));
    case Raf4_Value::stability_ppm: {
        // Only a second view of STABILITY_PRC, which carries the value: two decimals are enough.
        const double percent = double_at(radio_spec, entry.offset);
        return percent == NOT_SET ? std::string() : two_decimals(percent * 10000.0);
    }
    case Raf4_Value::steps: {
        // As an integer; -1, 0 and 222 (which NOT_SET becomes) are no value.
        const double steps = std::trunc(double_at(radio_spec, entry.offset));
        if (steps == -1.0 || steps == 222.0) {
            return {};
        }
        return whole_number(steps);
    }
    case Raf4_Value::radio_type: {
        // Checked in this order; the last flag set wins.
        const char* type = "";
        if (radio_spec.flags & RADIO4_NB_DIGITAL) {
            type = "NB_DIGITAL";
        }
        if (radio_spec.flags & RADIO4_PDH) {
            type = "PDH";
        }
        if (radio_spec.flags & RADIO4_SDH) {
            type = "SDH";
        }
        return type;
    }
    case Raf4_Value::sd_operation:
        return radio_spec.flags & RADIO4_IF_COMBINER ? "IFC" : "BBS";
    case Raf4_Value::cochannel:
        return radio_spec.flags & RADIO4_COCHANNEL ? "YES" : "NO";
    case Raf4_Value::use_signature:
        return radio_spec.flags & RADIO4_USE_SIGNATURE ? "YES" : "NO";
    }
    return {};
}
