// The adaptive-modulation and coupling unit list windows.
#include "radio_data_lists.h"

#include "message_presenter.h"
#include "qv5_extn.h"
#include "radio_record.h"
#include "v5_radio_document.h"

#include <QMenu>

#include <cstring>
#include <type_traits>

namespace {

Grid_Info list_grid_info(std::span<const List_Column> columns, int rows, int layout_key) {
    std::vector<Grid_Column> descriptors;
    std::vector<std::string> titles;
    for (const List_Column& column : columns) {
        descriptors.push_back({column.limit_plus_one, column.kind, column.char_set, column.editable});
        titles.emplace_back(column.title);
    }
    Grid_Info info = make_grid_info(std::move(descriptors), std::move(titles), rows);
    info.layout_key = layout_key;
    return info;
}

template <typename Row>
bool same_rows(const Row_Table<Row>& a, const Row_Table<Row>& b) {
    return a.count() == b.count() &&
           (a.rows.empty() || std::memcmp(a.rows.data(), b.rows.data(), a.rows.size() * sizeof(Row)) == 0);
}

} // namespace

template <typename List>
Radio_Data_List<List>::Radio_Data_List(List list, std::span<const List_Column> columns,
                                       const char* title, int layout_key, const char* entries)
    : m_list(std::move(list)), m_grid(list_grid_info(columns, m_list.row_count(), layout_key)),
      m_title(title), m_entries(entries) {
    init_gc(title, &m_grid);
}

template <typename List>
int Radio_Data_List<List>::EvQueryOK(int, int) {
    // The add form's OK waits until its row became an entry.
    return m_adding_from < 0 || m_list.row_count() > m_adding_from ? 1 : 0;
}

template <typename List>
int Radio_Data_List<List>::EvGridEvent(int code, int row, Grid_Transfer* transfer) {
    const int column = transfer != nullptr ? transfer->column : -1;
    const bool choice = column >= 0 && column < m_grid.column_count &&
                        m_grid.columns[static_cast<std::size_t>(column)].kind == LIST_CHOICE_KIND;
    switch (code) {
    case GE_STORE: {
        if (transfer == nullptr) {
            return 0;
        }
        List_Store stored = List_Store::unchanged;
        if constexpr (std::is_same_v<List, Acu_List>) {
            stored = choice ? m_list.choose(transfer->row, transfer->selection)
                            : m_list.store(transfer->row, column, transfer->text);
        } else {
            stored = m_list.store(transfer->row, column, transfer->text);
        }
        m_grid.row_count = m_list.row_count();
        if (stored == List_Store::full) {
            show_message_box(this, m_title,
                             "The list holds " + std::to_string(m_list.row_count()) + " " +
                                 m_entries + ", the most it may: the new row was not added.",
                             BOX_OK | BOX_ICON_EXCLAMATION);
        }
        return static_cast<int>(stored);
    }
    case GE_TEXT:
        if (transfer == nullptr) {
            return 0;
        }
        transfer->text = m_list.text(transfer->row, column);
        if (column >= 0 && column < m_grid.column_count) {
            transfer->attributes = m_grid.columns[static_cast<std::size_t>(column)];
        }
        if constexpr (std::is_same_v<List, Acu_List>) {
            if (choice) {
                transfer->entries = Acu_List::choices();
                transfer->selection = m_list.selection(transfer->row);
            }
        }
        return 1;
    case GE_EDIT_OPEN: m_adding_from = -1; return 1;
    case GE_ADD_OPEN: m_adding_from = m_list.row_count(); return 1;
    case GE_ADD_DONE: m_adding_from = -1; return 1;
    case GE_DELETE: {
        const bool removed = m_list.remove(row);
        m_grid.row_count = m_list.row_count();
        if (removed) {
            row_removed(row);
        }
        return removed ? 1 : 0;
    }
    default: return 0;
    }
}

template <typename List>
std::string Radio_Data_List<List>::EvPasteRows(const std::vector<std::vector<std::string>>& rows,
                                               const std::vector<int>& columns) {
    const List_Paste_Report report = m_list.paste(rows, columns);
    m_grid.row_count = m_list.row_count();
    return paste_report_text(report, m_entries);
}

template class Radio_Data_List<Acm_List>;
template class Radio_Data_List<Acu_List>;

ACM_Data_List::ACM_Data_List(Radio_Record& record, Tx_Power_Options_Hook power_options)
    : Radio_Data_List(Acm_List(record.acm_table), acm_list_columns(), ACM_LIST_TITLE,
                      IDS_GRID_KELVOR_ACM, "states"),
      m_record(record), m_power_options(std::move(power_options)) {}

void ACM_Data_List::row_removed(int row) { m_record.curves.remove_state_curves(row); }

void ACM_Data_List::add_context_entries(QMenu& menu) {
    menu.addSeparator();
    QAction* action = menu.addAction(QString::fromLatin1(TX_POWER_OPTIONS_ENTRY));
    action->setEnabled(power_options_enabled());
    connect(action, &QAction::triggered, this, [this] { power_options(); });
}

bool ACM_Data_List::power_options_enabled() const {
    return static_cast<bool>(m_power_options) && m_grid.current_row >= 0 &&
           m_grid.current_row < m_grid.row_count;
}

void ACM_Data_List::power_options() {
    if (!power_options_enabled()) {
        return;
    }
    const int row = m_grid.current_row;
    m_power_options(m_record, row, this);
    rewrite_row(row);
}

ACU_Data_List::ACU_Data_List(Radio_Record& record)
    : Radio_Data_List(Acu_List(record.acu_table), acu_list_columns(), ACU_LIST_TITLE,
                      IDS_GRID_KELVOR_ACU, "configurations") {}

bool same_list_data(const Radio_Record& a, const Radio_Record& b) {
    return std::memcmp(&a.radio_spec, &b.radio_spec, sizeof(Radio_Spec)) == 0 &&
           same_rows(a.acm_table, b.acm_table) && same_rows(a.acu_table, b.acu_table);
}

bool run_acm_data_list(V5_Radio_Document& document, QWidget* parent,
                       const Tx_Power_Options_Hook& power_options) {
    Radio_Record& record = document.record();
    const std::optional<std::string> question = acm_discrepancy_question(record);
    if (question && show_message_box(parent, ACM_DISCREPANCY_CAPTION, *question,
                                     BOX_YES_NO | BOX_ICON_QUESTION) != ID_YES) {
        return false;
    }
    return document.edit_record_copy<Radio_Record>(
        QString::fromLatin1(ACM_EDIT_LABEL), record,
        [&](Radio_Record& copy) {
            if (question) {
                accept_adaptive_modulation(copy);
            }
            ACM_Data_List list(copy, power_options);
            list.ExecuteModal(parent);
            return true;
        },
        same_list_data);
}

bool run_acu_data_list(V5_Radio_Document& document, QWidget* parent) {
    return document.edit_record_copy<Radio_Record>(
        QString::fromLatin1(ACU_EDIT_LABEL), document.record(),
        [&](Radio_Record& copy) {
            ACU_Data_List list(copy);
            list.ExecuteModal(parent);
            return true;
        },
        same_list_data);
}
