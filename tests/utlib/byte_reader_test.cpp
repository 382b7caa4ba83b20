// Byte_Reader and read_data_file: a data file read once, then read record by record from memory
// with the checks and failures of reading the file itself.
#include "byte_reader.h"
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "test_support.h"

#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>

using kelvor_test::Temp_Dir;

namespace {

// The catalogue code `work` raised the handler with; -1 when it raised nothing.
int code_raised(Error_Handler& handler, const std::function<void()>& work) {
    try {
        work();
    } catch (Error_Handler* raised) {
        EXPECT_EQ(raised, &handler);
        EXPECT_EQ(raised->get_last_error_code(), 0u);
        return raised->get_error_code();
    }
    return -1;
}

TEST(ByteReader, ReadsAreExactAndNothingPassesTheEnd) {
    Error_Handler handler;
    handler.init_fileio("records.bin");
    const std::string bytes = "ABCDEFGHxy";
    Byte_Reader file(&handler, bytes);
    char buffer[6];
    std::memset(buffer, '-', sizeof buffer);
    // A longer stored record is cut to the buffer and its rest skipped.
    file.read_aligned(buffer, 4, 8);
    EXPECT_EQ(std::string(buffer, 6), "ABCD--");
    EXPECT_EQ(file.get_position(), 8u);
    EXPECT_EQ(file.bytes_left(), 2u);
    // A record the bytes do not hold whole is refused before anything is copied; so is an absurd
    // stored size from a damaged header.
    EXPECT_EQ(code_raised(handler, [&] { file.read_aligned(buffer, 4, 3); }),
              MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(code_raised(handler, [&] { file.read_aligned(buffer, 4, 0xFFFFFFFFUL); }),
              MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(code_raised(handler, [&] { file.read(buffer, 3); }), MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(std::string(buffer, 6), "ABCD--");
    EXPECT_EQ(file.get_position(), 8u);
    // A shorter stored record fills the start of the buffer only.
    file.read_aligned(buffer, 6, 2);
    EXPECT_EQ(std::string(buffer, 6), "xyCD--");
    EXPECT_FALSE(file.read_nothrow_eof(buffer, 1));
    file.rewind();
    EXPECT_TRUE(file.read_nothrow_eof(buffer, 6));
    EXPECT_EQ(std::string(buffer, 6), "ABCDEF");
    EXPECT_FALSE(file.read_nothrow_eof(buffer, 6));
    EXPECT_EQ(std::string(buffer, 4), "GHxy");
    EXPECT_EQ(file.bytes_left(), 0u);
    // The failures name the file the handler was armed for.
    EXPECT_STREQ(handler.get_file_name(), "records.bin");
}

TEST(ByteReader, CountsFromTheFileAreCheckedAgainstWhatIsLeft) {
    Error_Handler handler;
    const std::string bytes(100, 'p');
    Byte_Reader file(&handler, bytes);
    char skipped[40];
    file.read(skipped, sizeof skipped);
    struct Case {
        uint32_t count;
        uint32_t item_size;
        int code;
    } const cases[] = {
        {5, 12, -1},
        {0, 12, -1},
        {6, 12, MSG_READ_ERROR_AT_EOF},
        // A count whose byte size overflows 32 bits is refused, not wrapped.
        {0x40000000, 16, MSG_READ_ERROR_AT_EOF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(
            code_raised(handler,
                        [&] { EXPECT_EQ(file.checked_count(c.count, c.item_size), c.count); }),
            c.code);
    }
    EXPECT_EQ(code_raised(handler, [&] { file.throw_error_code(MSG_WRONG_FILE_FORMAT); }),
              MSG_WRONG_FILE_FORMAT);
}

// The first limit holds before anything is read; the one the head chooses before the rest is.
TEST(ReadDataFile, TheHeadChoosesTheLimitBeforeTheRestIsRead) {
    Temp_Dir dir;
    const std::string path = dir.write("data.bin", "BIN:" + std::string(96, 'x'));
    struct Case {
        const char* name;
        Data_File_Limit limit;
        std::size_t head;
        std::optional<Data_File_Limit> after_head; // what the head is told to choose
        std::string refusal;                       // empty: the whole file is read
    };
    const Case cases[] = {
        {"within every limit", {100, "data file"}, 4, Data_File_Limit{100, "binary data file"}, ""},
        {"too large for any data file",
         {99, "data file"},
         4,
         std::nullopt,
         "File too large: 100 bytes, where a data file holds at most 0 MB"},
        {"too large for what its head says it is",
         {100, "data file"},
         4,
         Data_File_Limit{99, "binary data file"},
         "File too large: 100 bytes, where a binary data file holds at most 0 MB"},
        {"a head longer than the file",
         {100, "data file"},
         500,
         Data_File_Limit{100, "binary data file"},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Error_Handler handler;
        std::string bytes;
        try {
            std::function<Data_File_Limit(std::string_view)> choose;
            if (c.after_head) {
                // Handed the head only: as much of it as the file holds.
                choose = [&](std::string_view head) {
                    EXPECT_EQ(head,
                              std::string_view("BIN:" + std::string(96, 'x')).substr(0, c.head));
                    return *c.after_head;
                };
            }
            bytes = read_data_file(&handler, path.c_str(), c.limit, c.head, choose);
        } catch (Error_Handler* raised) {
            ASSERT_NE(raised->get_info_text(), nullptr);
            EXPECT_EQ(raised->get_info_text(), c.refusal);
            continue;
        }
        EXPECT_EQ(c.refusal, "");
        EXPECT_EQ(bytes, "BIN:" + std::string(96, 'x'));
        // Armed for the file, as the readers handed the bytes expect.
        EXPECT_EQ(std::string(handler.get_file_name()), path);
    }
}

} // namespace
