// Frame_Controller: the main frame's rules without its window: the mode switch, the start-up
// choice, command routing, help, the title and the orderly close.
#pragma once

#include "equipment_modes.h"
#include "recent_files.h"

#include <cstddef>
#include <string>
#include <vector>

class Mode_Editor;

// What the controller needs from the window that hosts it.
class Frame_Host {
public:
    virtual ~Frame_Host() = default;
    // Creates the editor of `mode` as the frame's child; never null.
    virtual Mode_Editor* create_editor(Equipment_Mode mode) = 0;
    virtual void destroy_editor(Mode_Editor* editor) = 0;
    // Replaces the menu bar by the menu of `mode`.
    virtual void install_menu(Equipment_Mode mode) = 0;
    // Lays the editor out over the client area and gives it the focus.
    virtual void show_editor(Mode_Editor* editor) = 0;
    // Sets the check marks of the Equipment Type menu and which commands are available.
    virtual void update_menu_state(Equipment_Mode mode, const Mode_Editor& editor) = 0;
    virtual void set_title(const std::string& title) = 0;
    // Hands `address` to the desktop's browser; failures are not reported.
    virtual void open_url(const std::string& address) = 0;
    virtual void show_about() = 0;
    virtual void check_for_updates() = 0;
    // Asks the window to close (which comes back through close_requested).
    virtual void close_window() = 0;
    // Stores the window's placement.
    virtual void store_placement() = 0;
    // The recent files of the current mode may have changed.
    virtual void recent_files_changed() {}
};

class Frame_Controller {
public:
    Frame_Controller(Frame_Host& host, std::string help_base);
    ~Frame_Controller();
    Frame_Controller(const Frame_Controller&) = delete;
    Frame_Controller& operator=(const Frame_Controller&) = delete;

    // Opens the start-up mode and, for a data file's extension, the file (startup_choice).
    void start(const std::string& startup_path);

    // Switches to `mode`: nothing when it is the current mode; otherwise asks the other editors
    // to resolve unsaved changes in the mode's order and stops, changing nothing, when one is
    // cancelled; then installs the menu, creates the editor, destroys the others and sets the
    // title. True when the mode changed.
    bool switch_mode(Equipment_Mode mode);

    // Routes a menu command: to the editors (version 5, version 4, antenna, each that exists)
    // until one handles it, then to the frame's own commands. True when something handled it.
    bool route_command(int id);

    // The close request of the window: stores the placement (also when the close is then
    // cancelled), then asks the editor to resolve unsaved changes. True when the window may close.
    bool close_requested();

    // The title message: the mode's title with the file name of `path`, or alone for empty. A
    // named file goes to the top of the mode's recent files.
    void set_title_path(const std::string& path);

    // Opens `path` as the command line does: the mode its extension names, the unsaved changes
    // of the editors resolved first. False, changing nothing, for a file of no data extension or
    // a cancelled question; false too when the editor could not read it (the editor said why).
    bool open_path(const std::string& path);

    // Opens the first of the dropped `paths` (open_path) and returns what the status bar says
    // about the drop: why nothing opened (a folder, not a data file), or that the other dropped
    // files were not opened; empty otherwise.
    std::string open_dropped(const std::vector<std::string>& paths);

    // The recent files of the current mode, newest first.
    Recent_Files recent_files() const;
    // Opens recent file `index` of the current mode in that mode, the unsaved changes resolved
    // first. A file that no longer exists is taken off the list with a message; false then, and
    // for an index beyond the list.
    bool open_recent(std::size_t index);

    // The address the help command of the current mode opens: the web-help page when a base
    // address is configured, else the shipped guide's page.
    std::string help_address() const;

    bool has_editor() const { return editor() != nullptr; }
    Equipment_Mode current_mode() const { return m_mode; }
    Mode_Editor* editor() const;
    Mode_Editor* editor(Equipment_Mode mode) const;

    // Destroys every editor (the frame's end).
    void destroy_editors();

private:
    Mode_Editor*& slot(Equipment_Mode mode);

    Frame_Host& m_host;
    std::string m_help_base;
    Equipment_Mode m_mode = Equipment_Mode::radio_v5;
    Mode_Editor* m_v5 = nullptr;
    Mode_Editor* m_v4 = nullptr;
    Mode_Editor* m_antenna = nullptr;
};
