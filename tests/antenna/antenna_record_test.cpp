// The record's reset and clear, and the cut slots that keep their counts in the core values.
#include "antenna_record.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(AntennaRecord, ResetGivesTheNewAntenna) {
    Antenna_Record record;
    record.gain_in_dbi = 0;
    record.pattern_relative = 0;
    record.data_changed = 1;
    std::strcpy(record.header.comment1, "old");
    record.header.vswr = 1.2;
    record.header.frequency_count = 3;
    record.antenna_spec.technology = 2;
    record.antenna_spec.gain_dbi = 30;
    record.set_cut(3, {{0.0f, 1.0f}});
    record.reset_antenna_record();

    EXPECT_EQ(record.gain_in_dbi, 1);
    EXPECT_EQ(record.pattern_relative, 1);
    EXPECT_EQ(record.data_changed, 0);
    EXPECT_STREQ(record.header.revision_number, "NSMA WG16.99.050");
    EXPECT_STREQ(record.header.revision_date, "19990520");
    EXPECT_STREQ(record.header.comment1, "");
    EXPECT_EQ(record.header.vswr, NOT_SET);
    EXPECT_EQ(record.header.pattern_frequency, NOT_SET);
    EXPECT_EQ(record.header.frequency_count, -1);
    EXPECT_EQ(record.header.cut_count, 0);
    EXPECT_EQ(record.antenna_spec.technology, 0);
    EXPECT_EQ(record.antenna_spec.gain_dbi, NOT_SET);
    EXPECT_EQ(record.antenna_spec.reserved_2, NOT_SET);
    EXPECT_TRUE(record.cut(3).empty());
    EXPECT_EQ(record.antenna_spec.cut_points[3], 0);
}

TEST(AntennaRecord, ClearKeepsTheArraysAndTheirCounts) {
    Antenna_Record record;
    std::strcpy(record.antenna_spec.model, "X");
    record.antenna_spec.pattern_type = 1;
    record.set_cut(4, {{0.0f, 1.0f}, {1.0f, 2.0f}});
    record.clear_antenna_spec();
    EXPECT_STREQ(record.antenna_spec.model, "");
    EXPECT_EQ(record.antenna_spec.pattern_type, 0);
    EXPECT_EQ(record.cut(4).size(), 2u);
    EXPECT_EQ(record.antenna_spec.cut_points[4], 2);
    EXPECT_EQ(record.filled_slots(), 1);
}

} // namespace
