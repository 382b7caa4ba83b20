// The adaptive-modulation list (ACM_Data_List) and the coupling unit list (ACU_Data_List): grid
// list windows over the tables of a radio record, and the calls the version 5 editor makes to
// run them over a copy of its record as one undo step.
#pragma once

#include "acm_acu_lists.h"
#include "grid_info.h"
#include "qv5_grid_control.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

class QWidget;
class V5_Radio_Document;
struct Radio_Record;

// Opens the TX power options of state `state` of the record over `parent`.
using Tx_Power_Options_Hook = std::function<void(Radio_Record&, int state, QWidget* parent)>;

inline constexpr const char* ACM_EDIT_LABEL = "Edit Adaptive Modulation Data";
inline constexpr const char* ACU_EDIT_LABEL = "Edit Antenna Coupling Unit Data";
inline constexpr const char* TX_POWER_OPTIONS_ENTRY = "TX Power Options";

// What both lists share: the description made from the list's columns, the handlers over the
// list's store rules, and the paste through them.
template <typename List>
class Radio_Data_List : public QV5_Grid_Control {
public:
    List& list() { return m_list; }

    int EvQueryOK(int, int) override;
    int EvGridEvent(int code, int row, Grid_Transfer* transfer) override;
    int EvHeaderClick(int, int) override { return 0; }
    std::string EvPasteRows(const std::vector<std::vector<std::string>>& rows,
                            const std::vector<int>& columns) override;

protected:
    Radio_Data_List(List list, std::span<const List_Column> columns, const char* title,
                    int layout_key, const char* entries);

    // A row of the table was deleted.
    virtual void row_removed(int row) { (void)row; }

    List m_list;
    Grid_Info m_grid;
    const char* m_title;
    const char* m_entries; // what the rows are called in messages ("states")
    int m_adding_from = -1; // the row count when the add form opened; -1: no add form open
};

extern template class Radio_Data_List<Acm_List>;
extern template class Radio_Data_List<Acu_List>;

class ACM_Data_List : public Radio_Data_List<Acm_List> {
public:
    // Opens over the record's states (giving a record without any an empty table); `power_options`
    // may be empty, and "TX Power Options" is then disabled.
    ACM_Data_List(Radio_Record& record, Tx_Power_Options_Hook power_options);

    void add_context_entries(QMenu& menu) override;
    // True when "TX Power Options" can open: there is a hook and the cursor is on a state.
    bool power_options_enabled() const;
    // Opens the TX power options of the state under the cursor.
    void power_options();

protected:
    // A deleted state takes its curves along, and the later states' curves move up with them.
    void row_removed(int row) override;

private:
    Radio_Record& m_record;
    Tx_Power_Options_Hook m_power_options;
};

class ACU_Data_List : public Radio_Data_List<Acu_List> {
public:
    explicit ACU_Data_List(Radio_Record& record);
};

// True when the record's parts the lists edit (the application type and the rest of the radio's
// description, the states and the configurations) are alike.
bool same_list_data(const Radio_Record& a, const Radio_Record& b);

// Runs the adaptive-modulation list over a copy of the document's record. On a record of another
// application type it first asks whether to change the type: No opens nothing; Yes changes it
// with the list's edits. The changes become one undo step; true when there were any.
bool run_acm_data_list(V5_Radio_Document& document, QWidget* parent,
                       const Tx_Power_Options_Hook& power_options = {});
// Runs the coupling unit list the same way (it asks nothing first).
bool run_acu_data_list(V5_Radio_Document& document, QWidget* parent);
