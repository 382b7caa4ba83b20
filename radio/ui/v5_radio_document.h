// V5_Radio_Document: the version 5 radio editor without its window: the record, its file and
// every file command of the version 5 mode.
#pragma once

#include "file_document.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

struct Radio_Record;

// The lock option of binary radio files: off when the program starts, never remembered.
bool rsd_lock_option();
void set_rsd_lock_option(bool locked);

// The texts of the rsd save dialog's notice while the lock option is on.
inline constexpr const char* RSD_LOCK_NOTICE =
    "The binary rsd file lock option is ON.\nBinary rsd radio data files created with this "
    "option set, cannot be edited. Any changes required must be carried out with the "
    "corresponding ASCII raf file.";

class V5_Radio_Document : public File_Document {
    Q_OBJECT

public:
    explicit V5_Radio_Document(Owner_Window owner, QObject* parent = nullptr);
    ~V5_Radio_Document() override;

    Radio_Record& record() { return *m_record; }
    const Radio_Record& record() const { return *m_record; }

    // The lock dialog; OK stores its check box as the lock option.
    void lock_command();

    // The conversions (ASCII to .rsd for a selection or a folder tree; version 4 ASCII to
    // version 5 ASCII). Each runs the unsaved-changes check first; after a conversion the record
    // is empty and unnamed.
    void convert_selected();
    void convert_folder();
    void convert_v4_to_v5();

    // Shows the lock dialog with its check box at `current`; the new state, or nullopt for
    // Cancel. The view sets it; without it the option cannot change.
    std::function<std::optional<bool>(bool current)> lock_dialog;

protected:
    void reset_record() override;
    // Opens `path` by its first bytes: version 5 ASCII or binary (a locked file is refused),
    // version 4 binary or ASCII converted to version 5. The radio code becomes the file name.
    // A name over 47 characters or a file of no known kind opens nothing.
    Read_Result read_path(const std::string& path, std::string& named) override;
    void write_path(const std::string& path, Format format, Error_Handler* handler) override;
    void name_record(const std::string& path) override;
    int check_name(const std::string& path, bool ask_continue) override;
    Save_Format save_format(Format format) const override;
    bool is_binary_path(const std::string& path) const override;
    std::string open_title() const override;
    std::vector<File_Filter> open_filters() const override;
    std::string save_notice(Format format) const override;
    bool remembers_opened_folder() const override { return false; }
    bool handle_own_command(int id) override;

private:
    // Converts `files` (a selection, or those of a folder tree) to .rsd beside each and says
    // how many were converted; then the record is empty and unnamed.
    void convert_to_rsd(const std::vector<std::string>& files, bool whole_folder);

    std::unique_ptr<Radio_Record> m_record;
};
