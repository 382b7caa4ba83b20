// save_atomically: the old file stays whole unless the new one was written completely.
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "save_atomically.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <regex>
#include <stdexcept>
#include <string>
#include <thread>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using kelvor_test::File_Size_Limit;
using kelvor_test::read_bytes;
using kelvor_test::Temp_Dir;

namespace {

namespace fs = std::filesystem;

void write_text(Error_Handler& handler, const char* path, const std::string& text) {
    qvfileio file(&handler, path, QV_GENERIC_WRITE, QV_SHARE_NONE);
    file.write(text.data(), static_cast<unsigned>(text.size()));
}

mode_t mode_of(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Runs `body` in a child process and answers its wait status; `body` answers the exit code.
int status_of_child(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 120;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

// In a child process run as root: becomes the user nobody; false when that failed.
bool become(const passwd* user) {
    return ::setgroups(0, nullptr) == 0 && ::setgid(user->pw_gid) == 0 && ::setuid(user->pw_uid) == 0;
}

// Saves "new" over `path` in a child process, as the user nobody when `as_nobody`: 0 when saved,
// else the system error raised (or 100 for a failure without one).
int save_in_child(const std::string& path, const passwd* as_user) {
    const int status = status_of_child([&] {
        if (as_user != nullptr && !become(as_user)) {
            return 101;
        }
        Error_Handler handler;
        try {
            save_atomically(&handler, path.c_str(), std::string_view("new"));
        } catch (Error_Handler*) {
            const auto error = handler.get_last_error_code();
            return error != 0 && error < 100 ? static_cast<int>(error) : 100;
        }
        return 0;
    });
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}

class SaveAtomically : public testing::Test {
protected:
    Temp_Dir dir;
    Error_Handler handler;
};

// The two ways to save: a writer filling the temporary file, or bytes in memory.
enum class Way { writer, bytes };
const Way both_ways[] = {Way::writer, Way::bytes};
const char* name_of(Way way) { return way == Way::writer ? "by a writer" : "from memory"; }

// Saves `bytes` over `target` the given way; what the folder held while the writer ran goes to
// `while_written`.
void save(Way way, Error_Handler& handler, const std::string& target, const std::string& bytes,
          const Temp_Dir& dir, std::vector<std::string>* while_written = nullptr) {
    if (way == Way::bytes) {
        save_atomically(&handler, target.c_str(), std::string_view(bytes));
        return;
    }
    save_atomically(&handler, target.c_str(), [&](const char* temp) {
        write_text(handler, temp, bytes);
        if (while_written != nullptr) {
            *while_written = dir.entries();
        }
    });
}

TEST_F(SaveAtomically, WritesANewFileBesideNothingElse) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const Way way : both_ways) {
        SCOPED_TRACE(name_of(way));
        const Temp_Dir own;
        const std::string target = own.file("new.raf");
        std::vector<std::string> while_written;
        save(way, handler, target, std::string("QV50\0raf\r\n", 10), own, &while_written);
        EXPECT_EQ(read_bytes(target), std::string("QV50\0raf\r\n", 10));
        // Written unnamed: a kill part-way could leave no name behind.
        EXPECT_EQ(while_written, std::vector<std::string>{});
        EXPECT_EQ(own.entries(), std::vector<std::string>{"new.raf"});
        EXPECT_EQ(mode_of(target), 0666 & ~mask);
        // The handler names the saved file, not the temporary one.
        EXPECT_STREQ(handler.get_file_name(), target.c_str());
    }
}

TEST_F(SaveAtomically, ReplacesAndKeepsPermissions) {
    for (const Way way : both_ways) {
        SCOPED_TRACE(name_of(way));
        const Temp_Dir own;
        const std::string target = own.write("old.rsd", "old");
        ::chmod(target.c_str(), 0640);
        std::vector<std::string> while_written;
        save(way, handler, target, "new contents", own, &while_written);
        EXPECT_EQ(read_bytes(target), "new contents");
        EXPECT_EQ(mode_of(target), 0640u);
        EXPECT_STREQ(handler.get_file_name(), target.c_str());
        EXPECT_EQ(own.entries().size(), 1u);
        if (way == Way::writer) {
            // Beside the target, under the one pattern a user can clean up after a kill -9.
            ASSERT_EQ(while_written.size(), 2u);
            const std::string temporary =
                while_written[0] == "old.rsd" ? while_written[1] : while_written[0];
            EXPECT_TRUE(std::regex_match(temporary, std::regex(R"(\.old\.rsd\.kelvor-[A-Za-z0-9]{6})")))
                << temporary;
        }
    }
}

TEST_F(SaveAtomically, AFailedSaveLeavesTheOldFileOrNoneAndNoOtherName) {
    for (const Way way : both_ways) {
        for (const bool existing : {true, false}) {
            SCOPED_TRACE(std::string(name_of(way)) + (existing ? ", replacing" : ", new"));
            const Temp_Dir own;
            const std::string target =
                existing ? own.write("keep.raf", "the user's good file") : own.file("keep.raf");
            {
                // A write cut short part-way, as on a full disk.
                const File_Size_Limit limit(4);
                EXPECT_THROW(save(way, handler, target, std::string(100, 'x'), own), Error_Handler*);
            }
            EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(EFBIG));
            EXPECT_STREQ(handler.get_file_name(), target.c_str());
            if (existing) {
                EXPECT_EQ(read_bytes(target), "the user's good file");
            }
            EXPECT_EQ(own.entries(), existing ? std::vector<std::string>{"keep.raf"}
                                              : std::vector<std::string>{});
        }
        // Into a folder that is not there: the folder's error, under the file's name.
        const std::string nowhere = dir.file("no/such/folder/x.raf");
        try {
            save(way, handler, nowhere, "x", dir);
            ADD_FAILURE() << "nothing raised";
        } catch (Error_Handler* raised) {
            EXPECT_EQ(raised, &handler);
        }
        EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
        EXPECT_STREQ(handler.get_file_name(), nowhere.c_str());
    }
    // A writer is not called for a target it cannot replace.
    bool called = false;
    EXPECT_THROW(save_atomically(&handler, dir.file("none/x.raf").c_str(),
                                 [&](const char*) { called = true; }),
                 Error_Handler*);
    EXPECT_FALSE(called);
}

TEST_F(SaveAtomically, FailedWriterLeavesTheOldFileWholeWithItsCode) {
    const std::string target = dir.write("keep.raf", "the user's good file");
    try {
        save_atomically(&handler, target.c_str(), [&](const char* temp) {
            qvfileio file(&handler, temp, QV_GENERIC_WRITE, QV_SHARE_NONE);
            file.write("half", 4);
            file.throw_error_code(MSG_INSUFFICIENT_DISK_SPACE);
        });
        FAIL() << "nothing raised";
    } catch (Error_Handler* raised) {
        EXPECT_EQ(raised, &handler);
    }
    EXPECT_EQ(read_bytes(target), "the user's good file");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.raf"});
    EXPECT_EQ(handler.get_error_code(), MSG_INSUFFICIENT_DISK_SPACE);
    EXPECT_STREQ(handler.get_file_name(), target.c_str());
}

TEST_F(SaveAtomically, OtherExceptionsPassThroughAndCleanUp) {
    const std::string target = dir.write("keep.raf", "good");
    EXPECT_THROW(save_atomically(&handler, target.c_str(),
                                 [&](const char* temp) {
                                     write_text(handler, temp, "partial");
                                     throw std::runtime_error("derivation failed");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(read_bytes(target), "good");
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(SaveAtomically, WriterThatWritesNothingGivesAnEmptyFile) {
    const std::string target = dir.write("e.raf", "old");
    save_atomically(&handler, target.c_str(), [](const char*) {});
    EXPECT_EQ(read_bytes(target), "");
}

TEST_F(SaveAtomically, FolderInPlaceOfTheFileIsRefused) {
    fs::create_directory(dir.path() / "taken.raf");
    const std::string target = dir.file("taken.raf");
    EXPECT_THROW(save_atomically(&handler, target.c_str(),
                                 [&](const char* temp) { write_text(handler, temp, "x"); }),
                 Error_Handler*);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(SaveAtomically, DeferredFlushStillReplacesFilesWhole) {
    const std::string good = dir.write("good.raf", "old");
    {
        Deferred_Flush_Scope batch;
        {
            Deferred_Flush_Scope nested;
            save_atomically(&handler, dir.file("a.rsd").c_str(),
                            [&](const char* temp) { write_text(handler, temp, "first"); });
        }
        EXPECT_THROW(save_atomically(&handler, good.c_str(),
                                     [&](const char* temp) {
                                         write_text(handler, temp, "half");
                                         throw std::runtime_error("stopped");
                                     }),
                     std::runtime_error);
        EXPECT_EQ(read_bytes(dir.file("a.rsd")), "first");
        EXPECT_TRUE(Deferred_Flush_Scope::flush());
    }
    EXPECT_EQ(read_bytes(good), "old");
    EXPECT_EQ(dir.entries().size(), 2u);
}

TEST_F(SaveAtomically, VeryLongNameStillGetsATemporaryFile) {
    const std::string target = dir.write(std::string(250, 'r') + ".raf", "old");
    save_atomically(&handler, target.c_str(),
                    [&](const char* temp) { write_text(handler, temp, "long"); });
    EXPECT_EQ(read_bytes(target), "long");
}

// What stands where the file would be written; false when this system does not let the test
// make it.
struct Special_Target {
    const char* what;
    std::function<bool(const std::string& target)> make;
    const char* kind; // what the refusal calls it; none: a system error is reported
    int error;
};

TEST_F(SaveAtomically, TargetsThatAreNotRegularFilesAreLeftAlone) {
    const Special_Target cases[] = {
        {"a pipe", [](const std::string& t) { return ::mkfifo(t.c_str(), 0666) == 0; },
         "a named pipe", 0},
        {"a link to /dev/null",
         [](const std::string& t) { return ::symlink("/dev/null", t.c_str()) == 0; },
         "a character device", 0},
        {"a device node",
         [](const std::string& t) {
             return ::mknod(t.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         "a character device", 0},
        {"a link to a pipe",
         [](const std::string& t) {
             return ::mkfifo((t + ".pipe").c_str(), 0666) == 0 &&
                    ::symlink((fs::path(t).filename().string() + ".pipe").c_str(), t.c_str()) == 0;
         },
         "a named pipe", 0},
        {"a loop of links",
         [](const std::string& t) {
             return ::symlink("loop.b", t.c_str()) == 0 &&
                    ::symlink(fs::path(t).filename().c_str(),
                              (fs::path(t).parent_path() / "loop.b").c_str()) == 0;
         },
         nullptr, ELOOP},
    };
    int folder = 0;
    for (const Special_Target& special : cases) {
        for (const bool with_writer : {false, true}) {
            const fs::path own = dir.path() / std::to_string(++folder);
            fs::create_directory(own);
            const std::string target = (own / "target.rsd").string();
            if (!special.make(target)) {
                std::cout << "not checked here (cannot be made): " << special.what << '\n';
                continue;
            }
            const auto before_type = fs::symlink_status(target).type();
            const std::string before_link =
                fs::is_symlink(fs::symlink_status(target)) ? fs::read_symlink(target).string() : "";
            std::vector<std::string> before;
            for (const auto& entry : fs::directory_iterator(own)) {
                before.push_back(entry.path().filename().string());
            }
            bool written = false;
            try {
                if (with_writer) {
                    save_atomically(&handler, target.c_str(), [&](const char*) { written = true; });
                } else {
                    save_atomically(&handler, target.c_str(), std::string_view("new"));
                }
                ADD_FAILURE() << "saved over " << special.what;
            } catch (Error_Handler* raised) {
                EXPECT_EQ(raised, &handler);
            }
            EXPECT_FALSE(written) << special.what;
            EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(special.error))
                << special.what;
            if (special.kind != nullptr) {
                EXPECT_EQ(handler.get_info_text() ? handler.get_info_text() : "",
                          std::string("Not a regular file: this is ") + special.kind +
                              ", and only regular files are replaced")
                    << special.what;
            }
            EXPECT_EQ(fs::symlink_status(target).type(), before_type) << special.what;
            if (!before_link.empty()) {
                EXPECT_EQ(fs::read_symlink(target).string(), before_link) << special.what;
            }
            std::vector<std::string> after;
            for (const auto& entry : fs::directory_iterator(own)) {
                after.push_back(entry.path().filename().string());
            }
            EXPECT_EQ(after, before) << special.what;
        }
    }
}

// Who may replace what, and what the replacement keeps. Needs root to make files of another user
// and to act as one (the user nobody).
struct Replacement_Case {
    const char* what;
    mode_t mode;
    bool owned_by_nobody;
    bool as_nobody;
    int error; // 0: replaced
    mode_t mode_after;
    bool owned_by_nobody_after;
};

TEST_F(SaveAtomically, ATargetIsReplacedOnlyByWhoCouldWriteItAndKeepsOnlyTheBitsItMayHave) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) {
        GTEST_SKIP() << "needs root and the user nobody to make files of another user";
    }
    const uid_t nobody_uid = nobody->pw_uid;
    const gid_t nobody_gid = nobody->pw_gid;
    const Replacement_Case cases[] = {
        {"read-only file of another user", 0444, false, true, EACCES, 0444, false},
        {"file only its owner may write", 0644, false, true, EACCES, 0644, false},
        {"set-user-ID file of another user that all may write", 04666, false, true, 0, 0666, true},
        {"set-group-ID file of another group that all may write", 02666, false, true, 0, 0666,
         true},
        // Root may write a read-only file in place, so it may replace one.
        {"read-only file, as root", 0444, false, false, 0, 0444, false},
        {"set-user-ID file of another user, as root", 04755, true, false, 0, 04755, true},
        {"set-group-ID file of another user, as root", 02755, true, false, 0, 02755, true},
    };
    ::chmod(dir.path().c_str(), 0777);
    for (const Replacement_Case& item : cases) {
        const std::string target = dir.write("target.raf", "old");
        if (item.owned_by_nobody) {
            ASSERT_EQ(::chown(target.c_str(), nobody_uid, nobody_gid), 0);
        }
        ASSERT_EQ(::chmod(target.c_str(), item.mode), 0);
        EXPECT_EQ(save_in_child(target, item.as_nobody ? nobody : nullptr), item.error)
            << item.what;
        EXPECT_EQ(read_bytes(target), item.error == 0 ? "new" : "old") << item.what;
        struct stat info {};
        ::stat(target.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, item.mode_after) << item.what;
        EXPECT_EQ(info.st_uid, item.owned_by_nobody_after ? nobody_uid : 0) << item.what;
        if (item.owned_by_nobody && !item.as_nobody) {
            EXPECT_EQ(info.st_gid, nobody_gid) << item.what;
        }
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"target.raf"}) << item.what;
        fs::remove(target);
    }
}

TEST_F(SaveAtomically, AWriterWritesItsFileWhateverTheUmaskGivesIt) {
    // Root writes any file; the rule shows for another user.
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody == nullptr) {
        GTEST_SKIP() << "needs the user nobody to run the save as a user that is not root";
    }
    ::chmod(dir.path().c_str(), 0777);
    const std::string target = dir.file("read_only.raf");
    const int status = status_of_child([&] {
        if (::geteuid() == 0 && !become(nobody)) {
            return 101;
        }
        ::umask(0222);
        Error_Handler in_child;
        try {
            save_atomically(&in_child, target.c_str(),
                            [&](const char* temp) { write_text(in_child, temp, "written"); });
        } catch (Error_Handler*) {
            return 1;
        }
        return 0;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(read_bytes(target), "written");
    EXPECT_EQ(mode_of(target), 0444u);
}

TEST_F(SaveAtomically, ALinkIsWrittenThroughAndKeptWhetherItsFileIsThereOrNot) {
    fs::create_directory(dir.path() / "links");
    fs::create_directory(dir.path() / "real");
    for (const Way way : both_ways) {
        for (const bool existing : {true, false}) {
            const std::string name =
                std::string(way == Way::writer ? "writer" : "memory") + (existing ? "_old" : "_new");
            SCOPED_TRACE(name);
            if (existing) {
                dir.write("real/" + name, "old");
            }
            const std::string link = dir.file("links/" + name);
            // Absolute, or relative to the folder of the link, as the system reads it.
            const std::string points_to = existing ? dir.file("real/" + name) : "../real/" + name;
            fs::create_symlink(points_to, link);
            save(way, handler, link, "new", dir);
            EXPECT_TRUE(fs::is_symlink(link));
            EXPECT_EQ(fs::read_symlink(link), points_to);
            EXPECT_EQ(read_bytes(dir.file("real/" + name)), "new");
        }
    }
    std::size_t real_files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path() / "real")) {
        ++real_files;
    }
    EXPECT_EQ(real_files, 4u);
}

TEST_F(SaveAtomically, InterruptedSaveLeavesNoTemporaryFile) {
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string target = dir.write("kept.raf", "the user's good file");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            for (const int reset : {SIGINT, SIGTERM, SIGHUP}) {
                ::signal(reset, SIG_DFL);
            }
            install_save_signal_handlers();
            Error_Handler in_child;
            try {
                save_atomically(&in_child, target.c_str(), [&](const char* temp) {
                    write_text(in_child, temp, "half of it");
                    [[maybe_unused]] const auto told = ::write(ready[1], "!", 1);
                    for (;;) {
                        ::pause();
                    }
                });
            } catch (...) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        EXPECT_EQ(dir.entries().size(), 2u); // the temporary file, meanwhile
        ::kill(child, signal_number);
        int status = 0;
        ::waitpid(child, &status, 0);
        // Ended as by the signal: status 128 + its number to a shell.
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number)
            << strsignal(signal_number) << ": status " << status;
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"kept.raf"}) << strsignal(signal_number);
        EXPECT_EQ(read_bytes(target), "the user's good file");
    }
}

TEST_F(SaveAtomically, ABatchOfSavesInSeveralThreadsEndedAtAnyMomentLeavesNoTemporaryFile) {
    constexpr int threads = 8;
    for (int file = 0; file < threads; ++file) {
        dir.write("f" + std::to_string(file) + ".rsd", "the user's good file");
    }
    for (int round = 0; round < 20; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            ::signal(SIGTERM, SIG_DFL);
            install_save_signal_handlers();
            std::vector<std::thread> savers;
            for (int file = 0; file < threads; ++file) {
                savers.emplace_back([&, file] {
                    const std::string target = dir.file("f" + std::to_string(file) + ".rsd");
                    Error_Handler in_thread;
                    for (;;) {
                        try {
                            save_atomically(&in_thread, target.c_str(), std::string(4096, 'n'));
                        } catch (Error_Handler*) {
                            // its temporary file removed by the handler, as the process ends
                        }
                    }
                });
            }
            [[maybe_unused]] const auto told = ::write(ready[1], "!", 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(round * 997 % 20000));
        ::kill(child, SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        EXPECT_EQ(dir.entries().size(), static_cast<std::size_t>(threads)) << "round " << round;
        for (const std::string& name : dir.entries()) {
            if (name.front() == '.') {
                fs::remove(dir.file(name));
            }
        }
    }
}

TEST_F(SaveAtomically, AWritePastTheFileSizeLimitFailsInsteadOfEndingTheProgram) {
    for (const bool existing : {true, false}) {
        const std::string target =
            existing ? dir.write("big.rsd", "old") : dir.file("new.rsd");
        const int status = status_of_child([&] {
            ::signal(SIGXFSZ, SIG_DFL);
            install_save_signal_handlers();
            struct rlimit limit {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 16;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            Error_Handler in_child;
            try {
                save_atomically(&in_child, target.c_str(), std::string(100, 'x'));
            } catch (Error_Handler*) {
                in_child.format_errormsg();
                return in_child.get_last_error_code() == EFBIG &&
                               std::string(in_child.get_message_text()) == "File too large"
                           ? 0
                           : 1;
            }
            return 2;
        });
        EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(dir.entries(), existing ? std::vector<std::string>{"big.rsd"}
                                          : std::vector<std::string>{});
        if (existing) {
            EXPECT_EQ(read_bytes(target), "old");
        }
        fs::remove(target);
    }
}

TEST_F(SaveAtomically, InABatchAReplacingFileIsOnDiskBeforeItsRename) {
    const std::string existing = dir.write("old.rsd", "old");
    const Deferred_Flush_Scope batch;
    const unsigned long before = replaced_files_flushed();
    // New files keep waiting for the batch's flush.
    save_atomically(&handler, dir.file("new.rsd").c_str(), std::string_view("new"));
    save_atomically(&handler, dir.file("new.raf").c_str(),
                    [&](const char* temp) { write_text(handler, temp, "new"); });
    EXPECT_EQ(replaced_files_flushed(), before);
    save_atomically(&handler, existing.c_str(), std::string_view("in memory"));
    save_atomically(&handler, existing.c_str(),
                    [&](const char* temp) { write_text(handler, temp, "by a writer"); });
    EXPECT_EQ(replaced_files_flushed(), before + 2);
    EXPECT_EQ(read_bytes(existing), "by a writer");
}

} // namespace
