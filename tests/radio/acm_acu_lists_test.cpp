// The adaptive-modulation and coupling unit lists' rules over the record's tables.
#include "acm_acu_lists.h"
#include "radio_test_support.h"
#include "rsd_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Column numbers of the adaptive-modulation list.
enum { MOD, THRUPUT, RSEC, TX_POWER, RX_THR, STEP_UP, STEP_DN, MIN_CI, DISP_FM, DISP_STEP,
       SIG_DELAY, SIG_WIDTH, MIN_PH, NMIN_PH, MIN_PH_STEP, NMIN_PH_STEP, MAX_RX, XPIF };
// Of the coupling unit list.
enum { CONFIGURATION, ANTENNA, CRC, TXS, TXF, RXH, RXF, DRC };

TEST(AcmAcuLists, ColumnsTakeTheirLimitsAndSets) {
    ASSERT_EQ(acm_list_columns().size(), 18u);
    ASSERT_EQ(acu_list_columns().size(), 8u);
    const std::vector<int> signed_acm{TX_POWER, RX_THR, STEP_UP, STEP_DN, MIN_CI, MAX_RX};
    for (int column = 0; column < 18; ++column) {
        const List_Column& c = acm_list_columns()[static_cast<std::size_t>(column)];
        SCOPED_TRACE(c.title);
        const bool text = column <= RSEC;
        const bool is_signed =
            std::find(signed_acm.begin(), signed_acm.end(), column) != signed_acm.end();
        EXPECT_EQ(c.limit_plus_one, text ? 16 : 12);
        EXPECT_EQ(c.char_set, text ? 0 : is_signed ? 6 : 5);
        EXPECT_EQ(c.kind, LIST_TEXT_KIND);
        EXPECT_TRUE(c.editable);
    }
    EXPECT_STREQ(acm_list_columns()[TX_POWER].title, "TX Power (dBm)");
    EXPECT_STREQ(acu_list_columns()[RXH].title, "RX hybrid multicoupler loss");
    EXPECT_EQ(acu_list_columns()[RXH].char_set, 6);
    EXPECT_EQ(acu_list_columns()[RXF].char_set, 5);
    EXPECT_EQ(acu_list_columns()[CONFIGURATION].limit_plus_one, 47);
    EXPECT_EQ(acu_list_columns()[ANTENNA].kind, LIST_CHOICE_KIND);
}

struct Store_Case {
    int column;
    const char* typed;
    const char* shown;
};

TEST(AcmAcuLists, EnteredTextsAreStoredByTheirColumnsRule) {
    const Store_Case cases[] = {
        {TX_POWER, "12.345", "12.3"},
        {TX_POWER, "-3", "-3.0"},
        {TX_POWER, "0", "0.0"},
        {DISP_FM, "-3", ""},          // set 5 has no minus
        {DISP_FM, "X", ""},           // X: no value
        {XPIF, "1e3", ""},
        {MIN_CI, "", ""},
        {SIG_DELAY, " 4.26 ", "4.3"},
        {MAX_RX, "-12345678901234", "-1234567890.0"}, // the edit box's 11 characters
        {MOD, "  64QAM  ", "64QAM"},
        {MOD, "QAM,strong//x", "QAM;strong/ /x"}, // what the file can hold
        {THRUPUT, "1234567890123456789", "123456789012345"},
    };
    Acm_Table table;
    table.make(1);
    Acm_List list(table);
    for (const Store_Case& c : cases) {
        SCOPED_TRACE(std::string(acm_list_columns()[c.column].title) + " <- " + c.typed);
        list.store(0, c.column, c.typed);
        EXPECT_EQ(list.text(0, c.column), c.shown);
    }
    list.store(0, DISP_FM, "X");
    EXPECT_EQ(table[0].dispfm10_6, NOT_SET);
    EXPECT_EQ(list.store(0, DISP_FM, "x"), List_Store::unchanged);
    EXPECT_EQ(list.store(3, MOD, "64QAM"), List_Store::unchanged) << "below the new row";
    EXPECT_EQ(list.store(0, 18, "1"), List_Store::unchanged) << "no such column";
}

TEST(AcmAcuLists, TheNewRowBecomesAStateOnlyWithModulationThroughputThresholdAndPower) {
    Acm_Table table;
    Acm_List list(table);
    EXPECT_GE(table.rows.capacity(), 10u) << "a record without states gets an empty table";
    EXPECT_EQ(list.row_count(), 0);
    EXPECT_EQ(list.store(0, MOD, "QPSK"), List_Store::changed);
    EXPECT_EQ(list.store(0, THRUPUT, "50 Mb/s"), List_Store::changed);
    EXPECT_EQ(list.store(0, RX_THR, "-80"), List_Store::changed);
    EXPECT_EQ(list.store(0, STEP_UP, "2"), List_Store::changed);
    EXPECT_EQ(list.row_count(), 0) << "no TX power yet";
    EXPECT_EQ(list.text(0, MOD), "QPSK") << "the new row shows what it has";
    EXPECT_EQ(list.store(0, TX_POWER, "20"), List_Store::added);
    ASSERT_EQ(list.row_count(), 1);
    EXPECT_STREQ(table[0].Mod, "QPSK");
    EXPECT_EQ(table[0].step_up, 2.0);
    EXPECT_EQ(list.text(1, MOD), "") << "a fresh new row";
    const Acm_State fresh = Acm_State::fresh();
    EXPECT_EQ(std::memcmp(&list.new_row(), &fresh, sizeof fresh), 0);
}

TEST(AcmAcuLists, DeletingMovesTheFollowingRowsUp) {
    Acm_Table table;
    table.make(3);
    std::strcpy(table[0].Mod, "QPSK");
    std::strcpy(table[1].Mod, "16QAM");
    std::strcpy(table[2].Mod, "64QAM");
    Acm_List list(table);
    EXPECT_FALSE(list.remove(3)) << "the new row";
    EXPECT_FALSE(list.remove(-1));
    EXPECT_TRUE(list.remove(1));
    ASSERT_EQ(table.count(), 2);
    EXPECT_STREQ(table[1].Mod, "64QAM");
    EXPECT_EQ(list.text(1, MOD), "64QAM");
}

TEST(AcmAcuLists, TheListsAddNoRowsBeyondTheirLimit) {
    Acu_Table table;
    table.make(MAX_ACU_CONFIGS);
    Acu_List list(table);
    EXPECT_EQ(list.store(MAX_ACU_CONFIGS, CRC, "1"), List_Store::changed);
    EXPECT_EQ(list.store(MAX_ACU_CONFIGS, CONFIGURATION, "One more"), List_Store::full);
    EXPECT_EQ(table.count(), MAX_ACU_CONFIGS);
    EXPECT_EQ(list.text(MAX_ACU_CONFIGS, CONFIGURATION), "One more") << "kept in the new row";
    const List_Paste_Report report = list.paste({{"A"}, {"B"}}, {CONFIGURATION});
    EXPECT_EQ(report.added, 0);
    ASSERT_EQ(report.refused.size(), 2u);
    EXPECT_EQ(report.refused[0].second, "the list holds at most 99 configurations");
}

TEST(AcmAcuLists, CouplingUnitChoicesLossesAndNewRow) {
    Acu_Table table;
    Acu_List list(table);
    EXPECT_EQ(list.store(0, RXH, "-1.5"), List_Store::changed);
    EXPECT_EQ(list.choose(0, 3), List_Store::changed);
    EXPECT_EQ(list.choose(0, 5), List_Store::unchanged);
    EXPECT_EQ(list.row_count(), 0);
    EXPECT_EQ(list.store(0, CONFIGURATION, "Duplexer"), List_Store::added);
    ASSERT_EQ(table.count(), 1);
    EXPECT_EQ(table[0].ANT, ACU_RX);
    EXPECT_EQ(list.text(0, ANTENNA), "RX");
    EXPECT_EQ(list.selection(0), 3);
    EXPECT_EQ(list.text(0, RXH), "-1.5");
    list.store(0, CRC, "-1.5");
    EXPECT_EQ(table[0].CRC, NOT_SET) << "set 5";
    table[0].ANT = 9;
    EXPECT_EQ(list.text(0, ANTENNA), "");
    EXPECT_EQ(list.selection(0), -1);
}

TEST(AcmAcuLists, PastedRowsBecomeEntriesThroughTheStoreRulesOrAreReported) {
    Acu_Table table;
    Acu_List list(table);
    const std::vector<int> columns{CONFIGURATION, ANTENNA, -1, CRC};
    const List_Paste_Report report = list.paste(
        {{"Combiner", "tx", "ignored", "1.25"},
         {"", "TR", "", "2"},
         {"Odd", "XY"},
         {"Plain"},
         {"", ""}},
        columns);
    EXPECT_EQ(report.added, 2);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table[0].ANT, ACU_TX);
    EXPECT_EQ(table[0].CRC, 1.25);
    EXPECT_STREQ(table[1].Configuration, "Plain");
    const std::vector<std::pair<int, std::string>> refused{
        {1, "no Configuration"}, {2, "\"XY\" is not one of TR, DR, TX, RX, TH"}, {4, "no Configuration"}};
    EXPECT_EQ(report.refused, refused);
    EXPECT_EQ(paste_report_text(report, "configurations"),
              "3 pasted rows did not become configurations:\nrow 2: no Configuration\n"
              "row 3: \"XY\" is not one of TR, DR, TX, RX, TH\nrow 5: no Configuration");
    List_Paste_Report many;
    for (int n = 0; n < 50; ++n) {
        many.refused.emplace_back(n < 40 ? n : 2 * n, "no Modulation");
    }
    EXPECT_EQ(paste_report_text(many, "states", 3),
              "50 pasted rows did not become states:\nrows 1 to 40: no Modulation\n"
              "row 81: no Modulation\nrow 83: no Modulation\nand 8 more rows");
    EXPECT_EQ(paste_report_text({}, "states"), "");
}

TEST(AcmAcuLists, ApplicationDiscrepancyQuestion) {
    Radio_Record record;
    const struct {
        uint8_t type;
        std::optional<std::string> question;
    } cases[] = {
        {APPLICATION_MICROWAVE, "The application is currently set to Conventional Microwave "
                                "Radio. Change application type to Adaptive Modulation?"},
        {APPLICATION_LAND_MOBILE, "The application is currently set to Land Mobile Radio. Change "
                                  "application type to Adaptive Modulation?"},
        {APPLICATION_ADAPTIVE_MODULATION, std::nullopt},
        {7, "The application is currently set to an unknown type (7). Change application type to "
            "Adaptive Modulation?"},
    };
    for (const auto& c : cases) {
        record.radio_spec.application_type = c.type;
        EXPECT_EQ(acm_discrepancy_question(record), c.question);
    }
    accept_adaptive_modulation(record);
    EXPECT_EQ(record.radio_spec.application_type, APPLICATION_ADAPTIVE_MODULATION);
}

class AcmAcuListFiles : public testing::Test, public kelvor_test::Raf_Fixture {};

TEST_F(AcmAcuListFiles, TablesEditedInTheListsComeBackFromBothFiles) {
    ASSERT_TRUE(read(kelvor_test::read_bytes(kelvor_test::example_file("radio", "hx23_am_56m.raf"))));
    ASSERT_GE(record.acm_table.count(), 3);
    {
        Acm_List states(record.acm_table);
        states.store(0, SIG_WIDTH, "22.5");
        states.store(1, STEP_DN, "-0.001");
        states.remove(2);
        for (const auto& [column, text] : std::vector<std::pair<int, const char*>>{
                 {MOD, "1024QAM"}, {THRUPUT, "900"}, {RSEC, "7B"}, {RX_THR, "-55.5"},
                 {XPIF, "0"}, {TX_POWER, "17"}}) {
            states.store(states.row_count(), column, text);
        }
        Acu_List configs(record.acu_table);
        configs.store(0, TXF, "0.8");
        configs.choose(0, ACU_DR);
        configs.store(0, CONFIGURATION, "Diversity, split");
        configs.choose(1, ACU_TX);
        configs.store(1, RXF, "1.1");
        configs.store(1, CONFIGURATION, "Second");
    }
    ASSERT_GE(record.acu_table.count(), 2);
    const Acm_Table states = record.acm_table;
    // The binary file clears the losses that do not apply, in the record too.
    const std::string image = rsd_image(record, false);
    const Acu_Table configs = record.acu_table;
    EXPECT_EQ(configs[0].CRC, NOT_SET);

    Radio_Record from_rsd;
    read_rsd_image(from_rsd, image, &handler);
    const std::string raf = written();
    ASSERT_TRUE(read(raf));
    for (const Radio_Record* back : {&from_rsd, &record}) {
        ASSERT_EQ(back->acm_table.count(), states.count());
        ASSERT_EQ(back->acu_table.count(), configs.count());
        EXPECT_EQ(std::memcmp(back->acm_table.rows.data(), states.rows.data(),
                              states.rows.size() * sizeof(Acm_State)), 0);
        EXPECT_EQ(std::memcmp(back->acu_table.rows.data(), configs.rows.data(),
                              configs.rows.size() * sizeof(Acu_Config)), 0);
    }
}

} // namespace
