// Rules the three editors share: the unsaved-changes question, the file-name check, the counting
// of a batch conversion and the report of a failure.
#pragma once

#include "data_findings.h"
#include "message_presenter.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// "File data has changed": "Save changes made to the file %s ?" with the path, or "Save changes
// made to unnamed file ?"; Yes, No and Cancel. Returns ID_YES, ID_NO or ID_CANCEL.
int ask_save_changes(Owner_Window owner, const std::string& path);

// ID_OK when the base name of `path` has at most `max_length` characters. Otherwise shows
// "Filename Error" with the file name above `reason` and returns ID_NO; with `ask_continue`
// the text ends in "Continue?" and the answer (ID_YES or ID_NO) is returned.
int check_file_name(Owner_Window owner, const std::string& path, std::size_t max_length,
                    const char* reason, bool ask_continue);

// The two steps of a batch conversion for one file; both return ID_OK (1) to go on, ID_YES (6)
// to pass the file over, ID_NO (7) to end the batch; the conversion may also return 0 for a file
// it did not convert.
struct Batch_Steps {
    std::function<int(const std::string& path, bool ask_continue)> check_name;
    std::function<int(const std::string& path, bool ask_continue)> convert;
};

// Told before each file of a batch: the file, its place (from 0) and the number of files. False
// ends the batch there, before that file (the user cancelled while the one before ran).
using Batch_Progress =
    std::function<bool(const std::string& path, std::size_t index, std::size_t total)>;

// Runs the steps over `files` in order and returns the number converted: a name check of 7 ends
// the batch and any other answer but 1 passes the file over; a conversion of 7 ends the batch,
// 1 counts, anything else passes the file over. `progress`, when given, is told of each file
// first and may end the batch.
int run_conversion_batch(const std::vector<std::string>& files, bool ask_continue,
                         const Batch_Steps& steps, const Batch_Progress& progress = {});

// "%d files successfully converted".
std::string converted_count_text(int count);
// The icon of that message: information after a selection; after a folder tree, the
// exclamation mark when something was converted, else the stop sign.
unsigned batch_count_icon(int count, bool whole_folder);

// What the files of a conversion batch could not carry into their target format, for the
// details of the batch's final message: a line for each file that lost something,
// "PATH: not kept: A, B; KEYWORD cut to N characters (M lost); KEYWORD rounded to X", followed
// by what reading the file told (texts cut on reading, a file that looks cut short). Texts are
// the files' own and become UTF-8 here.
class Batch_Losses {
public:
    void add(const std::string& path, const Conversion_Losses& losses,
             const std::vector<std::string>& read_warnings = {});
    // The lines, "\r\n" between them; empty when no file lost anything.
    std::string details() const;

private:
    std::vector<std::string> m_lines;
};

// Shows the final message of a batch: converted_count_text with `style`, and the losses as the
// box's details when there are any.
void show_batch_result(Owner_Window owner, const std::string& caption, int count, unsigned style,
                       const Batch_Losses& losses);

// Runs `work`. An Error_Handler* it raises is shown with the handler's message, a
// Data_Syntax_Error* with the syntax error report, any other exception with its text (or, for
// one without a text, a plain one) under "Error"; with `ask_continue` the box asks "Continue?". Returns nullopt when the work succeeded,
// else the answer (ID_OK without the question, ID_YES or ID_NO with it).
std::optional<int> run_and_report(Owner_Window owner, bool ask_continue,
                                  const std::function<void()>& work);
