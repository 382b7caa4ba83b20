// CMainFrame: the program's only top-level window, hosting the editor of the equipment mode.
#pragma once

#include "frame_controller.h"
#include "frame_window_size.h"
#include "mode_editor.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;

// Makes the editor of a mode for `parent`; the editor is a QWidget, which the frame then keeps
// as a child of its own.
using Editor_Factory = std::function<std::unique_ptr<Mode_Editor>(
    Equipment_Mode mode, QWidget* parent, Editor_Sinks sinks)>;

class CMainFrame : public QMainWindow, private Frame_Host {
    Q_OBJECT

public:
    // Reads the stored placement (key "WNDSZE_KELVOR_MAIN", default rectangle of choice 2) and
    // places the window there; nothing is shown and no mode is open until start.
    CMainFrame(Editor_Factory factory, const std::string& help_base, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Shows the window as placed: maximised when the stored flag says so.
    void show_placed();

    // Opens the start-up mode and the command-line file (empty for none).
    void start(const std::string& startup_path);

    Frame_Controller& controller() { return m_controller; }
    // The action of a command in the present menu, or null.
    QAction* action(int id) const;
    // The placement read at construction.
    const frame_window_size& placement() const { return m_placement; }

    // Replaces the way help addresses reach the browser (tests record them instead).
    void set_url_opener(std::function<void(const std::string&)> opener);

    // Carries out a menu command. A failure that nothing below reported (no memory, a failing
    // file system) is shown in a message box; the program and the record stay as they are.
    void run_command(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window open as the command line opens them (Frame_Controller::
    // open_dropped); what the drop did not open is said in the status bar.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    Mode_Editor* create_editor(Equipment_Mode mode) override;
    void destroy_editor(Mode_Editor* editor) override;
    void install_menu(Equipment_Mode mode) override;
    void show_editor(Mode_Editor* editor) override;
    void update_menu_state(Equipment_Mode mode, const Mode_Editor& editor) override;
    void set_title(const std::string& title) override;
    void open_url(const std::string& address) override;
    void show_about() override;
    void check_for_updates() override;
    void close_window() override;
    void store_placement() override;
    void recent_files_changed() override;
    // Lists the current mode's recent files in Files > Recent Files; the newest reopens with
    // Ctrl+Shift+T.
    void fill_recent_menu();
    // Checks the item of the current mode in the Equipment Type menu, and only that one.
    void check_current_mode();
    // Enables the commands of the present menu as the current editor says.
    void refresh_commands();

    Editor_Factory m_factory;
    Frame_Controller m_controller;
    frame_window_size m_placement;
    QStackedWidget* m_stack;
    QLabel* m_mode_label;
    std::map<int, QAction*> m_actions;
    QMenu* m_recent_menu = nullptr;
    std::function<void(const std::string&)> m_url_opener;
};
