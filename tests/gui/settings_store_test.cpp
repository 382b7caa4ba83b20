// The settings store of QV6_EX: the INI text, remembered folders, window placements and the
// screen and chart defaults.
#include "default_directory.h"
#include "frame_window_size.h"
#include "gui_test_support.h"
#include "ini_settings.h"
#include "screen_metrics.h"
#include "stored_metrics.h"

#include <cmath>
#include <cstdint>
#include <filesystem>

using namespace kelvor_test;

namespace {

const Screen_Sizes screen_1280{1280, 800, 1280, 800};

TEST(IniText, KeepsEverythingAWriteDoesNotTouch) {
    const std::string original = "; written by another tool\r\n"
                                 "[Display Options]\r\n"
                                 "Screen metrics=90,0,-12\r\n"
                                 "\r\n"
                                 "[DEFAULT_WINDOWSIZE]\r\n"
                                 "  WndSze_Other = 1,2,3,4,5,6,7,8,0\r\n"
                                 "WNDSZE_KELVOR_MAIN=1,1,1,1,0,0,0,0,0\r\n";
    Ini_Text ini(original);
    EXPECT_EQ(ini.text(), original);
    ASSERT_TRUE(ini.set("default_windowsize", "wndsze_kelvor_main", "160,66,512,600,256,0,0,0,1"));
    EXPECT_EQ(ini.text(), "; written by another tool\r\n"
                          "[Display Options]\r\n"
                          "Screen metrics=90,0,-12\r\n"
                          "\r\n"
                          "[DEFAULT_WINDOWSIZE]\r\n"
                          "  WndSze_Other = 1,2,3,4,5,6,7,8,0\r\n"
                          "WNDSZE_KELVOR_MAIN=160,66,512,600,256,0,0,0,1\r\n");
}

TEST(IniText, AddsKeysAfterTheSectionsLastKeyAndNewSectionsAtTheEnd) {
    Ini_Text ini("[A]\nx=1\n\n[B]\ny=2");
    ASSERT_TRUE(ini.set("A", "z", "3"));
    ASSERT_TRUE(ini.set("C", "w", "4"));
    EXPECT_EQ(ini.text(), "[A]\nx=1\nz=3\n\n[B]\ny=2\n[C]\nw=4\n");

    Ini_Text empty;
    ASSERT_TRUE(empty.set("Default directories", "KELVOR_RADIO_DIRECTORY", "/data/radio"));
    EXPECT_EQ(empty.text(), "[Default directories]\r\nKELVOR_RADIO_DIRECTORY=/data/radio\r\n");
}

TEST(IniText, FindsNamesWithoutRegardToCaseAndTakesOffOnePairOfQuotes) {
    const Ini_Text ini("[Default Directories]\r\n"
                       "kelvor_radio_directory = \"/data/my radio\" \r\n"
                       "; KELVOR_ANTENNA_DIRECTORY=/commented\r\n"
                       "[Other]\r\n"
                       "KELVOR_ANTENNA_DIRECTORY=/elsewhere\r\n");
    EXPECT_EQ(ini.get("Default directories", "KELVOR_RADIO_DIRECTORY").value_or("?"),
              "/data/my radio");
    EXPECT_FALSE(ini.get("Default directories", "KELVOR_ANTENNA_DIRECTORY").has_value());
    EXPECT_FALSE(ini.get("Missing", "KELVOR_RADIO_DIRECTORY").has_value());
}

TEST(IniText, RefusesWhatTheFileCannotHold) {
    Ini_Text ini("[A]\r\nx=1\r\n");
    EXPECT_FALSE(ini.set("", "x", "1"));
    EXPECT_FALSE(ini.set("A", "", "1"));
    EXPECT_FALSE(ini.set("A]", "x", "1"));
    EXPECT_FALSE(ini.set("A", "x=y", "1"));
    EXPECT_FALSE(ini.set("A", "x", "two\r\nlines"));
    EXPECT_EQ(ini.text(), "[A]\r\nx=1\r\n");
}

using SettingsFile = Gui_Test;

TEST_F(SettingsFile, ReadsAndWritesThroughTheFile) {
    EXPECT_EQ(ReadINIfile("Sec", "Key", "fallback"), "fallback");
    EXPECT_EQ(WriteINIfile("Sec", "Key", "value"), 1);
    EXPECT_EQ(settings(), "[Sec]\r\nKey=value\r\n");
    EXPECT_EQ(ReadINIfile("SEC", "KEY", "fallback"), "value");
    EXPECT_EQ(ReadINIfile(IDS_DEFAULT_DIRECTORIES, 9999, "fallback"), "fallback");
    EXPECT_EQ(ReadINIfile("", "Key", "fallback"), "fallback");
    EXPECT_EQ(ReadINIfile("Sec", nullptr, "fallback"), "fallback");
    EXPECT_EQ(WriteINIfile("Sec", "", "x"), 0);
    EXPECT_EQ(WriteINIfile(nullptr, "Key", "x"), 0);
    EXPECT_EQ(settings(), "[Sec]\r\nKey=value\r\n");
    // Values are read into 1023 characters.
    WriteINIfile("Sec", "Long", std::string(2000, 'v').c_str());
    EXPECT_EQ(ReadINIfile("Sec", "Long", ""), std::string(1023, 'v'));
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenReportsZeroAndMakesNoFile) {
    const std::string missing_folder = dir.file("no/such/folder/Kelvor.ini");
    init_qv5_extn(nullptr, nullptr, nullptr, missing_folder.c_str());
    EXPECT_EQ(WriteINIfile("Sec", "Key", "value"), 0);
    EXPECT_FALSE(std::filesystem::exists(missing_folder));
    EXPECT_EQ(ReadINIfile("Sec", "Key", "fallback"), "fallback");
}

TEST_F(SettingsFile, WithoutAFileTheRunKeepsItsOwnStore) {
    init_qv5_extn(nullptr, nullptr, nullptr, "");
    EXPECT_EQ(WriteINIfile("Run store", "Key", "kept"), 1);
    EXPECT_EQ(ReadINIfile("Run store", "Key", ""), "kept");
    EXPECT_TRUE(dir.entries().empty());
}

TEST(FrameWindowSize, StoredTextIsNineIntegers) {
    frame_window_size size;
    EXPECT_EQ(format_frame_window_size(size), "0,0,0,0,0,0,0,0,0");
    size = {160, 66, 512, 600, {256, 1, -2, 3}, true};
    EXPECT_EQ(format_frame_window_size(size), "160,66,512,600,256,1,-2,3,1");
}

TEST(FrameWindowSize, ParsingKeepsWhatTheTextDoesNotHave) {
    frame_window_size size{1, 2, 3, 4, {5, 6, 7, 8}, true};
    parse_frame_window_size("10, 20,30,40", size);
    EXPECT_EQ(format_frame_window_size(size), "10,20,30,40,5,6,7,8,0");
    parse_frame_window_size("x,20abc,,40,50,60,70,80,2", size);
    EXPECT_EQ(format_frame_window_size(size), "0,20,0,40,50,60,70,80,0");
    parse_frame_window_size("1,2,3,4,5,6,7,8,1", size);
    EXPECT_TRUE(size.maximised);
}

TEST(FrameWindowSize, DefaultRectanglesOfTheFourChoices) {
    frame_window_size size;
    apply_default_window_rect(size, DWS_MAIN_FRAME, 1280, 800);
    EXPECT_EQ(format_frame_window_size(size), "160,66,512,600,256,0,0,0,0");
    apply_default_window_rect(size, DWS_SMALL, 1280, 800);
    EXPECT_EQ(format_frame_window_size(size), "106,66,426,400,213,0,0,0,0");
    apply_default_window_rect(size, DWS_LARGE, 1280, 800);
    EXPECT_EQ(format_frame_window_size(size), "142,88,995,622,497,0,0,0,0");
    apply_default_window_rect(size, DWS_LARGER, 1280, 800);
    EXPECT_EQ(format_frame_window_size(size), "128,80,1024,640,512,0,0,0,0");
    apply_default_window_rect(size, DWS_MAIN_FRAME, 1366, 768);
    EXPECT_EQ(format_frame_window_size(size), "170,64,546,576,273,0,0,0,0");
}

using StoredPlacement = Gui_Test;

TEST_F(StoredPlacement, AUsableRectangleIsTakenAsStored) {
    write_settings("[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=-100,1,300,200,9,8,7,6,1\r\n");
    frame_window_size size;
    getdefault_framewindowsize(IDS_WNDSZE_KELVOR_MAIN, &size, DWS_MAIN_FRAME, screen_1280);
    EXPECT_EQ(format_frame_window_size(size), "-100,1,300,200,9,8,7,6,1");
}

TEST_F(StoredPlacement, ATopOfZeroOrARectangleOffTheScreensTakesTheDefault) {
    for (const char* stored : {"100,0,300,200,9,8,7,6,0", "-300,10,300,200,9,8,7,6,0",
                               "1280,10,300,200,9,8,7,6,0", "10,800,300,200,9,8,7,6,0"}) {
        write_settings(std::string("[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=") + stored +
                       "\r\n");
        frame_window_size size;
        getdefault_framewindowsize(IDS_WNDSZE_KELVOR_MAIN, &size, DWS_MAIN_FRAME, screen_1280);
        EXPECT_EQ(format_frame_window_size(size), "160,66,512,600,256,0,0,0,0") << stored;
    }
}

TEST_F(StoredPlacement, NothingStoredTakesTheDefaultAndStoringWritesTheKey) {
    frame_window_size size;
    getdefault_framewindowsize(IDS_WNDSZE_KELVOR_MAIN, &size, DWS_MAIN_FRAME, screen_1280);
    EXPECT_EQ(format_frame_window_size(size), "160,66,512,600,256,0,0,0,0");
    size.maximised = true;
    EXPECT_EQ(setdefault_framewindowsize(IDS_WNDSZE_KELVOR_MAIN, &size), 1);
    EXPECT_EQ(settings(),
              "[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=160,66,512,600,256,0,0,0,1\r\n");
}

using RememberedFolder = Gui_Test;

TEST_F(RememberedFolder, AFileRemembersItsFolderAndAFolderItself) {
    const std::string radio = dir.file("radio");
    std::filesystem::create_directories(radio + "/sub");
    const std::string file = dir.write("radio/a.raf", "x");

    default_directory(IDS_KELVOR_RADIO_DIRECTORY).set_default_dir(file.c_str());
    EXPECT_EQ(settings(), "[Default directories]\r\nKELVOR_RADIO_DIRECTORY=" + radio + "\r\n");
    EXPECT_EQ(std::string(default_directory(IDS_KELVOR_RADIO_DIRECTORY).get_default_dir()),
              radio);

    default_directory(IDS_KELVOR_RADIO_DIRECTORY).set_default_dir((radio + "/sub").c_str());
    EXPECT_EQ(default_directory(IDS_KELVOR_RADIO_DIRECTORY).get_default_dir(), radio + "/sub");
    EXPECT_STREQ(default_directory(IDS_KELVOR_ANTENNA_DIRECTORY).get_default_dir(), "");
}

TEST_F(RememberedFolder, TheFolderReadAtConstructionIsNotStoredAgain) {
    const std::string radio = dir.file("radio");
    std::filesystem::create_directories(radio);
    write_settings("[Default directories]\r\nKELVOR_RADIO_DIRECTORY=" + radio + "\r\n");
    default_directory remembered(IDS_KELVOR_RADIO_DIRECTORY);
    // Another program changes the file meanwhile; choosing the folder read changes nothing.
    write_settings("[Default directories]\r\nKELVOR_RADIO_DIRECTORY=/other\r\n");
    remembered.set_default_dir((radio + "/a.raf").c_str());
    EXPECT_EQ(settings(), "[Default directories]\r\nKELVOR_RADIO_DIRECTORY=/other\r\n");
    // A folder spelled in another case is another folder on this file system.
    std::filesystem::create_directories(dir.file("RADIO"));
    remembered.set_default_dir(dir.file("RADIO").c_str());
    EXPECT_EQ(settings(),
              "[Default directories]\r\nKELVOR_RADIO_DIRECTORY=" + dir.file("RADIO") + "\r\n");
    EXPECT_EQ(remembered.get_default_dir(), radio);
}

TEST(ScreenMetrics, NinePointsAtNinetySixDotsPerInchAreTwelvePixels) {
    EXPECT_EQ(screen_font_height(90, 96), -12);
    EXPECT_EQ(screen_font_height(99, 96), -12);
    EXPECT_EQ(screen_font_height(100, 96), -13);
    EXPECT_EQ(screen_font_height(90, 120), -15);
}

using DisplayDefaults = Gui_Test;

TEST_F(DisplayDefaults, ScreenDefaultsAndAStoredScreenFont) {
    Log_Font font;
    uint32_t colour = 7;
    int scale = 0;
    getdefault_screen_metrics(&font, &colour, &scale);
    EXPECT_EQ(format_font_metrics(scale, colour, font),
              "100,0,-13,0,0,0,400,0,0,0,1,3,2,0,34,Arial");

    write_settings("[Display Options]\r\nScreen metrics=120,255,-16,0,0,0,700,1,0,0,0,3,2,1,"
                   "18,DejaVu Sans\r\n");
    Screen_Metrics metrics;
    getdefault_screen_metrics(&metrics.font_description, &metrics.text_colour,
                              &metrics.font_size);
    EXPECT_EQ(metrics.font_size, 120);
    EXPECT_EQ(metrics.text_colour, 255u);
    EXPECT_EQ(metrics.font_description.weight, 700);
    EXPECT_STREQ(metrics.font_description.face_name, "DejaVu Sans");
    // Whatever was stored, the program runs with nine points.
    metrics.font_size = 90;
    metrics.reset();
    EXPECT_EQ(metrics.font_description.height,
              screen_font_height(90, metrics.pixels_per_inch_y));
    EXPECT_EQ(metrics.screen_font.pixelSize(), -metrics.font_description.height);
    EXPECT_GT(metrics.row_height, metrics.title_height);
    EXPECT_EQ(metrics.row_height - metrics.title_height, 3);
}

TEST_F(DisplayDefaults, AScreenTextCutShortKeepsTheRest) {
    Log_Font font;
    font.weight = 555;
    uint32_t colour = 3;
    int scale = 50;
    parse_font_metrics("80,x", scale, colour, font);
    EXPECT_EQ(scale, 80);
    EXPECT_EQ(colour, 3u);
    EXPECT_EQ(font.weight, 555);
    EXPECT_STREQ(font.face_name, "x");
}

TEST_F(DisplayDefaults, ChartDefaults) {
    tag_profile_metrics metrics;
    getdefault_profile_metrics(&metrics);
    EXPECT_EQ(format_font_metrics(metrics.font_1_scale, metrics.font_1_colour, metrics.font_1),
              "130,0,0,0,0,0,400,0,0,0,1,3,2,0,34,Arial");
    EXPECT_EQ(metrics.font_2_scale, 130);
    EXPECT_EQ(metrics.colours[1], 0x00007f00u);
    EXPECT_EQ(metrics.colours[8], 0x004e56e7u);
    EXPECT_EQ(metrics.colours[13], 0x0000c864u);
    EXPECT_TRUE(metrics.flag_1);
    EXPECT_FALSE(metrics.flag_2);
    EXPECT_FLOAT_EQ(metrics.proportions[0], 0.35f);
    EXPECT_FLOAT_EQ(metrics.proportions[1], 0.45f);

    write_settings("[Display Options]\r\nProfile metrics 04=0,0.5,0.25,0.1,0.2,0.3,1\r\n"
                   "Profile metrics 03=0xff,0x00ff00\r\n");
    getdefault_profile_metrics(&metrics);
    EXPECT_FALSE(metrics.flag_1);
    EXPECT_TRUE(metrics.flag_2);
    EXPECT_FLOAT_EQ(metrics.proportions[0], 0.5f);
    EXPECT_EQ(metrics.colours[0], 0xffu);
    EXPECT_EQ(metrics.colours[1], 0x00ff00u);
    EXPECT_EQ(metrics.colours[2], 0x0000ff00u); // kept from before
}

} // namespace

// Stored rectangles are in device pixels: what one scale factor stores, another reads back as
// the same size on screen.
TEST(FrameWindowSize, RectanglesScaleBetweenLogicalAndDevicePixels) {
    frame_window_size logical;
    logical.left = 101;
    logical.top = 50;
    logical.width = 640;
    logical.height = 481;
    logical.layout[0] = 320;
    logical.maximised = true;
    struct Case {
        double ratio;
        const char* stored;
    };
    const Case cases[] = {
        {1.0, "101,50,640,481,320,0,0,0,1"},
        {2.0, "202,100,1280,962,320,0,0,0,1"},
        {1.5, "152,75,960,722,320,0,0,0,1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        const frame_window_size device = scaled_window_rect(logical, c.ratio);
        EXPECT_EQ(format_frame_window_size(device), c.stored);
        // Read back at a ratio of 2 the device rectangle is half as many logical pixels.
        const frame_window_size at_two = scaled_window_rect(device, 1.0 / 2.0);
        EXPECT_NEAR(at_two.width, logical.width * c.ratio / 2.0, 1.0);
    }
    EXPECT_EQ(format_frame_window_size(scaled_window_rect(scaled_window_rect(logical, 2.0), 0.5)),
              format_frame_window_size(logical));
    for (const double bad : {0.0, -1.0, std::nan("")}) {
        EXPECT_EQ(format_frame_window_size(scaled_window_rect(logical, bad)),
                  format_frame_window_size(logical));
    }
    frame_window_size huge = logical;
    huge.width = 2000000000;
    EXPECT_EQ(scaled_window_rect(huge, 4.0).width, INT32_MAX);
    const Screen_Sizes screens = scaled_screen_sizes({1280, 800, 2560, 800}, 2.0);
    EXPECT_EQ(screens.primary_width, 2560);
    EXPECT_EQ(screens.virtual_width, 5120);
    EXPECT_EQ(screens.virtual_height, 1600);
}
