// WksMenu_Frame: the modal worksheet form over a wks_menu_transfer: a toolbar, the column titles
// (Wks_Title), the row titles (Wks_Header), the cell grid (Wks_Frame) and the edit box over the
// current cell (Wks_Edit). The rules live in Wks_Sheet; these windows paint and forward input.
#pragma once

#include "ldialog.h"
#include "qv6_ex_export.h"
#include "wks_rules.h"
#include "wks_sheet.h"

#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <string>

class QToolBar;
class WksMenu_Frame;

// Toolbars of the form (the button ids are the command ids).
inline constexpr unsigned WKS_TOOLBAR_OK_CANCEL = 5024;     // OK, Cancel, Help
inline constexpr unsigned WKS_TOOLBAR_ERASE_RESET = 5025;   // OK, Cancel, Erase, Reset, Help

// The edit box over the current cell while it is typed into.
class QV6_EX_EXPORT Wks_Edit : public QLineEdit {
    Q_OBJECT

public:
    Wks_Edit(WksMenu_Frame& form, QWidget* parent);

    // Opens the box over the current cell with `text`; `typed`: it was started by a typed
    // character, so it commits even when left unchanged.
    void open(const QString& text, bool typed);
    // Commits the text when it was changed or typed, and closes the box. False when it was not
    // open.
    bool commit_and_close();
    // Closes the box without committing.
    void close_box();
    bool is_open() const { return m_open; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    WksMenu_Frame& m_form;
    bool m_open = false;
    bool m_typed = false;
};

// The cell grid.
class QV6_EX_EXPORT Wks_Frame : public QWidget {
    Q_OBJECT

public:
    Wks_Frame(WksMenu_Frame& form, QWidget* parent);

    // The cell at a point of the grid, or -1.
    int cell_at(QPoint point) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    WksMenu_Frame& m_form;
};

class QV6_EX_EXPORT WksMenu_Frame : public LDialog {
    Q_OBJECT

public:
    // Lays the table out with the screen font (the library's screen metrics when the program
    // handed them over). `transfer` and its cells must outlive the form; the column edges are
    // the form's.
    explicit WksMenu_Frame(wks_menu_transfer* transfer);
    ~WksMenu_Frame() override;

    // Shows the form centred on `parent` (the screen without one) with toolbar `toolbar_id`
    // (0 or an unknown id: 5025) and runs it modally. Returns 1 for OK and 2 for Cancel.
    int ExecuteModal(QWidget* parent, unsigned toolbar_id);
    // The same toolbar choice without running it (for a window shown by other means).
    void set_toolbar(unsigned toolbar_id);

    // OK: commits an open edit box, records the changed field and the current cell, closes.
    void HandleOkButton();
    // Cancel: commits an open edit box, writes the values on entry back, closes.
    void HandleCancelButton();
    // Closing while open: asks "Keep Changes ?" when the form is marked changed.
    void OnClose();

    // Repaints the cells with these ids (after the owner changed their fields).
    void write_cells(const int* ids, int count);
    // Marks the form changed and repaints everything.
    void write_calcs();
    // The current cell's index.
    int get_cell_num() const { return m_sheet.current(); }

    // Receives the messages to the owner (WKS_MSG_NOTIFY, WKS_MSG_SELECT).
    void set_notifier(Wks_Sheet::Notifier notifier) { m_owner_notifier = std::move(notifier); }
    // Opens the help address given (the base address and the page, or the shipped guide's page
    // when no base is configured); open_help_address without one.
    void set_url_opener(std::function<void(const std::string&)> opener) {
        m_url_opener = std::move(opener);
    }

    Wks_Sheet& sheet() { return m_sheet; }
    const Wks_Sheet& sheet() const { return m_sheet; }
    const wks_menu_transfer& transfer() const { return *m_transfer; }
    const Wks_Layout& layout() const { return m_layout; }
    const Wks_Metrics& metrics() const { return m_metrics; }
    Wks_Frame* grid() const { return m_grid; }
    Wks_Edit* edit_box() const { return m_edit; }
    QToolBar* toolbar() const { return m_toolbar; }
    // How the form closed: WKS_OPEN while it runs.
    int state() const { return m_state; }

    // Starts the edit box on the current cell (F2, Enter, Space), with `typed` as its text when
    // a character started it.
    void start_edit(const QString& typed = {});
    // Opens the current choice cell's list.
    void open_drop_list();
    // Repaints after a change of fields.
    void refresh();
    // Runs the help button.
    void show_help();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void finish(int state);
    void on_notify(int message, int first, int second);

    wks_menu_transfer* m_transfer;
    Wks_Sheet m_sheet;
    Wks_Metrics m_metrics;
    Wks_Layout m_layout;
    QFont m_font;
    int m_state = WKS_OPEN;
    QToolBar* m_toolbar = nullptr;
    QWidget* m_title = nullptr;
    QWidget* m_header = nullptr;
    Wks_Frame* m_grid = nullptr;
    Wks_Edit* m_edit = nullptr;
    Wks_Sheet::Notifier m_owner_notifier;
    std::function<void(const std::string&)> m_url_opener;
};
