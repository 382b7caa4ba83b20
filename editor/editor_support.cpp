// Rules the editors share.
#include "editor_support.h"

#include "error_handler.h"
#include "file_text.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <cstdio>
#include <exception>
#include <new>

int ask_save_changes(Owner_Window owner, const std::string& path) {
    const std::string text = path.empty() ? std::string("Save changes made to unnamed file ?")
                                          : "Save changes made to the file " + path + " ?";
    return show_message_box(owner, "File data has changed", text,
                            BOX_YES_NO_CANCEL | BOX_ICON_QUESTION);
}

int check_file_name(Owner_Window owner, const std::string& path, std::size_t max_length,
                    const char* reason, bool ask_continue) {
    if (base_name(path.c_str()).size() <= max_length) {
        return ID_OK;
    }
    std::string text = get_filename_c(path.c_str()) + "\r\n" + reason;
    if (ask_continue) {
        text += "\r\nContinue?";
        return show_message_box(owner, "Filename Error", text, BOX_YES_NO | BOX_ICON_QUESTION);
    }
    show_message_box(owner, "Filename Error", text, BOX_OK | BOX_ICON_STOP);
    return ID_NO;
}

int run_conversion_batch(const std::vector<std::string>& files, bool ask_continue,
                         const Batch_Steps& steps, const Batch_Progress& progress) {
    int converted = 0;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const std::string& path = files[index];
        if (progress && !progress(path, index, files.size())) {
            break;
        }
        const int name_check = steps.check_name(path, ask_continue);
        if (name_check == ID_NO) {
            break;
        }
        if (name_check != ID_OK) {
            continue;
        }
        const int result = steps.convert(path, ask_continue);
        if (result == ID_NO) {
            break;
        }
        if (result == ID_OK) {
            ++converted;
        }
    }
    return converted;
}

std::string converted_count_text(int count) {
    char text[64];
    std::snprintf(text, sizeof text, "%d files successfully converted", count);
    return text;
}

unsigned batch_count_icon(int count, bool whole_folder) {
    if (!whole_folder) {
        return BOX_ICON_INFORMATION;
    }
    return count > 0 ? BOX_ICON_EXCLAMATION : BOX_ICON_STOP;
}

void Batch_Losses::add(const std::string& path, const Conversion_Losses& losses,
                       const std::vector<std::string>& read_warnings) {
    std::string lost = not_kept_text(losses.not_kept);
    for (const auto* list : {&losses.texts_cut, &losses.rounded, &read_warnings}) {
        for (const std::string& change : *list) {
            lost += (lost.empty() ? "" : "; ") + change;
        }
    }
    if (!lost.empty()) {
        // The path is already the program's text; the fields are the file's own.
        m_lines.push_back(path + ": " + file_text_to_utf8(lost));
    }
}

std::string Batch_Losses::details() const {
    std::string text;
    for (const std::string& line : m_lines) {
        text += (text.empty() ? "" : "\r\n") + line;
    }
    return text;
}

void show_batch_result(Owner_Window owner, const std::string& caption, int count, unsigned style,
                       const Batch_Losses& losses) {
    show_message_box(owner, caption, converted_count_text(count), style, losses.details());
}

namespace {

int show_failure(Owner_Window owner, bool ask_continue, std::string text) {
    if (ask_continue) {
        text += "\r\nContinue?";
    }
    return show_message_box(owner, "Error", text,
                            ask_continue ? BOX_YES_NO | BOX_ICON_QUESTION
                                         : BOX_OK | BOX_ICON_STOP);
}

} // namespace

std::optional<int> run_and_report(Owner_Window owner, bool ask_continue,
                                  const std::function<void()>& work) {
    try {
        work();
        return std::nullopt;
    } catch (Error_Handler* handler) {
        return handler->show_errormsg(owner, ask_continue);
    } catch (Data_Syntax_Error* error) {
        return show_syntax_error(*error, ask_continue);
    } catch (const std::bad_alloc&) {
        return show_failure(owner, ask_continue, "There is not enough memory to finish this.");
    } catch (const std::exception& error) {
        return show_failure(owner, ask_continue, error.what());
    } catch (...) {
        return show_failure(owner, ask_continue, "An unexpected failure stopped this.");
    }
}
