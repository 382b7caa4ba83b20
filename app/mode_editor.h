// The contract between the main frame and the editor of an equipment mode.
#pragma once

#include "equipment_modes.h"

#include <functional>
#include <string>

class Mode_Editor {
public:
    virtual ~Mode_Editor() = default;

    virtual Equipment_Mode mode() const = 0;

    // Carries out command `id` when it is one of the editor's and returns true; false leaves
    // the command to the frame.
    virtual bool handle_command(int id) = 0;

    // False for a command of the mode's menu that this editor cannot carry out yet, which the
    // frame then shows disabled; true for every other command, the frame's own included.
    virtual bool command_available(int id) const = 0;

    // Resolves unsaved changes (asking the user); false when the user cancels.
    virtual bool query_close() = 0;

    // Opens the file at `path`; true when it was read.
    virtual bool open_file(const std::string& path) = 0;
};

// How an editor asks the frame to show its title: with the path of its file, or an empty path
// for an unnamed record.
using Title_Sink = std::function<void(const std::string& path)>;
