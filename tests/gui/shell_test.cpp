// The shell's rules without windows: modes, menus, the frame's controller, start-up values and
// the rules the editors share.
#include "command_ids.h"
#include "editor_support.h"
#include "equipment_modes.h"
#include "frame_controller.h"
#include "gui_test_support.h"
#include "mode_editor.h"
#include "mode_menus.h"
#include "recent_files.h"
#include "startup.h"

#include <filesystem>
#include <map>
#include <memory>
#include <set>

using namespace kelvor_test;

namespace {

const char* mode_name(Equipment_Mode mode) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return "v4";
    case Equipment_Mode::antenna:
        return "antenna";
    default:
        return "v5";
    }
}

TEST(StartupChoice, TheExtensionChoosesTheModeWithoutRegardToCase) {
    const auto expect = [](const char* path, Equipment_Mode mode, bool open) {
        const Startup_Choice choice = startup_choice(path);
        EXPECT_EQ(choice.mode, mode) << path;
        EXPECT_EQ(choice.open_file, open) << path;
    };
    expect("", Equipment_Mode::radio_v5, false);
    expect("/data/LINK.RAF", Equipment_Mode::radio_v5, true);
    expect("a.rsd", Equipment_Mode::radio_v5, true);
    expect("a.Mrs", Equipment_Mode::radio_v5, true);
    expect("/data/notes.txt", Equipment_Mode::radio_v5, false);
    expect("/data.adf/noextension", Equipment_Mode::radio_v5, false);
    for (const char* antenna : {"a.mas", "a.VAS", "a.asd", "a.Adf", "a.msi", "a.DAT"}) {
        expect(antenna, Equipment_Mode::antenna, true);
    }
}

TEST(Modes, TitlesHelpPagesAndSwitchOrder) {
    EXPECT_EQ(mode_title(Equipment_Mode::radio_v5, ""), "Kelvor - Radio Data Files V5");
    EXPECT_EQ(mode_title(Equipment_Mode::radio_v5, "/d/hx23.raf"),
              "Kelvor - Radio Data Files V5 - hx23.raf");
    EXPECT_EQ(mode_title(Equipment_Mode::radio_v4, "x.mrs"), "Kelvor - Radio Data Files V4 - x.mrs");
    EXPECT_EQ(mode_title(Equipment_Mode::antenna, ""), "Kelvor - TIA NSMA Antenna Data Files");
    EXPECT_STREQ(mode_info(Equipment_Mode::radio_v4).help_page,
                 "Kelvor_6.htm#Version_4_RADIO_DATA");
    EXPECT_EQ(mode_info(Equipment_Mode::antenna).menu_id, 154);
    using M = Equipment_Mode;
    EXPECT_EQ(query_close_order(M::radio_v5), (std::array<M, 2>{M::antenna, M::radio_v4}));
    EXPECT_EQ(query_close_order(M::radio_v4), (std::array<M, 2>{M::radio_v5, M::antenna}));
    EXPECT_EQ(query_close_order(M::antenna), (std::array<M, 2>{M::radio_v4, M::radio_v5}));
}

TEST(Menus, EveryModeHasUndoAndRedoAndNoKeyOrCommandTwice) {
    for (const Equipment_Mode mode :
         {Equipment_Mode::radio_v5, Equipment_Mode::radio_v4, Equipment_Mode::antenna}) {
        SCOPED_TRACE(mode_name(mode));
        std::map<std::string, int> keys;
        std::set<int> ids;
        for (const Menu_Item* item : menu_commands(mode_menu(mode))) {
            EXPECT_TRUE(ids.insert(item->id).second) << item->text;
            if (item->keys[0] != '\0') {
                EXPECT_TRUE(keys.emplace(item->keys, item->id).second) << item->keys;
            }
        }
        EXPECT_EQ(keys["Ctrl+Z"], ID_EDIT_UNDO);
        EXPECT_EQ(keys["Ctrl+Shift+Z"], ID_EDIT_REDO);
        // Ctrl+Y deletes a row in the grids.
        EXPECT_EQ(keys.count("Ctrl+Y"), 0u);
    }
}

// An editor that records what it was asked.
class Fake_Editor : public Mode_Editor {
public:
    Fake_Editor(Equipment_Mode mode, std::vector<std::string>& log) : m_mode(mode), m_log(log) {}
    Equipment_Mode mode() const { return m_mode; }
    bool handle_command(int id) override {
        m_log.push_back(std::string(mode_name(m_mode)) + " command " + std::to_string(id));
        return handled.count(id) != 0;
    }
    bool command_available(int) const override { return true; }
    bool query_close() override {
        m_log.push_back(std::string(mode_name(m_mode)) + " query_close");
        return allow_close;
    }
    bool open_file(const std::string& path) override {
        m_log.push_back(std::string(mode_name(m_mode)) + " open " + path);
        return true;
    }

    std::set<int> handled;
    bool allow_close = true;

private:
    Equipment_Mode m_mode;
    std::vector<std::string>& m_log;
};

// A frame that records what the controller asked of it.
class Fake_Host : public Frame_Host {
public:
    Mode_Editor* create_editor(Equipment_Mode mode) override {
        log.push_back(std::string("create ") + mode_name(mode));
        auto editor = std::make_unique<Fake_Editor>(mode, log);
        Fake_Editor* created = editor.get();
        editors[created] = std::move(editor);
        return created;
    }
    void destroy_editor(Mode_Editor* editor) override {
        log.push_back(std::string("destroy ") + mode_name(static_cast<Fake_Editor*>(editor)->mode()));
        editors.erase(editor);
    }
    void install_menu(Equipment_Mode mode) override {
        log.push_back(std::string("menu ") + mode_name(mode));
    }
    void show_editor(Mode_Editor* editor) override {
        log.push_back(std::string("show ") + mode_name(static_cast<Fake_Editor*>(editor)->mode()));
    }
    void update_menu_state(Equipment_Mode mode, const Mode_Editor&) override {
        log.push_back(std::string("check ") + mode_name(mode));
    }
    void set_title(const std::string& text) override {
        title = text;
        log.push_back("title " + text);
    }
    void open_url(const std::string& address) override { log.push_back("url " + address); }
    void show_about() override { log.push_back("about"); }
    void check_for_updates() override { log.push_back("updates"); }
    void close_window() override { log.push_back("close"); }
    void store_placement() override { log.push_back("store placement"); }

    Fake_Editor& editor(Frame_Controller& controller) {
        return *static_cast<Fake_Editor*>(controller.editor());
    }

    std::vector<std::string> log;
    std::map<Mode_Editor*, std::unique_ptr<Fake_Editor>> editors;
    std::string title;
};

TEST(FrameController, StartsInTheModeOfTheFileAndOpensIt) {
    Fake_Host host;
    Frame_Controller controller(host, "https://help/");
    controller.start("/d/ANT.ADF");
    EXPECT_EQ(host.log, (std::vector<std::string>{"menu antenna", "create antenna",
                                                  "check antenna", "show antenna",
                                                  "title Kelvor - TIA NSMA Antenna Data Files",
                                                  "antenna open /d/ANT.ADF"}));
    Fake_Host other;
    Frame_Controller text_start(other, "https://help/");
    text_start.start("/d/readme.txt");
    EXPECT_EQ(text_start.current_mode(), Equipment_Mode::radio_v5);
    EXPECT_EQ(other.log.back(), "title Kelvor - Radio Data Files V5");
}

TEST(FrameController, ASwitchAsksTheOtherEditorAndReplacesIt) {
    Fake_Host host;
    Frame_Controller controller(host, "https://help/");
    controller.start("");
    host.log.clear();
    EXPECT_TRUE(controller.switch_mode(Equipment_Mode::radio_v4));
    EXPECT_EQ(host.log, (std::vector<std::string>{
                            "v5 query_close", "menu v4", "create v4", "destroy v5", "check v4",
                            "show v4", "title Kelvor - Radio Data Files V4"}));
    EXPECT_EQ(controller.editor(Equipment_Mode::radio_v5), nullptr);
    EXPECT_EQ(host.editors.size(), 1u);
}

TEST(FrameController, CommandsGoToTheEditorFirstThenToTheFrame) {
    Fake_Host host;
    Frame_Controller controller(host, "https://help.example/");
    controller.start("");
    host.editor(controller).handled = {ID_FILE_OPEN};
    host.log.clear();
    EXPECT_TRUE(controller.route_command(ID_FILE_OPEN));
    EXPECT_TRUE(controller.route_command(ID_HELP_RADIO));
    EXPECT_TRUE(controller.route_command(ID_ABOUT));
    EXPECT_TRUE(controller.route_command(ID_CHECK_UPDATES));
    EXPECT_TRUE(controller.route_command(ID_APP_EXIT));
    EXPECT_FALSE(controller.route_command(999));
    EXPECT_EQ(host.log,
              (std::vector<std::string>{
                  "v5 command 104", "v5 command 114",
                  "url https://help.example/Kelvor_6.htm#Version_5_RADIO_Data", "v5 command 125",
                  "about", "v5 command 40018", "updates", "v5 command 57665", "close",
                  "v5 command 999"}));
}

TEST(FrameController, RadioHelpOnlyInARadioModeAndAntennaHelpInTheAntennaMode) {
    Fake_Host host;
    Frame_Controller controller(host, "https://h/");
    controller.start("a.dat");
    host.log.clear();
    EXPECT_FALSE(controller.route_command(ID_HELP_RADIO));
    EXPECT_TRUE(controller.route_command(ID_HELP_ANTENNA));
    EXPECT_EQ(host.log.back(), "url https://h/Kelvor_6.htm#Antenna_Data_Files");
    controller.set_title_path("/x/y/b.adf");
    EXPECT_EQ(host.title, "Kelvor - TIA NSMA Antenna Data Files - b.adf");
}

TEST(FrameController, CloseStoresThePlacementEvenWhenCancelled) {
    Fake_Host host;
    Frame_Controller controller(host, "https://h/");
    controller.start("");
    host.editor(controller).allow_close = false;
    host.log.clear();
    EXPECT_FALSE(controller.close_requested());
    EXPECT_EQ(host.log, (std::vector<std::string>{"store placement", "v5 query_close"}));
    host.editor(controller).allow_close = true;
    EXPECT_TRUE(controller.close_requested());
}

// Dropped files: the first opens as the command line would open it; the status text says what
// the drop did not open.
class FrameControllerFiles : public Gui_Test {
protected:
    Fake_Host host;
    Frame_Controller controller{host, "https://h/"};
};

TEST_F(FrameControllerFiles, TheFirstFileOpensInTheModeOfItsExtension) {
    const std::string folder = dir.file("sub.adf");
    std::filesystem::create_directory(folder);
    const std::string antenna = dir.write("ANT.ADF", "x");
    const std::string radio = dir.write("a.raf", "x");
    const std::string text = dir.write("notes.txt", "x");
    struct Case {
        std::vector<std::string> paths;
        bool allow_close;
        std::string said;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {{}, true, "", {}},
        {{folder, antenna}, true, "A folder is not opened: drop a data file.", {}},
        {{text}, true, "notes.txt is not a radio or antenna data file.", {}},
        // The current mode's editor resolves its unsaved changes before the file is read.
        {{radio}, true, "", {"v5 query_close", "v5 open " + radio}},
        {{radio}, false, "", {"v5 query_close"}},
        {{antenna, radio, text},
         true,
         "Opened ANT.ADF; one file opens at a time, 2 other dropped files were not opened.",
         {"v5 query_close", "menu antenna", "create antenna", "destroy v5", "check antenna",
          "show antenna", "title Kelvor - TIA NSMA Antenna Data Files",
          "antenna open " + antenna}},
    };
    for (const Case& c : cases) {
        Fake_Host fresh;
        Frame_Controller dropped_on(fresh, "https://h/");
        dropped_on.start("");
        fresh.editor(dropped_on).allow_close = c.allow_close;
        fresh.log.clear();
        EXPECT_EQ(dropped_on.open_dropped(c.paths), c.said) << c.said;
        EXPECT_EQ(fresh.log, c.log) << c.said;
    }
}

TEST(RecentFiles, TheNewestFirstEachOnceAndNoMoreThanEight) {
    Recent_Files files({"a", "", "b", "a", "c", "d", "e", "f", "g", "h", "i"});
    EXPECT_EQ(files.paths(), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h"}));
    files.add("c");
    EXPECT_EQ(files.paths(), (std::vector<std::string>{"c", "a", "b", "d", "e", "f", "g", "h"}));
    files.add("new");
    EXPECT_EQ(files.paths(), (std::vector<std::string>{"new", "c", "a", "b", "d", "e", "f", "g"}));
    files.add("");
    EXPECT_EQ(files.paths().front(), "new");
    EXPECT_TRUE(files.remove("a"));
    EXPECT_FALSE(files.remove("a"));
    EXPECT_EQ(files.paths(), (std::vector<std::string>{"new", "c", "b", "d", "e", "f", "g"}));
}

// Each mode keeps its own list in the settings file, whose other lines stay as they were.
TEST_F(FrameControllerFiles, TheRecentFilesOfEachModeAreKeptInTheSettingsFile) {
    write_settings("; kept\r\n[Recent Files V5]\r\nFile1=/old.raf\r\nFile2=/older.raf\r\n");
    controller.start("");
    controller.set_title_path("/d/b.raf");
    controller.set_title_path("/d/a.raf");
    controller.set_title_path("/d/b.raf");
    EXPECT_EQ(controller.recent_files().paths(),
              (std::vector<std::string>{"/d/b.raf", "/d/a.raf", "/old.raf", "/older.raf"}));
    EXPECT_EQ(settings(), "; kept\r\n[Recent Files V5]\r\nFile1=/d/b.raf\r\nFile2=/d/a.raf\r\n"
                          "File3=/old.raf\r\nFile4=/older.raf\r\n");
    controller.switch_mode(Equipment_Mode::antenna);
    EXPECT_TRUE(controller.recent_files().empty());
    controller.set_title_path("/d/x.adf");
    EXPECT_EQ(load_recent_files(Equipment_Mode::antenna).paths(),
              std::vector<std::string>{"/d/x.adf"});
    EXPECT_EQ(load_recent_files(Equipment_Mode::radio_v5).paths().size(), 4u);

    // A file that is gone leaves the list with a message; one that exists opens in the mode.
    const std::string kept = dir.write("k.adf", "x");
    controller.set_title_path(kept);
    Scripted_Presenter presenter;
    host.log.clear();
    EXPECT_FALSE(controller.open_recent(1));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text,
              "The file /d/x.adf no longer exists. It was removed from the recent files.");
    EXPECT_EQ(controller.recent_files().paths(), std::vector<std::string>{kept});
    EXPECT_FALSE(controller.open_recent(1));
    EXPECT_TRUE(controller.open_recent(0));
    EXPECT_EQ(host.log, (std::vector<std::string>{"antenna query_close", "antenna open " + kept}));
}

TEST(Startup, OnlyTheFirstArgumentIsTheFile) {
    const char* none[] = {"Kelvor"};
    const char* two[] = {"Kelvor", "/d/a.raf", "/d/b.raf"};
    EXPECT_EQ(startup_file_path(1, none), "");
    EXPECT_EQ(startup_file_path(3, two), "/d/a.raf");
    const std::string too_long(MAX_STARTUP_PATH + 1, 'a');
    const char* long_path[] = {"Kelvor", too_long.c_str()};
    EXPECT_EQ(startup_file_path(2, long_path), "");
}

TEST(Startup, TheSettingsFolderIsMadeWhenMissing) {
    Temp_Dir dir;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    EXPECT_EQ(settings_file_path(), dir.file("config") + "/Kelvor/Kelvor.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("config/Kelvor")));
    // A settings folder that cannot be made: no settings file.
    dir.write("blocked", "a file where the folder would be");
    setenv("XDG_CONFIG_HOME", dir.file("blocked").c_str(), 1);
    EXPECT_EQ(settings_file_path(), "");
    // A relative value is not used.
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_NE(settings_folder(), "relative/Kelvor");
    setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
}

TEST(EditorSupport, TheUnsavedChangesQuestion) {
    Scripted_Presenter presenter;
    presenter.answers = {ID_CANCEL, ID_YES};
    EXPECT_EQ(ask_save_changes(nullptr, ""), ID_CANCEL);
    EXPECT_EQ(ask_save_changes(nullptr, "/d/a.raf"), ID_YES);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].caption, "File data has changed");
    EXPECT_EQ(presenter.shown[0].text, "Save changes made to unnamed file ?");
    EXPECT_EQ(presenter.shown[0].style, BOX_YES_NO_CANCEL | BOX_ICON_QUESTION);
    EXPECT_EQ(presenter.shown[1].text, "Save changes made to the file /d/a.raf ?");
}

TEST(EditorSupport, FileNameCheck) {
    Scripted_Presenter presenter;
    const std::string name_47(47, 'n');
    const std::string name_48(48, 'n');
    EXPECT_EQ(check_file_name(nullptr, "/d/" + name_47 + ".raf", 47, "Too long", false), ID_OK);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(check_file_name(nullptr, "/d/" + name_48 + ".raf", 47, "Too long", false), ID_NO);
    EXPECT_EQ(presenter.last().caption, "Filename Error");
    EXPECT_EQ(presenter.last().text, name_48 + ".raf\r\nToo long");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);
    presenter.answers = {ID_YES};
    EXPECT_EQ(check_file_name(nullptr, name_48 + ".raf", 47, "Too long", true), ID_YES);
    EXPECT_EQ(presenter.last().text, name_48 + ".raf\r\nToo long\r\nContinue?");
}

TEST(EditorSupport, BatchCountingAndContinueRules) {
    std::vector<std::string> done;
    const std::map<std::string, std::pair<int, int>> script = {
        {"ok", {ID_OK, ID_OK}},        {"skip-name", {ID_YES, ID_OK}},
        {"not-radio", {ID_OK, 0}},     {"skip-error", {ID_OK, ID_YES}},
        {"stop-name", {ID_NO, ID_OK}}, {"stop-error", {ID_OK, ID_NO}}};
    const Batch_Steps steps{
        [&](const std::string& path, bool) { return script.at(path).first; },
        [&](const std::string& path, bool) {
            done.push_back(path);
            return script.at(path).second;
        }};
    EXPECT_EQ(run_conversion_batch({"ok", "skip-name", "not-radio", "skip-error", "ok"}, true,
                                   steps),
              2);
    EXPECT_EQ(done, (std::vector<std::string>{"ok", "not-radio", "skip-error", "ok"}));
    EXPECT_EQ(run_conversion_batch({"ok", "stop-name", "ok"}, true, steps), 1);
    EXPECT_EQ(run_conversion_batch({"ok", "ok", "stop-error", "ok"}, true, steps), 2);
    EXPECT_EQ(converted_count_text(2), "2 files successfully converted");

    // Progress hears of each file before it runs; a cancel ends the batch before the next one.
    std::vector<std::string> told;
    const auto cancel_at = [&](std::size_t at) {
        return [&told, at](const std::string& path, std::size_t index, std::size_t total) {
            told.push_back(path + " " + std::to_string(index) + "/" + std::to_string(total));
            return index != at;
        };
    };
    done.clear();
    EXPECT_EQ(run_conversion_batch({"ok", "skip-name", "ok", "ok"}, true, steps, cancel_at(2)), 1);
    EXPECT_EQ(told, (std::vector<std::string>{"ok 0/4", "skip-name 1/4", "ok 2/4"}));
    EXPECT_EQ(done, std::vector<std::string>{"ok"});
    told.clear();
    EXPECT_EQ(run_conversion_batch({"ok", "ok"}, true, steps, cancel_at(9)), 2);
    EXPECT_EQ(told.size(), 2u);
}

TEST(EditorSupport, FailuresAreShownOnce) {
    Scripted_Presenter presenter;
    EXPECT_FALSE(run_and_report(nullptr, false, [] {}).has_value());
    presenter.answers = {ID_NO};
    const auto answer = run_and_report(nullptr, true, [] { throw std::runtime_error("broken"); });
    EXPECT_EQ(answer.value_or(0), ID_NO);
    EXPECT_EQ(presenter.last().caption, "Error");
    EXPECT_EQ(presenter.last().text, "broken\r\nContinue?");
}

} // namespace
