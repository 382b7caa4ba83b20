// The record as JSON: golden dumps of committed inputs, absent values as null, texts as UTF-8.
#include "antenna_json.h"
#include "antenna_open.h"
#include "antenna_test_support.h"
#include "nsma_format.h"
#include "test_support.h"

#include <fstream>
#include <gtest/gtest.h>

using antenna_test::data_path;
using kelvor_test::read_bytes;

namespace {

// Each input beside its expected dump: <name> and <name>.json.
TEST(AntennaJson, GoldenDumps) {
    for (const char* name : {"parabolic.adf", "dipole.dat", "tricky.adf"}) {
        SCOPED_TRACE(name);
        Error_Handler handler;
        Antenna_Record record;
        Antenna_Read_Decisions decisions;
        open_antenna_file(record, &handler, data_path(name).c_str(), decisions);
        // In the order of the file, too.
        const auto expected = Json::parse(read_bytes(data_path(name) + ".json"));
        EXPECT_EQ(antenna_to_json(record), expected) << antenna_to_json(record).dump(2);
    }
}

TEST(AntennaJson, AbsentValuesAreNullAndTextsUtf8) {
    Antenna_Record record;
    copy_text_field(record.antenna_spec.manufacturer, "M\xf6ller \xb0");
    record.header.frequency_count = -1;
    record.antenna_spec.gain_dbi = 12.5;
    record.set_cut(5, {{-1.5f, 0.1f}, {2.0f, 3.3f}});
    const Json dump = antenna_to_json(record);
    EXPECT_EQ(dump["antenna_spec"]["manufacturer"], "M\xc3\xb6ller \xc2\xb0");
    EXPECT_TRUE(dump["antenna_spec"]["gain_dbd"].is_null());
    EXPECT_EQ(dump["antenna_spec"]["gain_dbi"], 12.5);
    EXPECT_TRUE(dump["nsma_header"]["frequency_count"].is_null());
    EXPECT_EQ(dump["nsma_header"]["cut_count"], 0);
    EXPECT_EQ(dump["antenna_spec"]["cut_points"], Json::parse("[0,0,0,0,0,2,0,0]"));
    EXPECT_EQ(
        dump["cuts"].dump(),
        R"([{"plane":"elevation","points":[[-1.5,0.1],[2.0,3.3]],"polarization":"H/V","slot":5}])");
    EXPECT_NO_THROW(dump.dump());
}

} // namespace
