// Converting radio files in a batch.
#include "radio_conversions.h"

#include "editor_support.h"
#include "error_handler.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_file_kind.h"
#include "radio_file_support.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "text_helpers.h"

#include <memory>

namespace {

// What a failed step gives a batch: the answer to "Continue?", or 7 when nobody was asked.
int batch_answer(int answer, bool ask_continue) { return ask_continue ? answer : ID_NO; }

} // namespace

std::string converted_file_path(const std::string& path, const std::string& folder,
                                const char* extension) {
    std::string target = folder;
    if (!target.empty() && target.back() != '/') {
        target += '/';
    }
    return target + base_name(path) + "." + extension;
}

int convert_file_to_rsd(Owner_Window owner, const std::string& path, const std::string& folder,
                        bool ask_continue, bool lock) {
    Error_Handler handler;
    auto record = std::make_unique<Radio_Record>();
    std::string bytes;
    if (const auto failed = run_and_report(owner, ask_continue, [&] {
            bytes = read_leading_bytes(path.c_str(), 48, &handler);
        })) {
        return batch_answer(*failed, ask_continue);
    }
    const Radio_File_Kind kind = radio_kind_of(bytes.data(), bytes.size());
    if (kind != Radio_File_Kind::raf5 && kind != Radio_File_Kind::raf4) {
        show_unknown_radio_file(owner, path);
        return 0;
    }
    const std::string target = converted_file_path(path, folder, "rsd");
    if (const auto failed = run_and_report(owner, ask_continue, [&] {
            if (kind == Radio_File_Kind::raf5) {
                read_raf_file(*record, path.c_str(), &handler);
            } else {
                auto v4 = std::make_unique<Radio4_Record>();
                read_raf4_file(*v4, path.c_str(), &handler);
                convert_v4_to_v5(*v4, *record);
            }
            copy_text(record->radio_spec.radio_code, base_name(path).c_str());
            write_rsd_file(*record, target.c_str(), &handler, lock);
        })) {
        return batch_answer(*failed, ask_continue);
    }
    return ID_OK;
}

int convert_file_to_mrs(Owner_Window owner, const std::string& path, const std::string& folder,
                        bool ask_continue) {
    Error_Handler handler;
    std::string bytes;
    if (const auto failed = run_and_report(owner, ask_continue, [&] {
            bytes = read_leading_bytes(path.c_str(), 48, &handler);
        })) {
        return batch_answer(*failed, ask_continue);
    }
    const Radio_File_Kind kind = radio_kind_of(bytes.data(), bytes.size());
    if (kind != Radio_File_Kind::raf5 && kind != Radio_File_Kind::raf4) {
        show_unknown_radio_file(owner, path);
        return 0;
    }
    const std::string target = converted_file_path(path, folder, "mrs");
    if (const auto failed = run_and_report(owner, ask_continue, [&] {
            auto v4 = std::make_unique<Radio4_Record>();
            if (kind == Radio_File_Kind::raf5) {
                auto v5 = std::make_unique<Radio_Record>();
                read_raf_file(*v5, path.c_str(), &handler);
                convert_v5_to_v4(*v5, *v4);
            } else {
                read_raf4_file(*v4, path.c_str(), &handler);
            }
            write_mrs_file(*v4, target.c_str(), &handler);
        })) {
        return batch_answer(*failed, ask_continue);
    }
    return ID_OK;
}

std::optional<int> convert_v4_files_to_v5(Owner_Window owner,
                                          const std::vector<std::string>& files,
                                          const std::string& save_folder) {
    int converted = 0;
    for (const std::string& path : files) {
        Error_Handler handler;
        std::string bytes;
        if (run_and_report(owner, false, [&] {
                bytes = read_leading_bytes(path.c_str(), 80, &handler);
            })) {
            return std::nullopt;
        }
        if (!is_v4_ascii_radio_file(bytes)) {
            continue;
        }
        std::string target = save_folder;
        if (!target.empty() && target.back() != '/') {
            target += '/';
        }
        target += get_filename_c(path.c_str());
        if (run_and_report(owner, false, [&] {
                auto v4 = std::make_unique<Radio4_Record>();
                read_raf4_file(*v4, path.c_str(), &handler);
                auto v5 = std::make_unique<Radio_Record>();
                convert_v4_to_v5(*v4, *v5);
                write_raf_file(*v5, target.c_str(), &handler);
            })) {
            return std::nullopt;
        }
        ++converted;
    }
    return converted;
}
