// The main frame window.
#include "main_frame.h"

#include "about_kelvor_dlg.h"
#include "check_version_dlg.h"
#include "command_ids.h"
#include "editor_support.h"
#include "help_guide.h"
#include "mode_menus.h"
#include "qv5_extn.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QUrl>

namespace {

QWidget* widget_of(Mode_Editor* editor) { return dynamic_cast<QWidget*>(editor); }

// The local files among the dragged URLs, in the file system's encoding.
std::vector<std::string> dropped_paths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    return paths;
}

// Device pixels per logical pixel of the primary screen (1 without a screen).
double screen_pixel_ratio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

const char* mode_status_text(Equipment_Mode mode) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return "Radio data files, version 4";
    case Equipment_Mode::antenna:
        return "Antenna data files";
    case Equipment_Mode::radio_v5:
        break;
    }
    return "Radio data files, version 5";
}

} // namespace

// The program's icon lives in this static library; its resources are registered explicitly.
static void init_kelvor_resources() { Q_INIT_RESOURCE(kelvor); }

CMainFrame::CMainFrame(Editor_Factory factory, const std::string& help_base, QWidget* parent)
    : QMainWindow(parent), m_factory(std::move(factory)), m_controller(*this, help_base),
      m_stack(new QStackedWidget(this)), m_mode_label(new QLabel(this)) {
    init_kelvor_resources();
    init_qv5_extn_help_path(help_base.c_str());
    setCentralWidget(m_stack);
    setAcceptDrops(true);
    statusBar()->addPermanentWidget(m_mode_label);
    statusBar()->showMessage(QStringLiteral("Ready"));
    setWindowIcon(QIcon(QStringLiteral(":/kelvor/kelvor.svg")));
    m_url_opener = [](const std::string& address) { open_help_address(address); };

    // The stored rectangle is in device pixels, so a start at another scale factor keeps the
    // window's size on screen.
    const double ratio = screen_pixel_ratio();
    getdefault_framewindowsize(IDS_WNDSZE_KELVOR_MAIN, &m_placement, DWS_MAIN_FRAME,
                               scaled_screen_sizes(current_screen_sizes(), ratio));
    const frame_window_size logical = scaled_window_rect(m_placement, 1.0 / ratio);
    move(logical.left, logical.top);
    resize(logical.width, logical.height);

    // F10 opens the menu bar at its first menu, as desktop programs do.
    auto* open_menu_bar = new QShortcut(QKeySequence(Qt::Key_F10), this);
    open_menu_bar->setContext(Qt::WindowShortcut);
    connect(open_menu_bar, &QShortcut::activated, this, [this] {
        const QList<QAction*> menus = menuBar()->actions();
        if (!menus.isEmpty()) {
            menuBar()->setFocus(Qt::ShortcutFocusReason);
            menuBar()->setActiveAction(menus.first());
        }
    });
}

CMainFrame::~CMainFrame() { m_controller.destroy_editors(); }

void CMainFrame::show_placed() {
    if (m_placement.maximised) {
        showMaximized();
    } else {
        show();
    }
}

void CMainFrame::start(const std::string& startup_path) {
    run_and_report(this, false, [&] { m_controller.start(startup_path); });
}

QAction* CMainFrame::action(int id) const {
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

void CMainFrame::set_url_opener(std::function<void(const std::string&)> opener) {
    m_url_opener = std::move(opener);
}

void CMainFrame::run_command(int id) {
    run_and_report(this, false, [&] { m_controller.route_command(id); });
    // Choosing a mode item toggles its check mark; a switch that did not happen must not.
    check_current_mode();
}

void CMainFrame::check_current_mode() {
    if (!m_controller.has_editor()) {
        return;
    }
    for (const auto& [id, command] : m_actions) {
        Equipment_Mode switch_target{};
        if (mode_of_switch_command(id, switch_target)) {
            command->setChecked(switch_target == m_controller.current_mode());
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_controller.close_requested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!dropped_paths(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = dropped_paths(event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    std::string said;
    run_and_report(this, false, [&] { said = m_controller.open_dropped(paths); });
    check_current_mode();
    if (!said.empty()) {
        statusBar()->showMessage(QString::fromLocal8Bit(said));
    }
}

void CMainFrame::focusInEvent(QFocusEvent* event) {
    QMainWindow::focusInEvent(event);
    if (QWidget* editor = widget_of(m_controller.editor())) {
        editor->setFocus();
    }
}

Mode_Editor* CMainFrame::create_editor(Equipment_Mode mode) {
    std::unique_ptr<Mode_Editor> made =
        m_factory(mode, m_stack,
                  {[this](const std::string& path) { m_controller.set_title_path(path); },
                   [this] { refresh_commands(); }});
    // From here on the stack owns the editor.
    m_stack->addWidget(widget_of(made.get()));
    return made.release();
}

void CMainFrame::refresh_commands() {
    if (const Mode_Editor* editor = m_controller.editor()) {
        update_menu_state(m_controller.current_mode(), *editor);
    }
}

void CMainFrame::destroy_editor(Mode_Editor* editor) {
    QWidget* widget = widget_of(editor);
    m_stack->removeWidget(widget);
    delete widget;
}

void CMainFrame::install_menu(Equipment_Mode mode) {
    // A switch runs inside the triggered signal of an item of the old menu: the old menus and
    // items go when control is back in the event loop.
    QMenuBar* bar = menuBar();
    const QList<QMenu*> old_menus = bar->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
    bar->clear();
    m_recent_menu = nullptr;
    for (QMenu* old_menu : old_menus) {
        old_menu->deleteLater();
    }
    for (const auto& entry : m_actions) {
        entry.second->deleteLater();
    }
    m_actions.clear();

    std::function<void(QMenu*, const std::vector<Menu_Item>&)> fill =
        [&](QMenu* menu, const std::vector<Menu_Item>& items) {
            for (const Menu_Item& item : items) {
                switch (item.kind) {
                case Menu_Item::separator:
                    menu->addSeparator();
                    break;
                case Menu_Item::submenu:
                    fill(menu->addMenu(QString::fromLatin1(item.text)), item.items);
                    break;
                case Menu_Item::recent_files:
                    m_recent_menu = menu->addMenu(QString::fromLatin1(item.text));
                    break;
                case Menu_Item::command: {
                    auto* command = new QAction(QString::fromLatin1(item.text), this);
                    if (item.keys[0] != '\0') {
                        command->setShortcut(
                            QKeySequence(QString::fromLatin1(item.keys), QKeySequence::PortableText));
                    }
                    Equipment_Mode switch_target{};
                    command->setCheckable(mode_of_switch_command(item.id, switch_target));
                    const int id = item.id;
                    connect(command, &QAction::triggered, this, [this, id] { run_command(id); });
                    menu->addAction(command);
                    m_actions[id] = command;
                    break;
                }
                }
            }
        };
    for (const Menu_Bar_Menu& bar_menu : mode_menu(mode)) {
        fill(bar->addMenu(QString::fromLatin1(bar_menu.title)), bar_menu.items);
    }
}

void CMainFrame::recent_files_changed() { fill_recent_menu(); }

void CMainFrame::fill_recent_menu() {
    if (m_recent_menu == nullptr) {
        return;
    }
    // The list may change inside the triggered signal of one of its own items.
    for (QAction* old : m_recent_menu->actions()) {
        m_recent_menu->removeAction(old);
        old->deleteLater();
    }
    const std::vector<std::string> paths = m_controller.recent_files().paths();
    for (std::size_t index = 0; index < paths.size(); ++index) {
        // An "&" of the path is a plain character, not a second access key.
        QString shown = QFile::decodeName(paths[index].c_str());
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry =
            new QAction(QStringLiteral("&%1 %2").arg(index + 1).arg(shown), m_recent_menu);
        if (index == 0) {
            entry->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+T")));
        }
        connect(entry, &QAction::triggered, this, [this, index] {
            run_and_report(this, false, [&] { m_controller.open_recent(index); });
        });
        m_recent_menu->addAction(entry);
    }
    m_recent_menu->setEnabled(!paths.empty());
}

void CMainFrame::show_editor(Mode_Editor* editor) {
    QWidget* widget = widget_of(editor);
    m_stack->setCurrentWidget(widget);
    widget->setFocus();
}

void CMainFrame::update_menu_state(Equipment_Mode mode, const Mode_Editor& editor) {
    for (const auto& [id, command] : m_actions) {
        Equipment_Mode switch_target{};
        if (mode_of_switch_command(id, switch_target)) {
            command->setChecked(switch_target == mode);
        } else {
            command->setEnabled(editor.command_available(id));
        }
    }
    m_mode_label->setText(QString::fromLatin1(mode_status_text(mode)));
}

void CMainFrame::set_title(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void CMainFrame::open_url(const std::string& address) {
    if (m_url_opener) {
        m_url_opener(address);
    }
}

void CMainFrame::show_about() {
    AboutKelvorDlg dialog(this);
    dialog.exec();
}

void CMainFrame::check_for_updates() {
    CheckVersionDlg dialog(this);
    dialog.exec();
}

void CMainFrame::close_window() { close(); }

void CMainFrame::store_placement() {
    frame_window_size stored = m_placement;
    if (isMaximized()) {
        const QRect normal = normalGeometry();
        if (normal.isValid()) {
            stored.left = normal.x();
            stored.top = normal.y();
            stored.width = normal.width();
            stored.height = normal.height();
        }
        stored.maximised = true;
    } else {
        stored.left = x();
        stored.top = y();
        stored.width = width();
        stored.height = height();
        stored.maximised = false;
    }
    stored = scaled_window_rect(stored, screen_pixel_ratio());
    setdefault_framewindowsize(IDS_WNDSZE_KELVOR_MAIN, &stored);
}
