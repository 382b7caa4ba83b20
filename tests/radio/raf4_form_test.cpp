// The version 4 radio form's rules: what a row shows after a typed text is stored, what its
// editor takes, and that nothing stored makes the record unwritable.
#include "error_handler.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "raf4_form.h"
#include "string_list.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

int row_of(const char* keyword) {
    const int index = find_raf4_keyword(keyword);
    EXPECT_GE(index, 0) << keyword;
    return index;
}

TEST(Radio4Form, TypedTextsAreStoredByTheRowsRules) {
    struct Case {
        const char* keyword;
        const char* typed;
        const char* shown_keyword; // the row whose value is looked at
        const char* shown;
    };
    const Case cases[] = {
        {"STABILITY_PPM", "20", "STABILITY_PRC", "0.002"},
        {"CHANNELBW_MHZ", "0", "CHANNELBW_MHZ", ""},
        {"CHANNELBW_MHZ", "28", "CHANNELBW_MHZ", "28.00"},
        {"NUM_ATPCSTEPS", "4", "NUM_ATPCSTEPS", "4"},
        {"NUM_ATPCSTEPS", "4.7", "NUM_ATPCSTEPS", ""}, // its editor takes no point
        {"RESIDUAL_BER", "0.0000000001", "RESIDUAL_BER", "1.00E-10"},
        {"MODEL", "  HM6L // six  ", "MODEL", "HM6L"},
        {"COCHANNEL_OPERATION", "yes", "COCHANNEL_OPERATION", "YES"},
        {"SD_OPERATION", "IFC", "SD_OPERATION", "IFC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keyword << " " << c.typed);
        Radio4_Record record;
        raf4_form_store(record.radio_spec, row_of(c.keyword), c.typed);
        EXPECT_EQ(raf4_form_text(record.radio_spec, row_of(c.shown_keyword)), c.shown);
    }

    // One radio type at a time; other words change nothing; "NO" clears a flag.
    Radio4_Record record;
    const int type = row_of("DIGRADIO_TYPE");
    EXPECT_TRUE(raf4_form_store(record.radio_spec, type, "PDH") ||
                (record.radio_spec.flags & RADIO4_PDH) != 0);
    EXPECT_TRUE(raf4_form_store(record.radio_spec, type, "SDH"));
    EXPECT_EQ(record.radio_spec.flags & RADIO4_TYPE_FLAGS, RADIO4_SDH);
    EXPECT_FALSE(raf4_form_store(record.radio_spec, type, "ATM"));
    EXPECT_EQ(raf4_form_text(record.radio_spec, type), "SDH");
    const int cochannel = row_of("COCHANNEL_OPERATION");
    raf4_form_store(record.radio_spec, cochannel, "YES");
    EXPECT_TRUE(raf4_form_store(record.radio_spec, cochannel, "maybe"));
    EXPECT_EQ(record.radio_spec.flags & RADIO4_COCHANNEL, 0);
}

TEST(Radio4Form, EditorsTakeTheirRowsCharacters) {
    EXPECT_TRUE(raf4_form_accepts(row_of("MODEL"), '&'));
    EXPECT_FALSE(raf4_form_accepts(row_of("CHANNELBW_MHZ"), '-'));
    EXPECT_TRUE(raf4_form_accepts(row_of("TXPOWER_DBM"), '-'));
    EXPECT_FALSE(raf4_form_accepts(row_of("NUM_ATPCSTEPS"), '.'));
    EXPECT_EQ(raf4_form_limit(row_of("MANUFACT")), 30);
    EXPECT_EQ(raf4_form_limit(row_of("NUM_ATPCSTEPS")), 6);
}

// Whatever is typed into whichever row, the record writes a file that reads back to it.
TEST(Radio4Form, NothingTypedMakesTheRecordUnwritable) {
    std::mt19937 random(20261207);
    Radio4_Record record;
    for (int step = 0; step < 3000; ++step) {
        const int index = static_cast<int>(random() % RAF4_KEYWORD_COUNT);
        raf4_form_store(record.radio_spec, index, kelvor_test::random_typed_text(random));
    }
    ASSERT_EQ(raf4_unwritable_reason(record), "");
    const std::string written = raf4_text(record);
    Error_Handler handler;
    string_list lines;
    lines.set_text(&handler, written.data(), written.size());
    Radio4_Record read;
    read_raf4_lines(read, lines, "typed.raf");
    EXPECT_EQ(raf4_text(read), written);
}

} // namespace
