// Converting radio files in a batch.
#include "radio_conversions.h"

#include "editor_support.h"
#include "error_handler.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_file_kind.h"
#include "radio_file_support.h"
#include "radio_open.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "text_helpers.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// What a failed step gives a batch: the answer to "Continue?", or 7 when nobody was asked.
int batch_answer(int answer, bool ask_continue) { return ask_continue ? answer : ID_NO; }

// Converts one ASCII radio file of either version: reads it whole, refuses any other kind with
// message 289 (0), and hands it to `convert`; a failure is shown and answered as a batch step.
int convert_ascii_file(Owner_Window owner, const std::string& path, bool ask_continue,
                       const std::function<void(Radio_File_Kind kind, std::string_view bytes,
                                                Error_Handler* handler)>& convert) {
    Error_Handler handler;
    std::string bytes;
    if (const auto failed = run_and_report(owner, ask_continue, [&] {
            bytes = read_radio_file(path.c_str(), &handler);
        })) {
        return batch_answer(*failed, ask_continue);
    }
    const Radio_File_Kind kind = radio_kind_of(bytes.data(), bytes.size());
    if (kind != Radio_File_Kind::raf5 && kind != Radio_File_Kind::raf4) {
        show_unknown_radio_file(owner, path);
        return 0;
    }
    if (const auto failed =
            run_and_report(owner, ask_continue, [&] { convert(kind, bytes, &handler); })) {
        return batch_answer(*failed, ask_continue);
    }
    return ID_OK;
}

} // namespace

std::string converted_file_path(const std::string& path, const std::string& folder,
                                const char* extension) {
    std::string target = folder;
    if (!target.empty() && target.back() != '/') {
        target += '/';
    }
    return target + base_name(path.c_str()) + "." + extension;
}

int convert_file_to_rsd(Owner_Window owner, const std::string& path, const std::string& folder,
                        bool ask_continue, bool lock, Batch_Losses* losses) {
    const std::string target = converted_file_path(path, folder, "rsd");
    return convert_ascii_file(
        owner, path, ask_continue,
        [&](Radio_File_Kind kind, std::string_view bytes, Error_Handler* handler) {
            auto record = std::make_unique<Radio_Record>();
            std::vector<std::string> warnings;
            std::vector<std::string> passed_over;
            Conversion_Losses lost;
            read_bytes_as_v5(*record, kind, bytes, path.c_str(), handler, warnings, passed_over,
                             {Radio_File_Kind::rsd, losses != nullptr ? &lost : nullptr});
            show_passed_over_curves(owner, passed_over);
            copy_text(record->radio_spec.radio_code, base_name(path.c_str()).c_str());
            write_rsd_file(*record, target.c_str(), handler, lock);
            if (losses != nullptr) {
                losses->add(path, lost, warnings);
            }
        });
}

int convert_file_to_mrs(Owner_Window owner, const std::string& path, const std::string& folder,
                        bool ask_continue, Batch_Losses* losses) {
    const std::string target = converted_file_path(path, folder, "mrs");
    return convert_ascii_file(
        owner, path, ask_continue,
        [&](Radio_File_Kind kind, std::string_view bytes, Error_Handler* handler) {
            auto record = std::make_unique<Radio4_Record>();
            std::vector<std::string> warnings;
            Conversion_Losses lost;
            read_bytes_as_v4(*record, kind, bytes, path.c_str(), handler, warnings,
                             {Radio_File_Kind::mrs, losses != nullptr ? &lost : nullptr});
            write_mrs_file(*record, target.c_str(), handler);
            if (losses != nullptr) {
                losses->add(path, lost, warnings);
            }
        });
}

std::optional<int> convert_v4_files_to_v5(Owner_Window owner,
                                          const std::vector<std::string>& files,
                                          const std::string& save_folder, Batch_Losses* losses,
                                          const Batch_Progress& progress) {
    int converted = 0;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const std::string& path = files[index];
        if (progress && !progress(path, index, files.size())) {
            break;
        }
        Error_Handler handler;
        std::string bytes;
        if (run_and_report(owner, false, [&] { bytes = read_radio_file(path.c_str(), &handler); })) {
            return std::nullopt;
        }
        if (!v4_batch_converts(bytes.data(), std::min<std::size_t>(bytes.size(), 80))) {
            continue;
        }
        std::string target = save_folder;
        if (!target.empty() && target.back() != '/') {
            target += '/';
        }
        target += get_filename_c(path.c_str());
        if (run_and_report(owner, false, [&] {
                auto v5 = std::make_unique<Radio_Record>();
                std::vector<std::string> warnings;
                std::vector<std::string> passed_over;
                Conversion_Losses lost;
                read_bytes_as_v5(*v5, Radio_File_Kind::raf4, bytes, path.c_str(), &handler,
                                 warnings, passed_over,
                                 {Radio_File_Kind::raf5, losses != nullptr ? &lost : nullptr});
                show_passed_over_curves(owner, passed_over);
                write_raf_file(*v5, target.c_str(), &handler);
                if (losses != nullptr) {
                    losses->add(path, lost, warnings);
                }
            })) {
            return std::nullopt;
        }
        ++converted;
    }
    return converted;
}
