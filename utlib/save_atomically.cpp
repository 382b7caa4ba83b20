// Atomic saves: write beside the target, flush, then name or rename.
#include "save_atomically.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t max_name_length = 255;
// Every temporary name is ".NAME" + this + six random characters, so that one left by a process
// that was killed outright is easy to find.
constexpr std::string_view temporary_marker = ".kelvor-";
constexpr std::size_t random_length = 6;
// Symbolic links followed before giving up, as the system does (ELOOP).
constexpr int max_link_depth = 40;

// Deferred flushing: the nesting depth and one folder per file system written to since. The
// saves of a batch may run in several threads while the scope is held.
std::atomic<int> deferred_depth = 0;
std::mutex deferred_mutex;
std::map<dev_t, std::string> deferred_folders;

std::atomic<unsigned long> replacement_flushes = 0;

// ---------------------------------------------------------------------------------------------
// The temporary names that exist right now, for the signal handlers: a fixed table, so that a
// handler can walk it without allocating or locking. A slot goes free -> claimed (its path being
// written by the thread that claimed it) -> making (that thread is making the file) -> live (the
// file exists) and back to free. A handler waits for a file being made by another thread, and
// takes a live slot with a compare-and-swap, so no thread rewrites a path it is removing.

enum Slot_State : int { slot_free, slot_claimed, slot_making, slot_live, slot_removing };

struct Live_Name {
    std::atomic<int> state = slot_free;
    std::atomic<pid_t> maker = 0;
    char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free);

// Saves running at once: one per job of a batch, with room to spare. A slot is held only while a
// file is being written, so a save that finds none free waits for one.
std::array<Live_Name, 128> live_names;

Live_Name* claim_slot() {
    for (;;) {
        for (Live_Name& slot : live_names) {
            int expected = slot_free;
            if (slot.state.compare_exchange_strong(expected, slot_claimed)) {
                return &slot;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Set by a handler before it walks the table; a thread about to make a file then waits for the
// end instead.
std::atomic<bool> ending_by_signal = false;

extern "C" void remove_temporaries_and_end(int signal_number) {
    ending_by_signal = true;
    const pid_t self = ::gettid();
    for (Live_Name& slot : live_names) {
        for (;;) {
            int state = slot.state.load();
            if (state == slot_making && slot.maker.load() == self) {
                // This thread was stopped making it: it may exist, and is never finished.
                ::unlink(slot.path);
            } else if (state == slot_making) {
                // Another thread's file system call ends soon; only then is it known whether
                // the file exists.
                const timespec pause{0, 100'000};
                ::nanosleep(&pause, nullptr);
                continue;
            } else if (state == slot_live &&
                       slot.state.compare_exchange_strong(state, slot_removing)) {
                ::unlink(slot.path);
            } else if (state == slot_live) {
                continue; // freed meanwhile: look again
            }
            break;
        }
    }
    // The handler was installed to run once: the signal, blocked until the handler returns, then
    // ends the process as it would have without it.
    ::raise(signal_number);
}

// A name beside the target for a file that is not complete yet, known to the signal handlers
// for as long as the file may exist under it.
class Temporary_Name {
public:
    Temporary_Name() = default;
    Temporary_Name(const Temporary_Name&) = delete;
    Temporary_Name& operator=(const Temporary_Name&) = delete;
    ~Temporary_Name() { remove(); }

    // Calls `make_file` (which answers 0 or an errno value) on fresh names ".NAME.kelvor-XXXXXX"
    // in `folder` until one is not taken: 0, or the error that is not EEXIST.
    template <typename Make>
    int make(const std::string& folder, std::string name, const Make& make_file) {
        const std::size_t room = max_name_length - 1 - temporary_marker.size() - random_length;
        if (name.size() > room) {
            name.resize(room);
        }
        const std::string stem = folder + "/." + name + std::string(temporary_marker);
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = stem + random_text();
            // Known to the handlers before the file exists, so that no moment goes unwatched.
            m_slot = m_path.size() < PATH_MAX ? claim_slot() : nullptr;
            if (m_slot != nullptr) {
                std::memcpy(m_slot->path, m_path.c_str(), m_path.size() + 1);
                m_slot->maker.store(::gettid());
                m_slot->state.store(slot_making);
            }
            if (ending_by_signal) {
                // A handler is removing the temporary files: the process ends when it returns.
                if (m_slot != nullptr) {
                    m_slot->state.store(slot_claimed);
                }
                for (;;) {
                    ::pause();
                }
            }
            const int error = make_file(m_path.c_str());
            if (m_slot != nullptr) {
                m_slot->state.store(error == 0 ? slot_live : slot_claimed);
            }
            if (error == 0) {
                m_exists = true;
                return 0;
            }
            release_slot();
            if (error != EEXIST) {
                m_path.clear();
                return error;
            }
        }
        m_path.clear();
        return EEXIST;
    }

    bool exists() const { return m_exists; }
    const std::string& path() const { return m_path; }

    // The file has left the name (renamed over the target).
    void renamed() {
        m_exists = false;
        release_slot();
    }

    void remove() {
        if (m_exists) {
            ::unlink(m_path.c_str());
            m_exists = false;
        }
        release_slot();
    }

private:
    // A handler that took the slot meanwhile keeps it: the process is ending then.
    void release_slot() {
        if (m_slot != nullptr) {
            int expected = slot_live;
            if (!m_slot->state.compare_exchange_strong(expected, slot_free) &&
                expected == slot_claimed) {
                m_slot->state.store(slot_free);
            }
            m_slot = nullptr;
        }
    }

    static std::string random_text() {
        static constexpr char letters[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        thread_local std::mt19937_64 generator{std::random_device{}()};
        std::string text(random_length, 'X');
        for (char& c : text) {
            c = letters[generator() % (sizeof letters - 1)];
        }
        return text;
    }

    std::string m_path;
    bool m_exists = false;
    Live_Name* m_slot = nullptr;
};

// ---------------------------------------------------------------------------------------------

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

void flush_folder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename has happened either way
        ::close(fd);
    }
}

[[noreturn]] void raise_failure(Error_Handler* handler, const std::string& target, int error) {
    handler->init_fileio(target.c_str());
    handler->set_last_error_code(static_cast<unsigned long>(error < 0 ? 0 : error));
    if (error < 0) {
        handler->set_error_code(MSG_INSUFFICIENT_DISK_SPACE);
    }
    throw handler;
}

[[noreturn]] void refuse_special_file(Error_Handler* handler, const std::string& target,
                                      mode_t mode) {
    handler->init_fileio(target.c_str());
    handler->set_error_code(0);
    handler->set_info_buff(not_regular_file_text(mode, "replaced").c_str());
    throw handler;
}

// The file a save writes: the end of a chain of symbolic links, also when that end does not
// exist (a dangling link is written through, creating the file it names).
std::string resolve_target(Error_Handler* handler, const char* path) {
    std::string current = path;
    for (int depth = 0; depth <= max_link_depth; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length <= 0) {
            return current; // changed meanwhile: what follows reports it
        }
        link.resize(static_cast<std::size_t>(length));
        // A relative link is resolved from the folder holding it, as the system does.
        current = link.front() == '/' ? link : folder_of(current) + "/" + link;
    }
    raise_failure(handler, path, ELOOP);
}

// What is at the target now: false for nothing (a new file), true for a regular file the
// process may write, whose details are left in `existing`; anything else raises.
bool inspect_target(Error_Handler* handler, const std::string& target, struct stat& existing) {
    if (::lstat(target.c_str(), &existing) != 0) {
        if (errno == ENOENT) {
            return false;
        }
        raise_failure(handler, target, errno);
    }
    if (S_ISDIR(existing.st_mode)) {
        raise_failure(handler, target, EISDIR);
    }
    if (!S_ISREG(existing.st_mode)) {
        refuse_special_file(handler, target, existing.st_mode);
    }
    // Replacing by rename needs only the folder's permission; a file the user could not write in
    // place is not replaced either.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        raise_failure(handler, target, errno);
    }
    return true;
}

// Gives the new file the old one's owner and group where the process may, and its permissions
// without a set-ID bit whose owner or group could not be kept.
int take_over_owner_and_mode(int fd, const struct stat& existing) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        return errno;
    }
    bool owner_kept = now.st_uid == existing.st_uid;
    bool group_kept = now.st_gid == existing.st_gid;
    if (!owner_kept || !group_kept) {
        if (::fchown(fd, existing.st_uid, existing.st_gid) == 0) {
            owner_kept = group_kept = true;
        } else if (!group_kept && ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) == 0) {
            group_kept = true;
        }
    }
    mode_t mode = existing.st_mode & 07777;
    if (!owner_kept) {
        mode &= ~static_cast<mode_t>(S_ISUID);
    }
    if (!group_kept) {
        mode &= ~static_cast<mode_t>(S_ISGID);
    }
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
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

// A new file stays writable by its owner until complete, whatever the umask would make of it:
// a writer opens it again by its path.
bool writable_by_owner(int fd) { return ::fchmod(fd, 0600) == 0; }

// One save: the file being written, unnamed or under a temporary name, until it has its name.
// Whatever is left when it ends unfinished is removed.
class Save {
public:
    Save(Error_Handler* handler, const char* path)
        : m_handler(handler), m_target(resolve_target(handler, path)),
          m_folder(folder_of(m_target)) {
        struct stat existing {};
        if (!inspect_target(handler, m_target, existing)) {
            open_unnamed();
        }
        if (m_fd < 0) {
            open_named();
        }
    }
    ~Save() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Save(const Save&) = delete;
    Save& operator=(const Save&) = delete;

    int fd() const { return m_fd; }
    const std::string& target() const { return m_target; }

    // The path a writer opens: the file's descriptor where /proc offers it, which an opening
    // writer cannot make again after a signal handler removed the temporary name; else that name.
    std::string writer_path() const {
        return m_temp.exists() && !m_by_descriptor ? m_temp.path() : descriptor_path();
    }

    // Flushes the complete file where needed and gives it the target's name.
    void finish() {
        if (!m_temp.exists()) {
            if (::fchmod(m_fd, m_new_mode) != 0 || (deferred_depth == 0 && ::fsync(m_fd) != 0)) {
                raise_failure(m_handler, m_target, errno);
            }
            if (::linkat(AT_FDCWD, descriptor_path().c_str(), AT_FDCWD, m_target.c_str(),
                         AT_SYMLINK_FOLLOW) == 0) {
                settle();
                return;
            }
            // The target appeared meanwhile, or the link was refused: the file gets a temporary
            // name and replaces the target as any other save does, after the same checks.
            name_unnamed();
        }
        // The target is looked at again just before it is replaced: it may have changed.
        struct stat existing {};
        const bool replacing = inspect_target(m_handler, m_target, existing);
        const int error = replacing ? take_over_owner_and_mode(m_fd, existing)
                                    : (::fchmod(m_fd, m_new_mode) == 0 ? 0 : errno);
        if (error != 0) {
            raise_failure(m_handler, m_target, error);
        }
        if (deferred_depth == 0 || replacing) {
            if (::fsync(m_fd) != 0) {
                raise_failure(m_handler, m_target, errno);
            }
            if (replacing) {
                ++replacement_flushes;
            }
        }
        if (::rename(m_temp.path().c_str(), m_target.c_str()) != 0) {
            raise_failure(m_handler, m_target, errno);
        }
        m_temp.renamed();
        settle();
    }

private:
    // A file that does not exist yet is written as an unnamed file of its folder and given its
    // name only when complete: one change to the folder instead of two, and nothing left behind
    // by a failure, even a kill. Where the system offers no unnamed files, or no /proc to reach
    // them by, the temporary name is used instead (and reports a failure of the folder's).
    void open_unnamed() {
        // Made with the usual permissions to learn what the umask (or the folder's default
        // access list) gives a new file: nobody else can reach a file without a name.
        m_fd = ::open(m_folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        struct stat info {};
        if (m_fd >= 0 && ::fstat(m_fd, &info) == 0) {
            m_new_mode = info.st_mode & 07777;
        }
        if (m_fd >= 0 && (!writable_by_owner(m_fd) || ::access(descriptor_path().c_str(), F_OK) != 0)) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

    void open_named() {
        const int error = m_temp.make(m_folder, name_of(m_target), [&](const char* name) {
            m_fd = ::open(name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return m_fd >= 0 ? 0 : errno;
        });
        if (error != 0) {
            raise_failure(m_handler, m_target, error);
        }
        if (!writable_by_owner(m_fd)) {
            raise_failure(m_handler, m_target, errno);
        }
        m_by_descriptor = ::access(descriptor_path().c_str(), F_OK) == 0;
    }

    std::string descriptor_path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

    void name_unnamed() {
        const std::string descriptor = descriptor_path();
        const int error = m_temp.make(m_folder, name_of(m_target), [&](const char* name) {
            return ::linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0
                       ? 0
                       : errno;
        });
        if (error != 0) {
            raise_failure(m_handler, m_target, error);
        }
    }

    // After the file has its name: the folder is flushed, or noted for the deferred flush, and
    // the handler names the target (a writer's file object left another name behind).
    void settle() {
        if (deferred_depth == 0) {
            flush_folder(m_folder);
        } else if (struct stat info {}; ::stat(m_folder.c_str(), &info) == 0) {
            const std::lock_guard lock(deferred_mutex);
            deferred_folders.emplace(info.st_dev, m_folder);
        }
        m_handler->set_file_name(m_target.c_str());
    }

    Error_Handler* m_handler;
    std::string m_target;
    std::string m_folder;
    Temporary_Name m_temp;
    int m_fd = -1;
    bool m_by_descriptor = false;
    // What a new file gets: as the system gives it, else 0666 less the umask.
    mode_t m_new_mode = creation_mode();
};

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

void save_atomically(Error_Handler* handler, const char* path, const File_Writer& writer) {
    Save save(handler, path);
    try {
        writer(save.writer_path().c_str());
    } catch (Error_Handler* failed) {
        failed->set_file_name(save.target().c_str());
        throw;
    }
    save.finish();
}

void save_atomically(Error_Handler* handler, const char* path, std::string_view bytes) {
    Save save(handler, path);
    if (const int error = write_all(save.fd(), bytes); error != 0) {
        raise_failure(handler, save.target(), error);
    }
    save.finish();
}

void install_save_signal_handlers() {
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signal_number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
            continue; // e.g. a hang-up ignored by nohup stays ignored
        }
        struct sigaction action {};
        action.sa_handler = remove_temporaries_and_end;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal_number, &action, nullptr);
    }
    // A write past the file size limit then fails with EFBIG, which the save reports.
    ::signal(SIGXFSZ, SIG_IGN);
}

unsigned long replaced_files_flushed() { return replacement_flushes; }
