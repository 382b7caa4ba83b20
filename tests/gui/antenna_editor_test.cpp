// The file commands of the antenna editor: open, save, the save-changes check and the batch
// conversions with the technology question.
#include "antenna_document.h"
#include "antenna_record.h"
#include "command_ids.h"
#include "text_helpers.h"
#include "gui_test_support.h"

#include <filesystem>
#include <functional>

using namespace kelvor_test;

namespace {

namespace fs = std::filesystem;

constexpr const char* convert_title = "Convert ASCII Antenna Files to asd Binary Format";

class AntennaEditor : public Gui_Test {
protected:
    void SetUp() override {
        Gui_Test::SetUp();
        technology_answers() = Technology_Answers{};
        document = std::make_unique<Antenna_Document>(nullptr);
        QObject::connect(document.get(), &File_Document::title_changed,
                         [this](const std::string& path) { titles.push_back(path); });
    }
    void TearDown() override {
        document.reset();
        technology_answers() = Technology_Answers{};
        Gui_Test::TearDown();
    }

    // A valid NSMA file at `name`; without the technology when `technology` is false.
    std::string antenna_file(const std::string& name, bool technology = true) {
        fs::create_directories(fs::path(dir.file(name)).parent_path());
        std::string text = read_bytes(test_data("antenna/parabolic.adf"));
        if (!technology) {
            const auto at = text.find("FIELD5:,APERTURE");
            EXPECT_NE(at, std::string::npos);
            text.replace(at, 16, "FIELD5:,");
        }
        return dir.write(name, text);
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    std::unique_ptr<Antenna_Document> document;
    std::vector<std::string> titles;
};

TEST_F(AntennaEditor, OpensAFileAndRemembersItsFolder) {
    const std::string path = antenna_file("ant/dish.adf");
    ASSERT_TRUE(document->open_path(path));
    EXPECT_STREQ(document->record().antenna_spec.model, "NPX-60-23");
    EXPECT_STREQ(document->record().antenna_spec.file_name, "dish");
    EXPECT_EQ(titles.back(), path);
    EXPECT_NE(settings().find("KELVOR_ANTENNA_DIRECTORY=" + dir.file("ant")), std::string::npos);
}

TEST_F(AntennaEditor, ASyntaxErrorKeepsWhatWasReadButNoName) {
    ASSERT_TRUE(document->open_path(antenna_file("good.adf")));
    const std::string bad = dir.write("bad.adf", "REVNUM:,NSMA WG16.99.050\r\nANTMAN ANDREW\r\n");
    EXPECT_FALSE(document->open_path(bad));
    EXPECT_EQ(presenter.last().caption, "Syntax Error");
    EXPECT_EQ(presenter.last().text, "bad.adf\r\nLine number 2\r\nANTMAN ANDREW\r\n");
    EXPECT_EQ(document->path(), "");
    EXPECT_EQ(titles.back(), "");
    // A file that cannot be read leaves an empty record.
    EXPECT_FALSE(document->open_path(dir.file("missing.adf")));
    EXPECT_STREQ(document->record().antenna_spec.model, "");
}

// An elevation pattern that looks stored the wrong way round: the editor asks, and the answer
// decides whether it is mirrored.
TEST_F(AntennaEditor, ABackwardsMsiPatternIsAskedAboutInABox) {
    const std::string path = dir.write("back.msi", "NAME B\nVERTICAL 3\n-10 20\n5 0\n10 25\n");
    for (const auto& [answer, first_attenuation] :
         {std::pair{ID_YES, 25.0f}, std::pair{ID_NO, 20.0f}}) {
        presenter.answers = {answer};
        ASSERT_TRUE(document->open_path(path));
        EXPECT_EQ(presenter.last().caption, "File error");
        EXPECT_EQ(presenter.last().text,
                  "Elevation pattern appears to be backwards. Do you want to correct it?");
        EXPECT_EQ(presenter.last().style, BOX_YES_NO | BOX_ICON_QUESTION);
        EXPECT_EQ(document->record().cut(6).front().attenuation, first_attenuation);
    }
}

// The .msi file of a pair is named after its companion, as the record is: title, file name and
// the name Save As proposes agree.
TEST_F(AntennaEditor, AnMsiFileOfAPairIsNamedAfterItsCompanion) {
    const std::string vpol = dir.write("npx_Vpol.msi", "NAME NPX\nVERTICAL 2\n-1 0\n1 3\n");
    const std::string hpol = dir.write("npx_Hpol.msi", "POLARIZATION H\nHORIZONTAL 2\n0 0\n90 20\n");
    ASSERT_TRUE(document->open_path(vpol));
    EXPECT_EQ(document->path(), hpol);
    EXPECT_EQ(titles.back(), hpol);
    EXPECT_STREQ(document->record().antenna_spec.file_name, "npx_Hpol");
    dialogs.cancel();
    document->save_as(File_Document::Format::ascii);
    EXPECT_EQ(dialogs.seen.back().proposed_name, "npx_Hpol.adf");
}

// A name too long for the version 5 files, or for the version 4 .mas, is said once per file.
TEST_F(AntennaEditor, NamesTooLongForTheTargetAreRefusedFileByFile) {
    const std::string v5_long = antenna_file(std::string(48, 'x') + ".adf");
    const std::string v4_long = antenna_file("abcdefghijklmnop.adf");
    const std::string fits = antenna_file("abcdefghijklmno.adf");
    dialogs.choose({v5_long, v4_long, fits});
    presenter.answers = {ID_YES, ID_YES};
    document->convert_selected(Antenna_Target::mas);
    ASSERT_EQ(presenter.shown.size(), 3u);
    EXPECT_EQ(presenter.shown[0].text,
              std::string(48, 'x') + ".adf\r\nThe file name cannot exceed 47 characters for "
                                     "version 5 radio and antenna data files\r\nContinue?");
    EXPECT_EQ(presenter.shown[1].text, "abcdefghijklmnop.adf\r\nVersion 4 antenna data file name "
                                       "cannot exceed 15 characters.\r\nContinue?");
    EXPECT_EQ(presenter.shown[2].text, "1 files successfully converted");
    EXPECT_FALSE(fs::exists(dir.file("abcdefghijklmnop.mas")));
    EXPECT_TRUE(fs::exists(dir.file("abcdefghijklmno.mas")));
}

TEST_F(AntennaEditor, SavingAnUnnamedRecordAsAsciiAsksForANameAndWritesAdf) {
    ASSERT_TRUE(document->open_path(antenna_file("src/dish.adf")));
    document->new_file();
    EXPECT_EQ(document->path(), "");
    fs::create_directories(dir.file("out"));
    dialogs.choose({dir.file("out/typed.dat")});
    ASSERT_TRUE(document->save(File_Document::Format::ascii));
    const Seen_Dialog& seen = dialogs.seen.back();
    EXPECT_EQ(seen.title, "Save Antenna Data File in ASCII adf Format");
    EXPECT_EQ(seen.filters, QStringList({"ASCII Antenna Data Files (*.adf)",
                                         "All Files (*)"}));
    EXPECT_EQ(seen.directory.toStdString(), dir.file("src"));
    EXPECT_EQ(document->path(), dir.file("out/typed.adf"));
    EXPECT_TRUE(fs::exists(dir.file("out/typed.adf")));
    EXPECT_FALSE(fs::exists(dir.file("out/typed.dat")));
    EXPECT_STREQ(document->record().antenna_spec.file_name, "typed");

    // Save Binary under the current name.
    ASSERT_TRUE(document->save(File_Document::Format::binary));
    EXPECT_TRUE(fs::exists(dir.file("out/typed.asd")));
    EXPECT_EQ(titles.back(), dir.file("out/typed.asd"));
}

TEST_F(AntennaEditor, AFailedSaveKeepsTheChangesMarked) {
    ASSERT_TRUE(document->open_path(antenna_file("dish.adf")));
    document->set_modified(true);
    dialogs.choose({dir.file("gone/dish.asd")});
    EXPECT_FALSE(document->save_as(File_Document::Format::binary));
    EXPECT_TRUE(document->modified());
    EXPECT_EQ(document->path(), dir.file("dish.adf"));
}

TEST_F(AntennaEditor, AnEditOfTheWholeRecordIsOneStepAndNoneWhenNothingChanged) {
    ASSERT_TRUE(document->open_path(antenna_file("dish.adf")));
    Antenna_Record& record = document->record();
    const std::function<bool(const Antenna_Record&, const Antenna_Record&)> same_model =
        [](const Antenna_Record& a, const Antenna_Record& b) {
            return std::string(a.antenna_spec.model) == b.antenna_spec.model;
        };
    EXPECT_FALSE(document->store_record_edit<Antenna_Record>(
        "model", record, [](Antenna_Record&) {}, same_model));
    EXPECT_FALSE(document->modified());
    ASSERT_TRUE(document->store_record_edit<Antenna_Record>(
        "model", record,
        [](Antenna_Record& edited) { copy_text_field(edited.antenna_spec.model, "NEW"); },
        same_model));
    EXPECT_STREQ(record.antenna_spec.model, "NEW");
    EXPECT_TRUE(document->modified());
    document->handle_command(ID_EDIT_UNDO);
    EXPECT_STREQ(record.antenna_spec.model, "NPX-60-23");
    EXPECT_FALSE(document->modified());
    document->handle_command(ID_EDIT_REDO);
    EXPECT_STREQ(record.antenna_spec.model, "NEW");
}

TEST_F(AntennaEditor, TheSaveChangesCheck) {
    ASSERT_TRUE(document->open_path(antenna_file("dish.asd.adf")));
    document->set_modified(true);
    presenter.answers = {ID_CANCEL};
    EXPECT_FALSE(document->query_close());
    EXPECT_EQ(presenter.last().text, "Save changes made to the file " + dir.file("dish.asd.adf") +
                                         " ?");
    presenter.answers = {ID_YES};
    dialogs.cancel();
    EXPECT_FALSE(document->query_close());
    EXPECT_EQ(dialogs.seen.back().title, "Save Antenna Data File in ASCII adf Format");
    presenter.answers = {ID_NO};
    EXPECT_TRUE(document->query_close());
}

TEST_F(AntennaEditor, AFolderConversionTakesAdfInItsSixSpellings) {
    antenna_file("tree/x.Adf");
    antenna_file("tree/sub/y.DAT");
    antenna_file("tree/sub/z.aDf");
    dialogs.choose({dir.file("tree")});
    document->handle_command(120);
    EXPECT_EQ(dialogs.seen.back().title, "Select Top Folder to Start Conversion");
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, convert_title);
    EXPECT_EQ(presenter.last().text, "2 files successfully converted");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_EXCLAMATION);
    // What the .asd files have no room for is listed, a line for each file, as the details.
    const std::string lost = ": not kept: COMNT1, FILNUM, PATNUM, LWGAIN, HGGAIN, CONTYP, ATVSWR, "
                             "FRTOBA, ANTWID, ANTDEP, ANTWGT, NOFREQ, PATFRE";
    EXPECT_EQ(presenter.last().details,
              dir.file("tree/sub/y.DAT") + lost + "\r\n" + dir.file("tree/x.Adf") + lost);
    EXPECT_TRUE(fs::exists(dir.file("tree/x.asd")));
    EXPECT_TRUE(fs::exists(dir.file("tree/sub/y.asd")));
    EXPECT_FALSE(fs::exists(dir.file("tree/sub/z.asd")));
}

TEST_F(AntennaEditor, NoAfterASyntaxErrorInTheThirdOfFiveStopsTheBatch) {
    std::vector<std::string> files;
    for (const char* name : {"a.adf", "b.adf", "c.adf", "d.adf", "e.adf"}) {
        files.push_back(antenna_file(name));
    }
    dir.write("c.adf", "REVNUM:,NSMA WG16.99.050\r\nANTMAN ANDREW\r\n");
    dialogs.choose(files);
    presenter.answers = {ID_NO};
    document->handle_command(121);
    EXPECT_EQ(dialogs.seen.back().title, convert_title);
    EXPECT_EQ(dialogs.seen.back().filters,
              QStringList({"ASCII Antenna Files (*.adf *.dat)", "All Files (*)"}));
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].text, "c.adf\r\nLine number 2\r\nANTMAN ANDREW\r\nContinue?");
    EXPECT_EQ(presenter.shown[1].text, "2 files successfully converted");
    EXPECT_TRUE(fs::exists(dir.file("b.mas")));
    EXPECT_FALSE(fs::exists(dir.file("d.mas")));
}

TEST_F(AntennaEditor, TheTechnologyIsAskedOnceWhenItHoldsForTheRemainingFiles) {
    const std::string first = antenna_file("p.adf", false);
    const std::string second = antenna_file("q.adf", false);
    int asked = 0;
    document->technology_dialog = [&](const char* path, Technology_Answers& answers) {
        ++asked;
        EXPECT_EQ(std::string(path), first);
        answers.last_technology = 2;
        answers.use_for_all = true;
        return true;
    };
    dialogs.choose({first, second});
    document->convert_selected(Antenna_Target::asd);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(presenter.last().text, "2 files successfully converted");
    Antenna_Record converted;
    ASSERT_TRUE(document->open_path(dir.file("q.asd")));
    EXPECT_EQ(document->record().antenna_spec.technology, 2);
}

TEST_F(AntennaEditor, ACancelledTechnologyQuestionPassesTheFileOver) {
    const std::string file = antenna_file("p.adf", false);
    document->technology_dialog = [](const char*, Technology_Answers&) { return false; };
    dialogs.choose({file});
    document->convert_selected(Antenna_Target::asd);
    EXPECT_EQ(presenter.last().text, "0 files successfully converted");
    EXPECT_FALSE(fs::exists(dir.file("p.asd")));
}

} // namespace
