// QV5_Grid_Control: the modal, resizable list window over a program's table. The program keeps
// the records and answers the handlers; the window shows the rows, edits cells in place or through
// the one-row form, marks rows, exports the table and keeps its layout between runs. The rules it
// follows (cursor, marks, layout, export and clipboard texts) are the plain ones of grid_info.h,
// grid_cursor.h, grid_layout.h and grid_export.h.
#pragma once

#include "grid_export.h"
#include "grid_info.h"
#include "qv6_ex_export.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Grid_Cursor;
class QMenu;
class QMenuBar;
class QTableView;
class QKeyEvent;
class Grid_Model;
class Grid_Delegate;
class Grid_View;

// The menu commands of a list window.
enum Grid_Command_Id : int {
    CM_GRID_ADD_ITEM = 40201,
    CM_GRID_EDIT_ITEM = 40202,
    CM_GRID_DELETE_ITEM = 40203,
    CM_GRID_RESET_DISPLAY = 40204,
    CM_GRID_CLOSE = 40205,
    CM_GRID_EXPORT = 40206,
};

// The codes of EvGridEvent.
enum Grid_Event_Code : int {
    GE_STORE = 1,       // store the transfer's text (a drop list: its selection) into the cell
    GE_TEXT = 2,        // fill the transfer with the cell's text, attributes and drop-list entries
    GE_FORM_EDIT = 3,   // a one-row form cell is about to be edited
    GE_FORM_TOGGLE = 4, // a one-row form check box is about to be toggled
    GE_EDIT_OPEN = 5,   // the edit form opens on `row`
    GE_EDIT_DONE = 6,   // the edit form closed with OK on `row`
    GE_ADD_OPEN = 7,    // the add form opens; `row` is the only marked row, else -1
    GE_ADD_DONE = 8,    // the add form closed with OK
    GE_DELETE = 9,      // delete the record of `row`
};

// The texts of the export dialog and of the one-row forms.
inline constexpr const char* GRID_EXPORT_TITLE = "Export To Ascii Text";
inline constexpr const char* GRID_ADD_TITLE = "Add new item";
inline constexpr const char* GRID_EDIT_TITLE = "Edit existing item";

class QV6_EX_EXPORT QV5_Grid_Control : public QDialog {
    Q_OBJECT

public:
    QV5_Grid_Control();
    ~QV5_Grid_Control() override;

    // Keeps the title (a file text) and the program's table description, which must outlive the
    // window, and reads the stored layout when the description names a key.
    void init_gc(const char* title, Grid_Info* info);
    // Creates the window over `parent` and runs it until it is closed; the dialog's result.
    int ExecuteModal(QWidget* parent);

    // The menu commands. Add, edit and delete do nothing in a table without editable columns;
    // edit and delete also nothing while the cursor is on the template row.
    virtual void CmAddItem();
    virtual void CmEditItem();
    virtual void CmDeleteItem();
    virtual void CmResetDisplay();
    virtual void OnCSVExportFrame();
    void command(int id);
    bool command_enabled(int id) const;

    // Before a drop list opens the program may change its entries; nothing here.
    virtual int EvModifyDropList(Grid_Transfer& transfer);
    // The one-row form asks whether its OK may be enabled: 1 enables it.
    virtual int EvQueryOK(int, int) = 0;
    // A grid event (Grid_Event_Code): `transfer` for codes 1 to 4, `row` for the others.
    virtual int EvGridEvent(int code, int row, Grid_Transfer* transfer) = 0;
    // A click on the title of data column `column`.
    virtual int EvHeaderClick(int column, int) = 0;

    // Rows pasted on the template row: stores them through the program's rules and returns what
    // to tell the user about rows that did not become records (empty: nothing). This one stores
    // each row's cells into the template row through event 1.
    virtual std::string EvPasteRows(const std::vector<std::vector<std::string>>& rows,
                                    const std::vector<int>& columns);

    // The program's own entries of the grid's context menu (below the list commands).
    virtual void add_context_entries(QMenu& menu);

    // The row count in the description changed: the grid follows it.
    void SetGridScrollers();
    // Repaints one row; -1: the last row.
    void rewrite_row(int row);

    // Copies the marked rows (or the current cell) to the clipboard as tab-separated text.
    void copy_to_clipboard();
    // Pastes tab-separated rows from the clipboard when the cursor is on the template row.
    void paste_from_clipboard();

    // The transfer of cell (row, data column) as the program fills it (event 2).
    Grid_Transfer cell(int row, int column);

    const Marked_Row& marked_rows() const { return m_marks; }
    Grid_Info& info() { return *m_info; }
    QTableView* grid() const;
    QMenuBar* menu_bar() const { return m_menu_bar; }

signals:
    // The cursor moved to (display column, row).
    void cursor_moved(int column, int row);

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class Grid_View;
    friend class Grid_Model;
    friend class Row_Header;

    bool grid_key(QKeyEvent* event);
    void edit_current();
    void toggle_cell(int row, int column);
    void move_cursor_to_info();
    void apply_layout_to_view();
    void take_layout_from_view();
    void default_edges();
    void row_number_clicked(int row, Qt::KeyboardModifiers modifiers);
    void show_context_menu(const QPoint& at);
    void fill_menu(QMenu& menu, bool context);
    bool run_row_form(const char* title, int row);
    void store_layout();

    std::string m_title;
    Grid_Info* m_info = nullptr;
    std::unique_ptr<Grid_Cursor> m_cursor;
    Marked_Row m_marks;
    Grid_Model* m_model = nullptr;
    Grid_View* m_view = nullptr;
    Grid_Delegate* m_delegate = nullptr;
    QMenuBar* m_menu_bar = nullptr;
    bool m_syncing = false;
    bool m_shown = false;
};
