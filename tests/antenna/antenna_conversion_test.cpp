// Converting NSMA files to .asd and .mas: the technology question, the model suffix, the name
// limits with their messages, one file of a batch, and the files a folder conversion takes.
#include "antenna_binary.h"
#include "antenna_conversion.h"
#include "antenna_open.h"
#include "antenna_test_support.h"
#include "nsma_format.h"
#include "test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

using antenna_test::lines;
using antenna_test::raised_by;
using antenna_test::revnum;
using kelvor_test::read_bytes;
using kelvor_test::Recording_Presenter;
using kelvor_test::value_at;

namespace {

class AntennaConversion : public antenna_test::Antenna_Fixture {
protected:
    // An NSMA file with one cut and the given extra lines.
    std::string nsma_file(const std::string& name, const std::vector<std::string>& extra = {}) {
        return dir.write(name, lines({revnum, "ANTMAN:,NORDIC", "MODNUM:,NPX-60"}) + lines(extra) +
                                   lines({"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "-1, -3",
                                          "1, -3"}));
    }
    int to_asd(const std::string& path, const Technology_Asker& ask = nullptr) {
        return convert_to_asd(record, &handler, path.c_str(), dir.path().c_str(), answers, ask);
    }
    // The record an .asd file holds.
    Antenna_Record asd_of(const std::string& name) {
        Antenna_Record read_back;
        Antenna_Read_Decisions decisions;
        open_antenna_file(read_back, &handler, dir.file(name).c_str(), decisions);
        return read_back;
    }
    Technology_Answers answers;
};

TEST_F(AntennaConversion, StatedTechnologyNeedsNoQuestion) {
    int asked = 0;
    const Technology_Asker ask = [&](const char*, Technology_Answers&) { return ++asked, false; };
    EXPECT_EQ(to_asd(nsma_file("npx60.adf", {"FIELD5:,DIPOLE"}), ask), 1);
    EXPECT_EQ(asked, 0);
    const Antenna_Record written = asd_of("npx60.asd");
    EXPECT_EQ(written.antenna_spec.technology, TECH_DIPOLE);
    EXPECT_STREQ(written.antenna_spec.file_name, "npx60");
    EXPECT_STREQ(written.antenna_spec.magic, "QV50_ANTENNA_SPEC_DATA");
    EXPECT_EQ(written.cut(0).size(), 2u);
}

TEST_F(AntennaConversion, CancellingTheQuestionWritesNothing) {
    std::string asked_for;
    const Technology_Asker cancel = [&](const char* path, Technology_Answers&) {
        asked_for = path;
        return false;
    };
    const std::string path = nsma_file("npx60.adf");
    EXPECT_EQ(to_asd(path, cancel), 0);
    EXPECT_EQ(asked_for, path);
    EXPECT_FALSE(std::filesystem::exists(dir.file("npx60.asd")));
    // Without anyone to ask, the same.
    EXPECT_EQ(to_asd(path), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("npx60.asd")));
}

TEST_F(AntennaConversion, AnAnswerForAllFilesIsNotAskedAgainAndMayComeFromTheCommandLine) {
    int asked = 0;
    const Technology_Asker aperture_for_all = [&](const char*, Technology_Answers& a) {
        ++asked;
        a.last_technology = TECH_APERTURE;
        a.use_for_all = true;
        return true;
    };
    EXPECT_EQ(to_asd(nsma_file("a.adf"), aperture_for_all), 1);
    EXPECT_EQ(to_asd(nsma_file("b.adf"), aperture_for_all), 1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(asd_of("b.asd").antenna_spec.technology, TECH_APERTURE);

    // Without "use for all" every file asks, starting from the last answer.
    answers = {};
    int last_seen = -1;
    const Technology_Asker dipole_once = [&](const char*, Technology_Answers& a) {
        last_seen = a.last_technology;
        a.last_technology = TECH_DIPOLE;
        return true;
    };
    to_asd(nsma_file("c.adf"), dipole_once);
    to_asd(nsma_file("d.adf"), dipole_once);
    EXPECT_EQ(last_seen, TECH_DIPOLE);
    EXPECT_EQ(asd_of("d.asd").antenna_spec.technology, TECH_DIPOLE);

    // The command line answers for all files, with no one to ask.
    answers = {TECH_DIPOLE, true};
    EXPECT_EQ(to_asd(nsma_file("e.adf")), 1);
    EXPECT_EQ(asd_of("e.asd").antenna_spec.technology, TECH_DIPOLE);
}

TEST_F(AntennaConversion, FeedOrientationIsAddedToTheModel) {
    answers = {TECH_APERTURE, true};
    to_asd(nsma_file("left.adf", {"FEDORN:,LEFT"}));
    EXPECT_STREQ(asd_of("left.asd").antenna_spec.model, "NPX-60 (L)");
    to_asd(nsma_file("right.adf", {"FEDORN:,RIGHT"}));
    EXPECT_STREQ(asd_of("right.asd").antenna_spec.model, "NPX-60 (R)");
    // The longest model an NSMA file gives (41 characters) still gets it.
    to_asd(nsma_file("long.adf", {"MODNUM:," + std::string(41, 'X'), "FEDORN:,RIGHT"}));
    EXPECT_EQ(std::string(asd_of("long.asd").antenna_spec.model), std::string(41, 'X') + " (R)");
}

TEST_F(AntennaConversion, MasModelSuffixOnlyBelowTwentyCharacters) {
    nsma_file("m19.adf", {"MODNUM:," + std::string(19, 'X'), "FEDORN:,LEFT"});
    EXPECT_EQ(convert_to_mas(record, &handler, dir.file("m19.adf").c_str(), dir.path().c_str()), 1);
    EXPECT_EQ(read_bytes(dir.file("m19.mas")).substr(43, 24), std::string(19, 'X') + " (L)" + '\0');
    nsma_file("m20.adf", {"MODNUM:," + std::string(20, 'X'), "FEDORN:,LEFT"});
    convert_to_mas(record, &handler, dir.file("m20.adf").c_str(), dir.path().c_str());
    EXPECT_EQ(read_bytes(dir.file("m20.mas")).substr(43, 24),
              std::string(20, 'X') + std::string(4, '\0'));
}

TEST_F(AntennaConversion, TheDecisionsTellTheKindAndTheTextsCutOfTheSource) {
    Antenna_Read_Decisions decisions;
    decisions.texts_cut = {"of a file read before"};
    decisions.kind = Antenna_Kind::msi;
    const std::string nsma =
        nsma_file("long.adf", {"DESCR1:," + std::string(50, 'D'), "FIELD5:,DIPOLE"});
    EXPECT_EQ(convert_to_asd(record, &handler, nsma.c_str(), dir.path().c_str(), answers, nullptr,
                             &decisions),
              1);
    EXPECT_EQ(decisions.kind, Antenna_Kind::nsma);
    EXPECT_EQ(decisions.texts_cut,
              std::vector<std::string>{"DESCR1 cut to 47 characters (3 lost)"});

    const std::string pattern = dir.write(
        "hp.pat",
        lines({"MAKER", std::string(48, 'M'), "", "", "", "", "", "6-7", "", "", "HH 1", "0 0"}));
    EXPECT_EQ(convert_to_mas(record, &handler, pattern.c_str(), dir.path().c_str(), &decisions), 1);
    EXPECT_EQ(decisions.kind, Antenna_Kind::pattern);
    EXPECT_EQ(decisions.texts_cut,
              std::vector<std::string>{"MODNUM cut to 47 characters (1 lost)"});
}

TEST_F(AntennaConversion, MasNameLimitIsFifteenCharacters) {
    const std::string fits = nsma_file("abcdefghijklmno.adf");
    EXPECT_EQ(convert_to_mas(record, &handler, fits.c_str(), dir.path().c_str()), 1);
    const std::string bytes = read_bytes(dir.file("abcdefghijklmno.mas"));
    EXPECT_EQ(bytes.substr(83, 16), std::string("abcdefghijklmno") + '\0');
    EXPECT_EQ(value_at<int16_t>(bytes, 139), 2);

    // A longer name is refused before anything is read or written, and nobody is asked.
    Recording_Presenter presenter;
    const std::string too_long = nsma_file("abcdefghijklmnop.adf");
    EXPECT_THROW(convert_to_mas(record, &handler, too_long.c_str(), dir.path().c_str()),
                 Error_Handler*);
    EXPECT_STREQ(handler.get_info_text(),
                 "Version 4 antenna data file name cannot exceed 15 characters.");
    EXPECT_FALSE(std::filesystem::exists(dir.file("abcdefghijklmnop.mas")));
    EXPECT_TRUE(presenter.shown.empty());
}

// parabolic.adf with every row set and every cut filled: its empty rows given values, texts
// too long for a .mas file, a dipole stated in dBd.
Antenna_Record every_row_record(Error_Handler& handler) {
    std::string text = read_bytes(antenna_test::data_path("parabolic.adf"));
    text.replace(text.find("ENDFIL"), std::string::npos,
                 lines({"REVNUM:,NSMA WG16.99.050 B",
                        "REVDAT:,20240301",
                        "COMNT2:,SECOND",
                        "ANTMAN:,NORDIC MICROWAVE TELECOMMUNICATION AB",
                        "MODNUM:,NPX-60-23-HIGH-PERFORMANCE",
                        "DESCR2:,D2",
                        "DESCR3:,D3",
                        "DESCR4:,D4",
                        "DESCR5:,D5",
                        "GUNITS:,DBD/DBR",
                        "ELTILT:,2",
                        "RADCTR:,10",
                        "POTOPO:,30",
                        "MAXPOW:,50",
                        "FIELD1:,F1",
                        "FIELD2:,F2",
                        "FIELD3:,F3",
                        "FIELD4:,F4",
                        "FIELD5:,DIPOLE",
                        "ENDFIL:,EOF"}));
    Antenna_Record record;
    read_nsma_text(record, &handler, "every.adf", text);
    return record;
}

TEST_F(AntennaConversion, LossesAreWhatTheTargetDoesNotGiveBack) {
    const Antenna_Record every = every_row_record(handler);
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        ASSERT_FALSE(every.cut(slot).empty()) << slot;
    }
    // An .asd file read back is a record whose every value an .asd file holds.
    Antenna_Record asd;
    Antenna_Read_Decisions decisions;
    open_antenna_bytes(asd, &handler, "every.asd", asd_file_bytes(every), decisions);
    // A record of binary origin: texts longer than NSMA rows, lower case (which NSMA folds and
    // is no loss), a tilt of 0, and a point finer than NSMA's three decimals.
    Antenna_Record binary;
    copy_text_field(binary.antenna_spec.model, std::string(46, 'm').c_str());
    copy_text_field(binary.antenna_spec.date, "2024-03-01 15:42:07 UTC");
    copy_text_field(binary.antenna_spec.description, "0.6 m dish");
    binary.antenna_spec.electrical_tilt = 0.0; // NSMA's "none", and no loss
    binary.set_cut(4, {{-1.0f, 3.0f}, {0.0f, 0.0f}});
    binary.set_cut(0, {{0.0001f, 0.0f}, {1.0f, 3.0f}});
    binary.antenna_spec.low_frequency = 10700.125; // NSMA numbers have two decimals
    binary.antenna_spec.high_frequency = 11700.0;
    // A cut longer than a .mas count holds.
    Antenna_Record huge;
    std::vector<Pattern_Point> many(MAX_V4_POINTS + 1);
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i] = {static_cast<float>(i) / 1000.0f, 1.0f};
    }
    huge.set_cut(7, std::move(many));
    huge.set_cut(6, {{0.0f, 0.0f}});

    using Names = std::vector<std::string>;
    const struct {
        const char* what;
        const Antenna_Record& record;
        Antenna_Kind target;
        Names not_kept;
        Names texts_cut;
        Names rounded = {};
    } cases[] = {
        {"every row to .asd",
         every,
         Antenna_Kind::asd,
         {"REVNUM", "REVDAT", "COMNT1", "COMNT2", "FILNUM", "PATNUM", "DESCR2",
          "DESCR3", "DESCR4", "DESCR5", "GUNITS", "LWGAIN", "HGGAIN", "CONTYP",
          "ATVSWR", "FRTOBA", "RADCTR", "POTOPO", "MAXPOW", "ANTWID", "ANTDEP",
          "ANTWGT", "FIELD1", "FIELD2", "FIELD3", "FIELD4", "NOFREQ", "PATFRE"},
         {}},
        {"every row to .mas",
         every,
         Antenna_Kind::mas,
         {"REVNUM", "REVDAT", "COMNT1", "COMNT2", "FILNUM", "PATNUM", "DESCR1", "DESCR2", "DESCR3",
          "DESCR4", "DESCR5", "GUNITS", "LWGAIN", "HGGAIN", "ELWIDT", "CONTYP", "ATVSWR", "FRTOBA",
          "ELTILT", "RADCTR", "POTOPO", "MAXPOW", "ANTWID", "ANTDEP", "ANTWGT", "FIELD1", "FIELD2",
          "FIELD3", "FIELD4", "FIELD5", "PATTYP", "NOFREQ", "PATFRE"},
         {"ANTMAN cut to 31 characters (6 lost)", "MODNUM cut to 23 characters (3 lost)"}},
        {"every row to NSMA", every, Antenna_Kind::nsma, {}, {}},
        {".asd to .asd", asd, Antenna_Kind::asd, {}, {}},
        {"binary to NSMA",
         binary,
         Antenna_Kind::nsma,
         {"azimuth H/H cut"},
         {"MODNUM cut to 41 characters (5 lost)", "DTDATA cut to 15 characters (8 lost)"},
         {"LOWFRQ rounded to 10700.13"}},
        {"long cut to .mas", huge, Antenna_Kind::mas, {"elevation V/H cut"}, {}},
        {"no losses told for a format not written", every, Antenna_Kind::msi, {}, {}},
    };
    for (const auto& c : cases) {
        const Conversion_Losses losses = antenna_conversion_losses(c.record, c.target);
        EXPECT_EQ(losses.not_kept, c.not_kept) << c.what;
        EXPECT_EQ(losses.texts_cut, c.texts_cut) << c.what;
        EXPECT_EQ(losses.rounded, c.rounded) << c.what;
    }
}

TEST_F(AntennaConversion, FolderRulesTakeExactExtensionsBelowTheTop) {
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "sub" / "deeper");
    fs::create_directories(dir.path() / "folder.adf");
    for (const char* name : {"a.adf", "b.Adf", "c.aDf", "d.DAT", "e.Dat", "f.dat.bak", "g.txt",
                             "sub/h.ADF", "sub/deeper/i.dat", "sub/j.asd"}) {
        dir.write(name, "x");
    }
    fs::create_symlink(dir.path() / "sub", dir.path() / "loop");
    std::vector<std::string> expected;
    for (const char* name : {"a.adf", "b.Adf", "d.DAT", "e.Dat", "sub/deeper/i.dat", "sub/h.ADF"}) {
        expected.push_back(dir.file(name));
    }
    EXPECT_EQ(antenna_folder_files(dir.path().string()), expected);
    EXPECT_TRUE(antenna_folder_files(dir.file("none")).empty());
}

} // namespace
