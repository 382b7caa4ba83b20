// The rules of the adaptive-modulation and coupling unit list windows over the radio record's
// tables: the columns, what each cell shows, how an entered text is stored, the row below the
// last where a new entry is typed, deleting, pasting rows, and the question asked before the
// adaptive-modulation list opens. Plain code: the list windows draw and forward, and the tests
// drive these without a window.
#pragma once

#include "acm_acu_tables.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct Radio_Record;

// A list column as the grid list describes it: the title, the text limit plus one, the kind (a
// text box or a drop list, numbered as the grid list numbers them), the character set of the
// conversion and whether it can be edited.
struct List_Column {
    const char* title;
    uint8_t limit_plus_one;
    uint8_t kind;
    uint8_t char_set;
    uint8_t editable;
};
inline constexpr uint8_t LIST_TEXT_KIND = 0;
inline constexpr uint8_t LIST_CHOICE_KIND = 18;

inline constexpr const char* ACM_LIST_TITLE = "Adaptive Modulation";
inline constexpr const char* ACU_LIST_TITLE = "Antenna Coupling";
inline constexpr int ACM_LIST_COLUMNS = 18;
inline constexpr int ACU_LIST_COLUMNS = 8;

// The most rows the lists make: the per-state curves and the files' two-digit row labels stop at
// 99. A table read from a file with more keeps them; the lists add no further rows.
inline constexpr int MAX_ACM_STATES = 99;
inline constexpr int MAX_ACU_CONFIGS = 99;

std::span<const List_Column> acm_list_columns();
std::span<const List_Column> acu_list_columns();

// What storing an entered text did.
enum class List_Store {
    unchanged, // nothing changed (no such cell, or the same value)
    changed,   // a row, or the row being typed below the last, changed
    added,     // the row below the last was complete and became the last entry
    full,      // it was complete, but the table holds the most rows it may: it stays below
};

// What a paste did: how many rows became entries, and for each that did not, its place in the
// pasted text (from 0) and why.
struct List_Paste_Report {
    int added = 0;
    std::vector<std::pair<int, std::string>> refused;
};

// A list over one of the record's tables. Rows 0 .. row_count() - 1 are the table's; the row
// row_count() is the new row below them, kept here until it is complete.
template <typename Row>
class Table_List {
public:
    int row_count() const { return m_table.count(); }
    // Texts shown in the cells: numbers with one decimal, NOT_SET empty; empty outside the table.
    std::string text(int row, int column) const;
    // Stores an entered text by the column's rule (see the two lists) into a table row or the new
    // row; a complete new row is appended at the end, and a new one starts below it.
    List_Store store(int row, int column, std::string_view text);
    // Deletes a table row: the rows after it move up and the count drops by one. False for the
    // new row or a row outside the table.
    bool remove(int row);
    // Adds the pasted rows through the same store rules, each from a fresh entry: the cells fill
    // `columns` in turn (-1: the cell is passed over; cells beyond them are ignored). A row that is
    // not complete, or comes when the table is full, is refused and reported.
    List_Paste_Report paste(const std::vector<std::vector<std::string>>& rows,
                            const std::vector<int>& columns);
    const Row& new_row() const { return m_new; }

protected:
    Table_List(Row_Table<Row>& table, int max_rows);
    Row* row_at(int row);
    // Appends the new row when it is complete.
    List_Store finish_new_row(List_Store stored);

    Row_Table<Row>& m_table;
    Row m_new;
    int m_max_rows;
};

extern template class Table_List<Acm_State>;
extern template class Table_List<Acu_Config>;

// The adaptive-modulation states. Text columns take at most 15 characters; number columns at most
// 11, converted with get_valid_double and the column's set (6 for TX power, RX threshold, steps,
// min C/I and max RX signal, 5 for the others), an empty or invalid entry storing NOT_SET. The new
// row becomes a state once it has a modulation, a throughput, an RX threshold and a TX power.
class Acm_List : public Table_List<Acm_State> {
public:
    // Opening the list gives a record without states an empty table of capacity ten.
    explicit Acm_List(Acm_Table& table);
};

// The coupling unit configurations. The name takes at most 46 characters; "Antenna Cfg" is a
// choice of "TR", "DR", "TX", "RX", "TH"; the losses take at most 11 characters, converted with
// set 5 (set 6 for the RX hybrid multicoupler loss). The new row becomes a configuration once it
// has a name.
class Acu_List : public Table_List<Acu_Config> {
public:
    explicit Acu_List(Acu_Table& table);

    // The choices of "Antenna Cfg", in the order of their codes.
    static const std::vector<std::string>& choices();
    // The chosen entry of a row's "Antenna Cfg", -1 for a code outside the choices.
    int selection(int row) const;
    // Chooses entry `index` for the row's "Antenna Cfg".
    List_Store choose(int row, int index);
};

// A paste report for the user: how many rows did not become `entries` ("states",
// "configurations"), then their numbers (counting from 1) and the reasons, consecutive rows with
// one reason as a range, at most `max_lines` lines and a count of the rest. Empty when every row
// became an entry.
std::string paste_report_text(const List_Paste_Report& report, const char* entries,
                              int max_lines = 12);

inline constexpr const char* ACM_DISCREPANCY_CAPTION = "Application Discrepancy";
// The question asked before the adaptive-modulation list opens on a record of another application
// type ("The application is currently set to Land Mobile Radio. Change application type to
// Adaptive Modulation?"), nullopt when the record is of adaptive modulation already.
std::optional<std::string> acm_discrepancy_question(const Radio_Record& record);
// Yes to the question: the record's application becomes adaptive modulation.
void accept_adaptive_modulation(Radio_Record& record);
