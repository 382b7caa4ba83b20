// Radio_Record: one radio model in the version 5 form. Its fixed part is the binary file's layout.
#pragma once

#include "acm_acu_tables.h"
#include "radio_curves.h"
#include "text_helpers.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr int THRESHOLD_COUNT = 4;
inline constexpr int THRESHOLD_10_3 = 0;
inline constexpr int THRESHOLD_10_6 = 1;
inline constexpr int THRESHOLD_RBER = 2;
inline constexpr int THRESHOLD_SES = 3;

inline constexpr int TX_POWER_OPTION_COUNT = 5;
inline constexpr int COMMENT_COUNT = 6;
inline constexpr int FREQ_SEPARATION_COUNT = 8;

// Application types, stored 0-based (the file holds them 1-based).
inline constexpr uint8_t APPLICATION_MICROWAVE = 0;
inline constexpr uint8_t APPLICATION_ADAPTIVE_MODULATION = 1;
inline constexpr uint8_t APPLICATION_LAND_MOBILE = 2;

// The header the binary file starts with; it also records the stored size of each structure.
struct Radio_Header {
    char identifier[24];        // "QV50_RADIO_SPEC_04"; the lock flag lives in bytes 22 and 23
    uint32_t threshold_size;    // 136
    uint32_t spec_size;         // 1808
    uint32_t coupling_size;     // 128
    uint32_t curve_header_size; // 112
    int32_t curve_count;
    uint32_t state_size; // 376
    int32_t state_count;
    int32_t coupling_count;
};
static_assert(sizeof(Radio_Header) == 56);
static_assert(offsetof(Radio_Header, threshold_size) == 24);
static_assert(offsetof(Radio_Header, curve_count) == 40);
static_assert(offsetof(Radio_Header, coupling_count) == 52);

// One receiver threshold set (10-3 BER, 10-6 BER, RBER, SES BER).
struct Rx_Threshold {
    uint8_t kind;
    uint8_t padding[7];
    double ber;
    double threshold_dbm;
    double threshold_uv;
    double signature_delay;
    double signature_width;
    double signature_minphase;
    double signature_nonminphase;
    double dispersive_fm;
    double max_rx_signal;
    char description[48];
    double spare;
};
static_assert(sizeof(Rx_Threshold) == 136);
static_assert(offsetof(Rx_Threshold, ber) == 8);
static_assert(offsetof(Rx_Threshold, threshold_uv) == 24);
static_assert(offsetof(Rx_Threshold, max_rx_signal) == 72);
static_assert(offsetof(Rx_Threshold, description) == 80);
static_assert(offsetof(Rx_Threshold, spare) == 128);

// The fixed description of the radio; byte for byte the binary file's main block.
struct Radio_Spec {
    uint8_t application_type;
    uint8_t space_div_operation;
    uint8_t cochannel_operation;
    uint8_t selective_fading;
    uint8_t reserved_4;
    uint8_t reserved_5[2];
    uint8_t reserved_7[3];
    uint8_t reserved_10;
    uint8_t selectivity_source;
    uint8_t reserved_12[4];
    double reserved_16;
    char manufacturer[48];
    char model[48];
    char radio_code[48];
    char release_date[24];
    char revision_date[24];
    char revision_num[36];
    char radio_id[48];
    char emission_designator[16];
    char modulation[16];
    char capacity_unit[16];
    char radio_type[24];
    char comments[COMMENT_COUNT][48];
    char tx_power_names[TX_POWER_OPTION_COUNT][16];
    int32_t capacity_count;
    int32_t bits_block;
    int32_t blocks_sec;
    int32_t alpha[3];
    uint8_t padding_764[4];
    double tx_data_rate;
    double rx_data_rate;
    double freq_low;
    double freq_high;
    double tx_stability;
    double tx_power_options[TX_POWER_OPTION_COUNT];
    double tx_power_min_options[TX_POWER_OPTION_COUNT];
    double atpc_options[TX_POWER_OPTION_COUNT];
    double tx_power_min;
    double tx_power_max;
    double tx_power_dbm;
    double tx_power_watts;
    double gain_width_depth[2];
    double bandwidth_3db_tx;
    double bandwidth_3db_rx;
    double bandwidth_channel;
    double bandwidth_fcc;
    double bandwidth_99pc;
    double effective_noise_floor;
    double noise_floor_ktbf;
    double noise_figure;
    double reserved_1040;
    double ctoi_ber_10_3;
    double ctoi_ber_10_6;
    double ttoi_ratio;
    double ttoi_cw;
    double cochannel_xpif;
    double cochannel_xpd_xpi;
    double reserved_1096[3];
    double signature_depth_factor;
    double simulcast_capture_range;
    double atpc_range;
    double required_rx_signal;
    double atpc_step;
    double freq_separations[FREQ_SEPARATION_COUNT];
    double tr_fixed;
    uint8_t reserved_1232[8];
    Rx_Threshold threshold_copy[THRESHOLD_COUNT];
    uint8_t reserved_1784[24];
};
static_assert(sizeof(Radio_Spec) == 1808);
static_assert(offsetof(Radio_Spec, selectivity_source) == 11);
static_assert(offsetof(Radio_Spec, reserved_16) == 16);
static_assert(offsetof(Radio_Spec, manufacturer) == 24);
static_assert(offsetof(Radio_Spec, model) == 72);
static_assert(offsetof(Radio_Spec, radio_code) == 120);
static_assert(offsetof(Radio_Spec, release_date) == 168);
static_assert(offsetof(Radio_Spec, revision_date) == 192);
static_assert(offsetof(Radio_Spec, revision_num) == 216);
static_assert(offsetof(Radio_Spec, radio_id) == 252);
static_assert(offsetof(Radio_Spec, emission_designator) == 300);
static_assert(offsetof(Radio_Spec, modulation) == 316);
static_assert(offsetof(Radio_Spec, capacity_unit) == 332);
static_assert(offsetof(Radio_Spec, radio_type) == 348);
static_assert(offsetof(Radio_Spec, comments) == 372);
static_assert(offsetof(Radio_Spec, tx_power_names) == 660);
static_assert(offsetof(Radio_Spec, capacity_count) == 740);
static_assert(offsetof(Radio_Spec, bits_block) == 744);
static_assert(offsetof(Radio_Spec, blocks_sec) == 748);
static_assert(offsetof(Radio_Spec, alpha) == 752);
static_assert(offsetof(Radio_Spec, tx_data_rate) == 768);
static_assert(offsetof(Radio_Spec, rx_data_rate) == 776);
static_assert(offsetof(Radio_Spec, freq_low) == 784);
static_assert(offsetof(Radio_Spec, tx_stability) == 800);
static_assert(offsetof(Radio_Spec, tx_power_options) == 808);
static_assert(offsetof(Radio_Spec, tx_power_min_options) == 848);
static_assert(offsetof(Radio_Spec, atpc_options) == 888);
static_assert(offsetof(Radio_Spec, tx_power_min) == 928);
static_assert(offsetof(Radio_Spec, tx_power_dbm) == 944);
static_assert(offsetof(Radio_Spec, tx_power_watts) == 952);
static_assert(offsetof(Radio_Spec, gain_width_depth) == 960);
static_assert(offsetof(Radio_Spec, bandwidth_3db_tx) == 976);
static_assert(offsetof(Radio_Spec, bandwidth_3db_rx) == 984);
static_assert(offsetof(Radio_Spec, bandwidth_channel) == 992);
static_assert(offsetof(Radio_Spec, bandwidth_fcc) == 1000);
static_assert(offsetof(Radio_Spec, bandwidth_99pc) == 1008);
static_assert(offsetof(Radio_Spec, effective_noise_floor) == 1016);
static_assert(offsetof(Radio_Spec, noise_floor_ktbf) == 1024);
static_assert(offsetof(Radio_Spec, noise_figure) == 1032);
static_assert(offsetof(Radio_Spec, reserved_1040) == 1040);
static_assert(offsetof(Radio_Spec, ctoi_ber_10_3) == 1048);
static_assert(offsetof(Radio_Spec, ctoi_ber_10_6) == 1056);
static_assert(offsetof(Radio_Spec, ttoi_ratio) == 1064);
static_assert(offsetof(Radio_Spec, ttoi_cw) == 1072);
static_assert(offsetof(Radio_Spec, cochannel_xpif) == 1080);
static_assert(offsetof(Radio_Spec, cochannel_xpd_xpi) == 1088);
static_assert(offsetof(Radio_Spec, reserved_1096) == 1096);
static_assert(offsetof(Radio_Spec, signature_depth_factor) == 1120);
static_assert(offsetof(Radio_Spec, simulcast_capture_range) == 1128);
static_assert(offsetof(Radio_Spec, atpc_range) == 1136);
static_assert(offsetof(Radio_Spec, required_rx_signal) == 1144);
static_assert(offsetof(Radio_Spec, atpc_step) == 1152);
static_assert(offsetof(Radio_Spec, freq_separations) == 1160);
static_assert(offsetof(Radio_Spec, tr_fixed) == 1224);
static_assert(offsetof(Radio_Spec, reserved_1232) == 1232);
static_assert(offsetof(Radio_Spec, threshold_copy) == 1240);
static_assert(offsetof(Radio_Spec, reserved_1784) == 1784);

// The record: header, owned curve and table lists, the four thresholds and the fixed part.
struct Radio_Record {
    Radio_Header header;
    Acu_Table acu_table;
    Radio_Curve_List curves;
    Rx_Threshold thresholds[THRESHOLD_COUNT];
    Radio_Spec radio_spec;
    Acm_Table acm_table;
    char capacity_summary[48];

    Radio_Record() { reset(); }

    // Empties the record to its defaults and frees its curves and tables.
    void reset();
    // Frees the curves and both tables.
    void destroy();

    // The lock flag stored in bytes 22 and 23 of the identifier.
    uint16_t lock_flag() const;
    void set_lock_flag(uint16_t flag);
};

// Puts a terminator in the last byte of every text array of the record, so that texts read from a
// binary file of another program never run into the fields after them.
void terminate_texts(Radio_Record& record);

// Labels of the four thresholds, as the editor shows them.
extern const char* const threshold_labels[THRESHOLD_COUNT];

// Microvolts across 50 ohms of a level in dBm; NOT_SET for NOT_SET.
double threshold_microvolts(double dbm);

// Sets the threshold in dBm (a positive value is taken as its negative) and its microvolts.
void set_threshold_dbm(Rx_Threshold& threshold, double dbm);

// Sets the first TX power option and the TX power in dBm and watts derived from it.
void set_first_tx_power(Radio_Spec& radio_spec, double dbm);

// T/I ratio in dB that the modulation table gives for a modulation text ("64QAM", "QPSK",
// "16TCM", ...), or NOT_SET when the text is not recognised.
double modulation_ttoi(const char* modulation);

// The short capacity text shown for a radio: "Land mobile", "OFDM", "16E1-QPSK", "155.52Mbs" or
// "Microwave".
std::string capacity_summary_text(const Radio_Record& record);
// Fills capacity_summary as it is shown after a binary file was read.
void make_capacity_summary(Radio_Record& record);

// Copies `text` into the fixed array `field` of `size` bytes, cut to size - 1 characters.
void copy_text(char* field, std::size_t size, const char* text);

template <std::size_t N>
void copy_text(char (&field)[N], const char* text) {
    copy_text(field, N, text);
}
