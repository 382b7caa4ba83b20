// The one folder walk of the batch conversions.
#include "folder_walk.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Why a file or folder could not be looked at.
std::string reason(const std::error_code& error) {
    return error == std::errc::too_many_symbolic_link_levels ? "symbolic link loop"
                                                             : error.message();
}

void walk(const fs::path& folder, const std::function<bool(const std::string&)>& takes,
          std::vector<Walked_Path>& found) {
    const auto unreadable_folder = [&](const std::error_code& error) {
        return Walked_Path{folder.string(), "cannot read the folder: " + reason(error)};
    };
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
    }
    if (error) {
        found.push_back(unreadable_folder(error));
        return;
    }
    std::sort(entries.begin(), entries.end());
    bool folder_reported = false;
    for (const fs::path& entry : entries) {
        std::error_code kind_error;
        const fs::file_status link = fs::symlink_status(entry, kind_error);
        const fs::file_status kind = fs::status(entry, kind_error);
        if (fs::is_directory(kind) && !fs::is_symlink(link)) {
            walk(entry, takes, found);
        } else if (!kind_error || kind_error == std::errc::no_such_file_or_directory) {
            // A file that went away meanwhile is no longer below the folder.
            if (fs::is_regular_file(kind) && takes(entry.string())) {
                found.push_back({entry.string(), {}});
            }
        } else if (kind_error == std::errc::too_many_symbolic_link_levels) {
            if (takes(entry.string())) {
                found.push_back({entry.string(), "cannot read the file: " + reason(kind_error)});
            }
        } else if (!folder_reported) {
            // Listed but not open to look into (no search permission): its files are unknown.
            folder_reported = true;
            found.push_back(unreadable_folder(kind_error));
        }
    }
}

} // namespace

std::vector<Walked_Path> walk_folder(const std::string& top_folder,
                                     const std::function<bool(const std::string&)>& takes) {
    std::vector<Walked_Path> found;
    walk(top_folder, takes, found);
    return found;
}

std::vector<std::string> walked_files(const std::string& top_folder,
                                      const std::function<bool(const std::string&)>& takes) {
    std::vector<std::string> files;
    for (Walked_Path& walked : walk_folder(top_folder, takes)) {
        if (walked.failure.empty()) {
            files.push_back(std::move(walked.path));
        }
    }
    return files;
}
