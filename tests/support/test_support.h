// Helpers shared by the unit tests: a presenter that records message boxes, and scratch folders.
#pragma once

#include "error_handler.h"
#include "message_presenter.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace kelvor_test {

struct Shown_Message {
    std::string caption;
    std::string text;
    unsigned style;
    std::string details; // what the box shows below the text on request
};

// Installed for its lifetime; records every message and answers with `answer` (or with
// the presenter's default question answer when `answer` is 0).
class Recording_Presenter : public Message_Presenter {
public:
    explicit Recording_Presenter(int answer = 0) : m_answer(answer) {
        m_previous = set_message_presenter(this);
    }
    ~Recording_Presenter() override { set_message_presenter(m_previous); }

    int show_message(Owner_Window, const std::string& caption, const std::string& text,
                     unsigned style) override {
        shown.push_back({caption, text, style, {}});
        return m_answer != 0 ? m_answer : cautious_answer(style);
    }
    int show_detailed_message(Owner_Window, const std::string& caption, const std::string& text,
                              const std::string& details, unsigned style) override {
        shown.push_back({caption, text, style, details});
        return m_answer != 0 ? m_answer : cautious_answer(style);
    }

    const Shown_Message& last() const { return shown.back(); }

    std::vector<Shown_Message> shown;

private:
    int m_answer;
    Message_Presenter* m_previous;
};

// The message box `handler` shows now, recorded.
inline Shown_Message shown_by(Error_Handler& handler) {
    Recording_Presenter presenter;
    handler.show_errormsg(nullptr, false);
    return presenter.shown.empty() ? Shown_Message{} : presenter.last();
}

// A scratch folder removed with everything in it at the end of the test.
class Temp_Dir {
public:
    Temp_Dir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelvor-test-XXXXXX");
        m_path = ::mkdtemp(pattern.data());
    }
    ~Temp_Dir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    Temp_Dir(const Temp_Dir&) = delete;
    Temp_Dir& operator=(const Temp_Dir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    // Writes `bytes` to `name` in the folder and returns the file's path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string full = file(name);
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The path of an example file of the distribution, e.g. example_file("radio", "hm6l_16e1q.raf").
inline std::string example_file(const std::string& folder, const std::string& name) {
    return std::string(KELVOR_EXAMPLES_DIR) + "/" + folder + "/" + name;
}

// `text` with each of its line ends (CR LF, or a bare line feed) turned to `end`.
inline std::string with_line_ends(const std::string& text, const std::string& end) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n') {
            out += end;
        } else if (text.compare(at, 2, "\r\n") == 0) {
            out += end;
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

// What a user might type into a form cell: up to 13 characters of numbers, signs, separators,
// quotes, comment marks, letters of both cases, a tab and bytes above 127.
inline std::string random_typed_text(std::mt19937& random) {
    static const std::string alphabet = "0123456789.+-eE ,;:/\"'abcXYZ\t\xe9\xffPDHSYNO";
    std::string typed;
    for (std::size_t length = random() % 14; length > 0; --length) {
        typed += alphabet[random() % alphabet.size()];
    }
    return typed;
}

// Little-endian bytes of a value, and a value read back from bytes at `offset`.
template <typename T>
std::string le_bytes(T value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
template <typename T>
T value_at(const std::string& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}
// Puts `value` at `offset`, growing the image when it is too short.
template <typename T>
void put_at(std::string& image, std::size_t offset, const T& value) {
    if (image.size() < offset + sizeof value) {
        image.resize(offset + sizeof value, '\0');
    }
    std::memcpy(image.data() + offset, &value, sizeof value);
}

// While it exists, files this process writes cannot grow beyond `bytes`: a write past the limit
// fails with EFBIG (its signal ignored) part-way, as on a full disk.
class File_Size_Limit {
public:
    explicit File_Size_Limit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~File_Size_Limit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_old_handler);
    }
    File_Size_Limit(const File_Size_Limit&) = delete;
    File_Size_Limit& operator=(const File_Size_Limit&) = delete;

private:
    struct rlimit m_saved {};
    void (*m_old_handler)(int) = SIG_DFL;
};

} // namespace kelvor_test
