// The antenna form's rules: what a row shows after a typed text is applied, what its editor
// takes, the choices with the gain units, and that nothing applied makes the record unwritable.
#include "antenna_form.h"
#include "antenna_record.h"
#include "error_handler.h"
#include "nsma_format.h"
#include "nsma_keywords.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(AntennaForm, TypedTextsAreAppliedByTheRowsRules) {
    struct Case {
        int row;
        const char* typed;
        const char* shown;
        bool changed;
    };
    const Case cases[] = {
        {ROW_AZWIDT, "0", "", false},        // 0 means none, and the file gets an empty value
        {ROW_AZWIDT, "1.5", "1.50", true},
        {ROW_ELTILT, "-3", "", false},       // a minus can be typed, but set 3 refuses it
        {ROW_ATVSWR, "1.25", "1.25", true},
        {ROW_LWGAIN, "0", "0.00", true},     // the gains keep 0
        {ROW_HGGAIN, "-1.5", "-1.50", true},
        {ROW_MDGAIN, "abc", "", false},      // an invalid gain changes nothing
        {ROW_NOFREQ, "3", "3", true},
        {ROW_NOFREQ, "0", "", true},
        {ROW_PATFRE, "11200", "11200.00", true},
        {ROW_ANTMAN, "  Nordic \"NM\",  ", "NORDIC NM", true}, // as the file reads back
        {ROW_DESCR1, "FIRST LINE\nsecond", "FIRST LINE", true},
        {ROW_FEDORN, "LEFT", "N/A", false},  // choices take no text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << nsma_keywords[c.row].keyword << " " << c.typed);
        Antenna_Record record;
        EXPECT_EQ(antenna_form_store(record, c.row, c.typed), c.changed);
        EXPECT_EQ(antenna_form_text(record, c.row), c.shown);
        EXPECT_EQ(record.data_changed, c.changed ? 1 : 0);
    }
    Antenna_Record record;
    antenna_form_store(record, ROW_AZWIDT, "0");
    EXPECT_EQ(nsma_row_value(record, ROW_AZWIDT), "");
    // A text cut to the field; an emptied revision keeps what a new record holds.
    antenna_form_store(record, ROW_DESCR1, std::string(60, 'D'));
    EXPECT_EQ(antenna_form_text(record, ROW_DESCR1), std::string(47, 'D'));
    const std::string revision = antenna_form_text(record, ROW_REVNUM);
    EXPECT_FALSE(antenna_form_store(record, ROW_REVNUM, " "));
    EXPECT_EQ(antenna_form_text(record, ROW_REVNUM), revision);
}

TEST(AntennaForm, EditorsTakeTheirRowsCharacters) {
    struct Case {
        int row;
        char c;
        bool taken;
    };
    const Case cases[] = {
        {ROW_ATVSWR, 'a', false}, {ROW_ATVSWR, '-', false}, {ROW_ATVSWR, '5', true},
        {ROW_MDGAIN, '-', true},  {ROW_ELTILT, '-', true},  {ROW_ANTMAN, '&', true},
        {ROW_NOFREQ, '.', false}, {ROW_GUNITS, 'D', false}, {ROW_PATFRE, 'x', true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(antenna_form_accepts(c.row, c.c), c.taken)
            << nsma_keywords[c.row].keyword << " " << c.c;
    }
    EXPECT_EQ(antenna_form_limit(ROW_DESCR1), 47);
    EXPECT_EQ(antenna_form_limit(ROW_GUNITS), 0);
}

TEST(AntennaForm, GainUnitsMoveTheBandGainsAndMidGainShowsInTheUnit) {
    Antenna_Record record;
    ASSERT_TRUE(antenna_form_choose(record, ROW_GUNITS, 0)); // dBd
    antenna_form_store(record, ROW_LWGAIN, "10");
    antenna_form_store(record, ROW_MDGAIN, "30");
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbd, 30.0);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbi, 32.15);
    EXPECT_EQ(antenna_form_text(record, ROW_MDGAIN), "30.00");

    ASSERT_TRUE(antenna_form_choose(record, ROW_GUNITS, 1)); // to dBi
    EXPECT_EQ(antenna_form_text(record, ROW_GUNITS), "DBI/DBR");
    EXPECT_EQ(antenna_form_text(record, ROW_LWGAIN), "12.15");
    EXPECT_EQ(antenna_form_text(record, ROW_HGGAIN), ""); // a gain not set stays unset
    EXPECT_EQ(antenna_form_text(record, ROW_MDGAIN), "32.15");
    EXPECT_FALSE(antenna_form_choose(record, ROW_GUNITS, 1));
    EXPECT_TRUE(antenna_form_choose(record, ROW_FIELD5, 2));
    EXPECT_EQ(antenna_form_text(record, ROW_FIELD5), "Aperture (Parabolic, Microwave .. )");
    EXPECT_FALSE(antenna_form_choose(record, ROW_PATTYP, 3));
}

// Every row says what it means; a number also says in which unit.
TEST(AntennaForm, EveryRowHasATipAndNumbersNameTheirUnit) {
    for (int row = 0; row < NSMA_FORM_ROWS; ++row) {
        const std::string tip = antenna_form_tip(row);
        SCOPED_TRACE(nsma_keywords[row].keyword);
        EXPECT_FALSE(tip.empty());
        if (nsma_keywords[row].kind == NSMA_REAL) {
            EXPECT_TRUE(tip.find(", in ") != std::string::npos ||
                        tip.find("no unit") != std::string::npos)
                << tip;
        }
    }
    EXPECT_EQ(antenna_form_tip(ROW_NUMCUT), "");
    EXPECT_EQ(antenna_form_tip(-1), "");
}

// Whatever is typed into whichever row, the record writes a file that reads back to it.
TEST(AntennaForm, NothingTypedMakesTheRecordUnwritable) {
    std::mt19937 random(20261207);
    Antenna_Record record;
    for (int step = 0; step < 3000; ++step) {
        const int row = static_cast<int>(random() % NSMA_FORM_ROWS);
        if (!antenna_form_choices(row).empty()) {
            antenna_form_choose(record, row,
                                static_cast<int>(random() % antenna_form_choices(row).size()));
            continue;
        }
        antenna_form_store(record, row, kelvor_test::random_typed_text(random));
    }
    std::string written;
    write_nsma_file(record, written);
    Error_Handler handler;
    Antenna_Record read;
    read_nsma_text(read, &handler, "typed.adf", written);
    std::string again;
    write_nsma_file(read, again);
    EXPECT_EQ(again, written);
}

} // namespace
