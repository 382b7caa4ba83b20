// The worksheet form's cursor, entries and closing rules.
#include "wks_sheet.h"

#include "message_presenter.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstring>

Wks_Sheet::Wks_Sheet(wks_menu_transfer& transfer, Wks_Missing_Values missing)
    : m_transfer(transfer), m_missing(missing),
      m_count(transfer.cells != nullptr ? std::max(transfer.cell_count, 0) : 0),
      m_rows(wks_cell_rows(transfer)) {
    m_rows.resize(static_cast<std::size_t>(m_count), 0);
    for (int index = 0; index < m_count; ++index) {
        if (editable(index)) {
            m_current = index;
            break;
        }
    }
}

bool Wks_Sheet::editable(int index) const {
    return index >= 0 && index < m_count && m_transfer.cells[index].editable != 0;
}

WorkSheetCell* Wks_Sheet::current_cell() {
    return m_current >= 0 ? &m_transfer.cells[m_current] : nullptr;
}

std::string Wks_Sheet::text(int index) const {
    return index >= 0 && index < m_count ? wks_cell_text(m_transfer.cells[index], m_missing)
                                         : std::string();
}

bool Wks_Sheet::move(Wks_Move key) {
    if (m_current < 0) {
        return false;
    }
    int target = -1;
    const int column = m_transfer.cells[m_current].column;
    const int row = m_rows[static_cast<std::size_t>(m_current)];
    // Up and Down go to a cell of the same column in another row, or to a whole-row cell.
    auto same_column = [&](int index) {
        const int other = m_transfer.cells[index].column;
        return m_rows[static_cast<std::size_t>(index)] != row &&
               (other < 0 || other == column || (column < 0 && other == 0));
    };
    switch (key) {
    case Wks_Move::left:
    case Wks_Move::back_tab:
        for (int index = m_current - 1; index >= 0 && target < 0; --index) {
            target = editable(index) ? index : -1;
        }
        break;
    case Wks_Move::right:
    case Wks_Move::tab:
        for (int index = m_current + 1; index < m_count && target < 0; ++index) {
            target = editable(index) ? index : -1;
        }
        break;
    case Wks_Move::up:
        for (int index = m_current - 1; index >= 0 && target < 0; --index) {
            target = editable(index) && same_column(index) ? index : -1;
        }
        break;
    case Wks_Move::down:
        for (int index = m_current + 1; index < m_count && target < 0; ++index) {
            target = editable(index) && same_column(index) ? index : -1;
        }
        break;
    case Wks_Move::home:
        for (int index = 0; index < m_count && target < 0; ++index) {
            target = editable(index) ? index : -1;
        }
        break;
    case Wks_Move::end:
        for (int index = m_count - 1; index >= 0 && target < 0; --index) {
            target = editable(index) ? index : -1;
        }
        break;
    }
    if (target < 0 || target == m_current) {
        return false;
    }
    m_current = target;
    return true;
}

bool Wks_Sheet::select(int index) {
    if (!editable(index)) {
        return false;
    }
    m_current = index;
    return true;
}

bool Wks_Sheet::starts_edit(char c) const {
    return m_current >= 0 && wks_starts_edit(m_transfer.cells[m_current], c);
}

bool Wks_Sheet::edit_accepts(char c) const {
    return m_current >= 0 && wks_edit_accepts(m_transfer.cells[m_current], c);
}

int Wks_Sheet::edit_limit() const {
    if (m_current < 0) {
        return 0;
    }
    const int length = m_transfer.cells[m_current].length;
    // Numbers have no length of their own in some tables: the shown text's limit serves.
    return length > 0 ? std::min<int>(length, WKS_ENTRY_VALUE_SIZE - 1)
                      : static_cast<int>(WKS_SHOWN_TEXT_MAX);
}

Wks_Activation Wks_Sheet::activate() {
    WorkSheetCell* cell = current_cell();
    if (cell == nullptr) {
        return Wks_Activation::none;
    }
    switch (cell->type) {
    case WKS_FLAG:
        wks_toggle(*cell);
        changed_cell(m_current);
        return Wks_Activation::toggled;
    case WKS_CHOICE:
        return cell->choice_count > 0 ? Wks_Activation::drop_list : Wks_Activation::none;
    case WKS_SELECTION:
        if (m_notifier) {
            m_notifier(WKS_MSG_SELECT, 0xFFFF, m_current);
        }
        return Wks_Activation::notified;
    default:
        return wks_takes_text(*cell) ? Wks_Activation::edit : Wks_Activation::none;
    }
}

void Wks_Sheet::changed_cell(int index) {
    m_marked = true;
    const WorkSheetCell& cell = m_transfer.cells[index];
    if (cell.notify_id != -1 && m_notifier) {
        m_notifier(WKS_MSG_NOTIFY, cell.notify_id, cell.cell_id);
    }
}

bool Wks_Sheet::commit(std::string text) {
    WorkSheetCell* cell = current_cell();
    if (cell == nullptr || !wks_store_entry(*cell, std::move(text), m_missing)) {
        return false;
    }
    changed_cell(m_current);
    return true;
}

bool Wks_Sheet::choose(int index) {
    WorkSheetCell* cell = current_cell();
    if (cell == nullptr || !wks_choose(*cell, index)) {
        return false;
    }
    changed_cell(m_current);
    return true;
}

bool Wks_Sheet::erase() {
    WorkSheetCell* cell = current_cell();
    if (cell == nullptr || !wks_erase(*cell, m_missing)) {
        return false;
    }
    changed_cell(m_current);
    return true;
}

bool Wks_Sheet::erase_all() {
    const int kept = m_current;
    bool any = false;
    for (int index = 0; index < m_count; ++index) {
        if (editable(index)) {
            m_current = index;
            any |= erase();
        }
    }
    m_current = kept;
    return any;
}

void Wks_Sheet::reset_cell() {
    if (WorkSheetCell* cell = current_cell()) {
        wks_restore_entry_value(*cell);
    }
}

bool Wks_Sheet::copy_other_column() {
    if (m_current < 0 || m_transfer.column_count != 2) {
        return false;
    }
    const int column = m_transfer.cells[m_current].column;
    if (column != 0 && column != 1) {
        return false;
    }
    const int row = m_rows[static_cast<std::size_t>(m_current)];
    for (int index = 0; index < m_count; ++index) {
        const WorkSheetCell& other = m_transfer.cells[index];
        if (m_rows[static_cast<std::size_t>(index)] != row || other.column != 1 - column) {
            continue;
        }
        std::string value = wks_copy_text(other);
        const bool is_text = other.type == WKS_TEXT_KEEP || other.type == WKS_TEXT;
        if (value.empty() || (!is_text && text_to_double(value.c_str()) == 0)) {
            return false;
        }
        return commit(std::move(value));
    }
    return false;
}

std::string Wks_Sheet::copy_text() const {
    return m_current >= 0 ? wks_copy_text(m_transfer.cells[m_current]) : std::string();
}

bool Wks_Sheet::paste(std::string_view text) {
    WorkSheetCell* cell = current_cell();
    if (cell == nullptr || !wks_paste(*cell, text)) {
        return false;
    }
    changed_cell(m_current);
    return true;
}

int Wks_Sheet::ok() {
    m_transfer.changed = 0;
    for (int index = 0; index < m_count; ++index) {
        if (editable(index) && wks_differs_from_entry(m_transfer.cells[index])) {
            m_transfer.changed = 1;
        }
    }
    m_transfer.current_cell = std::max(m_current, 0);
    return WKS_OK;
}

int Wks_Sheet::cancel() {
    for (int index = 0; index < m_count; ++index) {
        if (editable(index)) {
            wks_restore_entry_value(m_transfer.cells[index]);
        }
    }
    m_transfer.changed = 0;
    return WKS_CANCEL;
}

int Wks_Sheet::close_request(void* owner_window) {
    if (!m_marked) {
        return ok();
    }
    switch (show_message_box(owner_window, "Close Worksheet", "Keep Changes ?",
                             BOX_YES_NO_CANCEL | BOX_ICON_QUESTION)) {
    case ID_YES:
        return ok();
    case ID_NO:
        return cancel();
    default:
        return WKS_OPEN;
    }
}
