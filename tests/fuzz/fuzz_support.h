// What every fuzz target shares: checks that abort (so libFuzzer keeps the input) and scratch files
// for the readers, which take paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

// Fuzz targets are built with NDEBUG in optimised builds, so checks do not use assert.
#define KELVOR_CHECK(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace kelvor_fuzz {

// The scratch files of this process, removed when it ends.
class Scratch_Files {
public:
    ~Scratch_Files() {
        for (const std::string& path : m_paths) {
            std::remove(path.c_str());
        }
    }
    // A path of this process in a memory file system when there is one: `name` is the file name.
    const std::string& path(const std::string& name) {
        for (const std::string& known : m_paths) {
            if (known.ends_with("-" + name)) {
                return known;
            }
        }
        static const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return m_paths.emplace_back(folder + "/kelvor-fuzz-" + std::to_string(::getpid()) + "-" +
                                    name);
    }

private:
    std::vector<std::string> m_paths;
};

inline std::string scratch_path(const std::string& name) {
    static Scratch_Files files;
    return files.path(name);
}

// Writes `size` bytes to the scratch file `name` and returns its path.
inline std::string scratch_file(const std::string& name, const void* data, std::size_t size) {
    const std::string path = scratch_path(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace kelvor_fuzz
