// qvfileio over POSIX file descriptors.
#include "qvfileio.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "text_helpers.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t max_position = 0xFFFFFFFFLL;

// Raises `handler` for a file of `mode` that is neither a regular file nor a folder.
[[noreturn]] void refuse_special_file(Error_Handler* handler, mode_t mode) {
    handler->set_last_error_code(0);
    handler->set_error_code(0);
    handler->set_info_buff(not_regular_file_text(mode, "read").c_str());
    throw handler;
}

} // namespace

std::string not_regular_file_text(unsigned mode, const char* done) {
    const char* kind = S_ISFIFO(mode)   ? "a named pipe"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    return std::string("Not a regular file: this is ") + kind + ", and only regular files are " +
           done;
}

qvfileio::qvfileio(Error_Handler* handler, const char* file_name, unsigned long access,
                   unsigned long share, const char* directory)
    : m_handler(handler) {
    const char* name = file_name ? file_name : "";
    m_handler->init_fileio(name);

    std::string path = name;
    if (directory != nullptr && directory[0] != '\0') {
        path = std::string(directory) + "/" + get_filename(name);
    }

    int flags = O_CLOEXEC;
    bool truncate = false;
    bool shared = false;
    // A file read where it is must be a regular one. It is opened without waiting: opening a
    // named pipe for reading would otherwise wait for a writer that may never come.
    bool read_in_place = false;
    if (access == QV_GENERIC_READ_WRITE) {
        flags |= O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY;
        read_in_place = true;
    } else if ((access & QV_GENERIC_WRITE) != 0) {
        flags |= ((access & QV_GENERIC_READ) != 0 ? O_RDWR : O_WRONLY) | O_CREAT;
        truncate = true;
    } else {
        flags |= O_RDONLY | O_NONBLOCK | O_NOCTTY;
        read_in_place = true;
        shared = (share & QV_SHARE_READ) != 0;
    }

    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        const int system_error = errno;
        // A socket cannot be opened at all; say what it is rather than "No such device".
        struct stat info {};
        if (system_error == ENXIO && ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
            refuse_special_file(m_handler, info.st_mode);
        }
        raise_system_error(system_error);
    }
    m_fd = fd;

    // The destructor does not run for a constructor that raises: close here.
    const auto fail = [this](int system_error) {
        ::close(m_fd);
        m_fd = -1;
        raise_system_error(system_error);
    };
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        fail(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        fail(EISDIR);
    }
    if (read_in_place) {
        if (!S_ISREG(info.st_mode)) {
            ::close(m_fd);
            m_fd = -1;
            refuse_special_file(m_handler, info.st_mode);
        }
        // Reads from here on wait for their bytes as usual.
        const int status = ::fcntl(m_fd, F_GETFL);
        if (status < 0 || ::fcntl(m_fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
            fail(errno);
        }
    }
    // Taken before emptying, so that a file another opener holds is never cut.
    if (S_ISREG(info.st_mode) && ::flock(m_fd, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
        fail(errno == EWOULDBLOCK ? EBUSY : errno);
    }
    if (truncate && S_ISREG(info.st_mode) && ::ftruncate(m_fd, 0) != 0) {
        fail(errno);
    }
}

qvfileio::~qvfileio() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void qvfileio::raise_system_error(int system_error) {
    m_handler->set_last_error_code(static_cast<unsigned long>(system_error));
    throw m_handler;
}

unsigned long qvfileio::read_some(char* buffer, unsigned long count) {
    unsigned long done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_fd, buffer + done, count - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            raise_system_error(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<unsigned long>(got);
    }
    return done;
}

void qvfileio::read(char* buffer, unsigned count) {
    if (read_some(buffer, count) != count) {
        m_handler->set_last_error_code(0);
        m_handler->set_error_code(MSG_READ_ERROR_AT_EOF);
        throw m_handler;
    }
}

uint32_t qvfileio::bytes_left() {
    const uint32_t position = get_position();
    const uint32_t size = get_file_size();
    return position < size ? size - position : 0;
}

void qvfileio::read_aligned(char* buffer, unsigned long buffer_size, unsigned long stored_size) {
    if (stored_size > bytes_left()) {
        m_handler->set_last_error_code(0);
        throw_error_code(MSG_READ_ERROR_AT_EOF);
    }
    if (buffer_size < stored_size) {
        read(buffer, static_cast<unsigned>(buffer_size));
        move_ptr(static_cast<long>(stored_size - buffer_size), QV_FILE_CURRENT);
    } else {
        read(buffer, static_cast<unsigned>(stored_size));
    }
}

bool qvfileio::read_nothrow_eof(char* buffer, unsigned long count) {
    return read_some(buffer, count) == count;
}

void qvfileio::write(const char* buffer, unsigned count) {
    unsigned long done = 0;
    while (done < count) {
        const ssize_t put = ::write(m_fd, buffer + done, count - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            raise_system_error(errno);
        }
        if (put == 0) {
            m_handler->set_last_error_code(0);
            m_handler->set_error_code(MSG_INSUFFICIENT_DISK_SPACE);
            throw m_handler;
        }
        done += static_cast<unsigned long>(put);
    }
}

void qvfileio::move_ptr(long distance, unsigned long origin) {
    const int whence = origin == QV_FILE_BEGIN     ? SEEK_SET
                       : origin == QV_FILE_CURRENT ? SEEK_CUR
                       : origin == QV_FILE_END     ? SEEK_END
                                                   : -1;
    // Distances are signed 32-bit and positions 32-bit, whatever width long has here.
    if (whence < 0 || distance != static_cast<int32_t>(distance)) {
        raise_system_error(EINVAL);
    }
    const off_t base = whence == SEEK_SET ? 0
                       : whence == SEEK_CUR ? ::lseek(m_fd, 0, SEEK_CUR)
                                            : static_cast<off_t>(get_file_size());
    if (base < 0) {
        raise_system_error(errno);
    }
    const off_t target = base + distance;
    if (target < 0 || target > max_position) {
        raise_system_error(EINVAL);
    }
    if (::lseek(m_fd, target, SEEK_SET) < 0) {
        raise_system_error(errno);
    }
}

uint32_t qvfileio::get_position() {
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (position < 0) {
        raise_system_error(errno);
    }
    if (position > max_position) {
        raise_system_error(EOVERFLOW);
    }
    return static_cast<uint32_t>(position);
}

uint32_t qvfileio::get_file_size() {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        raise_system_error(errno);
    }
    if (info.st_size > max_position) {
        raise_system_error(EFBIG);
    }
    return static_cast<uint32_t>(info.st_size);
}

uint32_t qvfileio::get_file_size_within(uint32_t limit, const char* kind) {
    const uint32_t size = get_file_size();
    if (size > limit) {
        const std::string text = "File too large: " + std::to_string(size) + " bytes, where a " +
                                 kind + " holds at most " + std::to_string(limit >> 20) + " MB";
        m_handler->set_last_error_code(0);
        m_handler->set_error_code(0);
        m_handler->set_info_buff(text.c_str());
        throw m_handler;
    }
    return size;
}

void qvfileio::set_endof_file() {
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (position >= 0) {
        [[maybe_unused]] const int result = ::ftruncate(m_fd, position);
    }
}

void qvfileio::throw_error_code(int code) {
    m_handler->set_error_code(code);
    throw m_handler;
}

std::string read_data_file(
    Error_Handler* handler, const char* path, Data_File_Limit limit, std::size_t head_size,
    const std::function<Data_File_Limit(std::string_view head)>& limit_after_head,
    unsigned long share) {
    qvfileio file(handler, path, QV_GENERIC_READ, share);
    const uint32_t size = file.get_file_size_within(limit.bytes, limit.kind);
    // The head is read on its own, so that nothing is sized by a file its head refuses.
    std::string bytes(std::min<std::size_t>(head_size, size), '\0');
    file.read(bytes.data(), static_cast<unsigned>(bytes.size()));
    if (limit_after_head) {
        const Data_File_Limit then = limit_after_head(bytes);
        file.get_file_size_within(then.bytes, then.kind);
    }
    const std::size_t head = bytes.size();
    bytes.resize(size);
    file.read(bytes.data() + head, static_cast<unsigned>(size - head));
    return bytes;
}
