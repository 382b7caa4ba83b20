// The radio record's defaults and the values derived from what a file gives.
#include "radio_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The fields a file holds are in the dump of the reset record (tests/data/radio); here the rest.
TEST(RadioRecord, ResetGivesTheDefaults) {
    Radio_Record record;
    record.radio_spec.manufacturer[0] = 'X';
    record.curves.add_curve(CURVE_TX_EMISSION, nullptr);
    record.acm_table.make(3);
    record.acu_table.make(2);
    record.reset();

    const Radio_Spec& s = record.radio_spec;
    EXPECT_STREQ(s.manufacturer, "");
    EXPECT_EQ(s.application_type, 0);
    EXPECT_EQ(s.selective_fading, 1);
    EXPECT_EQ(s.reserved_4, 255);
    EXPECT_EQ(s.reserved_7[0], 255);
    EXPECT_EQ(s.reserved_7[2], 255);
    EXPECT_EQ(s.reserved_10, 0);
    EXPECT_EQ(s.reserved_16, NOT_SET);
    EXPECT_EQ(s.reserved_1040, NOT_SET);
    EXPECT_EQ(s.reserved_1096[2], NOT_SET);
    EXPECT_EQ(s.threshold_copy[3].ber, 0.0);
    for (const Rx_Threshold& t : record.thresholds) {
        EXPECT_EQ(t.spare, 0.0);
    }
    EXPECT_TRUE(record.curves.empty());
    EXPECT_TRUE(record.acm_table.empty());
    EXPECT_TRUE(record.acu_table.empty());
    EXPECT_EQ(record.lock_flag(), 0);
}

TEST(RadioRecord, LockFlagSitsInBytes22And23) {
    Radio_Record record;
    std::strcpy(record.header.identifier, "QV50_RADIO_SPEC_04");
    record.set_lock_flag(666);
    EXPECT_EQ(static_cast<unsigned char>(record.header.identifier[22]), 0x9A);
    EXPECT_EQ(static_cast<unsigned char>(record.header.identifier[23]), 0x02);
    EXPECT_EQ(record.lock_flag(), 666);
    EXPECT_STREQ(record.header.identifier, "QV50_RADIO_SPEC_04");
}

TEST(RadioRecord, PositiveThresholdIsTakenAsNegative) {
    Rx_Threshold threshold{};
    set_threshold_dbm(threshold, 85);
    EXPECT_EQ(threshold.threshold_dbm, -85.0);
    EXPECT_NEAR(threshold.threshold_uv, 12.6, 0.05);
    set_threshold_dbm(threshold, -30);
    EXPECT_NEAR(threshold.threshold_uv, 7071.07, 0.01);
    set_threshold_dbm(threshold, NOT_SET);
    EXPECT_EQ(threshold.threshold_dbm, NOT_SET);
    EXPECT_EQ(threshold.threshold_uv, NOT_SET);
}

TEST(RadioRecord, FirstPowerOptionGivesPowerInWatts) {
    Radio_Spec radio_spec{};
    set_first_tx_power(radio_spec, 30);
    EXPECT_EQ(radio_spec.tx_power_dbm, 30.0);
    EXPECT_DOUBLE_EQ(radio_spec.tx_power_watts, 1.0);
    set_first_tx_power(radio_spec, NOT_SET);
    EXPECT_EQ(radio_spec.tx_power_watts, NOT_SET);
}

TEST(ModulationTable, ModulationsGiveTheirTtoI) {
    const struct {
        const char* modulation;
        double ttoi;
    } cases[] = {
        {"64QAM", 33.5}, {"16TCM", 26.1}, {"QPSK", 22.0}, {"oqpsk", 22.0}, {"4PSK", 22.0},
        {"MSK", 20.2}, {"4qam", 16.6}, {"1024QAM", 46.4}, {"81QPR", 32.1},
        // Unknown texts give no value.
        {"8QAM", NOT_SET}, {"QAM", NOT_SET}, {"64", NOT_SET}, {"", NOT_SET},
        {"99999999999QAM", NOT_SET}, {nullptr, NOT_SET},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(modulation_ttoi(c.modulation), c.ttoi, 1e-5)
            << (c.modulation ? c.modulation : "null");
    }
}

TEST(RadioRecord, CapacitySummary) {
    Radio_Record record;
    EXPECT_EQ(capacity_summary_text(record), "Microwave");
    record.radio_spec.tx_data_rate = 155.52;
    EXPECT_EQ(capacity_summary_text(record), "155.52Mbs");
    record.radio_spec.capacity_count = 16;
    copy_text(record.radio_spec.capacity_unit, "E1");
    EXPECT_EQ(capacity_summary_text(record), "155.52Mbs");
    copy_text(record.radio_spec.modulation, "QPSK");
    EXPECT_EQ(capacity_summary_text(record), "16E1-QPSK");
    record.radio_spec.application_type = APPLICATION_ADAPTIVE_MODULATION;
    EXPECT_EQ(capacity_summary_text(record), "OFDM");
    record.radio_spec.application_type = APPLICATION_LAND_MOBILE;
    make_capacity_summary(record);
    EXPECT_STREQ(record.capacity_summary, "Land mobile");
}

TEST(RadioRecord, CopyTextCutsToTheField) {
    char field[8];
    copy_text(field, "abcdefghijk");
    EXPECT_STREQ(field, "abcdefg");
    copy_text(field, nullptr);
    EXPECT_STREQ(field, "");
}

TEST(AcuConfig, LossesThatDoNotApplyAreCleared) {
    struct Case {
        uint8_t ant;
        bool crc, txs, txf, rxh, rxf, drc; // kept
    };
    const Case cases[] = {
        {ACU_TR, true, true, true, true, true, false},
        {ACU_DR, false, false, false, false, true, true},
        {ACU_TX, true, true, true, false, false, false},
        {ACU_RX, true, false, false, true, true, false},
        {ACU_TH, true, true, true, true, true, false},
        {7, true, true, true, true, true, true},
    };
    for (const Case& c : cases) {
        Acu_Config config = Acu_Config::fresh();
        config.ANT = c.ant;
        config.CRC = config.TXS = config.TXF = config.RXH = config.RXF = config.DRC = 1.5;
        config.reserved_48[1] = 0;
        config.clear_unused_losses();
        EXPECT_EQ(config.CRC != NOT_SET, c.crc) << int(c.ant);
        EXPECT_EQ(config.TXS != NOT_SET, c.txs) << int(c.ant);
        EXPECT_EQ(config.TXF != NOT_SET, c.txf) << int(c.ant);
        EXPECT_EQ(config.RXH != NOT_SET, c.rxh) << int(c.ant);
        EXPECT_EQ(config.RXF != NOT_SET, c.rxf) << int(c.ant);
        EXPECT_EQ(config.DRC != NOT_SET, c.drc) << int(c.ant);
        EXPECT_EQ(config.reserved_48[1], NOT_SET);
    }
}

TEST(AcmState, FreshStateHasNoValues) {
    const Acm_State state = Acm_State::fresh();
    EXPECT_STREQ(state.Mod, "");
    EXPECT_EQ(state.reserved_48, 0.0);
    EXPECT_EQ(state.step_up, NOT_SET);
    EXPECT_EQ(state.ATPC_top[4], NOT_SET);
    EXPECT_EQ(state.max_rxsig, NOT_SET);
    EXPECT_EQ(state.reserved_264[1], NOT_SET);
    EXPECT_EQ(state.reserved_280[15], 0);
    EXPECT_EQ(state.dispfm_step, NOT_SET);
    EXPECT_EQ(state.reserved_320[55], 0);
}

} // namespace
