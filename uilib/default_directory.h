// default_directory: a folder remembered in the settings file under "Default directories".
#pragma once

#include "qv6_ex_export.h"

#include <string>

class QV6_EX_EXPORT default_directory {
public:
    // Loads the section name and the key name of `key_id` (664 antenna files, 665 radio files)
    // and reads the stored folder (empty when none is stored or the key is unknown).
    explicit default_directory(int key_id);

    // The folder read at construction.
    const char* get_default_dir() const { return m_directory.c_str(); }

    // Remembers the folder of a chosen file or folder: `path` itself when it names an existing
    // folder, else its parent folder. Stores it only when it differs from the folder read at
    // construction; that field itself is not changed. Names are compared as the file system
    // does, with regard to case. Null or empty paths are ignored.
    void set_default_dir(const char* path);

private:
    std::string m_section;
    std::string m_key;
    std::string m_directory;
};
