// V4_Radio_Document: the version 4 radio editor without its window: the record, its file and
// every file command of the version 4 mode.
#pragma once

#include "error_handler.h"
#include "file_document.h"

#include <memory>
#include <string>

struct Radio4_Record;

class V4_Radio_Document : public File_Document {
    Q_OBJECT

public:
    explicit V4_Radio_Document(Owner_Window owner, QObject* parent = nullptr);
    ~V4_Radio_Document() override;

    Radio4_Record& record() { return *m_record; }
    const Radio4_Record& record() const { return *m_record; }
    // The file name without folder and extension, at most 15 characters.
    const std::string& file_code() const { return m_file_code; }

    // ASCII to .mrs for a selection or a folder tree; afterwards the record is empty and
    // unnamed.
    void convert_selected();
    void convert_folder();

protected:
    void reset_record() override;
    // Opens `path` by its first bytes: version 5 ASCII files of versions 01 to 03 and version 5
    // binary files (locked ones refused) converted to version 4, the version 4 files as they are.
    // A name over 15 characters or a file of no known kind opens nothing.
    Read_Result read_path(const std::string& path, std::string& named) override;
    // A failed ASCII save shows "File error" with the file's name; a failed binary save the
    // writer's own message.
    void write_path(const std::string& path, Format format, Error_Handler* handler) override;
    int check_name(const std::string& path, bool ask_continue) override;
    // The binary save leaves the modified flag as it was.
    Save_Format save_format(Format format) const override;
    bool is_binary_path(const std::string& path) const override;
    std::string open_title() const override;
    std::vector<File_Filter> open_filters() const override;
    // Both saves always show their dialog, and write under the name chosen there.
    bool saves_always_ask() const override { return true; }
    bool keeps_chosen_extension() const override { return true; }
    bool handle_own_command(int id) override;
    void path_changed(const std::string& path) override;

private:
    void convert_to_mrs(const std::vector<std::string>& files, bool whole_folder);

    std::unique_ptr<Radio4_Record> m_record;
    std::string m_file_code;
    Error_Handler m_save_failure;
};
