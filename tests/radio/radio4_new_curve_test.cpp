// The rules of the version 4 New curve dialog: enabled types, the radio's own traffic code, and
// the names given or refused.
#include "radio4_new_curve.h"
#include "radio4_record.h"
#include "radio4_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using kelvor_test::add_curve;

namespace {

// A record holding TtoI_16E1-QPSK, IRF_16E1-QPSK and a TX emission curve spelled in lower case.
Radio4_Record record_with_curves() {
    Radio4_Record record;
    add_curve(record, "TtoI_16E1-QPSK", {-10, 20, 10, 20});
    add_curve(record, "IRF_16E1-QPSK", {0, 0, 5, 10});
    add_curve(record, "tx_emission", {-5, 0, 5, 0});
    return record;
}

TEST(Radio4NewCurve, TheFixedTypesAreEnabledWhileTheRecordLacksTheirCurve) {
    const Radio4_Record record = record_with_curves();
    const Radio4_Record empty;
    struct Case {
        Radio4_New_Kind kind;
        bool with_curves;
        bool empty_record;
    };
    const Case cases[] = {
        {Radio4_New_Kind::ttoi, true, true},
        {Radio4_New_Kind::irf, true, true},
        {Radio4_New_Kind::ttoi_cw, true, true},
        {Radio4_New_Kind::tx_emission, false, true},
        {Radio4_New_Kind::rx_selectivity, true, true},
        {Radio4_New_Kind::rx_filter, true, true},
        {Radio4_New_Kind::tx_filter, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(radio4_new_kind_available(record.curves, c.kind), c.with_curves)
            << static_cast<int>(c.kind);
        EXPECT_EQ(radio4_new_kind_available(empty.curves, c.kind), c.empty_record)
            << static_cast<int>(c.kind);
    }
    Radio4_Record all;
    for (const char* name : {"TtoI_CW", "TX_EMISSION", "RX_SELECTIVITY", "RX_FILTER", "TX_FILTER"}) {
        add_curve(all, name, {0, 0, 1, 1});
    }
    for (Radio4_New_Kind kind : RADIO4_NEW_KINDS) {
        EXPECT_EQ(radio4_new_kind_available(all.curves, kind),
                  kind == Radio4_New_Kind::ttoi || kind == Radio4_New_Kind::irf)
            << static_cast<int>(kind);
    }
}

TEST(Radio4NewCurve, TheOwnTrafficCodeIsCapacityAndModulation) {
    struct Case {
        const char* capacity;
        const char* modulation;
        const char* shown;
    };
    const Case cases[] = {
        {"16E1", "QPSK", "16E1-QPSK"},
        {"", "QPSK", "Not specified"},
        {"16E1", "", "Not specified"},
        {"", "", "Not specified"},
        // Both fields full to their eighth byte, without a terminating zero.
        {"12345678", "ABCDEFGH", "12345678-ABCDEFGH"},
    };
    for (const Case& c : cases) {
        Radio4_Record record;
        std::memset(record.radio_spec.capacity, 0, sizeof record.radio_spec.capacity);
        std::memset(record.radio_spec.modulation, 0, sizeof record.radio_spec.modulation);
        std::memcpy(record.radio_spec.capacity, c.capacity, std::strlen(c.capacity));
        std::memcpy(record.radio_spec.modulation, c.modulation, std::strlen(c.modulation));
        EXPECT_EQ(radio4_own_traffic_code(record.radio_spec), c.shown) << c.capacity;
    }
}

TEST(Radio4NewCurve, NamesAndRefusals) {
    const Radio4_Record record = record_with_curves();
    struct Case {
        Radio4_New_Kind kind;
        const char* code;
        const char* name;
        int refusal;
        const char* message;
    };
    const Case cases[] = {
        {Radio4_New_Kind::ttoi, "8E1-QPSK", "TtoI_8E1-QPSK", 0, ""},
        {Radio4_New_Kind::irf, " \t8E1-QPSK  ", "IRF_8E1-QPSK", 0, ""},
        {Radio4_New_Kind::ttoi, "", "", 212, "A traffic code must be specified."},
        {Radio4_New_Kind::irf, "   ", "", 212, "A traffic code must be specified."},
        // Names compare ignoring case; the message names the curve as it would have been named.
        {Radio4_New_Kind::irf, "16e1-qpsk", "", 213,
         "This curve identifier already exists.\r\nIRF_16e1-qpsk"},
        {Radio4_New_Kind::ttoi, "16E1-QPSK", "", 213,
         "This curve identifier already exists.\r\nTtoI_16E1-QPSK"},
        // A TtoI code may repeat an IRF one.
        {Radio4_New_Kind::ttoi, "2E1", "TtoI_2E1", 0, ""},
        // Longer codes than the edit takes are cut to its 15 characters.
        {Radio4_New_Kind::ttoi, "ABCDEFGHIJKLMNOPQRST", "TtoI_ABCDEFGHIJKLMNO", 0, ""},
        // The fixed types ignore the code.
        {Radio4_New_Kind::ttoi_cw, "", "TtoI_CW", 0, ""},
        {Radio4_New_Kind::rx_selectivity, "16E1", "RX_SELECTIVITY", 0, ""},
        {Radio4_New_Kind::rx_filter, "", "RX_FILTER", 0, ""},
        {Radio4_New_Kind::tx_filter, "", "TX_FILTER", 0, ""},
        {Radio4_New_Kind::tx_emission, "", "", 213,
         "This curve identifier already exists.\r\nTX_EMISSION"},
    };
    for (const Case& c : cases) {
        const Radio4_New_Curve result = radio4_new_curve(record.curves, c.kind, c.code);
        EXPECT_EQ(result.name, c.name) << c.code;
        EXPECT_EQ(result.refusal, c.refusal) << c.code;
        EXPECT_EQ(result.message, c.message) << c.code;
        EXPECT_EQ(result.accepted(), c.refusal == 0) << c.code;
    }
}

} // namespace
