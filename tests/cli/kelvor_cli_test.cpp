// kelvor-cli as a user runs it: arguments, exit code, output and files.
#include "radio4_format.h"
#include "radio4_record.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using kelvor_test::read_bytes;
using kelvor_test::Temp_Dir;

namespace {

namespace fs = std::filesystem;

struct Cli_Run {
    int exit_code;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

// The objects of a report of one JSON object per line.
std::vector<nlohmann::json> json_lines(const std::string& text) {
    std::vector<nlohmann::json> objects;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        objects.push_back(nlohmann::json::parse(text.substr(start, end - start)));
    }
    EXPECT_EQ(start, text.size()) << "the report ends inside a line";
    return objects;
}

class KelvorCli : public testing::Test {
protected:
    // `shell_prefix` is run before the tool in the same shell: a time or memory limit.
    Cli_Run run(const std::vector<std::string>& args, const std::string& shell_prefix = "") {
        std::string command = shell_prefix + quoted(KELVOR_CLI_PATH);
        for (const std::string& arg : args) {
            command += " " + quoted(arg);
        }
        const std::string out = dir.file(".out");
        const std::string err = dir.file(".err");
        command += " >" + quoted(out) + " 2>" + quoted(err) + " </dev/null";
        const int status = std::system(command.c_str());
        Cli_Run result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_bytes(out), read_bytes(err)};
        fs::remove(out);
        fs::remove(err);
        return result;
    }

    std::string example(const std::string& name) {
        return std::string(KELVOR_EXAMPLES_DIR) + "/radio/" + name;
    }

    std::string copy_example(const std::string& name, const std::string& as) {
        const std::string target = dir.file(as);
        fs::create_directories(fs::path(target).parent_path());
        fs::copy_file(example(name), target);
        return target;
    }

    Temp_Dir dir;
};

TEST_F(KelvorCli, VersionHelpAndUsageErrors) {
    Cli_Run r = run({"--version"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "Kelvor Version 5.01.05\n");
    r = run({"--help"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_NE(r.out.find("convert --to FORMAT"), std::string::npos);
    EXPECT_EQ(run({}).exit_code, 2);
    EXPECT_EQ(run({"frobnicate"}).exit_code, 2);
    EXPECT_EQ(run({"check"}).exit_code, 2);
    EXPECT_EQ(run({"dump", "a", "b"}).exit_code, 2);
    r = run({"convert", "--to", "xyz", "a.raf"});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("cannot convert to xyz"), std::string::npos);
    EXPECT_EQ(run({"convert", "a.raf"}).exit_code, 2);
    EXPECT_EQ(run({"convert", "--to", "raf"}).exit_code, 2);
    EXPECT_EQ(run({"convert", "--to", "raf", "--bogus", "a.raf"}).exit_code, 2);
    r = run({"convert", "--to", "raf", "--out", "", "a.raf"});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("kelvor-cli: --out needs a folder\n"), std::string::npos) << r.err;
}

TEST_F(KelvorCli, CheckReportsEachFile) {
    const std::string good = example("nl180_18g_28m.raf");
    const std::string bad = dir.write("bad.raf", "QV50_ASCII_RADIO_SPEC_04\r\nMODEL:\tx\r\n\r\nMODEL x\r\n");
    const std::string alien = dir.write("alien.raf", "hello\n");
    const std::string missing = dir.file("missing.raf");
    const std::string empty = dir.write("empty.raf", "");
    // A line of a million 0xE9 bytes: the report shows 79 of them, as UTF-8, and an ellipsis.
    const std::string long_line = dir.write(
        "long.raf", "QV50_ASCII_RADIO_SPEC_04\r\nMODEL:\tx\r\n" + std::string(1000000, '\xE9'));
    std::string shown;
    for (int i = 0; i < 79; ++i) {
        shown += "\xC3\xA9";
    }
    Cli_Run r = run({"check", good, bad, alien, missing, empty, long_line});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, good + ": ok (raf5)\n" +
                         bad + ":4: line without a colon: MODEL x\n" +
                         alien + ": File identifier or file suffix is invalid. Only raf and rsd "
                                 "/mrs file suffixes are allowed for radio data ASCII and binary "
                                 "files.\n" +
                         missing + ": cannot read the file: No such file or directory\n" +
                         empty + ": the file is empty\n" +
                         long_line + ":3: line longer than 255 characters: " + shown +
                         "\xE2\x80\xA6\n");
    EXPECT_EQ(run({"check", good}).exit_code, 0);

    // The same as JSON: one object per file and line, in the same order, with the same facts.
    r = run({"check", "--json", good, bad, missing, long_line});
    EXPECT_EQ(r.exit_code, 1);
    const std::vector<nlohmann::json> objects = json_lines(r.out);
    struct Expected {
        std::string path;
        nlohmann::json kind;
        std::string status;
        nlohmann::json error;
    };
    const Expected expected[] = {
        {good, "raf5", "ok", nullptr},
        {bad, "raf5", "failed", {{"message", "line without a colon"}, {"line", 4}, {"text", "MODEL x"}}},
        {missing, nullptr, "failed", {{"message", "cannot read the file: No such file or directory"}}},
        {long_line, "raf5", "failed",
         {{"message", "line longer than 255 characters"}, {"line", 3}, {"text", shown + "\xE2\x80\xA6"}}},
    };
    ASSERT_EQ(objects.size(), std::size(expected)) << r.out;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(expected[i].path);
        EXPECT_EQ(objects[i]["path"], expected[i].path);
        EXPECT_EQ(objects[i]["kind"], expected[i].kind);
        EXPECT_EQ(objects[i]["status"], expected[i].status);
        EXPECT_EQ(objects[i]["error"], expected[i].error);
        EXPECT_EQ(objects[i]["warnings"], nlohmann::json::array());
    }
}

TEST_F(KelvorCli, OutputThatCannotBeWrittenIsAFailure) {
    const std::string source = example("hx23_am_56m.raf");
    const std::vector<std::vector<std::string>> commands = {
        {"dump", source},
        {"check", source},
        {"convert", "--to", "rsd", "--out", dir.file("out"), source},
        {"--version"},
    };
    for (const auto& args : commands) {
        // The tool's standard output goes to a device that is always full.
        const Cli_Run r = run(args, "sh -c 'exec \"$0\" \"$@\" >/dev/full' ");
        EXPECT_EQ(r.exit_code, 1) << args[0];
        EXPECT_EQ(r.err, "kelvor-cli: cannot write the output: No space left on device\n");
    }
    EXPECT_TRUE(fs::exists(dir.file("out/hx23_am_56m.rsd")));
}

TEST_F(KelvorCli, DoubleDashEndsTheOptions) {
    const std::string source = copy_example("nl180_18g_28m.raf", "--x.raf");
    const std::string cd = "cd " + quoted(dir.path().string()) + " && ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"check", "--", "--x.raf"}, "--x.raf: ok (raf5)\n"},
        {{"convert", "--to", "rsd", "--", "--x.raf"},
         "--x.raf -> --x.rsd\n1 files successfully converted\n"},
    };
    for (const auto& [args, out] : cases) {
        const Cli_Run r = run(args, cd);
        EXPECT_EQ(r.exit_code, 0) << args[0] << ": " << r.err;
        EXPECT_EQ(r.out, out);
    }
    const Cli_Run r = run({"dump", "--", "--x.raf"}, cd);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["format"], "raf5");
    EXPECT_TRUE(fs::exists(dir.file("--x.rsd")));
}

TEST_F(KelvorCli, DumpPrintsTheRecord) {
    Cli_Run r = run({"dump", example("hx23_am_56m.raf")});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["format"], "raf5");
    const auto& record = json["record"];
    EXPECT_EQ(record["model"], "HX-23 Adaptive");
    EXPECT_EQ(record["application_type"], 1);
    EXPECT_EQ(record["capacity_summary"], "OFDM");
    EXPECT_TRUE(record["ttoi_ratio"].is_null());
    EXPECT_EQ(record["acm_states"].size(), 4u);
    EXPECT_EQ(record["acm_states"][3]["Mod"], "256QAM");
    EXPECT_EQ(record["acu_configs"].size(), 3u);
    EXPECT_EQ(record["rx_thresholds"][1]["threshold_dbm"], -84.0);
    const auto& curve = record["curves"][2];
    EXPECT_EQ(curve["name"], "TX_EMISSION_01 - QPSK");
    EXPECT_EQ(curve["points"][1][0], 25.6);

    r = run({"dump", dir.write("x.raf", "QV50_ASCII_RADIO_SPEC_04\nTtoI_Other:\t1\n0, 1\n")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(":2: curve against other radios without a radio code: TtoI_Other:\t1"),
              std::string::npos);
}

TEST_F(KelvorCli, ConvertWalksFoldersByExtension) {
    copy_example("nl180_18g_28m.raf", "tree/a.raf");
    copy_example("ac450_lm_12k5.raf", "tree/sub/b.RAF");
    copy_example("ac450_lm_12k5.raf", "tree/sub/c.rAf");
    fs::create_directory(dir.path() / "out");
    Cli_Run r = run({"convert", "--to", "raf", "--out", dir.file("out"), dir.file("tree")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("2 files successfully converted\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.file("out/a.raf")));
    EXPECT_TRUE(fs::exists(dir.file("out/b.raf")));
    EXPECT_FALSE(fs::exists(dir.file("out/c.raf")));
    // The radio code follows the file name.
    EXPECT_NE(read_bytes(dir.file("out/b.raf")).find("QV50_RADIO_CODE:\tb\r\n"), std::string::npos);
}

// A batch of more than 100 files shows its progress when stderr is a terminal, on one line that
// is cleared at the end; --quiet leaves nothing but the failures.
TEST_F(KelvorCli, ConvertProgressOnATerminalAndQuiet) {
    const std::string hundred = dir.file("tree/a");
    for (int i = 0; i < 100; ++i) {
        copy_example("nl180_18g_28m.raf", "tree/a/f" + std::to_string(i) + ".raf");
    }
    copy_example("nl180_18g_28m.raf", "tree/b.raf");
    const std::string tree = dir.file("tree");
    const std::string out = dir.file("out");

    // Not a terminal: the report and the count, nothing on stderr.
    Cli_Run plain = run({"convert", "--to", "rsd", "--out", out, tree});
    EXPECT_EQ(plain.exit_code, 0) << plain.err;
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 102);
    EXPECT_EQ(plain.err, "");

    // stderr on a pseudo-terminal (script), stdout into a file.
    const auto on_terminal = [&](const std::string& path, const std::string& flags) {
        const std::string command = quoted(KELVOR_CLI_PATH) + " convert --to rsd " + flags +
                                    " --out " + quoted(out) + " " + quoted(path) + " >" +
                                    quoted(dir.file(".tty-out"));
        const std::string typescript = dir.file(".typescript");
        const int status = std::system(("script -qec " + quoted(command) + " /dev/null >" +
                                        quoted(typescript) + " </dev/null")
                                           .c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "script (bsdutils) must be installed; status " << status;
        return read_bytes(typescript);
    };
    const std::string shown = on_terminal(tree, "");
    EXPECT_NE(shown.find("converted 1 of 101: "), std::string::npos) << shown;
    EXPECT_NE(shown.find("converted 101 of 101: "), std::string::npos) << shown;
    // After the last count the line is blanked.
    const std::string after = shown.substr(shown.find('\r', shown.rfind("converted 101 of 101: ")));
    EXPECT_EQ(after.find_first_not_of(" \r"), std::string::npos) << after;
    EXPECT_EQ(on_terminal(hundred, ""), "");
    EXPECT_EQ(on_terminal(tree, "--quiet"), "");
    EXPECT_EQ(read_bytes(dir.file(".tty-out")), "");

    // --quiet keeps the failures, as lines or as JSON objects.
    const std::string broken = dir.write("tree/c.raf", "QV50_ASCII_RADIO_SPEC_04\r\nnonsense\r\n");
    for (const bool json : {false, true}) {
        std::vector<std::string> args = {"convert", "--to", "rsd", "--continue", "--quiet",
                                         "--out", out, tree};
        if (json) {
            args.push_back("--json");
        }
        Cli_Run quiet = run(args);
        EXPECT_EQ(quiet.exit_code, 1);
        if (json) {
            const std::vector<nlohmann::json> objects = json_lines(quiet.out);
            ASSERT_EQ(objects.size(), 1u) << quiet.out;
            EXPECT_EQ(objects[0]["path"], broken);
            EXPECT_EQ(quiet.err, "");
        } else {
            EXPECT_EQ(quiet.out, "");
            EXPECT_EQ(quiet.err.rfind(broken + ":", 0), 0u) << quiet.err;
            EXPECT_EQ(std::count(quiet.err.begin(), quiet.err.end(), '\n'), 1) << quiet.err;
        }
    }
}

// Root reads and writes whatever the permissions say, so the tool is run as the user nobody there
// (empty: this process is no root). Nothing when root cannot become nobody.
std::optional<std::string> as_plain_user() {
    if (::geteuid() != 0) {
        return "";
    }
    const std::string become = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    if (std::system((become + "true 2>/dev/null").c_str()) != 0) {
        return std::nullopt;
    }
    return become;
}

std::string antenna_example(const std::string& name) {
    return std::string(KELVOR_EXAMPLES_DIR) + "/antenna/" + name;
}

TEST_F(KelvorCli, CheckWalksFoldersForDataFiles) {
    const std::string raf = copy_example("nl180_18g_28m.raf", "tree/a.raf");
    fs::create_directories(dir.path() / "tree" / "sub");
    fs::copy_file(antenna_example("npx120_11_envelope.adf"), dir.file("tree/sub/b.ADF"));
    fs::copy_file(antenna_example("pnl450_Vpol.msi"), dir.file("tree/sub/c.pln"));
    fs::copy_file(antenna_example("npx180_6.pat"), dir.file("tree/sub/d.pat"));
    dir.write("tree/sub/notes.txt", "not a data file\n");
    const std::string bad = dir.write("tree/z.rsd", "QV50_BINARY");
    const Cli_Run r = run({"check", dir.file("tree"), raf});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, raf + ": ok (raf5)\n" + dir.file("tree/sub/b.ADF") + ": ok (nsma)\n" +
                         dir.file("tree/sub/c.pln") + ": ok (msi)\n" + dir.file("tree/sub/d.pat") +
                         ": ok (pattern)\n" + run({"check", bad}).out + raf + ": ok (raf5)\n");
    EXPECT_EQ(run({"check", dir.file("tree/sub")}).exit_code, 0);
}

TEST_F(KelvorCli, FoldersThatCannotBeReadAreFailures) {
    const auto plain_user = as_plain_user();
    if (!plain_user) {
        GTEST_SKIP() << "running as root, and setpriv cannot run the tool as nobody";
    }
    fs::permissions(dir.path(), fs::perms::all);
    struct Case {
        std::string to;
        std::string example;
        std::string extension;
        std::string written;
        std::string kind;
    };
    const Case cases[] = {
        {"raf", example("nl180_18g_28m.raf"), ".raf", "a.raf", "raf5"},
        {"asd", antenna_example("npx120_11_envelope.adf"), ".adf", "a.asd", "nsma"},
    };
    const auto lost = [](const std::string& to) {
        return to != "asd" ? "" : " (not kept: COMNT1, COMNT2, FILNUM, PATNUM, DESCR2, LWGAIN, "
                                  "HGGAIN, CONTYP, ATVSWR, FRTOBA, RADCTR, POTOPO, ANTWID, ANTDEP, "
                                  "ANTWGT, NOFREQ, PATFRE)";
    };
    for (const Case& c : cases) {
        const std::string top = dir.file(c.to + "-tree");
        const std::string out = dir.file(c.to + "-out");
        for (const char* folder : {"", "/closed", "/unsearchable"}) {
            fs::create_directories(top + folder);
            fs::copy_file(c.example, top + folder + "/a" + c.extension);
        }
        fs::create_symlink("loop" + c.extension, top + "/loop" + c.extension);
        fs::create_directory(out);
        fs::permissions(out, fs::perms::all);
        fs::permissions(top + "/closed", fs::perms::none);
        fs::permissions(top + "/unsearchable", fs::perms::owner_read | fs::perms::group_read |
                                                   fs::perms::others_read);
        const Cli_Run r = run({"convert", "--continue", "--to", c.to, "--out", out, top}, *plain_user);
        const Cli_Run checked = run({"check", top}, *plain_user);
        fs::permissions(top + "/closed", fs::perms::all);
        fs::permissions(top + "/unsearchable", fs::perms::all);
        const std::string failures = top + "/closed: cannot read the folder: Permission denied\n" +
                                     top + "/loop" + c.extension +
                                     ": cannot read the file: symbolic link loop\n" + top +
                                     "/unsearchable: cannot read the folder: Permission denied\n";
        EXPECT_EQ(r.exit_code, 1) << c.to;
        EXPECT_EQ(r.err, failures);
        EXPECT_EQ(r.out, top + "/a" + c.extension + " -> " + out + "/" + c.written + lost(c.to) +
                             "\n1 files successfully converted\n");
        EXPECT_EQ(checked.exit_code, 1);
        EXPECT_EQ(checked.out, top + "/a" + c.extension + ": ok (" + c.kind + ")\n" + failures);
    }
}

TEST_F(KelvorCli, ReportsSayWhetherReadingOrWritingFailed) {
    const auto plain_user = as_plain_user();
    if (!plain_user) {
        GTEST_SKIP() << "running as root, and setpriv cannot run the tool as nobody";
    }
    fs::permissions(dir.path(), fs::perms::all);
    const std::string secret = copy_example("nl180_18g_28m.raf", "secret.raf");
    fs::permissions(secret, fs::perms::none);
    const std::string kept = copy_example("nl180_18g_28m.raf", "kept/x.raf");
    fs::permissions(dir.file("kept"), fs::perms::owner_read | fs::perms::owner_exec |
                                          fs::perms::others_read | fs::perms::others_exec);
    const std::string loop = dir.file("loop.raf");
    fs::create_symlink("loop.raf", loop);
    fs::create_directory(dir.file("out"));
    fs::permissions(dir.file("out"), fs::perms::all);
    struct Case {
        std::vector<std::string> args;
        std::string report;
    };
    const std::string cannot_read = ": cannot read the file: ";
    const Case cases[] = {
        {{"check", secret}, secret + cannot_read + "Permission denied\n"},
        {{"dump", secret}, secret + cannot_read + "Permission denied\n"},
        {{"convert", "--to", "rsd", "--out", dir.file("out"), secret},
         secret + cannot_read + "Permission denied\n"},
        {{"convert", "--to", "rsd", kept},
         kept + ": cannot write " + dir.file("kept/x.rsd") + ": Permission denied\n"},
        {{"check", loop}, loop + cannot_read + "symbolic link loop\n"},
    };
    for (const Case& c : cases) {
        const Cli_Run r = run(c.args, *plain_user);
        EXPECT_EQ(r.exit_code, 1) << c.args.back();
        EXPECT_EQ(c.args[0] == "check" ? r.out : r.err, c.report);
    }
    fs::permissions(dir.file("kept"), fs::perms::all);
}

TEST_F(KelvorCli, ConvertBesideTheSourceRewritesItWhole) {
    const std::string source = copy_example("nl180_18g_28m.raf", "nl180_18g_28m.raf");
    Cli_Run r = run({"convert", "--to", "raf", source});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, source + " -> " + source + "\n1 files successfully converted\n");
    EXPECT_EQ(read_bytes(source), read_bytes(example("nl180_18g_28m.raf")));
}

TEST_F(KelvorCli, ConvertStopsAtTheFirstFailureUnlessToldToContinue) {
    copy_example("nl180_18g_28m.raf", "in/b_good.raf");
    const std::string bad = dir.write("in/a_bad.raf", "QV50_ASCII_RADIO_SPEC_04\nMODEL x\n");
    fs::create_directory(dir.path() / "out");
    Cli_Run r = run({"convert", "--to", "raf", "--out", dir.file("out"), dir.file("in")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, bad + ":2: line without a colon: MODEL x\n");
    EXPECT_EQ(r.out, "0 files successfully converted\n");

    r = run({"convert", "--continue", "--to", "raf", "--out", dir.file("out"), dir.file("in")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.out.find("1 files successfully converted\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.file("out/b_good.raf")));

    // As JSON: an object for each file on standard output, the failure among them, no count.
    r = run({"convert", "--json", "--continue", "--to", "rsd", "--out", dir.file("out"),
             dir.file("in")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "");
    const std::vector<nlohmann::json> objects = json_lines(r.out);
    ASSERT_EQ(objects.size(), 2u) << r.out;
    EXPECT_EQ(objects[0], nlohmann::json::parse(R"({"path": ")" + bad + R"(", "kind": "raf5",
        "status": "failed", "target": ")" + dir.file("out/a_bad.rsd") + R"(", "not_kept": [],
        "warnings": [], "error": {"message": "line without a colon", "line": 2,
        "text": "MODEL x"}})"));
    EXPECT_EQ(objects[1]["status"], "converted");
    EXPECT_EQ(objects[1]["target"], dir.file("out/b_good.rsd"));
    EXPECT_EQ(objects[1]["error"], nullptr);
}

TEST_F(KelvorCli, SeveralFilesAtOnceGiveWhatOneAtATimeGives) {
    // Twelve files in three folders, one damaged, converted to .rsd one at a time and four at a
    // time: the same report in the same order, the same files.
    const char* const examples[] = {"nl180_18g_28m.raf", "hx23_am_56m.raf", "ac450_lm_12k5.raf"};
    for (int i = 0; i < 12; ++i) {
        const std::string name = "in/f" + std::to_string(i % 3) + "/r" + std::to_string(i) + ".raf";
        if (i == 5) {
            dir.write(name, "QV50_ASCII_RADIO_SPEC_04\nMODEL x\n");
        } else {
            copy_example(examples[i % 3], name);
        }
    }
    const Cli_Run one = run({"convert", "--continue", "--jobs", "1", "--to", "rsd", "--out",
                             dir.file("one"), dir.file("in")});
    const Cli_Run four = run({"convert", "--continue", "--jobs", "4", "--to", "rsd", "--out",
                              dir.file("four"), dir.file("in")});
    EXPECT_EQ(one.exit_code, 1);
    EXPECT_EQ(four.exit_code, 1);
    EXPECT_NE(one.out.find("11 files successfully converted\n"), std::string::npos) << one.out;
    std::string expected_out = one.out;
    for (std::string::size_type at; (at = expected_out.find("/one/")) != std::string::npos;) {
        expected_out.replace(at, 5, "/four/");
    }
    EXPECT_EQ(four.out, expected_out);
    EXPECT_EQ(four.err, one.err);
    for (int i = 0; i < 12; ++i) {
        const std::string name = "/r" + std::to_string(i) + ".rsd";
        EXPECT_EQ(fs::exists(dir.file("four" + name)), i != 5) << name;
        if (i != 5) {
            EXPECT_EQ(read_bytes(dir.file("four" + name)), read_bytes(dir.file("one" + name)));
        }
    }
}

// A target that is another source of the run is never written over before that source is read:
// b.mrs would become b.raf, which the run converts in place after it.
TEST_F(KelvorCli, ATargetThatIsAnotherSourceIsRefused) {
    const std::string mrs = copy_example("hm6l_16e1q.mrs", "b.mrs");
    const std::string raf = copy_example("hx23_am_56m.raf", "b.raf");
    for (const bool at_once : {false, true}) {
        std::vector<std::string> args = {"convert", "--to", "raf"};
        if (at_once) {
            args.insert(args.end(), {"--continue", "--jobs", "2"});
        }
        args.insert(args.end(), {mrs, raf});
        const auto r = run(args);
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_NE(r.err.find(mrs + ": not converted: " + raf + " is " + raf +
                             ", another file of this conversion"),
                  std::string::npos)
            << r.err;
        // Without --continue the refusal ends the batch; with it, b.raf is converted in place.
        EXPECT_EQ(r.out.find(raf + " -> " + raf) != std::string::npos, at_once) << r.out;
        // Still b.raf's own radio, not the one of b.mrs.
        EXPECT_NE(read_bytes(raf).find("MODEL:\tHX-23 Adaptive\r\n"), std::string::npos);
    }
}

TEST_F(KelvorCli, OnlyTheFirstSourceOfATargetIsConverted) {
    // Three files in folders of their own that all convert to out/x.rsd, and six files in one
    // folder that all convert to d/x.rsd, named through the folder and two links to it, absolute
    // and relative: the first source is converted, each later one refused with both names,
    // one at a time and at once alike.
    const char* const examples[] = {"hx23_am_56m.raf",   "nl180_18g_28m.raf", "hm6l_16e1q.mrs",
                                    "ac450_lm_12k5.raf", "hm6l_16e1q.raf",    "nr18s_stm1.raf"};
    const std::string top = dir.path().string();
    const std::string spellings[] = {top + "/d/", "d/", "l1/", top + "/l1/", "l2/", top + "/l2/"};
    std::vector<std::string> linked;
    for (int i = 0; i < 6; ++i) {
        copy_example(examples[i], "d/x." + std::to_string(i));
        linked.push_back(spellings[i] + "x." + std::to_string(i));
    }
    fs::create_directory_symlink("d", dir.path() / "l1");
    fs::create_directory_symlink(dir.path() / "d", dir.path() / "l2");
    std::vector<std::string> in_folders;
    for (int i = 0; i < 3; ++i) {
        in_folders.push_back(copy_example(examples[i], "in/d" + std::to_string(i) + "/x.raf"));
    }
    ASSERT_EQ(run({"convert", "--to", "rsd", "--out", dir.file("first"), dir.file("d/x.0")})
                  .exit_code,
              0);
    ASSERT_EQ(run({"convert", "--to", "rsd", "--out", dir.file("first_in"), in_folders[0]})
                  .exit_code,
              0);
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> sources;
        std::string target;
        std::string expected_first;
    };
    const Case cases[] = {
        {{"--out", dir.file("out")}, in_folders, dir.file("out/x.rsd"), dir.file("first_in/x.rsd")},
        {{"--continue", "--jobs", "3", "--out", dir.file("out")}, {dir.file("in")},
         dir.file("out/x.rsd"), dir.file("first_in/x.rsd")},
        {{"--continue", "--jobs", "6"}, linked, "d/x.rsd", dir.file("first/x.rsd")},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"convert", "--to", "rsd"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), c.sources.begin(), c.sources.end());
        const std::vector<std::string>& given = c.sources.size() == 1 ? in_folders : c.sources;
        // Without --continue the batch stops at the first refusal.
        const std::size_t refused = c.options[0] == "--continue" ? given.size() - 1 : 1;
        std::string expected_err;
        for (std::size_t i = 1; i <= refused; ++i) {
            expected_err += given[i] + ": not converted: " +
                            (c.target == "d/x.rsd" ? spellings[i] + "x.rsd" : c.target) +
                            " is already the file converted from " + given[0] + "\n";
        }
        // Files converted at once finish in an order of their own: a few runs show it.
        for (int attempt = 0; attempt < 5; ++attempt) {
            fs::remove(dir.file(c.target));
            const Cli_Run r = run(args, "cd " + quoted(top) + " && ");
            EXPECT_EQ(r.exit_code, 1) << given[0];
            EXPECT_EQ(r.err, expected_err);
            EXPECT_NE(r.out.find("\n1 files successfully converted\n"), std::string::npos) << r.out;
            EXPECT_EQ(read_bytes(dir.file(c.target)), read_bytes(c.expected_first));
        }
    }
}

TEST_F(KelvorCli, JobsNeedsANumber) {
    for (const char* jobs : {"0", "x", "-2", "257", "2x"}) {
        const Cli_Run r = run({"convert", "--continue", "--jobs", jobs, "--to", "raf", "a.raf"});
        EXPECT_EQ(r.exit_code, 2) << jobs;
        EXPECT_NE(r.err.find("--jobs is a number from 1 to 256"), std::string::npos);
    }
}

TEST_F(KelvorCli, ConvertRefusesNamesLongerThan47Characters) {
    const std::string name = std::string(48, 'n') + ".raf";
    const std::string source = copy_example("nl180_18g_28m.raf", name);
    copy_example("nl180_18g_28m.raf", std::string(47, 'n') + "x.txt");
    Cli_Run r = run({"convert", "--to", "raf", "--out", dir.path().string() + "/", source});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, source + ": The file name cannot exceed 47 characters for version 5 radio "
                              "and antenna data files\n");
    const std::string fits = copy_example("nl180_18g_28m.raf", "sub/" + std::string(47, 'n') + ".raf");
    EXPECT_EQ(run({"convert", "--to", "raf", fits}).exit_code, 0);
}

TEST_F(KelvorCli, BinaryRadioFilesAndTheirLock) {
    copy_example("hx23_am_56m.raf", "in/hx23.raf");
    Cli_Run r = run({"convert", "--to", "rsd", dir.file("in")});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string open = dir.file("in/hx23.rsd");
    EXPECT_EQ(run({"check", open}).out, open + ": ok (rsd)\n");
    r = run({"dump", open});
    ASSERT_EQ(r.exit_code, 0);
    EXPECT_EQ(nlohmann::json::parse(r.out)["format"], "rsd");
    // Back to text: the file name gives the radio code.
    r = run({"convert", "--to", "raf", "--out", dir.file("back"), open});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(read_bytes(dir.file("back/hx23.raf")).find("QV50_RADIO_CODE:\thx23\r\n"),
              std::string::npos);

    r = run({"convert", "--to", "rsd", "--lock", "--out", dir.file("locked"), dir.file("in/hx23.raf")});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string locked = dir.file("locked/hx23.rsd");
    const std::string bytes = read_bytes(locked);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 0x9A);
    EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 0x02);

    r = run({"check", locked});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, locked + ": ok (rsd, locked)\n");
    const std::string refusal = locked + ": This rsd file has been locked and cannot be edited. "
                                         "The ASCII file must be used for all changes\n";
    r = run({"dump", locked});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, refusal);
    r = run({"convert", "--to", "raf", "--out", dir.file("x"), locked});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, refusal);
}

// A file that is not there to be read whole: the tool must answer at once, not wait for a
// writer to a pipe. Should it wait, `timeout` ends it and the exit code says so.
TEST_F(KelvorCli, SourcesThatAreNoRegularFilesAreRefusedAtOnce) {
    const std::string pipe_raf = dir.file("pipe.raf");
    const std::string pipe_adf = dir.file("pipe.adf");
    ASSERT_EQ(::mkfifo(pipe_raf.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(pipe_adf.c_str(), 0600), 0);
    const std::string folder = dir.file("folder.raf");
    fs::create_directory(folder);
    const std::string no_regular_file =
        ": Not a regular file: this is a named pipe, and only regular files are read";
    struct Case {
        std::vector<std::string> args;
        std::string report; // in the output of check, the errors of the others
    };
    const Case cases[] = {
        {{"check", pipe_raf}, pipe_raf + no_regular_file},
        {{"check", pipe_adf}, pipe_adf + no_regular_file},
        {{"dump", pipe_raf}, pipe_raf + no_regular_file},
        {{"dump", pipe_adf}, pipe_adf + no_regular_file},
        {{"convert", "--to", "rsd", pipe_raf}, pipe_raf + no_regular_file},
        {{"convert", "--to", "asd", "--technology", "dipole", pipe_adf}, pipe_adf + no_regular_file},
        {{"convert", "--to", "adf", dir.file("pipe.adf")}, pipe_adf + no_regular_file},
        {{"dump", folder}, "Is a directory"},
    };
    for (const Case& c : cases) {
        const Cli_Run r = run(c.args, "timeout 10 ");
        EXPECT_EQ(r.exit_code, 1) << c.args[0] << " " << c.args.back();
        const std::string& report = c.args[0] == "check" ? r.out : r.err;
        EXPECT_NE(report.find(c.report), std::string::npos) << report;
    }
    // The second file of an .msi pair that is a pipe adds nothing, as a missing one.
    const std::string vertical = dir.file("pair_Vpol.msi");
    fs::copy_file(std::string(KELVOR_EXAMPLES_DIR) + "/antenna/pnl450_Vpol.msi", vertical);
    ASSERT_EQ(::mkfifo(dir.file("pair_Hpol.msi").c_str(), 0600), 0);
    const Cli_Run r = run({"check", vertical}, "timeout 10 ");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, vertical + ": ok (msi)\n");
}

// Address-space limits and sanitizers do not go together: a sanitizer reserves terabytes.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool address_limits_work = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool address_limits_work = false;
#else
constexpr bool address_limits_work = true;
#endif
#else
constexpr bool address_limits_work = true;
#endif

// Runs the tool with 200 MB of address space and ten seconds.
std::string limited() {
    return address_limits_work ? "ulimit -v 200000; timeout 10 " : "timeout 10 ";
}

// `size` bytes, `head` first and then nothing: a sparse file, which costs no disk.
std::string sparse_file(const Temp_Dir& dir, const std::string& name, const std::string& head,
                        off_t size) {
    const std::string path = dir.write(name, head);
    EXPECT_EQ(::truncate(path.c_str(), size), 0);
    return path;
}

TEST_F(KelvorCli, FilesLargerThanAnyDataFileAreRefusedUnread) {
    constexpr off_t mb = off_t{1} << 20;
    const std::string any = "where a data file holds at most 256 MB";
    const std::string binary = "where a binary data file holds at most 64 MB";
    struct Case {
        std::string name;
        std::string head;
        off_t size;
        std::string limit;
        std::string convert_to;
    };
    const Case cases[] = {
        {"zeros.rsd", "", 1024 * mb, any, "raf"},
        {"text.raf", "QV50_ASCII_RADIO_SPEC_04\r\n", 256 * mb + 1, any, "rsd"},
        {"binary.rsd", std::string("QV50_RADIO_SPEC_04") + std::string(8, '\0'), 64 * mb + 1, binary,
         "raf"},
        {"binary.mrs", std::string("QVW401RADIOSPEC") + std::string(8, '\0'), 64 * mb + 1, binary,
         "raf"},
        {"antenna.asd", "", 64 * mb + 1, binary, "adf"},
        {"antenna.adf", "REVNUM:,NSMA WG16.99.050\r\n", 256 * mb + 1, any, "asd"},
    };
    for (const Case& c : cases) {
        const std::string path = sparse_file(dir, c.name, c.head, c.size);
        const std::string report =
            path + ": File too large: " + std::to_string(c.size) + " bytes, " + c.limit + "\n";
        Cli_Run r = run({"check", path}, limited());
        EXPECT_EQ(r.exit_code, 1) << c.name;
        EXPECT_EQ(r.out, report);
        r = run({"dump", path}, limited());
        EXPECT_EQ(r.exit_code, 1) << c.name;
        EXPECT_NE(r.err.find(path + ": File too large: "), std::string::npos) << r.err;
        r = run({"convert", "--to", c.convert_to, "--technology", "dipole", "--out",
                 dir.file("out"), path},
                limited());
        EXPECT_EQ(r.exit_code, 1) << c.name;
        EXPECT_NE(r.err.find(path + ": File too large: "), std::string::npos) << r.err;
        fs::remove(path);
    }
}

TEST_F(KelvorCli, AFileThatDoesNotFitInMemoryFailsAloneWithAMessage) {
    if (!address_limits_work) {
        GTEST_SKIP() << "no address-space limit under a sanitizer";
    }
    // Within the size any text file may have, but more than the 200 MB of address space given.
    const std::string big =
        sparse_file(dir, "big.raf", "QV50_ASCII_RADIO_SPEC_04\r\n", off_t{220} << 20);
    const std::string good = example("nl180_18g_28m.raf");
    const Cli_Run r = run({"check", big, good}, limited());
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, big + ": not enough memory for the file\n" + good + ": ok (raf5)\n");
}

TEST_F(KelvorCli, DamagedBinaryFileIsReported) {
    const std::string bad = dir.write("bad.rsd", std::string("QV50_RADIO_SPEC_04") + std::string(100, '\0'));
    const Cli_Run r = run({"check", bad});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, bad + ": Wrong file format\n");
}

TEST_F(KelvorCli, AntennaFilesOfEveryKind) {
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"npx120_11_envelope.adf", "nsma"}, {"dp450_dipole.dat", "nsma"},
        {"npx180_6.pat", "pattern"},        {"pnl450_Vpol.msi", "msi"}};
    for (const auto& [name, kind] : kinds) {
        const Cli_Run r = run({"check", antenna_example(name)});
        EXPECT_EQ(r.out, antenna_example(name) + ": ok (" + kind + ")\n");
        EXPECT_EQ(r.err, "");
        const Cli_Run dumped = run({"dump", antenna_example(name)});
        ASSERT_EQ(dumped.exit_code, 0) << name;
        const auto json = nlohmann::json::parse(dumped.out);
        EXPECT_EQ(json["format"], kind);
        EXPECT_FALSE(json["record"]["cuts"].empty()) << name;
    }
    // A radio file name is never tried as an antenna file.
    const std::string nsma_as_raf = dir.write("antenna.raf", read_bytes(antenna_example("dp450_dipole.dat")));
    EXPECT_NE(run({"check", nsma_as_raf}).out.find("File identifier or file suffix is invalid."),
              std::string::npos);
}

// Planet's ".pln" is read as the .msi it is, with its companion, and a folder walk takes it.
TEST_F(KelvorCli, PlnFilesAreMsiFiles) {
    fs::create_directories(dir.path() / "in");
    fs::copy_file(antenna_example("pnl450_Vpol.msi"), dir.file("in/pnl450_Vpol.PLN"));
    fs::copy_file(antenna_example("pnl450_Hpol.msi"), dir.file("in/pnl450_Hpol.PLN"));
    const std::string pln = dir.file("in/pnl450_Vpol.PLN");
    EXPECT_EQ(run({"check", pln}).out, pln + ": ok (msi)\n");
    const auto as_pln = nlohmann::json::parse(run({"dump", pln}).out);
    const auto as_msi = nlohmann::json::parse(run({"dump", antenna_example("pnl450_Vpol.msi")}).out);
    EXPECT_EQ(as_pln["format"], "msi");
    EXPECT_EQ(as_pln["record"]["cuts"], as_msi["record"]["cuts"]);
    EXPECT_EQ(as_pln["record"]["antenna_spec"]["file_name"], "pnl450_Hpol");
    // Without its companion a file is named after itself.
    const std::string alone = dir.file("pnl450_Vpol.pln");
    fs::copy_file(pln, alone);
    EXPECT_EQ(nlohmann::json::parse(run({"dump", alone}).out)["record"]["antenna_spec"]["file_name"],
              "pnl450_Vpol");
    const Cli_Run r = run({"convert", "--continue", "--to", "adf", "--out", dir.file("out"), dir.file("in")});
    EXPECT_NE(r.out.find(pln + " -> " + dir.file("out/pnl450_Vpol.adf")), std::string::npos) << r.out;
}

// Files that their readers take, though they look cut short, pass with a warning.
TEST_F(KelvorCli, CheckWarnsOfFilesThatMayBeCutShort) {
    const std::string v5 = read_bytes(example("nl180_18g_28m.raf"));
    const std::string raf = dir.write("cut.raf", v5.substr(0, v5.find("ENDFIL")));
    const std::string nsma = read_bytes(antenna_example("npx120_11_envelope.adf"));
    std::size_t sixth_cut = 0;
    for (int n = 0; n < 6; ++n) {
        sixth_cut = nsma.find("PATCUT", sixth_cut + 1);
    }
    const std::string adf = dir.write("cut.adf", nsma.substr(0, sixth_cut));
    const Cli_Run r = run({"check", raf, adf});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, raf + ": ok (raf5), warning: no ENDFIL: the file may be cut short\n" + adf +
                         ": ok (nsma), warning: NUMCUT says 8, the file holds 5 cuts\n");
    EXPECT_EQ(r.err, "");
}

// A fault of an .msi file fails the file at its line, and a file without NAME and a pattern
// block is none; nothing else is said.
TEST_F(KelvorCli, AnMsiFileWithAFaultFails) {
    const std::string msi = read_bytes(antenna_example("pnl450_Vpol.msi"));
    const std::string long_name = "NAME " + std::string(60, 'n');
    const std::string faulty = dir.write("long.msi", long_name + "\n" + msi);
    const std::string hello = dir.write("hello.msi", "hello world\n");
    const Cli_Run r = run({"check", faulty, hello});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, faulty + ":1: NAME field must be less than 48 characters: " + long_name +
                         "\n" + hello + ": Wrong file format Not an .msi antenna file: it needs a "
                                         "NAME line and a HORIZONTAL or VERTICAL pattern block.\n");
    EXPECT_EQ(r.err, "");
}

// Nobody is asked whether an .msi elevation pattern that looks backwards is mirrored: the answer
// comes from --reverse-backwards (no when not given), and the report tells which was taken.
TEST_F(KelvorCli, ABackwardsPatternIsTakenAsTheOptionSays) {
    const std::string msi = dir.write("back.msi", "NAME BACK\nVERTICAL 3\n-10 20\n5 0\n10 25\n");
    const std::string told = ", warning: Elevation pattern appears to be backwards: ";
    struct Case {
        std::vector<std::string> option;
        std::string taken;
        double first_level; // of the point at -10 degrees
    };
    const Case cases[] = {
        {{}, "kept as it is", 20.0},
        {{"--reverse-backwards", "no"}, "kept as it is", 20.0},
        {{"--reverse-backwards", "yes"}, "reversed", 25.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taken);
        const auto with_option = [&](std::vector<std::string> args) {
            args.insert(args.begin() + 1, c.option.begin(), c.option.end());
            return run(args);
        };
        Cli_Run r = with_option({"check", msi});
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(r.out, msi + ": ok (msi)" + told + c.taken + "\n");
        EXPECT_EQ(r.err, "");
        r = with_option({"convert", "--to", "adf", "--out", dir.file("out"), msi});
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(r.out, msi + " -> " + dir.file("out/back.adf") + told + c.taken +
                             "\n1 files successfully converted\n");
        EXPECT_EQ(r.err, "");
        r = with_option({"dump", msi});
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(r.err, "");
        const auto cuts = nlohmann::json::parse(r.out)["record"]["cuts"];
        ASSERT_EQ(cuts.size(), 1u);
        EXPECT_EQ(cuts[0]["slot"], 6);
        EXPECT_EQ(cuts[0]["points"][0][0], -10.0);
        EXPECT_EQ(cuts[0]["points"][0][1], c.first_level);
    }
    for (const char* command : {"check", "dump", "convert"}) {
        SCOPED_TRACE(command);
        const Cli_Run r = run({command, "--reverse-backwards", "maybe", msi});
        EXPECT_EQ(r.exit_code, 2);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
                  "kelvor-cli: --reverse-backwards is yes or no");
    }
}

// A version 4 curve with no version 5 type is left out of a conversion to version 5, and told.
TEST_F(KelvorCli, AnUnknownVersionFourCurveIsAWarning) {
    Radio4_Record record;
    record.reset();
    const double points[] = {0, 20, 10, 5};
    for (const char* name : {"TtoI_CW", "Bogus\xb0"}) {
        Radio4_Curve& curve = record.append_curve();
        curve.set_name(name);
        set_curve_points(curve, 2, points);
    }
    const std::string mrs = dir.write("curves.mrs", mrs_bytes(record));
    const Cli_Run r = run({"convert", "--to", "raf", "--out", dir.file("v5"), mrs});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, mrs + " -> " + dir.file("v5/curves.raf") +
                         " (not kept: Bogus\u00b0), warning: Unknown radio curve Bogus\u00b0: left out\n"
                         "1 files successfully converted\n");
    EXPECT_NE(read_bytes(dir.file("v5/curves.raf")).find("TtoI_CW"), std::string::npos);
}

TEST_F(KelvorCli, AnAntennaConversionReportsTheFileItWrites) {
    // The antenna conversions name their files up to the last point: ".adf" becomes ".asd".
    fs::create_directories(dir.path() / "in");
    fs::copy_file(antenna_example("npx120_11_envelope.adf"), dir.file("in/.adf"));
    const Cli_Run r = run({"convert", "--to", "asd", dir.file("in")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out.rfind(dir.file("in/.adf") + " -> " + dir.file("in/.asd") + " (not kept: ", 0),
              0u)
        << r.out;
    EXPECT_TRUE(fs::exists(dir.file("in/.asd")));
}

TEST_F(KelvorCli, ConversionsTellWhatTheTargetCannotHoldAndTheTextsCut) {
    // An NSMA file with a 72-character DESCR1 (its field holds 47), a comment and a pattern
    // frequency, which .asd has no room for; an .msi file whose 46-character NAME an NSMA MODNUM
    // holds only 41 of.
    const std::string description(72, 'D');
    const std::string nsma = dir.write(
        "n.adf", "REVNUM:,NSMA WG16.99.050\r\nCOMNT1:,measured\r\nANTMAN:,Maker\r\n"
                 "MODNUM:,M-1\r\nDESCR1:," + description + "\r\nLOWFRQ:,5900\r\n"
                 "HGHFRQ:,6400\r\nGUNITS:,DBI/DBR\r\nMDGAIN:,30\r\nFIELD5:,APERTURE\r\n"
                 "PATFRE:,6100\r\nNUMCUT:,1\r\nPATCUT:,AZ\r\nPOLARI:,H/H\r\nNUPOIN:,2\r\n"
                 "FSTLST:,-180,180\r\n-180,-40,\r\n180,-40,\r\nENDFIL:,EOF\r\n");
    const std::string msi = dir.write(
        "m.msi", "NAME " + std::string(46, 'N') + "\nFREQUENCY 455\nGAIN 11 dBi\nHORIZONTAL 2\n"
                 "0 0\n180 20\nVERTICAL 2\n0 0\n180 20\n");
    const std::string description_cut = "DESCR1 cut to 47 characters (25 lost)";
    Cli_Run r = run({"check", nsma});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, nsma + ": ok (nsma), warning: " + description_cut + "\n");

    const std::string out = dir.file("out");
    r = run({"convert", "--to", "asd", "--out", out, nsma});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, nsma + " -> " + out + "/n.asd (not kept: COMNT1, PATFRE), warning: " +
                         description_cut + "\n1 files successfully converted\n");
    r = run({"convert", "--to", "adf", "--out", out, msi});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, msi + " -> " + out + "/m.adf, warning: MODNUM cut to 41 characters (5 lost)"
                           "\n1 files successfully converted\n");

    r = run({"convert", "--json", "--to", "mas", "--out", out, nsma});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    const std::vector<nlohmann::json> objects = json_lines(r.out);
    ASSERT_EQ(objects.size(), 1u) << r.out;
    EXPECT_EQ(objects[0]["kind"], "nsma");
    EXPECT_EQ(objects[0]["target"], out + "/n.mas");
    EXPECT_EQ(objects[0]["not_kept"], nlohmann::json::parse(R"(["COMNT1", "DESCR1", "PATFRE"])"));
    EXPECT_EQ(objects[0]["warnings"], nlohmann::json::array({description_cut}));
}

TEST_F(KelvorCli, AntennaConversionsAndTheirQuestions) {
    fs::create_directories(dir.path() / "in" / "sub");
    fs::copy_file(antenna_example("npx120_11_envelope.adf"), dir.file("in/sub/parabolic.ADF"));
    fs::copy_file(antenna_example("dp450_dipole.dat"), dir.file("in/dipole.dat"));
    fs::copy_file(antenna_example("dp450_dipole.dat"), dir.file("in/skipped.dAt"));

    // The dipole does not state its technology: reported and skipped without an answer.
    Cli_Run r = run({"convert", "--continue", "--to", "asd", "--out", dir.file("out"), dir.file("in")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, dir.file("in/dipole.dat") +
                         ": the file does not give the antenna technology; answer with "
                         "--technology dipole|aperture\n");
    EXPECT_NE(r.out.find("1 files successfully converted"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.file("out/parabolic.asd")));

    r = run({"convert", "--to", "asd", "--technology", "dipole", "--out", dir.file("out"), dir.file("in")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("2 files successfully converted"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("out/skipped.asd")));
    EXPECT_EQ(run({"convert", "--to", "asd", "--technology", "horn", "x.adf"}).exit_code, 2);

    // Version 4 names hold 15 characters.
    fs::create_directories(dir.path() / "v4");
    fs::copy_file(antenna_example("dp450_dipole.dat"), dir.file("v4/fifteen_chars_1.dat"));
    fs::copy_file(antenna_example("dp450_dipole.dat"), dir.file("v4/sixteen_chars_12.dat"));
    r = run({"convert", "--continue", "--to", "mas", dir.file("v4")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(fs::exists(dir.file("v4/fifteen_chars_1.mas")));
    EXPECT_EQ(r.err, dir.file("v4/sixteen_chars_12.dat") +
                         ": Version 4 antenna data file name cannot exceed 15 characters.\n");

    // Binary files back to NSMA text, and that text reads.
    r = run({"convert", "--to", "adf", "--out", dir.file("text"), dir.file("out"), dir.file("v4")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("3 files successfully converted"), std::string::npos);
    EXPECT_EQ(run({"check", dir.file("text/parabolic.adf")}).out,
              dir.file("text/parabolic.adf") + ": ok (nsma)\n");
}

// An .msi pair converts to the binary antenna formats through the .msi reader. A .mas file has
// no technology field (it reads back as aperture): the report says that --technology is lost.
TEST_F(KelvorCli, AnMsiPairConvertsToTheBinaryFormats) {
    fs::create_directories(dir.path() / "in");
    const std::string vertical = dir.file("in/pnl450_Vpol.msi");
    fs::copy_file(antenna_example("pnl450_Vpol.msi"), vertical);
    fs::copy_file(antenna_example("pnl450_Hpol.msi"), dir.file("in/pnl450_Hpol.msi"));
    const auto read = nlohmann::json::parse(run({"dump", vertical}).out)["record"]["cuts"];
    struct Case {
        std::string to;
        std::string warning;
        int technology_read_back;
    };
    const Case cases[] = {
        {"asd", " (not kept: COMNT1, GUNITS, FRTOBA)", 1},
        {"mas", " (not kept: COMNT1, GUNITS, ELWIDT, FRTOBA), warning: MODNUM cut to 23 characters "
                "(16 lost), warning: the .mas format does not store the antenna technology", 2},
    };
    for (const Case& c : cases) {
        const std::string target = dir.file("out/pnl450_Vpol." + c.to);
        const Cli_Run r =
            run({"convert", "--to", c.to, "--technology", "dipole", "--out", dir.file("out"), vertical});
        EXPECT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out, vertical + " -> " + target + c.warning + "\n1 files successfully converted\n");
        const auto written = nlohmann::json::parse(run({"dump", target}).out)["record"];
        EXPECT_EQ(written["antenna_spec"]["technology"], c.technology_read_back) << c.to;
        ASSERT_EQ(written["cuts"].size(), read.size()) << c.to;
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(written["cuts"][i]["slot"], read[i]["slot"]);
            EXPECT_EQ(written["cuts"][i]["points"].size(), read[i]["points"].size());
        }
    }
}

TEST_F(KelvorCli, VersionFourFilesBothWays) {
    const std::string ascii4 = example("hm6l_16e1q.raf");
    const std::string binary4 = example("hm6l_16e1q.mrs");
    EXPECT_EQ(run({"check", ascii4, binary4}).out,
              ascii4 + ": ok (raf4)\n" + binary4 + ": ok (mrs)\n");
    Cli_Run r = run({"dump", binary4});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["format"], "mrs");

    // The batch of the version 5 menu: version 4 ASCII files only, into a chosen folder.
    copy_example("hm6l_16e1q.raf", "mixed/old.raf");
    copy_example("nl180_18g_28m.raf", "mixed/new.raf");
    EXPECT_EQ(run({"convert", "--to", "raf", "--v4-only", dir.file("mixed")}).exit_code, 2);
    r = run({"convert", "--to", "raf", "--v4-only", "--out", dir.file("v5"), dir.file("mixed")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    // Version 5 has no keyword for the co-channel CW curve of version 4.
    EXPECT_EQ(r.out, dir.file("mixed/old.raf") + " -> " + dir.file("v5/old.raf") +
                         " (not kept: TtoI_COCHAN_CW)\n1 files successfully converted\n");
    EXPECT_EQ(run({"check", dir.file("v5/old.raf")}).out, dir.file("v5/old.raf") + ": ok (raf5)\n");

    // Without a folder of its own a conversion between versions would replace its source.
    r = run({"convert", "--to", "raf", dir.file("mixed/old.raf")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("would replace its source"), std::string::npos);
    EXPECT_EQ(run({"check", dir.file("mixed/old.raf")}).out, dir.file("mixed/old.raf") + ": ok (raf4)\n");

    // Version 5 to the version 4 formats, with their 15-character names.
    r = run({"convert", "--to", "mrs", "--out", dir.file("v4"), dir.file("mixed/new.raf"), ascii4});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(run({"check", dir.file("v4/new.mrs")}).out, dir.file("v4/new.mrs") + ": ok (mrs)\n");
    r = run({"convert", "--to", "raf4", "--out", dir.file("v4"), dir.file("mixed/new.raf")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    // What version 4 has no field for is named, and the cuts of the example's first comments,
    // longer than version 4 comments, are told.
    EXPECT_EQ(r.out, dir.file("mixed/new.raf") + " -> " + dir.file("v4/new.raf") +
                         " (not kept: RELEASE_DATE, REVISION_NUM, REVISION_DATE, QV50_RADIO_CODE, "
                         "BANDWIDTH_FCC_MHZ, BANDWIDTH_99PC_MHZ, TX_POWER_OPTIONS_NAME, "
                         "TX_POWER_OPTIONS_DBM, TX_POWER_MIN_OPTIONS_DBM, ATPC_OPTIONS_DB, "
                         "TX_POWER_RANGE_DBM, ATPC_RANGE_DB, REQUIRED_RXSIGNAL_DBM, "
                         "RX_THRESHOLD_DESCRIPTION, MAXIMUM_RXSIGNAL_DBM, NOISE FIGURE_DB, "
                         "CtoI_RATIO_BER10-6_3DB, CtoI_RATIO_BER10-3_3DB, T-T_FREQ_SEP_1ANT_CPOL, "
                         "T-T_FREQ_SEP_1ANT_XPOL, T-T_FREQ_SEP_2ANT_CPOL, T-T_FREQ_SEP_2ANT_XPOL, "
                         "T-R_FREQ_SEP_1ANT_CPOL, T-R_FREQ_SEP_1ANT_XPOL, T-R_FREQ_SEP_2ANT_CPOL, "
                         "T-R_FREQ_SEP_2ANT_XPOL, T-R_FIXED), warning: COMMENT_1 cut to 31 "
                         "characters (16 lost), warning: COMMENT_2 cut to 31 characters (10 lost)"
                         "\n1 files successfully converted\n");
    EXPECT_EQ(run({"check", dir.file("v4/new.raf")}).out, dir.file("v4/new.raf") + ": ok (raf4)\n");
    const std::string long_name = copy_example("nl180_18g_28m.raf", "sixteen_chars_xy.raf");
    r = run({"convert", "--to", "mrs", "--out", dir.file("v4"), long_name});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, long_name + ": Version 4 radio data file names cannot exceed 15 characters\n");

    // And version 4 to the version 5 binary file.
    r = run({"convert", "--to", "rsd", "--out", dir.file("v5"), binary4});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(run({"check", dir.file("v5/hm6l_16e1q.rsd")}).out,
              dir.file("v5/hm6l_16e1q.rsd") + ": ok (rsd)\n");
}

TEST_F(KelvorCli, AWritePastTheFileSizeLimitIsAFailedWriteAndLeavesNothing) {
    const std::string source = copy_example("hx23_am_56m.raf", "in/radio.raf");
    const std::string before = read_bytes(source);
    const Cli_Run r = run({"convert", "--to", "raf", source}, "ulimit -f 1; ");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE((r.out + r.err).find("File too large"), std::string::npos) << r.out << r.err;
    EXPECT_EQ(read_bytes(source), before);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.file("in"))) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"radio.raf"});
}

// The audit warns of data that reads but is probably wrong: never a failure unless asked.
TEST_F(KelvorCli, CheckLintWarnsAndFailsOnlyWhenAsked) {
    const std::string file = dir.write(
        "band.adf", "REVNUM:,NSMA WG16.99.050\r\nLOWFRQ:,6400\r\nHGHFRQ:,5900\r\n"
                    "NUMCUT:,1\r\nPATCUT:,AZ\r\nPOLARI:,H/H\r\nNUPOIN:,3\r\n"
                    "FSTLST:,-180,180\r\n-180,-40,\r\n0,0,\r\n180,-40,\r\nENDFIL:,EOF\r\n");
    Cli_Run r = run({"check", file});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, file + ": ok (nsma)\n");

    r = run({"check", "--lint", file});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out.rfind(file + ": ok (nsma)\n" + file + ": lint band-order (LOWFRQ): ", 0), 0u)
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;

    r = run({"check", "--lint=error", "--json", file});
    EXPECT_EQ(r.exit_code, 1);
    const std::vector<nlohmann::json> objects = json_lines(r.out);
    ASSERT_EQ(objects.size(), 1u) << r.out;
    EXPECT_EQ(objects[0]["status"], "ok");
    ASSERT_EQ(objects[0]["lint"].size(), 1u);
    EXPECT_EQ(objects[0]["lint"][0]["id"], "band-order");
    EXPECT_EQ(objects[0]["lint"][0]["where"], "LOWFRQ");

    EXPECT_EQ(run({"dump", "--lint", file}).exit_code, 2);
}

} // namespace
