// Converting the older main blocks (forms A and B) into the version 5 record.
#include "rsd_old_blocks.h"

#include "raf_tables.h"
#include "radio_record.h"

#include "byte_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Reads fields of a stored block; a field the block does not hold whole is left as it is.
class Block {
public:
    Block(const unsigned char* data, std::size_t present) : m_data(data), m_present(present) {}

    void bytes(std::size_t offset, void* target, std::size_t size) const {
        if (offset + size <= m_present) {
            std::memcpy(target, m_data + offset, size);
        }
    }
    template <typename T>
    void value(std::size_t offset, T& target) const {
        bytes(offset, &target, sizeof target);
    }
    // `count` doubles from `offset` on.
    void doubles(std::size_t offset, double* target, int count) const {
        for (int i = 0; i < count; ++i) {
            value(offset + 8 * static_cast<std::size_t>(i), target[i]);
        }
    }
    template <std::size_t N>
    void text(std::size_t offset, char (&target)[N]) const {
        bytes(offset, target, N);
        target[N - 1] = '\0';
    }

private:
    const unsigned char* m_data;
    std::size_t m_present;
};

void decode_form_b(const Block& b, Radio_Spec& s, Acm_State* states) {
    b.bytes(0, &s, 10);
    b.value(11, s.selectivity_source);
    b.value(24, s.reserved_16);
    b.text(32, s.manufacturer);
    b.text(80, s.model);
    b.text(128, s.radio_code);
    b.text(176, s.release_date);
    b.text(200, s.revision_date);
    b.text(224, s.revision_num);
    b.text(260, s.radio_id);
    b.text(308, s.emission_designator);
    b.text(324, s.modulation);
    b.text(340, s.capacity_unit);
    b.text(356, s.radio_type);
    for (int i = 0; i < COMMENT_COUNT; ++i) {
        b.text(380 + 48 * static_cast<std::size_t>(i), s.comments[i]);
    }
    for (int i = 0; i < TX_POWER_OPTION_COUNT; ++i) {
        b.text(668 + 16 * static_cast<std::size_t>(i), s.tx_power_names[i]);
    }
    b.value(748, s.capacity_count);
    for (int n = 0; n < OLD_ACM_ENTRIES; ++n) {
        // Each row is the first 280 bytes of a state.
        b.bytes(752 + 280 * static_cast<std::size_t>(n), &states[n], 280);
    }
    b.value(3552, s.bits_block);
    b.value(3556, s.blocks_sec);
    b.bytes(3560, s.alpha, sizeof s.alpha);
    b.value(3576, s.tx_data_rate);
    b.value(3584, s.rx_data_rate);
    b.value(3592, s.freq_low);
    b.value(3600, s.freq_high);
    b.value(3608, s.tx_stability);
    b.doubles(3616, s.tx_power_options, 5);
    b.doubles(3656, s.tx_power_min_options, 5);
    b.doubles(3696, s.atpc_options, 5);
    b.value(3736, s.tx_power_min);
    b.value(3744, s.tx_power_max);
    b.value(3752, s.tx_power_dbm);
    b.value(3760, s.tx_power_watts);
    b.value(3768, s.gain_width_depth[0]);
    b.value(3784, s.bandwidth_3db_tx);
    b.value(3792, s.bandwidth_3db_rx);
    b.value(3800, s.bandwidth_channel);
    b.value(3808, s.bandwidth_fcc);
    b.value(3816, s.bandwidth_99pc);
    b.value(3824, s.effective_noise_floor);
    b.value(3840, s.noise_figure);
    b.value(3848, s.reserved_1040);
    b.value(3856, s.ctoi_ber_10_3);
    b.value(3864, s.ctoi_ber_10_6);
    b.value(3872, s.ttoi_ratio);
    b.value(3880, s.ttoi_cw);
    b.value(3888, s.cochannel_xpif);
    b.value(3896, s.cochannel_xpd_xpi);
    b.doubles(3904, s.reserved_1096, 3);
    b.value(3936, s.simulcast_capture_range);
    b.value(3944, s.atpc_range);
    b.value(3960, s.atpc_step);
    b.doubles(3968, s.freq_separations, FREQ_SEPARATION_COUNT);
    b.value(4032, s.tr_fixed);
    b.bytes(4040, s.reserved_1232, sizeof s.reserved_1232);
    b.bytes(4048, s.threshold_copy, sizeof s.threshold_copy);
}

void decode_form_a(const Block& a, Radio_Spec& s, Acm_State* states) {
    a.bytes(0, &s, 10);
    a.value(10, s.selectivity_source);
    a.value(16, s.reserved_16);
    a.text(24, s.manufacturer);
    a.text(72, s.model);
    a.text(120, s.radio_code);
    a.text(168, s.release_date);
    a.text(192, s.revision_date);
    a.text(216, s.revision_num);
    a.text(252, s.radio_id);
    a.text(300, s.emission_designator);
    a.text(316, s.modulation);
    a.text(332, s.capacity_unit);
    a.text(348, s.radio_type);
    for (int i = 0; i < COMMENT_COUNT; ++i) {
        a.text(372 + 48 * static_cast<std::size_t>(i), s.comments[i]);
    }
    a.value(660, s.capacity_count);
    for (int n = 0; n < 8; ++n) {
        // First part of a state: its two names and the doubles at 64, 72 and 80 of the state.
        const std::size_t row = 664 + 96 * static_cast<std::size_t>(n);
        a.bytes(row, states[n].thruput, 16);
        a.bytes(row + 16, states[n].Mod, 16);
        states[n].thruput[15] = states[n].Mod[15] = '\0';
        a.value(row + 64, states[n].step_dn);
        a.value(row + 72, states[n].RXthr10_6);
        a.value(row + 80, states[n].min_ctoi);
    }
    a.value(1436, s.bits_block);
    a.value(1440, s.blocks_sec);
    a.bytes(1444, s.alpha, sizeof s.alpha);
    a.value(1456, s.tx_data_rate);
    a.value(1464, s.freq_low);
    a.value(1472, s.freq_high);
    a.value(1480, s.tx_stability);
    a.value(1488, s.tx_power_options[0]);
    a.doubles(1496, s.tx_power_options + 1, 3);
    a.value(1520, s.tx_power_min);
    a.value(1528, s.tx_power_max);
    a.value(1536, s.tx_power_dbm);
    a.value(1544, s.tx_power_watts);
    a.value(1552, s.gain_width_depth[0]);
    a.value(1568, s.bandwidth_3db_tx);
    a.value(1576, s.bandwidth_channel);
    a.value(1584, s.bandwidth_fcc);
    a.value(1592, s.bandwidth_99pc);
    a.value(1600, s.effective_noise_floor);
    a.value(1608, s.noise_figure);
    a.value(1616, s.reserved_1040);
    a.value(1624, s.ctoi_ber_10_3);
    a.value(1632, s.ctoi_ber_10_6);
    a.value(1640, s.ttoi_ratio);
    a.value(1648, s.ttoi_cw);
    a.value(1656, s.cochannel_xpif);
    a.value(1664, s.cochannel_xpd_xpi);
    a.doubles(1672, s.reserved_1096, 3);
    a.value(1704, s.simulcast_capture_range);
    a.value(1712, s.atpc_range);
    a.value(1728, s.atpc_step);
    a.doubles(1736, s.freq_separations, FREQ_SEPARATION_COUNT);
    a.value(1800, s.tr_fixed);
    for (int n = 0; n < 8; ++n) {
        // Second part of a state: the six signature and margin values at 216 to 256 of the state,
        // stored in a row that starts where the state's XPIF would be.
        const std::size_t row = 1816 + 64 * static_cast<std::size_t>(n);
        a.bytes(row + 8, &states[n].sig_delay, 6 * sizeof(double));
    }
    a.doubles(2328, s.atpc_options, 4);
    a.bytes(2360, s.reserved_1232, sizeof s.reserved_1232);
    a.value(2368, s.bandwidth_3db_rx);
    a.value(2376, s.rx_data_rate);
    a.bytes(2384, s.threshold_copy, sizeof s.threshold_copy);
}

// Version 01 files left some values to be taken from their partners.
void complete_version_1(Radio_Spec& s) {
    if (s.bandwidth_3db_rx == NOT_SET && s.bandwidth_3db_tx != NOT_SET) {
        s.bandwidth_3db_rx = s.bandwidth_3db_tx;
    }
    if (s.rx_data_rate == NOT_SET && s.tx_data_rate != NOT_SET) {
        s.rx_data_rate = s.tx_data_rate;
    }
    if (s.atpc_options[0] == NOT_SET && s.tx_power_options[0] != NOT_SET &&
        s.atpc_range != NOT_SET) {
        s.atpc_options[0] = s.atpc_range;
        s.atpc_range = NOT_SET;
    }
}

} // namespace

void decode_old_main_block(const unsigned char* data, std::size_t present, bool form_b,
                           int version, Radio_Record& record) {
    Acm_State states[OLD_ACM_ENTRIES];
    std::fill(std::begin(states), std::end(states), Acm_State::fresh());
    const Block block(data, present);
    if (form_b) {
        decode_form_b(block, record.radio_spec, states);
    } else {
        decode_form_a(block, record.radio_spec, states);
        if (version == 1) {
            complete_version_1(record.radio_spec);
        }
    }
    for (Acm_State& state : states) {
        state.thruput[15] = state.Mod[15] = state.RSEC[15] = '\0';
    }
    for (Rx_Threshold& copy : record.radio_spec.threshold_copy) {
        copy.description[sizeof copy.description - 1] = '\0';
    }
    make_acm_table_from_entries(record.acm_table, states);
}

void read_old_main_block(Byte_Reader& file, Radio_Record& record, int version, uint32_t stored_size) {
    const bool form_b = version == 3 && stored_size >= 3000;
    const std::size_t form_size = form_b ? OLD_FORM_B_SIZE : OLD_FORM_A_SIZE;
    std::vector<unsigned char> block(form_size, 0);
    file.read_aligned(reinterpret_cast<char*>(block.data()), form_size, stored_size);
    decode_old_main_block(block.data(), std::min<std::size_t>(stored_size, form_size), form_b,
                          version, record);
}
