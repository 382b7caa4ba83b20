// Converting NSMA files to the binary antenna formats, one file or a folder tree at a time.
#include "antenna_conversion.h"

#include "antenna_binary.h"
#include "antenna_open.h"
#include "antenna_record.h"
#include "antenna_text.h"
#include "error_handler.h"
#include "folder_walk.h"
#include "msi_format.h"
#include "nsma_format.h"
#include "nsma_keywords.h"
#include "qvfileio.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

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
        decisions->kind = Antenna_Kind::nsma;
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

// A row's value for the comparison of a conversion's losses: the value the NSMA text gives it,
// the mid-band gain in dBi whatever unit states it, texts in upper case, and no value for the
// rows where the NSMA reader takes 0 for none.
std::string compared_row_value(const Antenna_Record& record, int row) {
    if (row == ROW_MDGAIN) {
        return format_nsma_number(record.antenna_spec.gain_dbi);
    }
    std::string value = nsma_row_value(record, row);
    if ((row == ROW_ELWIDT || row == ROW_ELTILT || row == ROW_PATFRE) && value == "0.00") {
        return {};
    }
    if (nsma_keywords[row].kind == NSMA_TEXT) {
        fold_upper(value.data());
    }
    return value;
}

bool same_points(std::span<const Pattern_Point> a, std::span<const Pattern_Point> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Pattern_Point& p, const Pattern_Point& q) {
                          return p.angle == q.angle && p.attenuation == q.attenuation;
                      });
}

std::string cut_name(int slot) {
    return std::string(pattern_slots[slot].plane_name) + " " + pattern_slots[slot].polarization +
           " cut";
}

} // namespace

Conversion_Losses antenna_conversion_losses(const Antenna_Record& record, Antenna_Kind target) {
    Conversion_Losses losses;
    if (target != Antenna_Kind::asd && target != Antenna_Kind::mas &&
        target != Antenna_Kind::nsma) {
        return losses;
    }
    // What the target is given: for a .mas file, without the cuts it has no count for.
    Antenna_Record written = record;
    std::vector<bool> too_long(PATTERN_SLOTS, false);
    if (target == Antenna_Kind::mas) {
        for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
            if (written.cut(slot).size() > static_cast<std::size_t>(MAX_V4_POINTS)) {
                too_long[static_cast<std::size_t>(slot)] = true;
                written.set_cut(slot, {});
            }
        }
    }

    Error_Handler handler;
    Antenna_Record back;
    Antenna_Read_Decisions decisions; // a written file raises no question
    const char* name = target == Antenna_Kind::asd   ? "converted.asd"
                       : target == Antenna_Kind::mas ? "converted.mas"
                                                     : "converted.adf";
    handler.init_fileio(name);
    try {
        std::string bytes;
        if (target == Antenna_Kind::asd) {
            bytes = asd_file_bytes(written);
        } else if (target == Antenna_Kind::mas) {
            bytes = mas_file_bytes(written, &handler, name);
        } else {
            write_nsma_file(written, bytes);
        }
        open_antenna_bytes(back, &handler, name, bytes, decisions);
    } catch (Error_Handler*) {
        // What could not be read back was not kept: `back` holds what was read.
    } catch (Data_Syntax_Error*) {
    }

    static const Antenna_Record fresh;
    for (int row = 0; row < NSMA_KEYWORD_COUNT; ++row) {
        if (row == ROW_NUMCUT) {
            continue;
        }
        const std::string value = compared_row_value(record, row);
        const std::string unset = compared_row_value(fresh, row);
        const std::string read_back = compared_row_value(back, row);
        const char* keyword = nsma_keywords[row].keyword;
        if (value == unset) {
            continue;
        }
        if (read_back == value) {
            // The same text may stand for a number the target keeps with fewer digits.
            const double number = nsma_row_number(record, row);
            const double kept = nsma_row_number(back, row);
            if (number != NOT_SET && std::isfinite(number) &&
                !(std::fabs(kept - number) <= 1e-9 * std::max(1.0, std::fabs(number)))) {
                losses.rounded.push_back(rounded_warning(keyword, value));
            }
            continue;
        }
        if (nsma_keywords[row].kind == NSMA_TEXT && read_back != unset &&
            read_back.size() < value.size() && value.starts_with(read_back)) {
            losses.texts_cut.push_back(
                text_cut_warning(keyword, read_back.size(), value.size() - read_back.size()));
        } else {
            losses.not_kept.emplace_back(keyword);
        }
    }
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (!record.cut(slot).empty() && (too_long[static_cast<std::size_t>(slot)] ||
                                          !same_points(record.cut(slot), back.cut(slot)))) {
            losses.not_kept.push_back(cut_name(slot));
        }
    }
    return losses;
}

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
