// Hostile radio files that claim far more than they hold: every reader refuses them without
// first making room for what they claim. The largest single allocation made while reading is
// measured by replacing operator new in this test program.
#include "error_handler.h"
#include "message_catalogue.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "syntax_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

std::atomic<bool> measuring{false};
std::atomic<std::size_t> largest_allocation{0};

void* allocate(std::size_t size) {
    if (measuring.load(std::memory_order_relaxed)) {
        std::size_t seen = largest_allocation.load(std::memory_order_relaxed);
        while (size > seen && !largest_allocation.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

} // namespace

// Every form that pairs with the plain deletes is replaced, so that no memory is taken from one
// allocator and given back to another (a sanitizer's allocator checks that).
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
    return operator new(size, nothrow);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

using kelvor_test::put_at;
using kelvor_test::Temp_Dir;

// A binary file of an empty record whose header claims `count` structures of one byte each
// (stored size at `size_at`, count at `count_at`), followed by as many bytes.
std::string rsd_claiming(std::size_t size_at, std::size_t count_at, int32_t count) {
    Radio_Record record;
    record.reset();
    std::string image = rsd_image(record, false);
    put_at(image, size_at, uint32_t{1});
    put_at(image, count_at, count);
    return image + std::string(static_cast<std::size_t>(count), '\0');
}

// A text file whose count line is followed by `comments` comment lines and nothing else.
std::string raf_claiming(const char* count_line, int comments) {
    std::string text = "QV50_ASCII_RADIO_SPEC_04\r\n";
    text += count_line;
    text += "\r\n";
    for (int i = 0; i < comments; ++i) {
        text += "//\r\n";
    }
    return text + "ENDFIL\r\n";
}

struct Hostile_File {
    const char* name;
    const char* extension;
    std::string bytes;
    // The catalogue code raised, or for a text file the fault's line and text.
    int code;
    int fault_line;
    const char* fault;
};

TEST(ReaderMemory, ClaimsBeyondTheDataAreRefusedBeforeRoomIsMadeForThem) {
    constexpr int32_t many = 200000;
    const Hostile_File files[] = {
        {"one-byte states", "rsd", rsd_claiming(44, 48, many), MSG_WRONG_FILE_FORMAT, 0, ""},
        {"one-byte configurations", "rsd", rsd_claiming(32, 52, many), MSG_WRONG_FILE_FORMAT, 0,
         ""},
        {"one-byte curve headers", "rsd", rsd_claiming(36, 40, many), MSG_WRONG_FILE_FORMAT, 0,
         ""},
        {"states over comments", "raf", raf_claiming("NUM_ACM_STATES:\t100000", 300000), 0, 2,
         "count larger than the lines that follow"},
        {"configurations over comments", "raf", raf_claiming("NUM_ACU_CONFIG:\t100000", 100000),
         0, 2, "count larger than the lines that follow"},
    };
    for (const Hostile_File& file : files) {
        SCOPED_TRACE(file.name);
        Temp_Dir dir;
        const std::string path = dir.write(std::string("hostile.") + file.extension, file.bytes);
        Error_Handler handler;
        Radio_Record record;
        record.reset();
        int code = 0;
        int fault_line = 0;
        std::string fault;
        largest_allocation = 0;
        measuring = true;
        try {
            if (std::strcmp(file.extension, "rsd") == 0) {
                read_rsd_file(record, path.c_str(), &handler);
            } else {
                read_raf_file(record, path.c_str(), &handler);
            }
        } catch (Error_Handler* raised) {
            code = raised->get_error_code();
        } catch (Data_Syntax_Error* error) {
            fault_line = error->line_number();
            fault = error->fault();
        }
        measuring = false;
        EXPECT_EQ(code, file.code);
        EXPECT_EQ(fault_line, file.fault_line);
        EXPECT_EQ(fault, file.fault);
        // The text itself and a pointer to each of its lines; nothing sized by the claim.
        EXPECT_LE(largest_allocation.load(), 3 * file.bytes.size() + 65536);
    }
}

} // namespace
