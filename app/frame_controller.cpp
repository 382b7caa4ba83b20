// The main frame's rules.
#include "frame_controller.h"

#include "command_ids.h"
#include "mode_editor.h"
#include "help_guide.h"
#include "mode_menus.h"
#include "message_presenter.h"

#include <filesystem>
#include <system_error>

Frame_Controller::Frame_Controller(Frame_Host& host, std::string help_base)
    : m_host(host), m_help_base(std::move(help_base)) {}

Frame_Controller::~Frame_Controller() = default;

Mode_Editor*& Frame_Controller::slot(Equipment_Mode mode) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return m_v4;
    case Equipment_Mode::antenna:
        return m_antenna;
    case Equipment_Mode::radio_v5:
        break;
    }
    return m_v5;
}

Mode_Editor* Frame_Controller::editor(Equipment_Mode mode) const {
    return const_cast<Frame_Controller*>(this)->slot(mode);
}

Mode_Editor* Frame_Controller::editor() const { return editor(m_mode); }

void Frame_Controller::start(const std::string& startup_path) {
    const Startup_Choice choice = startup_choice(startup_path);
    switch_mode(choice.mode);
    if (choice.open_file && editor() != nullptr) {
        editor()->open_file(startup_path);
    }
}

bool Frame_Controller::switch_mode(Equipment_Mode mode) {
    if (editor(mode) != nullptr) {
        return false;
    }
    for (const Equipment_Mode other : query_close_order(mode)) {
        Mode_Editor* existing = editor(other);
        if (existing != nullptr && !existing->query_close()) {
            return false;
        }
    }
    m_host.install_menu(mode);
    Mode_Editor* created = m_host.create_editor(mode);
    slot(mode) = created;
    for (const Equipment_Mode other : query_close_order(mode)) {
        Mode_Editor*& existing = slot(other);
        if (existing != nullptr) {
            m_host.destroy_editor(existing);
            existing = nullptr;
        }
    }
    m_mode = mode;
    m_host.recent_files_changed();
    m_host.update_menu_state(mode, *created);
    m_host.show_editor(created);
    m_host.set_title(mode_info(mode).title);
    return true;
}

bool Frame_Controller::route_command(int id) {
    for (const Equipment_Mode mode :
         {Equipment_Mode::radio_v5, Equipment_Mode::radio_v4, Equipment_Mode::antenna}) {
        Mode_Editor* target = editor(mode);
        if (target != nullptr && target->handle_command(id)) {
            return true;
        }
    }
    Equipment_Mode mode{};
    if (mode_of_switch_command(id, mode)) {
        switch_mode(mode);
        return true;
    }
    switch (id) {
    case ID_HELP_RADIO:
        if (m_mode == Equipment_Mode::antenna) {
            return false;
        }
        m_host.open_url(help_address());
        return true;
    case ID_HELP_ANTENNA:
        m_host.open_url(help_address());
        return true;
    case ID_ABOUT:
        m_host.show_about();
        return true;
    case ID_CHECK_UPDATES:
        m_host.check_for_updates();
        return true;
    case ID_APP_EXIT:
        m_host.close_window();
        return true;
    default:
        return false;
    }
}

bool Frame_Controller::close_requested() {
    m_host.store_placement();
    Mode_Editor* current = editor();
    return current == nullptr || current->query_close();
}

void Frame_Controller::set_title_path(const std::string& path) {
    m_host.set_title(mode_title(m_mode, path));
    if (path.empty()) {
        return;
    }
    Recent_Files files = load_recent_files(m_mode);
    const std::vector<std::string> before = files.paths();
    files.add(path);
    if (files.paths() != before) {
        store_recent_files(m_mode, files);
        m_host.recent_files_changed();
    }
}

bool Frame_Controller::open_path(const std::string& path) {
    const Startup_Choice choice = startup_choice(path);
    if (!choice.open_file) {
        return false;
    }
    if (Mode_Editor* existing = editor(choice.mode)) {
        if (choice.mode != m_mode || !existing->query_close()) {
            return false;
        }
    } else if (!switch_mode(choice.mode)) {
        return false;
    }
    return editor()->open_file(path);
}

std::string Frame_Controller::open_dropped(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return {};
    }
    const std::string& first = paths.front();
    const std::string name = std::filesystem::path(first).filename().string();
    std::error_code error;
    if (std::filesystem::is_directory(first, error)) {
        return "A folder is not opened: drop a data file.";
    }
    if (!startup_choice(first).open_file) {
        return name + " is not a radio or antenna data file.";
    }
    if (!open_path(first) || paths.size() == 1) {
        return {};
    }
    const std::size_t others = paths.size() - 1;
    return "Opened " + name + "; one file opens at a time, " + std::to_string(others) +
           (others == 1 ? " other dropped file was" : " other dropped files were") +
           " not opened.";
}

Recent_Files Frame_Controller::recent_files() const { return load_recent_files(m_mode); }

bool Frame_Controller::open_recent(std::size_t index) {
    Recent_Files files = load_recent_files(m_mode);
    if (index >= files.paths().size() || editor() == nullptr) {
        return false;
    }
    const std::string path = files.paths()[index];
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        files.remove(path);
        store_recent_files(m_mode, files);
        m_host.recent_files_changed();
        show_message_box(nullptr, "Kelvor",
                         "The file " + path +
                             " no longer exists. It was removed from the recent files.",
                         BOX_OK | BOX_ICON_EXCLAMATION);
        return false;
    }
    return editor()->query_close() && editor()->open_file(path);
}

std::string Frame_Controller::help_address() const {
    return ::help_address(m_help_base, mode_info(m_mode).help_page);
}

void Frame_Controller::destroy_editors() {
    for (Mode_Editor** editor_slot : {&m_v5, &m_v4, &m_antenna}) {
        if (*editor_slot != nullptr) {
            m_host.destroy_editor(*editor_slot);
            *editor_slot = nullptr;
        }
    }
}
