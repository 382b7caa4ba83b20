// Atomic saves: write beside the target, flush, rename.
#include "save_atomically.h"

#include "error_handler.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t max_name_length = 255;

// The file a save replaces: the target of a symbolic link rather than the link itself.
std::string resolve_target(const char* path) {
    struct stat info {};
    if (::lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path, nullptr)) {
            std::string resolved = real;
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string folder_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t creation_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool flush_file(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

void flush_folder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename has happened either way
        ::close(fd);
    }
}

[[noreturn]] void raise_failure(Error_Handler* handler, const std::string& target, int error) {
    handler->init_fileio(target.c_str());
    handler->set_last_error_code(static_cast<unsigned long>(error));
    throw handler;
}

} // namespace

void save_atomically(Error_Handler* handler, const char* path, const File_Writer& writer) {
    const std::string target = resolve_target(path);
    const std::string folder = folder_of(target);
    std::string name = name_of(target);
    if (name.size() > max_name_length - 9) {
        name.resize(max_name_length - 9);
    }
    std::string temp = folder + "/." + name + ".XXXXXX";

    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        raise_failure(handler, target, errno);
    }
    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                                                                : creation_mode();
    const bool mode_set = ::fchmod(fd, mode) == 0;
    const int mode_error = errno;
    ::close(fd);
    if (!mode_set) {
        ::unlink(temp.c_str());
        raise_failure(handler, target, mode_error);
    }

    try {
        writer(temp.c_str());
    } catch (Error_Handler* failed) {
        ::unlink(temp.c_str());
        failed->set_file_name(target.c_str());
        throw;
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }

    if (!flush_file(temp.c_str())) {
        const int error = errno;
        ::unlink(temp.c_str());
        raise_failure(handler, target, error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        raise_failure(handler, target, error);
    }
    flush_folder(folder);
    // The writer's file object left the temporary name behind.
    handler->set_file_name(target.c_str());
}
