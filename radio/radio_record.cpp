// Resetting the radio record and the values derived while a file is read.
#include "radio_record.h"

#include "text_helpers.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const threshold_labels[THRESHOLD_COUNT] = {"10-3 BER", "10-6 BER", "RBER", "SES BER"};

namespace {

void reset_threshold(Rx_Threshold& threshold) {
    std::memset(&threshold, 0, sizeof threshold);
    threshold.ber = threshold.threshold_dbm = threshold.threshold_uv = NOT_SET;
    threshold.signature_delay = threshold.signature_width = NOT_SET;
    threshold.signature_minphase = threshold.signature_nonminphase = NOT_SET;
    threshold.dispersive_fm = threshold.max_rx_signal = NOT_SET;
}

void fill(double* values, int count) {
    for (int i = 0; i < count; ++i) {
        values[i] = NOT_SET;
    }
}

void reset_spec(Radio_Spec& radio_spec) {
    std::memset(&radio_spec, 0, sizeof radio_spec);
    radio_spec.selective_fading = 1;
    radio_spec.reserved_4 = 255;
    std::memset(radio_spec.reserved_7, 255, sizeof radio_spec.reserved_7);
    radio_spec.reserved_16 = NOT_SET;
    radio_spec.capacity_count = radio_spec.bits_block = radio_spec.blocks_sec = -1;
    radio_spec.alpha[0] = radio_spec.alpha[1] = radio_spec.alpha[2] = -1;
    // Every double from the data rates to the fixed T-R separation has no value yet.
    fill(&radio_spec.tx_data_rate,
         static_cast<int>((offsetof(Radio_Spec, reserved_1232) - offsetof(Radio_Spec, tx_data_rate)) /
                          sizeof(double)));
}

struct Modulation_Row {
    const char* family;
    int order;
    float b;
    float d;
};

// Columns B and D of the modulation table; their sum is the T/I ratio in dB.
constexpr Modulation_Row modulation_table[] = {
    {"FSK", 2, 16.8f, 3.4f},   {"FSK", 4, 22.8f, 3.4f},    {"FSK", 8, 28.8f, 3.4f},
    {"FSK", 16, 34.8f, 3.4f},  {"CPSK", 2, 16.2f, 0.0f},   {"CPSK", 4, 18.7f, 0.0f},
    {"CPSK", 8, 23.8f, 0.0f},  {"CPSK", 16, 29.5f, 0.0f},  {"DPSK", 2, 16.4f, 0.0f},
    {"DPSK", 4, 22.0f, 0.0f},  {"DPSK", 8, 28.0f, 0.0f},   {"DPSK", 16, 33.5f, 0.0f},
    {"QAM", 4, 18.1f, -1.5f},  {"QAM", 16, 25.1f, 1.0f},   {"QAM", 32, 28.2f, 1.8f},
    {"QAM", 64, 31.3f, 2.2f},  {"QAM", 128, 34.4f, 2.5f},  {"QAM", 256, 37.4f, 2.7f},
    {"QAM", 512, 40.4f, 2.9f}, {"QAM", 1024, 43.4f, 3.0f}, {"QPR", 9, 20.8f, 0.0f},
    {"QPR", 25, 25.1f, 1.6f},  {"QPR", 49, 27.8f, 2.1f},   {"QPR", 81, 29.8f, 2.3f},
};
static_assert(std::size(modulation_table) == 24);

} // namespace

void copy_text(char* field, std::size_t size, const char* text) {
    if (size == 0) {
        return;
    }
    std::memset(field, 0, size);
    if (text != nullptr) {
        std::strncpy(field, text, size - 1);
    }
}

void Radio_Record::reset() {
    destroy();
    std::memset(&header, 0, sizeof header);
    for (Rx_Threshold& threshold : thresholds) {
        reset_threshold(threshold);
    }
    reset_spec(radio_spec);
    std::memset(capacity_summary, 0, sizeof capacity_summary);
}

void Radio_Record::destroy() {
    curves.clear();
    acu_table.clear();
    acm_table.clear();
    header.curve_count = 0;
    header.state_count = 0;
    header.coupling_count = 0;
}

uint16_t Radio_Record::lock_flag() const {
    return static_cast<uint16_t>(static_cast<uint8_t>(header.identifier[22]) |
                                 static_cast<uint8_t>(header.identifier[23]) << 8);
}

void Radio_Record::set_lock_flag(uint16_t flag) {
    header.identifier[22] = static_cast<char>(flag & 0xFF);
    header.identifier[23] = static_cast<char>(flag >> 8);
}

namespace {

template <std::size_t N>
void terminate(char (&text)[N]) {
    text[N - 1] = '\0';
}

} // namespace

void terminate_texts(Radio_Record& record) {
    Radio_Spec& s = record.radio_spec;
    terminate(s.manufacturer);
    terminate(s.model);
    terminate(s.radio_code);
    terminate(s.release_date);
    terminate(s.revision_date);
    terminate(s.revision_num);
    terminate(s.radio_id);
    terminate(s.emission_designator);
    terminate(s.modulation);
    terminate(s.capacity_unit);
    terminate(s.radio_type);
    for (auto& comment : s.comments) {
        terminate(comment);
    }
    for (auto& name : s.tx_power_names) {
        terminate(name);
    }
    for (Rx_Threshold& threshold : record.thresholds) {
        terminate(threshold.description);
    }
    for (Rx_Threshold& threshold : s.threshold_copy) {
        terminate(threshold.description);
    }
    for (Acm_State& state : record.acm_table.rows) {
        terminate(state.thruput);
        terminate(state.Mod);
        terminate(state.RSEC);
    }
    for (Acu_Config& config : record.acu_table.rows) {
        config.Configuration[ACU_NAME_SIZE - 1] = '\0';
    }
}

double threshold_microvolts(double dbm) {
    if (dbm == NOT_SET) {
        return NOT_SET;
    }
    return std::sqrt(std::pow(10.0, (dbm - 30.0) / 10.0) * 50.0) * 1e6;
}

void set_threshold_dbm(Rx_Threshold& threshold, double dbm) {
    if (dbm != NOT_SET && dbm > 0.0) {
        dbm = -dbm;
    }
    threshold.threshold_dbm = dbm;
    threshold.threshold_uv = threshold_microvolts(dbm);
}

void set_first_tx_power(Radio_Spec& radio_spec, double dbm) {
    radio_spec.tx_power_options[0] = dbm;
    radio_spec.tx_power_dbm = dbm;
    radio_spec.tx_power_watts = dbm == NOT_SET ? NOT_SET : std::pow(10.0, (dbm - 30.0) / 10.0);
}

double modulation_ttoi(const char* modulation) {
    if (modulation == nullptr) {
        return NOT_SET;
    }
    char text[32];
    copy_text(text, sizeof text, modulation);
    strip_space(text);

    const char* family = nullptr;
    int order = 0;
    if (equals_nocase(text, "MSK")) {
        family = "FSK";
        order = 2;
    } else if (equals_nocase(text, "QPSK") || equals_nocase(text, "OQPSK") ||
               equals_nocase(text, "4PSK")) {
        family = "DPSK";
        order = 4;
    } else {
        const char* rest = text;
        while (std::isdigit(static_cast<unsigned char>(*rest))) {
            ++rest;
        }
        if (rest == text || *rest == '\0' || rest - text > 6) {
            return NOT_SET;
        }
        order = std::atoi(text);
        family = equals_nocase(rest, "TCM") ? "QAM" : rest;
    }
    for (const Modulation_Row& row : modulation_table) {
        if (row.order == order && equals_nocase(row.family, family)) {
            // The table is single precision, and so is the sum: 31.3 + 2.2 gives 33.5 exactly.
            return static_cast<double>(row.b + row.d);
        }
    }
    return NOT_SET;
}

std::string capacity_summary_text(const Radio_Record& record) {
    const Radio_Spec& radio_spec = record.radio_spec;
    char text[128];
    if (radio_spec.application_type == APPLICATION_LAND_MOBILE) {
        std::snprintf(text, sizeof text, "Land mobile");
    } else if (radio_spec.application_type == APPLICATION_ADAPTIVE_MODULATION) {
        std::snprintf(text, sizeof text, "OFDM");
    } else if (radio_spec.capacity_count != -1 && radio_spec.capacity_unit[0] != '\0' &&
               radio_spec.modulation[0] != '\0') {
        std::snprintf(text, sizeof text, "%d%s-%s", radio_spec.capacity_count, radio_spec.capacity_unit,
                      radio_spec.modulation);
    } else if (radio_spec.tx_data_rate != NOT_SET) {
        std::snprintf(text, sizeof text, "%sMbs", format_fixed(radio_spec.tx_data_rate, 2).c_str());
    } else {
        std::snprintf(text, sizeof text, "Microwave");
    }
    return text;
}

void make_capacity_summary(Radio_Record& record) {
    copy_text(record.capacity_summary, capacity_summary_text(record).c_str());
}
