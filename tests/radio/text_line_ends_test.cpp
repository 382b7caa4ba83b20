// Every text example reads to the same record whether its lines end in CR LF, LF, CR or LF CR.
#include "antenna_json.h"
#include "antenna_open.h"
#include "antenna_record.h"
#include "error_handler.h"
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio4_record.h"
#include "radio_file_kind.h"
#include "radio_json.h"
#include "radio_open.h"
#include "radio_record.h"
#include "raf_format.h"
#include "syntax_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using kelvor_test::read_bytes;
using kelvor_test::Temp_Dir;
using kelvor_test::with_line_ends;

namespace {

namespace fs = std::filesystem;

// The record read from `path` as JSON, by the reader the program would choose.
std::string read_record(const std::string& path) {
    Error_Handler handler;
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".raf") {
        const std::string bytes = read_radio_file(path.c_str(), &handler);
        std::vector<std::string> warnings;
        switch (const Radio_File_Kind kind = radio_kind_of(bytes.data(), bytes.size())) {
        case Radio_File_Kind::raf5: {
            Radio_Record record;
            read_v5_bytes(record, kind, bytes, path.c_str(), &handler, warnings);
            return radio_to_json(record).dump();
        }
        case Radio_File_Kind::raf4: {
            Radio4_Record record;
            read_v4_bytes(record, kind, bytes, path.c_str(), &handler, warnings);
            return radio4_to_json(record).dump();
        }
        default:
            return "not a text radio file";
        }
    }
    Antenna_Record record;
    Antenna_Read_Decisions decisions;
    open_antenna_file(record, &handler, path.c_str(), decisions);
    return antenna_to_json(record).dump();
}

// The record, or the error that reading it raised.
std::string record_of(const std::string& path) {
    try {
        return read_record(path);
    } catch (Error_Handler* handler) {
        return "file error " + std::to_string(handler->get_error_code());
    } catch (Data_Syntax_Error* error) {
        return "syntax error at line " + std::to_string(error->line_number()) + ": " +
               error->fault();
    }
}

const char* const line_ends[] = {"\r\n", "\n", "\r", "\n\r"};

TEST(TextLineEnds, EveryTextExampleReadsAlikeWithEveryLineEnd) {
    int examples = 0;
    for (const char* folder : {"radio", "antenna"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(KELVOR_EXAMPLES_DIR) / folder)) {
            const fs::path& example = entry.path();
            const std::string extension = example.extension().string();
            if (extension != ".raf" && extension != ".adf" && extension != ".dat" &&
                extension != ".msi" && extension != ".pat") {
                continue;
            }
            ++examples;
            const std::string original = record_of(example.string());
            ASSERT_GT(original.size(), 300u) << example;
            for (const char* end : line_ends) {
                // A folder of its own, with the .msi files' companions turned alike.
                Temp_Dir dir;
                for (const auto& sibling : fs::directory_iterator(example.parent_path())) {
                    if (sibling.path().extension() == example.extension()) {
                        dir.write(sibling.path().filename().string(),
                                  with_line_ends(read_bytes(sibling.path().string()), end));
                    }
                }
                EXPECT_EQ(record_of(dir.file(example.filename().string())), original)
                    << example << " with line ends " << testing::PrintToString(std::string(end));
            }
        }
    }
    EXPECT_EQ(examples, 10);
}

} // namespace
