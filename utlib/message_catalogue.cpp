// The catalogue texts, exactly as the suite words them.
#include "message_catalogue.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct Catalogue_Entry {
    int id;
    const char* text;
};

// Sorted by id.
constexpr Catalogue_Entry catalogue[] = {
    {98, "Data entry error"},
    {99, "Status information"},
    {100, "Warning"},
    {101, "File error"},
    {102, "Error"},
    {104, "Wrong file format"},
    {106, "Syntax error on line %d"},
    {109, "Operation canceled"},
    {115, "Continue ?"},
    {116, "Insufficient disk space"},
    {123, "Read error at end of file"},
    {149, "Same distance used for two points"},
    {155, "File size is zero bytes"},
    {289, "File identifier or file suffix is invalid.\r\nOnly raf and rsd /mrs file suffixes are "
          "allowed for radio data ASCII and binary files."},
    {290, "The interfering radio code must be specified for this type of curve."},
    {342, "The file must be an ascii text file."},
    {410, "Column definitions are incomplete"},
    {411, "Columns %d and %d are both defined as %s"},
    {412, "Columns %d and %d have the same definition"},
    {427, "Wrong type of text import definition file"},
    {450, "This curve type already exists."},
};

static_assert(std::is_sorted(std::begin(catalogue), std::end(catalogue),
                             [](const Catalogue_Entry& a, const Catalogue_Entry& b) {
                                 return a.id < b.id;
                             }));

} // namespace

const char* catalogue_text(int id) {
    const auto* it = std::lower_bound(
        std::begin(catalogue), std::end(catalogue), id,
        [](const Catalogue_Entry& entry, int wanted) { return entry.id < wanted; });
    if (it == std::end(catalogue) || it->id != id) {
        return nullptr;
    }
    return it->text;
}

int get_error_string(int id, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    const char* text = catalogue_text(id);
    if (text == nullptr) {
        return 0;
    }
    const std::size_t count = std::min(std::strlen(text), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text, count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}
