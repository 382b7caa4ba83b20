// Converting NSMA files to the binary antenna formats, one file or a folder tree at a time.
#include "antenna_conversion.h"

#include "antenna_binary.h"
#include "antenna_open.h"
#include "antenna_record.h"
#include "antenna_text.h"
#include "error_handler.h"
#include "folder_walk.h"
#include "nsma_format.h"
#include "qvfileio.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstring>

namespace {

// The model of an antenna with a feed orientation says which: " (L)" or " (R)", when it fits.
void mark_feed_orientation(Antenna_Record& record, std::size_t shorter_than) {
    if (record.antenna_spec.feed_orientation == FEED_NA ||
        std::strlen(record.antenna_spec.model) >= shorter_than) {
        return;
    }
    std::string model = record.antenna_spec.model;
    model += record.antenna_spec.feed_orientation == FEED_LEFT ? " (L)" : " (R)";
    copy_text_field(record.antenna_spec.model, model.c_str());
}

// Reads the source of a conversion to a binary file: an .msi file with its reader and companion,
// anything else as NSMA text. `decisions`, when given, get the kind read and the texts cut.
void read_conversion_source(Antenna_Record& record, Error_Handler* handler, const char* path,
                            Antenna_Read_Decisions* decisions) {
    if (is_msi_file_name(path)) {
        Antenna_Read_Decisions kept_as_they_are;
        open_antenna_file(record, handler, path, decisions ? *decisions : kept_as_they_are);
        return;
    }
    std::vector<std::string>* texts_cut = nullptr;
    if (decisions != nullptr) {
        decisions->texts_cut.clear();
        texts_cut = &decisions->texts_cut;
    }
    const Nsma_Read_Result read = read_nsma_text(
        record, handler, path,
        read_data_file(handler, path, {MAX_TEXT_FILE_SIZE, "text data file"}), texts_cut);
    if (decisions != nullptr) {
        decisions->kind =
            read == Nsma_Read_Result::nsma ? Antenna_Kind::nsma : Antenna_Kind::pattern;
    }
}

} // namespace

bool v5_file_name_ok(const char* path) {
    return base_name(path).size() <= MAX_V5_FILE_NAME;
}
bool v4_file_name_ok(const char* path) {
    return base_name(path).size() <= MAX_V4_ANTENNA_FILE_NAME;
}

std::string conversion_target_path(const char* path, const char* target_folder,
                                   const char* extension) {
    std::string target = target_folder;
    if (!target.empty() && target.back() != '/') {
        target += '/';
    }
    return target + base_name(path) + extension;
}

int convert_to_asd(Antenna_Record& record, Error_Handler* handler, const char* path,
                   const char* target_folder, Technology_Answers& answers,
                   const Technology_Asker& ask, Antenna_Read_Decisions* decisions) {
    read_conversion_source(record, handler, path, decisions);
    if (record.antenna_spec.technology == TECH_UNKNOWN) {
        if (!(answers.use_for_all && answers.last_technology != TECH_UNKNOWN)) {
            if (!ask || !ask(path, answers)) {
                return 0;
            }
        }
        if (answers.last_technology != TECH_DIPOLE && answers.last_technology != TECH_APERTURE) {
            return 0; // an asker that gave no technology has not answered
        }
        record.antenna_spec.technology = answers.last_technology;
    }
    mark_feed_orientation(record, 44);
    copy_text_field(record.antenna_spec.file_name, base_name(path).c_str());
    write_asd_file(record, handler, conversion_target_path(path, target_folder, ".asd").c_str());
    return 1;
}

int convert_to_mas(Antenna_Record& record, Error_Handler* handler, const char* path,
                   const char* target_folder, Antenna_Read_Decisions* decisions) {
    if (!v4_file_name_ok(path)) {
        handler->init(ET_ERROR, 0, path);
        handler->set_info_buff(V4_ANTENNA_FILE_NAME_TOO_LONG);
        throw handler;
    }
    read_conversion_source(record, handler, path, decisions);
    mark_feed_orientation(record, 20);
    copy_text_field(record.antenna_spec.file_name, base_name(path).c_str());
    write_mas_file(record, handler, conversion_target_path(path, target_folder, ".mas").c_str());
    return 1;
}

bool is_antenna_batch_extension(const char* path) {
    static const char* const extensions[] = {".adf", ".dat", ".Adf", ".Dat", ".ADF", ".DAT"};
    const char* extension = get_extension(path);
    return std::any_of(std::begin(extensions), std::end(extensions),
                       [&](const char* e) { return std::strcmp(extension, e) == 0; });
}

std::vector<std::string> antenna_folder_files(const std::string& top_folder) {
    return walked_files(top_folder, [](const std::string& path) {
        return is_antenna_batch_extension(path.c_str());
    });
}
