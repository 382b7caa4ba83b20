// The recent files of each mode.
#include "recent_files.h"

#include "ini_settings.h"

#include <algorithm>

Recent_Files::Recent_Files(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (m_paths.size() == capacity) {
            break;
        }
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end()) {
            m_paths.push_back(path);
        }
    }
}

void Recent_Files::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > capacity) {
        m_paths.resize(capacity);
    }
}

bool Recent_Files::remove(const std::string& path) {
    const auto found = std::find(m_paths.begin(), m_paths.end(), path);
    if (found == m_paths.end()) {
        return false;
    }
    m_paths.erase(found);
    return true;
}

namespace {

std::string section_of(Equipment_Mode mode) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return "Recent Files V4";
    case Equipment_Mode::antenna:
        return "Recent Files Antenna";
    case Equipment_Mode::radio_v5:
        break;
    }
    return "Recent Files V5";
}

std::string key_of(std::size_t index) { return "File" + std::to_string(index + 1); }

} // namespace

Recent_Files load_recent_files(Equipment_Mode mode) {
    const std::string section = section_of(mode);
    std::vector<std::string> paths;
    for (std::size_t index = 0; index < Recent_Files::capacity; ++index) {
        paths.push_back(ReadINIfile(section.c_str(), key_of(index).c_str(), ""));
    }
    return Recent_Files(paths);
}

bool store_recent_files(Equipment_Mode mode, const Recent_Files& files) {
    const std::string section = section_of(mode);
    bool stored = true;
    for (std::size_t index = 0; index < Recent_Files::capacity; ++index) {
        const std::string value = index < files.paths().size() ? files.paths()[index] : "";
        // Unchanged keys are not written, so a list that did not change leaves the file alone.
        if (ReadINIfile(section.c_str(), key_of(index).c_str(), "") != value &&
            WriteINIfile(section.c_str(), key_of(index).c_str(), value.c_str()) == 0) {
            stored = false;
        }
    }
    return stored;
}
