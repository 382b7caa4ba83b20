// Antenna_Document: the antenna editor without its window: the record, its file and every file
// command of the antenna mode.
#pragma once

#include "antenna_conversion.h"
#include "message_presenter.h"
#include "mode_editor.h"

#include <functional>
#include <memory>
#include <string>

class Antenna_Record;

// The technology answers of the conversions to .asd, kept for the whole run of the program.
Technology_Answers& technology_answers();

inline constexpr const char* OPEN_ANTENNA_TITLE = "Open Antenna Data File";
inline constexpr const char* CONVERT_ANTENNA_TITLE =
    "Convert ASCII Antenna Files to asd Binary Format";
inline constexpr const char* ASCII_ANTENNA_FILTER =
    "ASCII Antenna Files|*.adf;*.dat|All Files|*.*||";
inline constexpr const char* ANTENNA_TOP_FOLDER_TITLE = "Select Top Folder to Start Conversion";

class Antenna_Document {
public:
    Antenna_Document(Owner_Window owner, Title_Sink title_sink);
    ~Antenna_Document();
    Antenna_Document(const Antenna_Document&) = delete;
    Antenna_Document& operator=(const Antenna_Document&) = delete;

    Antenna_Record& record() { return *m_record; }
    const Antenna_Record& record() const { return *m_record; }
    const std::string& path() const { return m_path; }
    // The record's data_changed flag.
    bool modified() const;
    void set_modified(bool modified);

    // Carries out a command of the antenna menu; false for any other command.
    bool handle_command(int id);

    void new_file();
    void open_command();
    // Opens `path` (binary files by their extension, .msi pairs, NSMA text otherwise) and
    // remembers its folder. A file error is shown and leaves an empty, unnamed record; a syntax
    // error is shown and leaves what was read, unnamed. True when read.
    bool open_path(const std::string& path);

    // Save ASCII / Save Binary under the current path with the extension "adf" or "asd", or
    // through Save As for an unnamed record; the Save As commands. True when written.
    bool save_ascii();
    bool save_binary();
    bool save_as_ascii();
    bool save_as_binary();

    // The conversions of a selection or a folder tree to .asd or .mas; afterwards the record is
    // empty and unnamed.
    void convert_selected(Antenna_Target target);
    void convert_folder(Antenna_Target target);

    // The save-changes check: true when there are no changes, the user answers No, or the record
    // was saved after Yes; false after Cancel or when that save did not happen.
    bool query_close();

    // The technology question of the conversion to .asd (the view shows its dialog).
    Technology_Asker technology_dialog;
    std::function<void()> changed;

private:
    enum class Format { ascii, binary };
    bool save(Format format);
    bool save_as(Format format);
    bool save_to(const std::string& chosen_path, Format format);
    void make_unnamed();
    void notify();

    Owner_Window m_owner;
    Title_Sink m_title_sink;
    std::unique_ptr<Antenna_Record> m_record;
    std::string m_path;
};
