// The file commands of the two radio editors: open, save, the lock, the unsaved-changes check
// and the batch conversions.
#include "v5_radio_file_edit.h"
#include "editor_support.h"
#include "error_handler.h"
#include "gui_test_support.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_file_support.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "v4_radio_document.h"
#include "v5_radio_document.h"

#include <filesystem>

using namespace kelvor_test;

namespace {

namespace fs = std::filesystem;

constexpr const char* convert_title = "Convert ASCII raf Radio Files to V5 rsd Binary Format";
constexpr const char* unknown_file_text =
    "\r\nFile identifier or file suffix is invalid.\r\nOnly raf and rsd /mrs file suffixes are "
    "allowed for radio data ASCII and binary files.";

class RadioEditor : public Gui_Test {
protected:
    void SetUp() override {
        Gui_Test::SetUp();
        set_rsd_lock_option(false);
        document = std::make_unique<V5_Radio_Document>(nullptr);
        QObject::connect(document.get(), &File_Document::title_changed,
                         [this](const std::string& path) { titles.push_back(path); });
    }
    void TearDown() override {
        document.reset();
        set_rsd_lock_option(false);
        Gui_Test::TearDown();
    }

    // A valid version 5 ASCII file at `name` (below the scratch folder).
    std::string radio_file(const std::string& name, const std::string& leading = "") {
        fs::create_directories(fs::path(dir.file(name)).parent_path());
        return dir.write(name, leading + read_bytes(example("radio/hx23_am_56m.raf")));
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    std::unique_ptr<V5_Radio_Document> document;
    std::vector<std::string> titles;
};

TEST_F(RadioEditor, OpensAnAsciiFileWithBlankLinesBeforeItsIdentifier) {
    const std::string path = radio_file("abc.raf", "\r\n\r\n  \n");
    ASSERT_TRUE(document->open_path(path));
    EXPECT_STREQ(document->record().radio_spec.radio_code, "abc");
    EXPECT_STREQ(document->record().radio_spec.model, "HX-23 Adaptive");
    EXPECT_EQ(document->path(), path);
    EXPECT_FALSE(document->modified());
    EXPECT_EQ(titles.back(), path);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(RadioEditor, OpensABinaryFileAndRefusesALockedOne) {
    Radio_Record record;
    Error_Handler handler;
    read_raf_file(record, example("radio/hx23_am_56m.raf").c_str(), &handler);
    write_rsd_file(record, dir.file("open.rsd").c_str(), &handler, false);
    write_rsd_file(record, dir.file("locked.rsd").c_str(), &handler, true);

    ASSERT_TRUE(document->open_path(dir.file("open.rsd")));
    EXPECT_STREQ(document->record().radio_spec.radio_code, "open");
    EXPECT_FALSE(document->open_path(dir.file("locked.rsd")));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, "File Locked");
    EXPECT_EQ(presenter.last().text,
              "locked.rsd\r\nThis rsd file has been locked and cannot be edited. The ASCII file "
              "must be used for all changes");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);
    // Nothing was opened: the record and its name are those of the file open before.
    EXPECT_EQ(document->path(), dir.file("open.rsd"));
    EXPECT_STREQ(document->record().radio_spec.model, "HX-23 Adaptive");
}

TEST_F(RadioEditor, RefusesUnknownFilesAndLongNames) {
    EXPECT_FALSE(document->open_path(dir.write("note.raf", "HELLO WORLD\r\n")));
    EXPECT_EQ(presenter.last().caption, "File error");
    EXPECT_EQ(presenter.last().text, std::string("note.raf") + unknown_file_text);

    const std::string long_name = std::string(48, 'r') + ".raf";
    EXPECT_FALSE(document->open_path(radio_file(long_name)));
    EXPECT_EQ(presenter.last().caption, "Filename Error");
    EXPECT_EQ(presenter.last().text,
              long_name + "\r\nThe file name cannot exceed 47 characters for version 5 radio "
                          "and antenna data files");
    EXPECT_TRUE(document->open_path(radio_file(std::string(47, 'r') + ".raf")));

    EXPECT_FALSE(document->open_path(dir.file("missing.raf")));
    EXPECT_EQ(presenter.last().caption, "File error");
}

TEST_F(RadioEditor, AFailedReadLeavesAnEmptyUnnamedRecord) {
    ASSERT_TRUE(document->open_path(radio_file("good.raf")));
    const std::string bad =
        dir.write("bad.raf", "QV50_ASCII_RADIO_SPEC_04\r\nMANUFACTURER:\tX\r\nBOGUS:\t1\r\nENDFIL\r\n");
    EXPECT_FALSE(document->open_path(bad));
    EXPECT_EQ(presenter.last().caption, "Syntax Error");
    EXPECT_EQ(presenter.last().text.rfind("bad.raf\r\nLine number 3\r\n", 0), 0u)
        << presenter.last().text;
    EXPECT_EQ(document->path(), "");
    EXPECT_STREQ(document->record().radio_spec.manufacturer, "");
    EXPECT_EQ(titles.back(), "");
}

TEST_F(RadioEditor, SavingAnUnnamedRecordOpensTheSaveDialogOfItsFormat) {
    dialogs.cancel();
    EXPECT_TRUE(document->handle_command(106));
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].title, "Save Radio Data File in Binary rsd Format");
    EXPECT_EQ(dialogs.seen[0].filters, QStringList{"Radio Data Files (*.rsd)"});
    EXPECT_EQ(dialogs.seen[0].default_suffix, "rsd");
    EXPECT_EQ(dialogs.seen[0].notice, "");

    dialogs.cancel();
    document->save(File_Document::Format::ascii);
    EXPECT_EQ(dialogs.seen.back().title, "Save Radio Data File in V5 ASCII raf Format");
    EXPECT_TRUE(dir.entries().empty());
}

TEST_F(RadioEditor, SaveAsWritesUnderTheNameWithTheFormatsExtension) {
    ASSERT_TRUE(document->open_path(radio_file("src/hx.raf")));
    document->set_modified(true);
    fs::create_directories(dir.file("out"));
    dialogs.choose({dir.file("out/copy.dat")});
    ASSERT_TRUE(document->save_as(File_Document::Format::ascii));
    EXPECT_EQ(dialogs.seen.back().proposed_name, "hx.raf");
    EXPECT_EQ(document->path(), dir.file("out/copy.raf"));
    EXPECT_STREQ(document->record().radio_spec.radio_code, "copy");
    EXPECT_FALSE(document->modified());
    EXPECT_EQ(titles.back(), dir.file("out/copy.raf"));
    EXPECT_EQ(read_bytes(dir.file("out/copy.raf")), raf_text(document->record()));
    EXPECT_NE(settings().find("KELVOR_RADIO_DIRECTORY=" + dir.file("out")), std::string::npos);

    // Save Binary under the current name.
    ASSERT_TRUE(document->save(File_Document::Format::binary));
    EXPECT_EQ(document->path(), dir.file("out/copy.rsd"));
    EXPECT_TRUE(fs::exists(dir.file("out/copy.rsd")));
}

TEST_F(RadioEditor, AFailedSaveKeepsTheChangesMarked) {
    ASSERT_TRUE(document->open_path(radio_file("hx.raf")));
    document->set_modified(true);
    dialogs.choose({dir.file("no/such/folder/hx.raf")});
    EXPECT_FALSE(document->save_as(File_Document::Format::ascii));
    EXPECT_EQ(presenter.last().caption, "File error");
    EXPECT_TRUE(document->modified());
    EXPECT_EQ(document->path(), dir.file("hx.raf"));
    EXPECT_EQ(titles.back(), dir.file("hx.raf"));
    // The check before closing still asks.
    presenter.answers = {ID_CANCEL};
    EXPECT_FALSE(document->query_close());
    EXPECT_EQ(presenter.last().text, "Save changes made to the file " + dir.file("hx.raf") + " ?");
}

TEST_F(RadioEditor, TheLockOptionMarksBinaryFilesAndTheSaveDialogSaysSo) {
    bool offered = true;
    document->lock_dialog = [&](bool current) -> std::optional<bool> {
        offered = current;
        return true;
    };
    document->handle_command(108);
    EXPECT_FALSE(offered);
    EXPECT_TRUE(rsd_lock_option());

    dialogs.choose({dir.file("locked.rsd")});
    ASSERT_TRUE(document->save_as(File_Document::Format::binary));
    EXPECT_EQ(dialogs.seen.back().notice.toStdString(), RSD_LOCK_NOTICE);
    const std::string bytes = read_bytes(dir.file("locked.rsd"));
    ASSERT_GE(bytes.size(), 24u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 0x9A);
    EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 0x02);

    document->lock_dialog = [](bool) -> std::optional<bool> { return std::nullopt; };
    document->lock_command();
    EXPECT_TRUE(rsd_lock_option());
}

TEST_F(RadioEditor, TheUnsavedChangesCheck) {
    EXPECT_TRUE(document->query_close());
    EXPECT_TRUE(presenter.shown.empty());
    document->set_modified(true);
    presenter.answers = {ID_NO};
    EXPECT_TRUE(document->query_close());
    EXPECT_EQ(presenter.last().text, "Save changes made to unnamed file ?");
    // Yes with the save dialog cancelled: nothing was saved, so the command does not go on.
    presenter.answers = {ID_YES};
    dialogs.cancel();
    EXPECT_FALSE(document->query_close());
    EXPECT_EQ(dialogs.seen.back().title, "Save Radio Data File in V5 ASCII raf Format");
    // Yes and a save: the command goes on.
    presenter.answers = {ID_YES};
    dialogs.choose({dir.file("kept.raf")});
    EXPECT_TRUE(document->query_close());
    EXPECT_TRUE(fs::exists(dir.file("kept.raf")));
    EXPECT_FALSE(document->modified());
    // New after Cancel keeps the record.
    document->set_modified(true);
    presenter.answers = {ID_CANCEL};
    document->new_file();
    EXPECT_EQ(document->path(), dir.file("kept.raf"));
    presenter.answers = {ID_NO};
    document->new_file();
    EXPECT_EQ(document->path(), "");
    EXPECT_EQ(titles.back(), "");
}

TEST_F(RadioEditor, AFolderConversionTakesOnlyTheThreeSpellingsOfRaf) {
    const std::string top = dir.file("tree");
    radio_file("tree/a.raf");
    radio_file("tree/sub/b.RAF");
    radio_file("tree/sub/c.rAf");
    ASSERT_TRUE(document->open_path(radio_file("shown.raf")));
    dialogs.choose({top});
    document->convert_folder();
    EXPECT_EQ(dialogs.seen.back().title, "Select Top Folder to Start Conversion");
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, convert_title);
    EXPECT_EQ(presenter.last().text, "2 files successfully converted");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_EXCLAMATION);
    EXPECT_EQ(presenter.last().details, ""); // a binary file holds all an ASCII file does
    EXPECT_TRUE(fs::exists(top + "/a.rsd"));
    EXPECT_TRUE(fs::exists(top + "/sub/b.rsd"));
    EXPECT_FALSE(fs::exists(top + "/sub/c.rsd"));
    Radio_Record converted;
    Error_Handler handler;
    read_rsd_file(converted, (top + "/sub/b.rsd").c_str(), &handler);
    EXPECT_STREQ(converted.radio_spec.radio_code, "b");
    // The editor's record is empty and unnamed afterwards.
    EXPECT_EQ(document->path(), "");
    EXPECT_STREQ(document->record().radio_spec.model, "");
    EXPECT_NE(settings().find("KELVOR_RADIO_DIRECTORY=" + top), std::string::npos);
}

TEST_F(RadioEditor, AFolderWhoseOnlyFileHasABadHeaderConvertsNone) {
    fs::create_directories(dir.file("tree"));
    dir.write("tree/bad.raf", "NOT A RADIO FILE\r\n");
    dialogs.choose({dir.file("tree")});
    document->convert_folder();
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].text, std::string("bad.raf") + unknown_file_text);
    EXPECT_EQ(presenter.shown[1].text, "0 files successfully converted");
    EXPECT_EQ(presenter.shown[1].style, BOX_OK | BOX_ICON_STOP);
}

TEST_F(RadioEditor, ASelectionOfOneBadFileShowsMessage289ThenTheCount) {
    dialogs.choose({dir.write("bad.raf", "NOT A RADIO FILE\r\n")});
    document->convert_selected();
    EXPECT_EQ(dialogs.seen.back().title, convert_title);
    EXPECT_EQ(dialogs.seen.back().file_mode, QFileDialog::ExistingFiles);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].text, std::string("bad.raf") + unknown_file_text);
    EXPECT_EQ(presenter.shown[1].caption, convert_title);
    EXPECT_EQ(presenter.shown[1].text, "0 files successfully converted");
}

TEST_F(RadioEditor, NoToContinueEndsTheSelectionAndYesPassesAFileOver) {
    const std::string first = radio_file("one.raf");
    const std::string broken =
        dir.write("two.raf", "QV50_ASCII_RADIO_SPEC_04\r\nBOGUS:\t1\r\nENDFIL\r\n");
    const std::string long_name = radio_file(std::string(50, 'x') + ".raf");
    const std::string last = radio_file("four.raf");

    dialogs.choose({first, long_name, broken, last});
    presenter.answers = {ID_YES, ID_NO};
    document->convert_selected();
    ASSERT_EQ(presenter.shown.size(), 3u);
    EXPECT_EQ(presenter.shown[0].caption, "Filename Error");
    EXPECT_EQ(presenter.shown[0].text.substr(presenter.shown[0].text.size() - 11),
              "\r\nContinue?");
    EXPECT_EQ(presenter.shown[1].caption, "Syntax Error");
    EXPECT_EQ(presenter.shown[1].style, BOX_YES_NO | BOX_ICON_STOP);
    EXPECT_EQ(presenter.shown[2].text, "1 files successfully converted");
    EXPECT_TRUE(fs::exists(dir.file("one.rsd")));
    EXPECT_FALSE(fs::exists(dir.file("four.rsd")));
}

TEST_F(RadioEditor, ACancelledSelectionConvertsNothingAndKeepsTheRecord) {
    ASSERT_TRUE(document->open_path(radio_file("shown.raf")));
    dialogs.cancel();
    document->convert_selected();
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(document->path(), dir.file("shown.raf"));
    // Cancel in the unsaved-changes check stops before any dialog.
    document->set_modified(true);
    presenter.answers = {ID_CANCEL};
    document->convert_v4_to_v5();
    EXPECT_EQ(dialogs.seen.size(), 1u);
}

TEST_F(RadioEditor, Version4AsciiFilesConvertToVersion5InTheSaveFolder) {
    Radio_Record v5;
    Error_Handler handler;
    read_raf_file(v5, example("radio/hx23_am_56m.raf").c_str(), &handler);
    Radio4_Record v4;
    convert_v5_to_v4(v5, v4);
    write_raf4_file(v4, dir.file("old.raf").c_str(), &handler);
    const std::string v5_file = radio_file("new.raf");
    fs::create_directories(dir.file("saved"));

    dialogs.choose({dir.file("old.raf"), v5_file});
    dialogs.choose({dir.file("saved")});
    document->convert_v4_to_v5();
    EXPECT_EQ(dialogs.seen[0].title, "Convert V4 ASCII Radio Files to V5 ASCII Format");
    EXPECT_EQ(dialogs.seen[1].title, "Select Save Folder");
    ASSERT_FALSE(presenter.shown.empty());
    EXPECT_EQ(presenter.last().caption, "Convert V4 ASCII Radio Files to V5 ASCII Format");
    EXPECT_EQ(presenter.last().text, "1 files successfully converted");
    EXPECT_EQ(presenter.last().details, ""); // the version 4 file came from version 5
    EXPECT_TRUE(fs::exists(dir.file("saved/old.raf")));
    EXPECT_FALSE(fs::exists(dir.file("saved/new.raf")));
    Radio_Record converted;
    read_raf_file(converted, dir.file("saved/old.raf").c_str(), &handler);
    EXPECT_STREQ(converted.radio_spec.model, v5.radio_spec.model);
}

class Radio4Editor : public Gui_Test {
protected:
    // A version 4 binary file made from the version 5 example.
    std::string mrs_file(const std::string& name) {
        Error_Handler handler;
        Radio_Record v5;
        read_raf_file(v5, example("radio/hx23_am_56m.raf").c_str(), &handler);
        Radio4_Record v4;
        convert_v5_to_v4(v5, v4);
        v4.radio_spec.flags = 0;
        write_mrs_file(v4, dir.file(name).c_str(), &handler);
        return dir.file(name);
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    std::vector<std::string> titles;
    V4_Radio_Document document{nullptr};
    QMetaObject::Connection title_connection =
        QObject::connect(&document, &File_Document::title_changed,
                         [this](const std::string& path) { titles.push_back(path); });
};

TEST_F(Radio4Editor, OpensABinaryFileAndMarksItPdhWhenItHasNoType) {
    const std::string path = mrs_file("hx23.mrs");
    ASSERT_TRUE(document.open_path(path));
    EXPECT_EQ(document.file_code(), "hx23");
    EXPECT_EQ(document.record().radio_spec.flags & RADIO4_TYPE_FLAGS, RADIO4_PDH);
    EXPECT_STREQ(document.record().radio_spec.model, "HX-23 Adaptive");
    EXPECT_EQ(titles.back(), path);
    EXPECT_NE(settings().find("KELVOR_RADIO_DIRECTORY=" + dir.path().string()),
              std::string::npos);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(Radio4Editor, TheAsciiSaveClearsTheChangesAndTheBinarySaveWritesMrs) {
    ASSERT_TRUE(document.open_path(mrs_file("hx23.mrs")));
    document.set_modified(true);
    dialogs.choose({dir.file("copy.raf")});
    ASSERT_TRUE(document.save(File_Document::Format::ascii));
    EXPECT_EQ(dialogs.seen.back().proposed_name, "hx23.raf");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(read_bytes(dir.file("copy.raf")).rfind("QVW40_RADIOSPEC", 0), 0u);
    dialogs.choose({dir.file("copy.mrs")});
    ASSERT_TRUE(document.save(File_Document::Format::binary));
    EXPECT_EQ(document.path(), dir.file("copy.mrs"));
    EXPECT_EQ(read_bytes(dir.file("copy.mrs")).rfind("QVW401RADIOSPEC", 0), 0u);
}

TEST_F(Radio4Editor, ConvertsSelectedAsciiFilesToMrs) {
    const std::string source = dir.write("hx.raf", read_bytes(example("radio/hx23_am_56m.raf")));
    dialogs.choose({source});
    document.convert_selected();
    EXPECT_EQ(dialogs.seen.back().title, convert_title);
    EXPECT_EQ(presenter.last().text, "1 files successfully converted");
    // What version 4 has no field for is the message's details.
    const std::string& details = presenter.last().details;
    EXPECT_EQ(details.rfind(source + ": not kept: RELEASE_DATE, REVISION_NUM, ", 0), 0u) << details;
    EXPECT_TRUE(details.ends_with(", NUM_ACU_CONFIG; COMMENT_1 cut to 31 characters (16 lost); "
                                  "RX_SELECTIVITY_04 code 256QAM cut to 5 characters (1 lost)"))
        << details;
    EXPECT_EQ(read_bytes(dir.file("hx.mrs")).rfind("QVW401RADIOSPEC", 0), 0u);
}

TEST_F(Radio4Editor, RefusesLongNamesAndVersion5AsciiFilesOfVersion04) {
    const std::string sixteen = dir.write(std::string(16, 'v') + ".raf",
                                          read_bytes(example("radio/hx23_am_56m.raf")));
    EXPECT_FALSE(document.open_path(sixteen));
    EXPECT_EQ(presenter.last().caption, "Filename Error");
    EXPECT_EQ(presenter.last().text, std::string(16, 'v') +
                                         ".raf\r\nVersion 4 radio data file names cannot exceed "
                                         "15 characters");
    const std::string v04 = dir.write("v04.raf", read_bytes(example("radio/hx23_am_56m.raf")));
    EXPECT_FALSE(document.open_path(v04));
    EXPECT_EQ(presenter.last().text, std::string("v04.raf") + unknown_file_text);
}

TEST_F(Radio4Editor, BothSavesShowTheirDialog) {
    dialogs.cancel();
    dialogs.cancel();
    EXPECT_FALSE(document.save(File_Document::Format::ascii));
    EXPECT_FALSE(document.save(File_Document::Format::binary));
    ASSERT_EQ(dialogs.seen.size(), 2u);
    EXPECT_EQ(dialogs.seen[0].title, "Save Radio Data File in V5 ASCII raf Format");
    EXPECT_EQ(dialogs.seen[1].title, "Save Radio Data File in V4 Binary mrs Format");
    EXPECT_EQ(dialogs.seen[1].filters, QStringList{"V4 Radio Data Files (*.mrs)"});
}

// A failed ASCII save names the file in a "File error"; a failed binary save shows the
// writer's own message. Neither clears the modified flag.
TEST_F(Radio4Editor, AFailedSaveSaysWhichFileAndKeepsTheChanges) {
    ASSERT_TRUE(document.open_path(mrs_file("hx23.mrs")));
    document.set_modified(true);
    const std::string target = dir.file("gone/hx23.raf");
    dialogs.choose({target});
    EXPECT_FALSE(document.save(File_Document::Format::ascii));
    EXPECT_EQ(presenter.last().caption, "File error");
    EXPECT_EQ(presenter.last().text, target + "\r\nFile error");
    dialogs.choose({dir.file("gone/hx23.mrs")});
    EXPECT_FALSE(document.save(File_Document::Format::binary));
    EXPECT_NE(presenter.last().text.find("No such file"), std::string::npos);
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(document.path(), dir.file("hx23.mrs"));
}

TEST(RadioBatch, AFolderTakesTheThreeSpellingsOfRafOnly) {
    EXPECT_TRUE(is_radio_batch_extension("/a/b.Raf"));
    EXPECT_FALSE(is_radio_batch_extension("/a/b.rAF"));
}

} // namespace
