// qvfileio: exact reads and writes, the open modes, and every failure raised as the handler.
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using kelvor_test::read_bytes;
using kelvor_test::Temp_Dir;

namespace {

// Runs `work`, expecting it to raise `handler`; false when nothing or something else was raised.
bool raises(Error_Handler& handler, const std::function<void()>& work) {
    try {
        work();
    } catch (Error_Handler* raised) {
        return raised == &handler;
    }
    return false;
}

std::size_t open_descriptors() {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                  std::filesystem::directory_iterator()));
}

class QvFileIo : public testing::Test {
protected:
    Temp_Dir dir;
    Error_Handler handler;
};

// The text of the message box the handler shows now, a file error.
std::string shown(Error_Handler& handler) {
    const auto message = kelvor_test::shown_by(handler);
    EXPECT_EQ(message.caption, "File error");
    return message.text;
}

TEST_F(QvFileIo, FailuresRaiseTheHandlerWithTheirText) {
    const std::string missing = dir.file("missing.rsd");
    EXPECT_TRUE(raises(handler, [&] { qvfileio file(&handler, missing.c_str(), QV_GENERIC_READ, QV_SHARE_READ); }));
    EXPECT_EQ(handler.get_error_type(), ET_ERROR);
    EXPECT_EQ(handler.get_error_code(), MSG_FILE_ERROR);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
    EXPECT_EQ(shown(handler), missing + "\r\nNo such file or directory");

    const std::string path = dir.write("short.bin", "abc");
    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    char buffer[8];
    EXPECT_TRUE(raises(handler, [&] { file.read(buffer, 8); }));
    EXPECT_EQ(handler.get_error_code(), MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(handler.get_last_error_code(), 0u);
    EXPECT_EQ(shown(handler), path + "\r\nRead error at end of file");

    EXPECT_TRUE(raises(handler, [&] { file.throw_error_code(MSG_WRONG_FILE_FORMAT); }));
    EXPECT_EQ(shown(handler), path + "\r\nWrong file format");

    if (std::filesystem::exists("/dev/full")) {
        qvfileio full(&handler, "/dev/full", QV_GENERIC_WRITE, QV_SHARE_NONE);
        EXPECT_TRUE(raises(handler, [&] { full.write("data", 4); }));
        EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOSPC));
        EXPECT_EQ(shown(handler), "/dev/full\r\nNo space left on device");
    }
}

TEST_F(QvFileIo, WriteThenReadBack) {
    const std::string path = dir.file("data.bin");
    {
        qvfileio file(&handler, path.c_str(), QV_GENERIC_WRITE, QV_SHARE_NONE);
        file.write("QV50_RADIO", 10);
        file.write("\0\x01\x02", 3);
        EXPECT_EQ(file.get_file_size(), 13u);
    }
    EXPECT_EQ(read_bytes(path), std::string("QV50_RADIO\0\x01\x02", 13));

    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    char buffer[13] = {};
    file.read(buffer, 13);
    EXPECT_EQ(std::memcmp(buffer, "QV50_RADIO\0\x01\x02", 13), 0);
    // Opening armed the handler for this file.
    EXPECT_STREQ(handler.get_file_name(), path.c_str());
    EXPECT_EQ(handler.get_error_code(), MSG_FILE_ERROR);
}

TEST_F(QvFileIo, OpenModesEmptyOnlyForWrite) {
    const std::string path = dir.write("old.raf", "old contents");
    { qvfileio file(&handler, path.c_str(), QV_GENERIC_WRITE, QV_SHARE_NONE); }
    EXPECT_EQ(read_bytes(path), "");

    // Read-write opens or creates without emptying; the end of file can be set.
    const std::string keep = dir.write("keep.bin", "0123456789");
    {
        qvfileio file(&handler, keep.c_str(), QV_GENERIC_READ_WRITE, QV_SHARE_NONE);
        file.move_ptr(2, QV_FILE_BEGIN);
        file.write("ab", 2);
        file.move_ptr(8, QV_FILE_BEGIN);
        file.set_endof_file();
        EXPECT_EQ(file.get_file_size(), 8u);
    }
    EXPECT_EQ(read_bytes(keep), "01ab4567");
    const std::string fresh = dir.file("fresh.bin");
    { qvfileio file(&handler, fresh.c_str(), QV_GENERIC_READ_WRITE, QV_SHARE_NONE); }
    EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST_F(QvFileIo, ReadNothrowEofReportsTheEnd) {
    const std::string path = dir.write("eof.bin", "abcdef");
    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    char buffer[4] = {};
    EXPECT_TRUE(file.read_nothrow_eof(buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_FALSE(file.read_nothrow_eof(buffer, 4));
    EXPECT_FALSE(file.read_nothrow_eof(buffer, 4));
}

TEST_F(QvFileIo, ReadAlignedTakesStoredRecordsOfAnySizeThatIsThere) {
    const std::string path = dir.write("records.bin", "ABCDEFGHxyz");
    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    // A longer stored record: the rest is skipped.
    char buffer[4] = {};
    file.read_aligned(buffer, sizeof buffer, 8);
    EXPECT_EQ(std::string(buffer, 4), "ABCD");
    EXPECT_EQ(file.get_position(), 8u);
    // A shorter one: the defaults after it stay.
    char longer[6];
    std::memset(longer, '-', sizeof longer);
    file.read_aligned(longer, sizeof longer, 2);
    EXPECT_EQ(std::string(longer, 6), "xy----");
    EXPECT_EQ(file.get_position(), 10u);
    // A longer stored record whose tail is missing must not pass as a whole one.
    std::memset(buffer, '-', sizeof buffer);
    file.move_ptr(4, QV_FILE_BEGIN);
    EXPECT_TRUE(raises(handler, [&] { file.read_aligned(buffer, sizeof buffer, 10); }));
    EXPECT_EQ(handler.get_error_code(), MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(std::string(buffer, 4), "----");
    EXPECT_EQ(file.get_position(), 4u);
    // An absurd stored size from a damaged header is refused the same way.
    EXPECT_TRUE(raises(handler, [&] { file.read_aligned(buffer, sizeof buffer, 0xFFFFFFFFUL); }));
}

TEST_F(QvFileIo, MovePointerFromEachOrigin) {
    const std::string path = dir.write("move.bin", "0123456789");
    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    char c;
    file.move_ptr(-3, QV_FILE_END);
    file.read(&c, 1);
    EXPECT_EQ(c, '7');
    file.move_ptr(-5, QV_FILE_CURRENT);
    file.read(&c, 1);
    EXPECT_EQ(c, '3');
    file.move_ptr(1, QV_FILE_BEGIN);
    file.read(&c, 1);
    EXPECT_EQ(c, '1');

    EXPECT_TRUE(raises(handler, [&] { file.move_ptr(-20, QV_FILE_CURRENT); }));
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(EINVAL));
    EXPECT_TRUE(raises(handler, [&] { file.move_ptr(0, 7); }));
}

TEST_F(QvFileIo, DirectoryArgumentTakesTheFileNamePart) {
    dir.write("target.bin", "xyz");
    qvfileio file(&handler, "/elsewhere/target.bin", QV_GENERIC_READ, QV_SHARE_READ,
                  dir.path().c_str());
    char buffer[3];
    file.read(buffer, 3);
    EXPECT_EQ(std::string(buffer, 3), "xyz");
    // The handler names the file as the caller gave it.
    EXPECT_STREQ(handler.get_file_name(), "/elsewhere/target.bin");
}

TEST_F(QvFileIo, OnlyRegularFilesAreReadAndNothingLeaks) {
    const std::size_t before = open_descriptors();
    const std::string fifo = dir.file("pipe.raf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socket_path = dir.file("socket.raf");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::string link = dir.file("link.raf");
    std::filesystem::create_symlink(fifo, link);
    struct Case {
        std::string path;
        uint32_t system_error; // 0: refused with the text
        std::string text;
    };
    const Case cases[] = {
        {dir.path().string(), EISDIR, ""},
        {fifo, 0, "Not a regular file: this is a named pipe, and only regular files are read"},
        {link, 0, "Not a regular file: this is a named pipe, and only regular files are read"},
        {"/dev/null", 0,
         "Not a regular file: this is a character device, and only regular files are read"},
        {socket_path, 0, "Not a regular file: this is a socket, and only regular files are read"},
    };
    // A pipe nobody writes to must not hold the open up: should it, the alarm ends the test.
    ::alarm(20);
    for (const Case& c : cases) {
        for (const unsigned long access : {QV_GENERIC_READ, QV_GENERIC_READ_WRITE}) {
            EXPECT_TRUE(raises(handler, [&] {
                qvfileio file(&handler, c.path.c_str(), access, QV_SHARE_READ);
            })) << c.path;
            EXPECT_EQ(handler.get_last_error_code(), c.system_error) << c.path;
            EXPECT_STREQ(handler.get_file_name(), c.path.c_str());
            if (!c.text.empty()) {
                ASSERT_NE(handler.get_info_text(), nullptr) << c.path;
                EXPECT_EQ(handler.get_info_text(), c.text);
                EXPECT_NE(shown(handler).find(c.text), std::string::npos);
            }
        }
    }
    ::alarm(0);
    ::close(listener);
    EXPECT_EQ(open_descriptors(), before);
    // A regular file reached through a link reads as usual.
    const std::string good = dir.write("good.raf", "QV50");
    std::filesystem::create_symlink(good, dir.file("good_link.raf"));
    qvfileio file(&handler, dir.file("good_link.raf").c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    char buffer[4];
    file.read(buffer, 4);
    EXPECT_EQ(std::string(buffer, 4), "QV50");
}

TEST_F(QvFileIo, AFileLargerThanTheLimitIsRefusedUnread) {
    const std::string path = dir.file("big.rsd");
    const std::string kinds[] = {"text data file", "binary data file"};
    for (const std::string& kind : kinds) {
        for (const off_t size : {off_t{1} << 20, (off_t{1} << 20) + 1}) {
            { std::ofstream(path, std::ios::binary) << "QV50"; }
            ASSERT_EQ(::truncate(path.c_str(), size), 0);
            qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
            if (size <= (off_t{1} << 20)) {
                EXPECT_EQ(file.get_file_size_within(1u << 20, kind.c_str()), size);
                continue;
            }
            EXPECT_TRUE(raises(handler, [&] { file.get_file_size_within(1u << 20, kind.c_str()); }));
            EXPECT_EQ(handler.get_last_error_code(), 0u);
            ASSERT_NE(handler.get_info_text(), nullptr);
            EXPECT_EQ(std::string(handler.get_info_text()),
                      "File too large: 1048577 bytes, where a " + kind + " holds at most 1 MB");
            EXPECT_EQ(file.get_position(), 0u);
        }
    }
}

TEST_F(QvFileIo, UnsharedFileIsNotOpenedTwice) {
    const std::string path = dir.write("busy.raf", "contents");
    Error_Handler other;
    {
        qvfileio reader(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
        // Readers that share may open it together ...
        qvfileio second(&other, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
        // ... but a writer may not, and the file must not be emptied by the attempt.
        EXPECT_TRUE(raises(other, [&] {
            qvfileio writer(&other, path.c_str(), QV_GENERIC_WRITE, QV_SHARE_NONE);
        }));
        EXPECT_EQ(other.get_last_error_code(), static_cast<uint32_t>(EBUSY));
    }
    EXPECT_EQ(read_bytes(path), "contents");
    {
        qvfileio writer(&handler, path.c_str(), QV_GENERIC_READ_WRITE, QV_SHARE_NONE);
        EXPECT_TRUE(raises(other, [&] {
            qvfileio reader(&other, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
        }));
    }
    qvfileio reader(&other, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
}

TEST_F(QvFileIo, NextOpenRearmsTheHandler) {
    EXPECT_TRUE(raises(handler, [&] {
        qvfileio file(&handler, dir.file("nope").c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    }));
    ASSERT_NE(handler.get_last_error_code(), 0u);
    const std::string path = dir.write("yes.bin", "1");
    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    EXPECT_EQ(handler.get_last_error_code(), 0u);
    EXPECT_EQ(handler.get_error_code(), MSG_FILE_ERROR);
    EXPECT_EQ(handler.get_error_type(), ET_ERROR);
    EXPECT_STREQ(handler.get_file_name(), path.c_str());
}

} // namespace
