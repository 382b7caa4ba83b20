// Antenna_Document: the antenna editor without its window: the record, its file and every file
// command of the antenna mode.
#pragma once

#include "antenna_conversion.h"
#include "file_document.h"

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

class Antenna_Document : public File_Document {
    Q_OBJECT

public:
    explicit Antenna_Document(Owner_Window owner, QObject* parent = nullptr);
    ~Antenna_Document() override;

    Antenna_Record& record() { return *m_record; }
    const Antenna_Record& record() const { return *m_record; }

    // The conversions of a selection or a folder tree to .asd or .mas; afterwards the record is
    // empty and unnamed.
    void convert_selected(Antenna_Target target);
    void convert_folder(Antenna_Target target);

    // The technology question of the conversion to .asd (the view shows its dialog).
    Technology_Asker technology_dialog;

protected:
    void reset_record() override;
    // Opens `path` (binary files by their extension, .msi pairs, NSMA text otherwise); an .msi
    // file of a pair is named after its companion, as its record is. A name over 47 characters
    // opens nothing; a file error leaves an empty, unnamed record; a syntax
    // error leaves what was read, unnamed.
    Read_Result read_path(const std::string& path, std::string& named) override;
    void write_path(const std::string& path, Format format, Error_Handler* handler) override;
    // The record's file name becomes the file's, unless it differs only in case.
    void name_record(const std::string& path) override;
    int check_name(const std::string& path, bool ask_continue) override;
    Save_Format save_format(Format format) const override;
    bool is_binary_path(const std::string& path) const override;
    std::string open_title() const override;
    std::vector<File_Filter> open_filters() const override;
    bool handle_own_command(int id) override;

private:
    void convert(Antenna_Target target, const std::vector<std::string>& files, bool whole_folder);

    std::unique_ptr<Antenna_Record> m_record;
};
