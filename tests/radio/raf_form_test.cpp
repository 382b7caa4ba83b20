// The version 5 radio form's rules: what a cell shows after a typed text is stored, what its
// editor takes, the choices, and that nothing stored makes the record unwritable.
#include "error_handler.h"
#include "radio_record.h"
#include "raf_form.h"
#include "raf_format.h"
#include "string_list.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(RadioForm, TypedTextsAreStoredAndShownByTheRowsRules) {
    struct Case {
        int row;
        int cell;
        const char* typed;
        const char* shown;
    };
    const std::string long_text(60, 'x');
    const Case cases[] = {
        {ROW_BANDWIDTH_3DB_TX, 0, "0", ""},            // 0 means none
        {ROW_TX_POWER_OPTIONS, 2, "0", "0.00"},        // but a 0 dBm power is kept
        {ROW_TX_POWER_RANGE, 1, "-0", "0.00"},
        {ROW_BANDWIDTH_3DB_TX, 0, "12.5", "12.50"},
        {ROW_BANDWIDTH_3DB_TX, 0, "", ""},
        {ROW_BANDWIDTH_3DB_TX, 0, "1-2", ""},          // not a number of the row's set
        {ROW_TX_STABILITY, 0, "0.00004", "4.0000E-05"},  // four decimals
        {ROW_RX_THRESHOLD_BER, 1, "1E-6", "1.00E-06"},
        {ROW_RADIO_CAPACITY, 0, "16", "16"},
        {ROW_RADIO_CAPACITY, 1, " E1 ", "E1"},
        {ROW_BITS_BLOCK, 0, "0", ""},
        {ROW_ALPHA_VALUES, 2, "222", ""},
        {ROW_ALPHA_VALUES, 1, "7", "7"},
        {ROW_MANUFACTURER, 0, "  Nordic  ", "Nordic"},
        {ROW_MANUFACTURER, 0, long_text.c_str(), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
        {ROW_MODEL, 0, "first\r\nsecond", "first"},
        {ROW_NUM_ACM_STATES, 0, "12", ""},             // counts change through their lists
        {ROW_APPLICATION_TYPE, 0, "2", "Conventional Microwave Radio"}, // choices take no text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << raf_keyword(c.row).keyword << "[" << c.cell << "] "
                                        << c.typed);
        Radio_Record record;
        raf_form_store(record, c.row, c.cell, c.typed);
        EXPECT_EQ(raf_form_text(record, c.row, c.cell), c.shown);
    }
}

TEST(RadioForm, EditorsTakeTheirRowsCharacters) {
    struct Case {
        int row;
        int cell;
        char c;
        bool taken;
    };
    const Case cases[] = {
        {ROW_BANDWIDTH_3DB_TX, 0, 'a', false}, {ROW_BANDWIDTH_3DB_TX, 0, '-', false},
        {ROW_BANDWIDTH_3DB_TX, 0, '5', true},  {ROW_TX_POWER_OPTIONS, 0, '-', true},
        {ROW_RX_THRESHOLD_BER, 0, 'E', true},  {ROW_MANUFACTURER, 0, '&', true},
        {ROW_RADIO_CAPACITY, 0, 'E', false},   {ROW_RADIO_CAPACITY, 1, 'E', true},
        {ROW_APPLICATION_TYPE, 0, '1', false}, {ROW_LABEL_TRANSMIT, 0, 'a', false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(raf_form_accepts(c.row, c.cell, c.c), c.taken)
            << raf_keyword(c.row).keyword << " " << c.c;
    }
    EXPECT_EQ(raf_form_limit(ROW_MANUFACTURER, 0), 47);
    EXPECT_EQ(raf_form_limit(ROW_RADIO_CAPACITY, 0), 7);
    EXPECT_EQ(raf_form_limit(ROW_RADIO_CAPACITY, 1), 15);
    EXPECT_EQ(raf_form_limit(ROW_APPLICATION_TYPE, 0), 0);
}

TEST(RadioForm, ChoicesStoreTheirIndex) {
    Radio_Record record;
    EXPECT_TRUE(raf_form_choose(record, ROW_APPLICATION_TYPE, APPLICATION_LAND_MOBILE));
    EXPECT_EQ(record.radio_spec.application_type, APPLICATION_LAND_MOBILE);
    EXPECT_EQ(raf_form_text(record, ROW_APPLICATION_TYPE, 0), "Land Mobile Radio");
    EXPECT_FALSE(raf_form_choose(record, ROW_APPLICATION_TYPE, APPLICATION_LAND_MOBILE));
    EXPECT_FALSE(raf_form_choose(record, ROW_APPLICATION_TYPE, 3));
    EXPECT_FALSE(raf_form_choose(record, ROW_MODEL, 0));
    EXPECT_EQ(raf_form_choices(ROW_SELECTIVE_FADING).size(), 3u);
}

TEST(RadioForm, EveryFieldHasATipAndNoHeadingHasOne) {
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        const bool heading = raf_keyword(row).kind == Raf_Row_Kind::heading;
        EXPECT_EQ(std::string(raf_form_tip(row)).empty(), heading) << raf_keyword(row).keyword;
    }
    EXPECT_STREQ(raf_form_tip(RAF_ROW_COUNT), "");
}

// Whatever is typed into whichever cell, the record writes a file that reads back to it.
TEST(RadioForm, NothingTypedMakesTheRecordUnwritable) {
    std::mt19937 random(20261207);
    Radio_Record record;
    for (int step = 0; step < 3000; ++step) {
        const int row = static_cast<int>(random() % RAF_ROW_COUNT);
        const int cells = std::max(raf_keyword(row).cells, 1);
        const int cell = static_cast<int>(random() % static_cast<unsigned>(cells));
        raf_form_store(record, row, cell, kelvor_test::random_typed_text(random));
    }
    const std::string written = raf_text(record);
    Error_Handler handler;
    string_list lines;
    lines.set_text(&handler, written.data(), written.size());
    Radio_Record read;
    read_raf_lines(read, lines, "typed.raf");
    EXPECT_EQ(raf_text(read), written);
}

} // namespace
