// V4_Radio_Document: the version 4 radio editor without its window: the record, its file and
// every file command of the version 4 mode.
#pragma once

#include "message_presenter.h"
#include "mode_editor.h"

#include <functional>
#include <memory>
#include <string>

struct Radio4_Record;

class V4_Radio_Document {
public:
    V4_Radio_Document(Owner_Window owner, Title_Sink title_sink);
    ~V4_Radio_Document();
    V4_Radio_Document(const V4_Radio_Document&) = delete;
    V4_Radio_Document& operator=(const V4_Radio_Document&) = delete;

    Radio4_Record& record() { return *m_record; }
    const Radio4_Record& record() const { return *m_record; }
    const std::string& path() const { return m_path; }
    // The file name without folder and extension, at most 15 characters.
    const std::string& file_code() const { return m_file_code; }
    bool modified() const { return m_modified; }
    void set_modified(bool modified) { m_modified = modified; }

    // Carries out a command of the version 4 menu; false for any other command.
    bool handle_command(int id);

    void new_file();
    void open_command();
    // Opens `path` by its first bytes: version 5 ASCII files of versions 01 to 03 and version 5
    // binary files (locked ones refused) converted to version 4, the version 4 files as they are.
    // A name over 15 characters or a file of no known kind opens nothing; after a failed read the
    // record is empty and unnamed. True when read.
    bool open_path(const std::string& path);

    // Both saves always show their dialog. True when written. The ASCII save clears the
    // modified flag; the binary save leaves it as it is.
    bool save_ascii();
    bool save_binary();

    // ASCII to .mrs for a selection or a folder tree; afterwards the record is empty and
    // unnamed.
    void convert_selected();
    void convert_folder();

    // As the version 5 editor's: Yes saves as binary when the path ends in ".mrs" or ".rsd",
    // else as ASCII, and the command goes on only when that save happened.
    bool query_close();

    std::function<void()> changed;

private:
    void make_unnamed();
    void notify();

    Owner_Window m_owner;
    Title_Sink m_title_sink;
    std::unique_ptr<Radio4_Record> m_record;
    std::string m_path;
    std::string m_file_code;
    bool m_modified = false;
};
