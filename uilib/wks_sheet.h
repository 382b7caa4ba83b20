// Wks_Sheet: the worksheet form's state over one table: the current cell and how the keys move
// it, entries, erase, reset, copy and paste, the notifications to the owner, and what OK, Cancel
// and closing do to the caller's fields. Plain code: the form's windows forward keys and texts,
// and the tests drive it without a window.
#pragma once

#include "qv6_ex_export.h"
#include "wks_rules.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Messages to the form's owner.
inline constexpr int WKS_MSG_NOTIFY = 0x8015;  // first: notify id (or button id); second: cell id
inline constexpr int WKS_MSG_SELECT = 0x803B;  // first: 0xFFFF; second: cell index

enum class Wks_Move { left, right, up, down, home, end, tab, back_tab };

// What Enter or Space on the current cell asks of the window.
enum class Wks_Activation {
    none,      // the cell takes nothing
    edit,      // open the edit box on the cell
    toggled,   // a flag cell was toggled (repaint)
    drop_list, // open the choice list
    notified,  // the owner was asked to act (type 18)
};

// How closing the form ends.
enum Wks_Result : int { WKS_OPEN = 3, WKS_OK = 1, WKS_CANCEL = 2 };

class QV6_EX_EXPORT Wks_Sheet {
public:
    // Message to the owner: message number, first and second parameter.
    using Notifier = std::function<void(int message, int first, int second)>;

    // `transfer` (kept by reference) describes the table; its cells must stay in place.
    explicit Wks_Sheet(wks_menu_transfer& transfer,
                       Wks_Missing_Values missing = wks_missing_values());

    void set_notifier(Notifier notifier) { m_notifier = std::move(notifier); }

    int cell_count() const { return m_count; }
    const WorkSheetCell& cell(int index) const { return m_transfer.cells[index]; }
    // The current cell's index; -1 when no cell is editable.
    int current() const { return m_current; }
    // True when an entry, an erase, a paste or a toggle marked the form changed.
    bool marked_changed() const { return m_marked; }
    // Marks the form changed (the owner recalculated fields).
    void mark_changed() { m_marked = true; }

    // What cell `index` shows.
    std::string text(int index) const;

    // Moves the cursor; true when the current cell changed.
    bool move(Wks_Move key);
    // Makes an editable cell current (a click); false for another cell.
    bool select(int index);

    // True when typing `c` starts an edit box on the current cell.
    bool starts_edit(char c) const;
    // True when the current cell's edit box takes `c`.
    bool edit_accepts(char c) const;
    // The most characters the current cell's edit box takes.
    int edit_limit() const;
    // Enter or Space on the current cell: toggles a flag, asks for the drop list, notifies the
    // owner of a selection cell, or asks for the edit box.
    Wks_Activation activate();

    // Commits an edit box's text into the current cell: stores it by the type, marks the form
    // changed and notifies the owner. False when the cell takes no entries.
    bool commit(std::string text);
    // Stores choice `index` into the current choice cell; false when it is not one.
    bool choose(int index);
    // Erases the current cell (Delete, F3); false when its type keeps its field.
    bool erase();
    // Erases every editable cell (Ctrl+Delete); true when any was erased.
    bool erase_all();
    // Puts the value on entry back into the current cell (F9).
    void reset_cell();
    // In a two-column table, enters the other column's value of the same row into the current
    // cell when it is neither empty nor zero (F4); false when nothing was entered.
    bool copy_other_column();
    // The current cell's clipboard text (Ctrl+C).
    std::string copy_text() const;
    // Pastes a clipboard text into the current cell (Ctrl+V); false for the types that take no
    // paste.
    bool paste(std::string_view text);

    // OK: records whether any editable field differs from its value on entry and the current
    // cell in the transfer. Returns WKS_OK.
    int ok();
    // Cancel: writes every editable cell's value on entry back. Returns WKS_CANCEL.
    int cancel();
    // Closing while open: when the form is marked changed, asks "Keep Changes ?" (Yes is OK, No
    // is Cancel, Cancel keeps the form open: WKS_OPEN); otherwise it is OK.
    int close_request(void* owner_window);

private:
    WorkSheetCell* current_cell();
    bool editable(int index) const;
    void changed_cell(int index);

    wks_menu_transfer& m_transfer;
    Wks_Missing_Values m_missing;
    int m_count = 0;
    int m_current = -1;
    bool m_marked = false;
    Notifier m_notifier;
    std::vector<int> m_rows;
};
