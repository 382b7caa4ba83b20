// save_atomically: the old file stays whole unless the new one was written completely.
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "save_atomically.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <sys/stat.h>

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

class SaveAtomically : public testing::Test {
protected:
    Temp_Dir dir;
    Error_Handler handler;
};

TEST_F(SaveAtomically, WritesANewFileBesideNothingElse) {
    const std::string target = dir.file("new.raf");
    std::string written_at;
    save_atomically(&handler, target.c_str(), [&](const char* temp) {
        written_at = temp;
        write_text(handler, temp, "QV50_ASCII_RADIO_SPEC_04\r\n");
    });
    EXPECT_EQ(read_bytes(target), "QV50_ASCII_RADIO_SPEC_04\r\n");
    EXPECT_EQ(fs::path(written_at).parent_path(), dir.path());
    EXPECT_NE(written_at, target);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"new.raf"});
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(mode_of(target), 0666 & ~mask);
    // The handler names the saved file, not the temporary one.
    EXPECT_STREQ(handler.get_file_name(), target.c_str());
}

TEST_F(SaveAtomically, ReplacesAndKeepsPermissions) {
    const std::string target = dir.write("old.rsd", "old");
    ::chmod(target.c_str(), 0640);
    save_atomically(&handler, target.c_str(),
                    [&](const char* temp) { write_text(handler, temp, "new contents"); });
    EXPECT_EQ(read_bytes(target), "new contents");
    EXPECT_EQ(mode_of(target), 0640u);
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(SaveAtomically, FailedWriterLeavesTheOldFileWhole) {
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

TEST_F(SaveAtomically, SymbolicLinkKeepsPointingAtTheSavedFile) {
    fs::create_directory(dir.path() / "real");
    const std::string real = dir.write("real/radio.raf", "old");
    const std::string link = dir.file("link.raf");
    fs::create_symlink(real, link);
    save_atomically(&handler, link.c_str(),
                    [&](const char* temp) { write_text(handler, temp, "new"); });
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(read_bytes(real), "new");
}

TEST_F(SaveAtomically, MissingFolderRaisesWithTheTargetName) {
    const std::string target = dir.file("no/such/folder/x.raf");
    bool called = false;
    try {
        save_atomically(&handler, target.c_str(), [&](const char*) { called = true; });
        FAIL() << "nothing raised";
    } catch (Error_Handler* raised) {
        EXPECT_EQ(raised, &handler);
    }
    EXPECT_FALSE(called);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
    EXPECT_STREQ(handler.get_file_name(), target.c_str());
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

TEST_F(SaveAtomically, BytesInMemory) {
    const std::string target = dir.write("mem.rsd", "old");
    ::chmod(target.c_str(), 0604);
    save_atomically(&handler, target.c_str(), std::string_view("new\0bytes", 9));
    EXPECT_EQ(read_bytes(target), std::string("new\0bytes", 9));
    EXPECT_EQ(mode_of(target), 0604u);
    EXPECT_STREQ(handler.get_file_name(), target.c_str());

    // A write that fails part-way (here at a file size limit) leaves the old file.
    {
        const File_Size_Limit limit(4);
        EXPECT_THROW(save_atomically(&handler, target.c_str(), std::string(100, 'x')),
                     Error_Handler*);
    }
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(EFBIG));
    EXPECT_EQ(read_bytes(target), std::string("new\0bytes", 9));
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(SaveAtomically, BytesForANewFileLeaveNothingElseEvenWhenTheWriteFails) {
    const std::string target = dir.file("new.asd");
    save_atomically(&handler, target.c_str(), std::string_view("QV50\0asd", 8));
    EXPECT_EQ(read_bytes(target), std::string("QV50\0asd", 8));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"new.asd"});
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(mode_of(target), 0666 & ~mask);
    EXPECT_STREQ(handler.get_file_name(), target.c_str());

    // A write cut short (a file size limit) leaves neither the file nor any other name.
    const std::string second = dir.file("second.asd");
    {
        const File_Size_Limit limit(4);
        EXPECT_THROW(save_atomically(&handler, second.c_str(), std::string(100, 'x')),
                     Error_Handler*);
    }
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(EFBIG));
    EXPECT_STREQ(handler.get_file_name(), second.c_str());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"new.asd"});

    // Into a folder that is not there: the folder's error, under the file's name.
    const std::string nowhere = dir.file("none/x.asd");
    EXPECT_THROW(save_atomically(&handler, nowhere.c_str(), std::string_view("x")), Error_Handler*);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
    EXPECT_STREQ(handler.get_file_name(), nowhere.c_str());
}

TEST_F(SaveAtomically, VeryLongNameStillGetsATemporaryFile) {
    const std::string target = dir.file(std::string(250, 'r') + ".raf");
    save_atomically(&handler, target.c_str(),
                    [&](const char* temp) { write_text(handler, temp, "long"); });
    EXPECT_EQ(read_bytes(target), "long");
}

} // namespace
