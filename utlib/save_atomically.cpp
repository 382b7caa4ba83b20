// Atomic saves: write beside the target, flush, rename.
#include "save_atomically.h"

#include "error_handler.h"
#include "message_catalogue.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t max_name_length = 255;

// Deferred flushing: the nesting depth and one folder per file system written to since. The
// saves of a batch may run in several threads while the scope is held.
std::atomic<int> deferred_depth = 0;
std::mutex deferred_mutex;
std::map<dev_t, std::string> deferred_folders;

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
    // The process's umask, read once: reading it means setting it.
    static const mode_t mask = [] {
        const mode_t current = ::umask(0);
        ::umask(current);
        return current;
    }();
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

Deferred_Flush_Scope::Deferred_Flush_Scope() { ++deferred_depth; }

Deferred_Flush_Scope::~Deferred_Flush_Scope() {
    if (--deferred_depth == 0) {
        flush();
    }
}

bool Deferred_Flush_Scope::flush() {
    const std::lock_guard lock(deferred_mutex);
    bool flushed = true;
    for (const auto& [device, folder] : deferred_folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0 || ::syncfs(fd) != 0) {
            flushed = false;
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    deferred_folders.clear();
    return flushed;
}

namespace {

// A new temporary file beside the target, with the permissions the target has or would get.
struct Temporary_File {
    std::string target;
    std::string folder;
    std::string path;
    int fd = -1;
};

Temporary_File create_temporary(Error_Handler* handler, const char* path) {
    Temporary_File temp;
    temp.target = resolve_target(path);
    temp.folder = folder_of(temp.target);
    std::string name = name_of(temp.target);
    if (name.size() > max_name_length - 9) {
        name.resize(max_name_length - 9);
    }
    temp.path = temp.folder + "/." + name + ".XXXXXX";
    temp.fd = ::mkostemp(temp.path.data(), O_CLOEXEC);
    if (temp.fd < 0) {
        raise_failure(handler, temp.target, errno);
    }
    struct stat existing {};
    const mode_t mode = ::stat(temp.target.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                                                                     : creation_mode();
    if (::fchmod(temp.fd, mode) != 0) {
        const int error = errno;
        ::close(temp.fd);
        ::unlink(temp.path.c_str());
        raise_failure(handler, temp.target, error);
    }
    return temp;
}

// After the file has its name: the folder is flushed, or noted for the deferred flush, and the
// handler names the target (a writer's file object left the temporary name behind).
void settle(Error_Handler* handler, const std::string& target, const std::string& folder) {
    if (deferred_depth == 0) {
        flush_folder(folder);
    } else if (struct stat info {}; ::stat(folder.c_str(), &info) == 0) {
        const std::lock_guard lock(deferred_mutex);
        deferred_folders.emplace(info.st_dev, folder);
    }
    handler->set_file_name(target.c_str());
}

// Writes all of `bytes` to `fd`: 0, or the error (-1 for a write that took nothing, a full
// disk).
int write_all(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return put < 0 ? errno : -1;
        }
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

[[noreturn]] void raise_write_failure(Error_Handler* handler, const std::string& target,
                                      int error) {
    handler->init_fileio(target.c_str());
    handler->set_last_error_code(static_cast<unsigned long>(error < 0 ? 0 : error));
    if (error < 0) {
        handler->set_error_code(MSG_INSUFFICIENT_DISK_SPACE);
    }
    throw handler;
}

// A file that does not exist yet is written as an unnamed file of its folder and given its name
// only when complete: one change to the folder instead of two (a temporary name, then the
// rename), and nothing left behind by a failure, even a crash. False, with nothing left, when
// the target exists or the system offers no unnamed files or no way to name them (then the
// temporary name is used).
bool save_new_file(Error_Handler* handler, const std::string& target, std::string_view bytes) {
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 || errno != ENOENT) {
        return false;
    }
    const std::string folder = folder_of(target);
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, creation_mode());
    if (fd < 0) {
        return false;
    }
    if (const int error = write_all(fd, bytes); error != 0) {
        ::close(fd);
        raise_write_failure(handler, target, error);
    }
    if (deferred_depth == 0 && ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        raise_failure(handler, target, error);
    }
    const std::string descriptor = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        // The target appeared meanwhile, /proc is not there or linking is not allowed: the
        // temporary name will do, and a failure that is the folder's it reports again.
        ::close(fd);
        return false;
    }
    ::close(fd);
    settle(handler, target, folder);
    return true;
}

// Flushes the written temporary file (unless flushing is deferred) and renames it over the
// target; on failure removes it and raises.
void commit_temporary(Error_Handler* handler, const Temporary_File& temp) {
    if (deferred_depth == 0 && !flush_file(temp.path.c_str())) {
        const int error = errno;
        ::unlink(temp.path.c_str());
        raise_failure(handler, temp.target, error);
    }
    if (::rename(temp.path.c_str(), temp.target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.path.c_str());
        raise_failure(handler, temp.target, error);
    }
    settle(handler, temp.target, temp.folder);
}

} // namespace

void save_atomically(Error_Handler* handler, const char* path, const File_Writer& writer) {
    const Temporary_File temp = create_temporary(handler, path);
    ::close(temp.fd);
    try {
        writer(temp.path.c_str());
    } catch (Error_Handler* failed) {
        ::unlink(temp.path.c_str());
        failed->set_file_name(temp.target.c_str());
        throw;
    } catch (...) {
        ::unlink(temp.path.c_str());
        throw;
    }
    commit_temporary(handler, temp);
}

void save_atomically(Error_Handler* handler, const char* path, std::string_view bytes) {
    if (save_new_file(handler, resolve_target(path), bytes)) {
        return;
    }
    const Temporary_File temp = create_temporary(handler, path);
    if (const int error = write_all(temp.fd, bytes); error != 0) {
        ::close(temp.fd);
        ::unlink(temp.path.c_str());
        raise_write_failure(handler, temp.target, error);
    }
    ::close(temp.fd);
    commit_temporary(handler, temp);
}
