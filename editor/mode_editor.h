// The contract between the main frame and the editor of an equipment mode.
#pragma once

#include <functional>
#include <string>

class Mode_Editor {
public:
    virtual ~Mode_Editor() = default;

    // Carries out command `id` when it is one of the editor's and returns true; false leaves
    // the command to the frame.
    virtual bool handle_command(int id) = 0;

    // False for a command of the mode's menu that this editor cannot carry out now (one not
    // built yet, or Undo with nothing to undo), which the frame then shows disabled; true for
    // every other command, the frame's own included.
    virtual bool command_available(int id) const = 0;

    // Resolves unsaved changes (asking the user); false when the user cancels.
    virtual bool query_close() = 0;

    // Opens the file at `path`; true when it was read.
    virtual bool open_file(const std::string& path) = 0;
};

// How an editor tells the frame what it shows.
struct Editor_Sinks {
    // The path of the editor's file whenever the title changes; empty for an unnamed record.
    std::function<void(const std::string& path)> title;
    // Called when command_available may answer otherwise than before.
    std::function<void()> commands_changed;
};
