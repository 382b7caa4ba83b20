// Remembered folders.
#include "default_directory.h"

#include "ini_settings.h"
#include "qv5_extn.h"
#include "text_helpers.h"

#include <filesystem>
#include <system_error>

default_directory::default_directory(int key_id) {
    const char* section = qv6_ex_string(IDS_DEFAULT_DIRECTORIES);
    const char* key = qv6_ex_string(key_id);
    m_section = section != nullptr ? section : "";
    m_key = key != nullptr ? key : "";
    m_directory = ReadINIfile(m_section.c_str(), m_key.c_str(), "");
}

void default_directory::set_default_dir(const char* path) {
    if (path == nullptr || path[0] == '\0' || m_key.empty()) {
        return;
    }
    std::error_code error;
    std::string folder = std::filesystem::is_directory(path, error) ? std::string(path)
                                                                     : get_directory(path);
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    if (folder.empty() || folder == m_directory) {
        return;
    }
    WriteINIfile(m_section.c_str(), m_key.c_str(), folder.c_str());
}
