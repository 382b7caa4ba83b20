// Opening any antenna file, and writing any of them as NSMA text.
#include "antenna_open.h"

#include "antenna_binary.h"
#include "antenna_conversion.h"
#include "antenna_text.h"
#include "byte_reader.h"
#include "error_handler.h"
#include "nsma_format.h"
#include "text_helpers.h"

namespace {

constexpr double dbi_frequency_limit = 890.0; // MHz: above it gains are given in dBi

bool is_binary_antenna_name(const char* path) {
    return has_extension(path, ".asd") || has_extension(path, ".mas") ||
           has_extension(path, ".vas");
}

Antenna_Kind read_by_extension(Antenna_Record& record, Error_Handler* handler, const char* path,
                               std::string_view bytes, std::string& named_path,
                               Antenna_Read_Decisions& decisions) {
    if (is_binary_antenna_name(path)) {
        Byte_Reader file(handler, bytes);
        const Antenna_Kind kind = read_antenna_binary(file, record, &decisions.texts_cut);
        const double high = record.antenna_spec.high_frequency;
        record.gain_in_dbi = high == NOT_SET || high > dbi_frequency_limit ? 1 : 0;
        return kind;
    }
    if (is_msi_file_name(path)) {
        read_msi_text(record, handler, path, bytes, decisions);
        const std::string companion = msi_companion_path(path);
        // The record is named after the companion only when there is one to read.
        if (!companion.empty() && read_msi_companion(record, handler, companion.c_str())) {
            named_path = companion;
        }
        return Antenna_Kind::msi;
    }
    return read_nsma_text(record, handler, path, bytes, &decisions.texts_cut) ==
                   Nsma_Read_Result::nsma
               ? Antenna_Kind::nsma
               : Antenna_Kind::pattern;
}

} // namespace

bool is_msi_file_name(const char* path) {
    // Planet writes its pattern files as ".pln" as well as ".msi"; both are the same text.
    return has_extension(path, ".msi") || has_extension(path, ".pln");
}

Data_File_Limit antenna_file_limit(const char* path) {
    return is_binary_antenna_name(path) ? Data_File_Limit{MAX_BINARY_FILE_SIZE, "binary data file"}
                                        : Data_File_Limit{MAX_TEXT_FILE_SIZE, "text data file"};
}

unsigned long antenna_file_share(const char* path) {
    return is_binary_antenna_name(path) ? QV_SHARE_NONE : QV_SHARE_READ;
}

Antenna_Open_Result open_antenna_bytes(Antenna_Record& record, Error_Handler* handler,
                                       const char* path, std::string_view bytes,
                                       Antenna_Read_Decisions& decisions) {
    record.reset_antenna_record();
    decisions.texts_cut.clear();
    // Until the read tells: the kind the name chooses the reader for.
    decisions.kind = is_binary_antenna_name(path) ? Antenna_Kind::asd
                     : is_msi_file_name(path)     ? Antenna_Kind::msi
                                                  : Antenna_Kind::nsma;
    Antenna_Open_Result result{Antenna_Kind::nsma, path};
    try {
        result.kind = read_by_extension(record, handler, path, bytes, result.named_path, decisions);
    } catch (Error_Handler*) {
        record.reset_antenna_record();
        throw;
    }
    decisions.kind = result.kind;
    copy_text_field(record.antenna_spec.file_name, base_name(result.named_path.c_str()).c_str());
    return result;
}

Antenna_Open_Result open_antenna_file(Antenna_Record& record, Error_Handler* handler,
                                      const char* path, Antenna_Read_Decisions& decisions) {
    std::string bytes;
    try {
        bytes = read_data_file(handler, path, antenna_file_limit(path), 0, nullptr,
                               antenna_file_share(path));
    } catch (Error_Handler*) {
        record.reset_antenna_record();
        throw;
    }
    return open_antenna_bytes(record, handler, path, bytes, decisions);
}

std::string convert_to_adf(Antenna_Record& record, Error_Handler* handler, const char* path,
                           const char* target_folder, Antenna_Read_Decisions& decisions) {
    open_antenna_file(record, handler, path, decisions);
    copy_text_field(record.antenna_spec.file_name, base_name(path).c_str());
    const std::string target = conversion_target_path(path, target_folder, ".adf");
    save_nsma_file(record, handler, target.c_str());
    return target;
}
