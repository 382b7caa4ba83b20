// Fuzz target for the text import definition files: the input is taken as a definition file.
//
// A refused file shows one message and changes nothing; an accepted one gives a consistent
// layout that saves back to the same bytes (the caller's field count in place of the file's) and
// reads fields from the engine's lines without fault.
#include "error_handler.h"
#include "fuzz_support.h"
#include "import_fuzz_support.h"
#include "txtimport_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int field_count = 2;
const char lines[] = "1,2,3\n  4.5   6.25\n\"a,b\";c|d\n\n0123456789012345678901234567890\n";

struct Snapshot {
    std::string record;
    int column_count;
    std::vector<int32_t> assignment;
    std::vector<int32_t> starts;
    char delimiter;
    std::string definition_file_name;

    explicit Snapshot(const txtimport_format& format)
        : record(reinterpret_cast<const char*>(&format.record), sizeof format.record),
          column_count(format.column_count), assignment(format.column_assignment),
          starts(format.column_starts), delimiter(format.delimiter),
          definition_file_name(format.definition_file_name) {}

    bool operator==(const Snapshot&) const = default;
};

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    import_fuzz::Counting_Presenter presenter;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string path = kelvor_fuzz::scratch_file("input.id5", data, size);

    Error_Handler handler;
    handler.init_fileio("lines.txt");
    txtimport_format format(nullptr, nullptr, field_count, -1, false);
    format.set_text(&handler, lines);
    format.record.delimiter_choice = DELIMITER_SEMICOLON;
    KELVOR_CHECK(format.set_delimiter());
    format.read_disp_lines();
    format.set_col_widths();
    format.column_assignment[0] = 2;
    const Snapshot before(format);

    if (!format.load_definition_file(path.c_str())) {
        KELVOR_CHECK(presenter.shown == 1);
        KELVOR_CHECK(presenter.last_caption == "File error");
        KELVOR_CHECK(Snapshot(format) == before);
        return 0;
    }
    KELVOR_CHECK(presenter.shown == 0);
    KELVOR_CHECK(format.definition_file_name == path);

    // The layout is consistent.
    const int count = format.column_count;
    KELVOR_CHECK(count >= 0 && count <= txtimport_format::max_columns);
    KELVOR_CHECK(format.column_assignment.size() == static_cast<std::size_t>(count));
    KELVOR_CHECK(format.column_widths.size() == static_cast<std::size_t>(count));
    for (const int32_t field : format.column_assignment) {
        KELVOR_CHECK(field >= 0 && field <= field_count);
    }
    if (format.record.fixed_width != 0) {
        KELVOR_CHECK(format.column_starts.size() == static_cast<std::size_t>(count) + 1);
        KELVOR_CHECK(format.column_starts[0] >= 0);
        for (std::size_t i = 1; i < format.column_starts.size(); ++i) {
            KELVOR_CHECK(format.column_starts[i] > format.column_starts[i - 1]);
        }
    }

    // Saved again, it is the file as loaded, up to the bytes the layout uses.
    const std::string saved_path = kelvor_fuzz::scratch_path("saved.id5");
    KELVOR_CHECK(format.save_definition_file(saved_path.c_str()));
    KELVOR_CHECK(presenter.shown == 0);
    std::string expected = input;
    const auto ours = static_cast<uint32_t>(field_count);
    for (int byte = 0; byte < 4; ++byte) {
        expected[28 + static_cast<std::size_t>(byte)] = static_cast<char>((ours >> (8 * byte)) & 0xFF);
    }
    const std::string saved = file_bytes(saved_path);
    KELVOR_CHECK(saved.size() <= expected.size());
    KELVOR_CHECK(expected.compare(0, saved.size(), saved) == 0);

    // The fields of every line.
    int line = -1;
    if (format.init_import()) {
        while (format.set_line_buffer(line)) {
            for (int field = -1; field <= field_count; ++field) {
                const char* text = format.get_field(field);
                KELVOR_CHECK(text == nullptr ||
                             std::strlen(text) <= txtimport_format::max_field_length);
            }
        }
    }
    return 0;
}
