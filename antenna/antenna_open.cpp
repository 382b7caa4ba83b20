// Opening any antenna file, and writing any of them as NSMA text.
#include "antenna_open.h"

#include "antenna_binary.h"
#include "antenna_conversion.h"
#include "antenna_text.h"
#include "error_handler.h"
#include "msi_format.h"
#include "nsma_format.h"
#include "qvfileio.h"
#include "text_helpers.h"

namespace {

constexpr double dbi_frequency_limit = 890.0; // MHz: above it gains are given in dBi

// Whether the second file of an .msi pair is there to be read: one that cannot be opened or is
// no regular file (a pipe would never end) adds nothing, as the pair's reader has it; one larger
// than any antenna text file is refused.
bool companion_readable(Error_Handler* handler, const char* path) {
    Error_Handler probe;
    try {
        qvfileio file(&probe, path, QV_GENERIC_READ, QV_SHARE_READ);
    } catch (Error_Handler*) {
        return false;
    }
    check_file_size(handler, path, MAX_TEXT_FILE_SIZE, "text data file");
    return true;
}

Antenna_Kind read_by_extension(Antenna_Record& record, Error_Handler* handler, const char* path,
                               std::string& named_path) {
    const char* extension = get_extension(path);
    if (equals_nocase(extension, ".asd") || equals_nocase(extension, ".mas") ||
        equals_nocase(extension, ".vas")) {
        Antenna_Kind kind;
        {
            qvfileio file(handler, path, QV_GENERIC_READ, QV_SHARE_NONE);
            file.get_file_size_within(MAX_BINARY_FILE_SIZE, "binary data file");
            kind = read_antenna_binary(file, record);
        }
        const double high = record.antenna_spec.high_frequency;
        record.gain_in_dbi = high == NOT_SET || high > dbi_frequency_limit ? 1 : 0;
        return kind;
    }
    // The text readers hold the whole file in memory: one larger than any antenna text file is
    // refused before it is read.
    check_file_size(handler, path, MAX_TEXT_FILE_SIZE, "text data file");
    if (equals_nocase(extension, ".msi")) {
        read_msi_file(record, handler, path);
        const std::string companion = msi_companion_path(path);
        if (!companion.empty()) {
            if (companion_readable(handler, companion.c_str())) {
                read_msi_companion(record, companion.c_str());
            }
            named_path = companion;
        }
        return Antenna_Kind::msi;
    }
    return read_nsma_file(record, handler, path) == Nsma_Read_Result::nsma ? Antenna_Kind::nsma
                                                                           : Antenna_Kind::pattern;
}

} // namespace

Antenna_Open_Result open_antenna_file(Antenna_Record& record, Error_Handler* handler,
                                      const char* path) {
    record.reset_antenna_record();
    Antenna_Open_Result result{Antenna_Kind::nsma, path};
    try {
        result.kind = read_by_extension(record, handler, path, result.named_path);
    } catch (Error_Handler*) {
        record.reset_antenna_record();
        throw;
    }
    copy_text_field(record.antenna_spec.file_name, base_name(result.named_path.c_str()).c_str());
    return result;
}

std::string convert_to_adf(Antenna_Record& record, Error_Handler* handler, const char* path,
                           const char* target_folder) {
    open_antenna_file(record, handler, path);
    copy_text_field(record.antenna_spec.file_name, base_name(path).c_str());
    const std::string target = conversion_target_path(path, target_folder, ".adf");
    save_nsma_file(record, handler, target.c_str());
    return target;
}
