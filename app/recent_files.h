// Recent_Files: the last files a mode opened or saved, newest first, kept in the settings file.
#pragma once

#include "equipment_modes.h"

#include <cstddef>
#include <string>
#include <vector>

class Recent_Files {
public:
    static constexpr std::size_t capacity = 8;

    Recent_Files() = default;
    // Keeps the first `capacity` distinct non-empty paths of `paths`, in their order.
    explicit Recent_Files(const std::vector<std::string>& paths);

    // Puts `path` first; an earlier entry of the same path moves rather than repeats, and the
    // oldest entry beyond the capacity drops out. An empty path changes nothing.
    void add(const std::string& path);
    // Removes `path`; false when it was not listed.
    bool remove(const std::string& path);

    const std::vector<std::string>& paths() const { return m_paths; }
    bool empty() const { return m_paths.empty(); }

private:
    std::vector<std::string> m_paths;
};

// The list of `mode` as the settings file holds it (section "Recent Files <mode>", keys "File1"
// to "File8"); an empty list when nothing is stored.
Recent_Files load_recent_files(Equipment_Mode mode);
// Stores the list of `mode`, clearing the keys it no longer fills; false when the settings file
// could not be written (it then stays as it was).
bool store_recent_files(Equipment_Mode mode, const Recent_Files& files);
