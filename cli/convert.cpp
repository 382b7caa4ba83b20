// Converting radio and antenna files from the command line.
#include "convert.h"

#include "antenna_conversion.h"
#include "antenna_open.h"
#include "antenna_text.h"
#include "batch_memory.h"
#include "data_files.h"
#include "file_text.h"
#include "folder_walk.h"
#include "json_values.h"
#include "qvfileio.h"
#include "radio4_conversion.h"
#include "radio_conversion_losses.h"
#include "radio4_format.h"
#include "error_handler.h"
#include "raf_format.h"
#include "save_atomically.h"
#include "rsd_format.h"
#include "run_in_order.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr const char* ANTENNA_V4_NAME_TOO_LONG =
    "Version 4 antenna data file name cannot exceed 15 characters.";
constexpr const char* NO_TECHNOLOGY =
    "the file does not give the antenna technology; answer with --technology dipole|aperture";
// A .mas file has no field for the technology: it always reads back as an aperture antenna.
constexpr const char* MAS_HAS_NO_TECHNOLOGY =
    "the .mas format does not store the antenna technology";
constexpr const char* NOT_A_RADIO_FILE = "not a radio data file";
constexpr const char* REPLACES_SOURCE =
    "the converted file would replace its source of the other version; give --out";

// The walks of the radio and binary antenna files take a name by what follows its last point
// when something comes before it: a file named ".raf" has no extension.
bool is_radio_ascii_name(const std::string& path) {
    const std::string extension = fs::path(path).extension().string();
    return extension == ".raf" || extension == ".Raf" || extension == ".RAF";
}

bool is_antenna_binary_name(const std::string& path) {
    const std::string extension = fs::path(path).extension().string();
    return equals_nocase(extension, ".asd") || equals_nocase(extension, ".mas") ||
           equals_nocase(extension, ".vas") || equals_nocase(extension, ".msi") ||
           equals_nocase(extension, ".pln"); // Planet's spelling of .msi
}

bool is_antenna_target(const std::string& target) {
    return target == "asd" || target == "mas" || target == "adf";
}

bool is_antenna_text_name(const std::string& path) {
    return is_antenna_batch_extension(path.c_str());
}

std::string output_path(const Convert_Options& options, const fs::path& source) {
    const fs::path folder = options.out_dir.empty() ? source.parent_path() : fs::path(options.out_dir);
    const std::string extension = options.target == "raf4" ? "raf" : options.target;
    // The antenna conversions name their files as the program does: the name up to its last
    // point, which for ".adf" is nothing.
    const std::string name = is_antenna_target(options.target)
                                 ? base_name(source.string().c_str())
                                 : source.stem().string();
    return (folder / name).string() + "." + extension;
}

// Adds the file's own texts to the report's warnings, which are UTF-8.
void add_file_texts(std::vector<std::string>& warnings, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        warnings.push_back(file_text_to_utf8(text));
    }
}

// Whether the version 4 to version 5 batch takes the file: its first 80 bytes decide.
bool v4_batch_takes(const std::string& path, Error_Handler& handler) {
    qvfileio file(&handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
    char head[80];
    const uint32_t size = std::min<uint32_t>(file.get_file_size(), sizeof head);
    file.read(head, size);
    return v4_batch_converts(head, size);
}

// What became of one file.
struct Convert_Outcome {
    std::string kind; // what the source was read as; empty before that is known
    std::string target;
    File_Failure failure;     // when the file was not converted
    bool passed_over = false; // not a file of the batch (--v4-only)
    // The names of the source's values the target format has no room for, and what the report
    // tells besides (texts cut, numbers rounded, questions answered); UTF-8.
    std::vector<std::string> not_kept;
    std::vector<std::string> warnings;
};

// Adds what the target could not hold to the outcome: the fields by name, the texts cut and the
// numbers rounded among the warnings.
void add_losses(Convert_Outcome& outcome, const Conversion_Losses& losses) {
    add_file_texts(outcome.not_kept, losses.not_kept);
    add_file_texts(outcome.warnings, losses.texts_cut);
    add_file_texts(outcome.warnings, losses.rounded);
}

// Converts one radio file to the target's radio format; `work` follows it from reading the source
// to writing the target. What the report tells besides goes to the outcome: the kind read, the
// warnings (a source that looks cut short, texts cut on reading, curves left out), and once the
// target is written what it has no room for.
void convert_radio(const Convert_Options& options, const std::string& source, const std::string& stem,
                   Error_Handler& handler, File_Work& work, Convert_Outcome& outcome) {
    const std::string& target = outcome.target;
    Loaded_File file;
    try {
        load_data_file(file, source, &handler, {false, options.reverse_backwards});
    } catch (...) {
        outcome.kind = file.kind; // a file that fails is still told as what it was read
        throw;
    }
    outcome.kind = file.kind;
    outcome.warnings = std::move(file.warnings);
    if (!file.radio && !file.radio4) {
        outcome.failure = failure_report(source, NOT_A_RADIO_FILE);
        return;
    }
    work = File_Work::writing;
    // A conversion between versions never replaces its source. A target that cannot be looked
    // at is not the source; writing it reports why.
    std::error_code unknown;
    const bool same_file = fs::equivalent(source, target, unknown);
    const bool to_v4 = options.target == "mrs" || options.target == "raf4";
    if (same_file && (to_v4 != (file.radio4 != nullptr))) {
        outcome.failure = failure_report(source, REPLACES_SOURCE);
        return;
    }
    const Radio_File_Kind target_kind = options.target == "raf"    ? Radio_File_Kind::raf5
                                        : options.target == "raf4" ? Radio_File_Kind::raf4
                                        : options.target == "mrs"  ? Radio_File_Kind::mrs
                                                                   : Radio_File_Kind::rsd;
    const Conversion_Losses losses = file.radio ? v5_conversion_losses(*file.radio, target_kind)
                                                : v4_conversion_losses(*file.radio4, target_kind);
    if (to_v4) {
        if (!file.radio4) {
            file.radio4 = std::make_unique<Radio4_Record>();
            convert_v5_to_v4(*file.radio, *file.radio4, nullptr); // the losses tell the cuts
        }
        if (options.target == "mrs") {
            write_mrs_file(*file.radio4, target.c_str(), &handler);
        } else {
            write_raf4_file(*file.radio4, target.c_str(), &handler);
        }
    } else {
        if (!file.radio) {
            file.radio = std::make_unique<Radio_Record>();
            std::vector<std::string> passed_over;
            convert_v4_to_v5(*file.radio4, *file.radio, passed_over);
            add_file_texts(outcome.warnings, passed_over);
        }
        copy_text(file.radio->radio_spec.radio_code, stem.c_str());
        if (options.target == "rsd") {
            write_rsd_file(*file.radio, target.c_str(), &handler, options.lock);
        } else {
            write_raf_file(*file.radio, target.c_str(), &handler);
        }
    }
    add_losses(outcome, losses);
}

// Converts one source. Safe to run for several sources at once: each has its own handler,
// records and answers.
Convert_Outcome convert_one(const Convert_Options& options, const Convert_Source& item) {
    Convert_Outcome outcome;
    if (item.failure.failed()) {
        outcome.failure = item.failure;
        return outcome;
    }
    const std::string& source = item.path;
    outcome.target = output_path(options, source);
    const std::string& target = outcome.target;
    File_Failure& failure = outcome.failure;
    const fs::path parent = fs::path(target).parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    const std::string stem = fs::path(target).stem().string();
    Error_Handler handler;
    Technology_Answers answers{options.technology, options.technology != 0};
    File_Work work = File_Work::reading;
    try {
        if (options.v4_only && !v4_batch_takes(source, handler)) {
            outcome.passed_over = true;
            return outcome;
        }
        if (options.target == "mas" ? !v4_file_name_ok(target.c_str())
                                    : (options.target == "mrs" || options.target == "raf4")
                                          ? !fits_v4_name(target.c_str())
                                          : stem.size() > MAX_V5_NAME) {
            failure = failure_report(source, options.target == "mas" ? ANTENNA_V4_NAME_TOO_LONG
                                             : options.target == "mrs" || options.target == "raf4"
                                                 ? V4_NAME_TOO_LONG
                                                 : V5_NAME_TOO_LONG);
        } else if (is_antenna_target(options.target)) {
            // The questions of an .msi source are answered as the options say, and told.
            Antenna_Record antenna;
            Antenna_Read_Decisions decisions;
            decisions.reverse_backwards = options.reverse_backwards;
            try {
                if (options.target == "asd") {
                    if (convert_to_asd(antenna, &handler, source.c_str(), folder.c_str(), answers,
                                       nullptr, &decisions) == 0) {
                        failure = failure_report(source, NO_TECHNOLOGY);
                    }
                } else if (options.target == "mas") {
                    convert_to_mas(antenna, &handler, source.c_str(), folder.c_str(), &decisions);
                } else {
                    convert_to_adf(antenna, &handler, source.c_str(), folder.c_str(), decisions);
                }
            } catch (...) {
                outcome.kind = antenna_kind_name(decisions.kind);
                throw;
            }
            outcome.kind = antenna_kind_name(decisions.kind);
            if (!failure.failed()) {
                // The texts the reader cut, the questions, then what the target has no room for.
                const Conversion_Losses losses = antenna_conversion_losses(
                    antenna, options.target == "asd"   ? Antenna_Kind::asd
                             : options.target == "mas" ? Antenna_Kind::mas
                                                       : Antenna_Kind::nsma);
                add_file_texts(outcome.warnings, decisions.texts_cut);
                add_file_texts(outcome.warnings, decisions.answered);
                add_losses(outcome, losses);
                if (options.target == "mas" && options.technology != 0) {
                    outcome.warnings.push_back(MAS_HAS_NO_TECHNOLOGY);
                }
            }
        } else {
            convert_radio(options, source, stem, handler, work, outcome);
        }
    } catch (Error_Handler* raised) {
        failure = failure_report(source, *raised, work);
    } catch (Data_Syntax_Error* raised) {
        failure = failure_report(source, *raised);
    } catch (...) {
        failure = unexpected_failure_report(source);
    }
    return outcome;
}

// How many files are converted at once: with --continue, --jobs or one per processor; without
// it one, so that nothing after the first failure is written.
unsigned job_count(const Convert_Options& options, std::size_t files) {
    if (!options.keep_going || options.v4_only || files < 2) {
        return 1;
    }
    const unsigned wanted =
        options.jobs > 0 ? static_cast<unsigned>(options.jobs) : std::thread::hardware_concurrency();
    return static_cast<unsigned>(std::clamp<std::size_t>(wanted, 1, files));
}

// The one spelling of the file a path reaches: absolute, with its folders and symbolic links
// resolved. A file to be written need not exist yet: then its folder is resolved and its name
// kept.
std::string file_identity(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) {
        return fs::path(path).lexically_normal().string();
    }
    const fs::path whole = fs::weakly_canonical(absolute, error);
    if (!error) {
        return whole.string();
    }
    // A link loop, or a folder on the way that may not be looked into.
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
    return ((error ? absolute.parent_path().lexically_normal() : folder) / absolute.filename())
        .string();
}

// The file each source would be written to, as file_identity spells it; empty for the items the
// walk could not look at, for which nothing is read or written.
std::vector<std::string> target_identities(const Convert_Options& options,
                                           const std::vector<Convert_Source>& sources) {
    std::vector<std::string> targets(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!sources[i].failure.failed()) {
            targets[i] = file_identity(output_path(options, sources[i].path));
        }
    }
    return targets;
}

// For each source, the earlier sources it must wait for: the last one before it that reads or
// writes its source or its target, so that files converted at once never touch the same file
// and every source that writes a target is done before a later one with that target starts.
// Paths are compared by the files they reach, however they are spelt.
std::vector<std::vector<std::size_t>> conflicting_earlier_files(
    const std::vector<Convert_Source>& sources, const std::vector<std::string>& targets) {
    std::vector<std::vector<std::size_t>> earlier(sources.size());
    std::map<std::string, std::size_t> last_use;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i].failure.failed()) {
            continue; // nothing is read or written for it
        }
        const std::string paths[] = {file_identity(sources[i].path), targets[i]};
        for (const std::string& path : paths) {
            const auto used = last_use.find(path);
            if (used != last_use.end() && used->second != i) {
                earlier[i].push_back(used->second);
            }
        }
        for (const std::string& path : paths) {
            last_use[path] = i;
        }
    }
    return earlier;
}

// The targets written so far in one run, each with the source converted into it: a later source
// with the same target is refused rather than replacing that result. Shared by the files
// converted at once; a source starts only when every earlier one with its target is done, so
// what it finds here does not depend on timing.
class Written_Targets {
public:
    // The source already converted into `target`, or empty.
    std::string source_of(const std::string& target) const {
        const std::lock_guard lock(m_mutex);
        const auto found = m_sources.find(target);
        return found == m_sources.end() ? std::string() : found->second;
    }

    void add(const std::string& target, const std::string& source) {
        const std::lock_guard lock(m_mutex);
        m_sources.emplace(target, source);
    }

private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_sources;
};

// The sources of a run by their identity (file_identity), each with its path as given.
using Source_Identities = std::map<std::string, std::string>;

Source_Identities source_identities(const std::vector<Convert_Source>& sources) {
    Source_Identities identities;
    for (const Convert_Source& source : sources) {
        if (!source.failure.failed()) {
            identities.emplace(file_identity(source.path), source.path);
        }
    }
    return identities;
}

// Converts `source` unless an earlier source of the run was converted into its target, or its
// target is another source of the run, which the conversion would replace before it is read.
Convert_Outcome convert_once(const Convert_Options& options, const Convert_Source& source,
                             const std::string& target, const Source_Identities& sources,
                             Written_Targets& written) {
    if (!target.empty()) {
        const auto refused = [&](const std::string& why) {
            Convert_Outcome outcome;
            outcome.target = output_path(options, source.path);
            outcome.failure =
                failure_report(source.path, "not converted: " + outcome.target + why);
            return outcome;
        };
        const std::string first = written.source_of(target);
        if (!first.empty()) {
            return refused(" is already the file converted from " + first);
        }
        const auto other = sources.find(target);
        if (other != sources.end() && file_identity(source.path) != target) {
            return refused(" is " + other->second + ", another file of this conversion");
        }
    }
    Convert_Outcome outcome = convert_one(options, source);
    if (!outcome.failure.failed() && !outcome.passed_over && !target.empty()) {
        written.add(target, source.path);
    }
    return outcome;
}

// {"path", "kind", "status": "converted", "failed" or "passed over", "target", "not_kept",
// "warnings", "error"}; the kind null when the source was not read as any, the target null
// when none was chosen.
Json outcome_json(const Convert_Source& source, const Convert_Outcome& outcome) {
    const auto text_or_null = [](const std::string& text) {
        return text.empty() ? Json() : Json(text);
    };
    const char* status = outcome.failure.failed() ? "failed"
                         : outcome.passed_over    ? "passed over"
                                                  : "converted";
    Json json = {{"path", source.path},
                 {"kind", outcome.kind == "unknown" ? Json() : text_or_null(outcome.kind)},
                 {"status", status},
                 {"target", text_or_null(outcome.target)},
                 {"not_kept", outcome.not_kept},
                 {"warnings", outcome.warnings}};
    json["error"] = outcome.failure.failed() ? failure_json(outcome.failure) : Json();
    return json;
}

} // namespace

bool is_convert_target(const std::string& target) {
    return target == "raf" || target == "rsd" || target == "mrs" || target == "raf4" ||
           is_antenna_target(target);
}

std::vector<Convert_Source> convert_sources(const std::string& target,
                                            const std::vector<std::string>& paths) {
    std::vector<Convert_Source> sources;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!fs::is_directory(path, error)) {
            sources.push_back({path, {}});
        } else {
            for (Walked_Path& walked :
                 walk_folder(path, target == "adf"                      ? is_antenna_binary_name
                                   : target == "asd" || target == "mas" ? is_antenna_text_name
                                                                        : is_radio_ascii_name)) {
                File_Failure failure;
                if (!walked.failure.empty()) {
                    failure = failure_report(walked.path, walked.failure);
                }
                sources.push_back({std::move(walked.path), std::move(failure)});
            }
        }
    }
    return sources;
}

namespace {

// The one line a long batch keeps up to date on a terminal: rewritten in place after a carriage
// return, and blanked before anything else is written there.
class Progress_Line {
public:
    Progress_Line(std::ostream& err, bool shown) : m_err(err), m_shown(shown) {}

    void show(std::size_t done, std::size_t total, const std::string& path) {
        if (!m_shown) {
            return;
        }
        std::string text =
            "converted " + std::to_string(done) + " of " + std::to_string(total) + ": " + path;
        // A path longer than a terminal line would wrap, and the carriage return would then
        // rewrite only its last part.
        constexpr std::size_t width = 79;
        if (text.size() > width) {
            text = text.substr(0, width - 3) + "...";
        }
        clear();
        m_err << text << std::flush;
        m_length = text.size();
    }

    void clear() {
        if (m_length > 0) {
            m_err << '\r' << std::string(m_length, ' ') << '\r' << std::flush;
            m_length = 0;
        }
    }

private:
    std::ostream& m_err;
    bool m_shown;
    std::size_t m_length = 0;
};

constexpr std::size_t progress_threshold = 100;

} // namespace

int run_convert(const Convert_Options& options, const std::vector<std::string>& paths,
                std::ostream& out, std::ostream& err) {
    if (!options.out_dir.empty()) {
        std::error_code error;
        fs::create_directories(options.out_dir, error);
        if (error) {
            err << failure_report(options.out_dir, "cannot create the folder: " + error.message())
                       .report
                << '\n';
            return 1;
        }
    }
    // The disk is waited for once, at the end, not once per file, and the buffers of one file
    // are reused for the next.
    Deferred_Flush_Scope batch;
    Batch_Memory_Scope memory;
    const std::vector<Convert_Source> sources = convert_sources(options.target, paths);
    int converted = 0;
    bool failed = false;
    Progress_Line progress(err, options.progress && !options.quiet &&
                                    sources.size() > progress_threshold);
    std::size_t reported = 0;
    // Reports one file's outcome; false when the batch stops there.
    const auto report = [&](const Convert_Source& source, const Convert_Outcome& outcome) {
        if (outcome.failure.failed()) {
            failed = true;
        } else if (!outcome.passed_over) {
            ++converted;
        }
        progress.clear();
        const bool told = !options.quiet || outcome.failure.failed();
        if (told && options.json) {
            out << outcome_json(source, outcome).dump(-1, ' ', false, Json::error_handler_t::replace)
                << '\n';
        } else if (outcome.failure.failed()) {
            err << outcome.failure.report << '\n';
        } else if (told && !outcome.passed_over) { // version 5 and binary files are passed over silently
            out << source.path << " -> " << outcome.target;
            if (!outcome.not_kept.empty()) {
                out << " (" << not_kept_text(outcome.not_kept) << ")";
            }
            for (const std::string& warning : outcome.warnings) {
                out << ", warning: " << warning;
            }
            out << '\n';
        }
        progress.show(++reported, sources.size(), source.path);
        return !outcome.failure.failed() || (options.keep_going && !options.v4_only);
    };
    const std::vector<std::string> targets = target_identities(options, sources);
    const Source_Identities identities = source_identities(sources);
    Written_Targets written;
    const unsigned jobs = job_count(options, sources.size());
    if (jobs <= 1) {
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (!report(sources[i],
                        convert_once(options, sources[i], targets[i], identities, written))) {
                break;
            }
        }
    } else {
        run_in_order<Convert_Outcome>(
            sources.size(), jobs, conflicting_earlier_files(sources, targets),
            [&](std::size_t i) {
                return convert_once(options, sources[i], targets[i], identities, written);
            },
            [&](std::size_t i, const Convert_Outcome& outcome) { report(sources[i], outcome); });
    }
    progress.clear();
    if (!Deferred_Flush_Scope::flush()) {
        err << "kelvor-cli: the converted files could not be flushed to disk\n";
        failed = true;
    }
    if (!options.json && !options.quiet) {
        char count[64];
        std::snprintf(count, sizeof count, "%d files successfully converted", converted);
        out << count << '\n';
    }
    return failed ? 1 : 0;
}
