// The adaptive-modulation and coupling unit lists' cell texts, store rules, deletes and pastes.
#include "acm_acu_lists.h"

#include "radio_record.h"
#include "raf_tables.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

constexpr uint8_t TEXT = LIST_TEXT_KIND;
constexpr uint8_t NUMBER_LIMIT = 11;
constexpr uint8_t SET_POSITIVE = 5;
constexpr uint8_t SET_SIGNED = 6;

constexpr List_Column acm_columns[ACM_LIST_COLUMNS] = {
    {"Modulation", 16, TEXT, 0, 1},
    {"Throughput", 16, TEXT, 0, 1},
    {"RSEC", 16, TEXT, 0, 1},
    {"TX Power (dBm)", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"RX Thr10-6 (dBm)", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"Step up (dBm)", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"Step down (dBm)", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"Min C-I", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"Disp_FM10-6", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Disp_FM_step", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Sig delay (ns)", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Sig width (MHz)", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Sig minphase10-6", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Sig nonminphase10-6", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Sig minphase_step", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Sig nonminphase_step", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Max RX signal (dBm)", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"XPIF (dB)", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
};

constexpr int ACU_CHOICE_COLUMN = 1;
constexpr List_Column acu_columns[ACU_LIST_COLUMNS] = {
    {"Configuration", ACU_NAME_SIZE, TEXT, 0, 1},
    {"Antenna Cfg", 3, LIST_CHOICE_KIND, 0, 1},
    {"Circ_dup loss", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"TX Switch / combiner loss", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"TX filter loss", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"RX hybrid multicoupler loss", NUMBER_LIMIT + 1, TEXT, SET_SIGNED, 1},
    {"RX filter loss", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
    {"Diversity circulator loss", NUMBER_LIMIT + 1, TEXT, SET_POSITIVE, 1},
};

// Where a column's value lives in a row: a text field of `size` bytes, or a number.
struct Field {
    char* text = nullptr;
    std::size_t size = 0;
    double* number = nullptr;
};

Field field_of(Acm_State& s, int column) {
    switch (column) {
    case 0: return {s.Mod, sizeof s.Mod};
    case 1: return {s.thruput, sizeof s.thruput};
    case 2: return {s.RSEC, sizeof s.RSEC};
    case 3: return {.number = &s.TXmax[0]};
    case 4: return {.number = &s.RXthr10_6};
    case 5: return {.number = &s.step_up};
    case 6: return {.number = &s.step_dn};
    case 7: return {.number = &s.min_ctoi};
    case 8: return {.number = &s.dispfm10_6};
    case 9: return {.number = &s.dispfm_step};
    case 10: return {.number = &s.sig_delay};
    case 11: return {.number = &s.sig_width};
    case 12: return {.number = &s.sig_minph10_6};
    case 13: return {.number = &s.sig_nminph10_6};
    case 14: return {.number = &s.sig_minph_step};
    case 15: return {.number = &s.sig_nminph_step};
    case 16: return {.number = &s.max_rxsig};
    case 17: return {.number = &s.XPIF};
    default: return {};
    }
}

Field field_of(Acu_Config& c, int column) {
    switch (column) {
    case 0: return {c.Configuration, sizeof c.Configuration};
    case 2: return {.number = &c.CRC};
    case 3: return {.number = &c.TXS};
    case 4: return {.number = &c.TXF};
    case 5: return {.number = &c.RXH};
    case 6: return {.number = &c.RXF};
    case 7: return {.number = &c.DRC};
    default: return {};
    }
}

std::span<const List_Column> columns_of(const Acm_State*) { return acm_list_columns(); }
std::span<const List_Column> columns_of(const Acu_Config*) { return acu_list_columns(); }

// The code of an "Antenna Cfg" text, -1 for none of the choices.
int antenna_code(std::string_view text) {
    const std::vector<std::string>& choices = Acu_List::choices();
    for (std::size_t n = 0; n < choices.size(); ++n) {
        if (equals_nocase(text, choices[n])) {
            return static_cast<int>(n);
        }
    }
    return -1;
}

std::string stripped(std::string_view text) {
    std::string copy(text.substr(0, text.find('\0')));
    strip_space(copy.data());
    copy.resize(std::strlen(copy.c_str()));
    return copy;
}

// Stores a text by its column's rule; true when the row changed.
template <typename Row>
bool store_field(Row& row, int column, std::string_view text) {
    const std::span<const List_Column> columns = columns_of(&row);
    if (column < 0 || column >= static_cast<int>(columns.size())) {
        return false;
    }
    const List_Column& descriptor = columns[static_cast<std::size_t>(column)];
    const std::size_t limit = descriptor.limit_plus_one - 1u;
    if constexpr (std::is_same_v<Row, Acu_Config>) {
        if (column == ACU_CHOICE_COLUMN) {
            const int code = antenna_code(stripped(text));
            if (code < 0 || code == row.ANT) {
                return false;
            }
            row.ANT = static_cast<uint8_t>(code);
            return true;
        }
    }
    const Field field = field_of(row, column);
    if (field.text != nullptr) {
        // The file keeps neither commas (they split its fields), control characters nor "//"
        // (a comment) in these texts, nor blanks around them: what the list shows is what the
        // file will hold.
        std::string stored = stripped(raf_safe_text(std::string(text), true));
        stored.resize(std::min({stored.size(), limit, field.size - 1}));
        stored = stripped(stored);
        if (std::strncmp(field.text, stored.c_str(), field.size) == 0) {
            return false;
        }
        std::memset(field.text, 0, field.size);
        std::memcpy(field.text, stored.data(), stored.size());
        return true;
    }
    if (field.number != nullptr) {
        std::string copy(text.substr(0, limit));
        const double value = get_valid_double(copy.data(), descriptor.char_set);
        if (std::memcmp(field.number, &value, sizeof value) == 0) {
            return false;
        }
        *field.number = value;
        return true;
    }
    return false;
}

// Why a pasted cell cannot be stored; empty when it can.
template <typename Row>
std::string refused_cell(int column, std::string_view text) {
    if constexpr (std::is_same_v<Row, Acu_Config>) {
        const std::string choice = stripped(text);
        if (column == ACU_CHOICE_COLUMN && !choice.empty() && antenna_code(choice) < 0) {
            return "\"" + choice + "\" is not one of TR, DR, TX, RX, TH";
        }
    }
    return {};
}

// The titles of the columns a new row still needs, joined; empty when it is complete.
std::string missing_fields(const Acm_State& s) {
    std::vector<const char*> missing;
    if (s.Mod[0] == '\0') {
        missing.push_back(acm_columns[0].title);
    }
    if (s.thruput[0] == '\0') {
        missing.push_back(acm_columns[1].title);
    }
    if (s.RXthr10_6 == NOT_SET) {
        missing.push_back(acm_columns[4].title);
    }
    if (s.TXmax[0] == NOT_SET) {
        missing.push_back(acm_columns[3].title);
    }
    std::string text;
    for (const char* title : missing) {
        text += text.empty() ? "" : ", ";
        text += title;
    }
    return text;
}

std::string missing_fields(const Acu_Config& c) {
    return c.Configuration[0] == '\0' ? acu_columns[0].title : "";
}

template <typename Row>
const char* entries_name() {
    return std::is_same_v<Row, Acm_State> ? "states" : "configurations";
}

template <typename Row>
std::string cell_text(const Row& row, int column) {
    if constexpr (std::is_same_v<Row, Acu_Config>) {
        if (column == ACU_CHOICE_COLUMN) {
            return row.ANT < Acu_List::choices().size() ? Acu_List::choices()[row.ANT] : "";
        }
    }
    const Field field = field_of(const_cast<Row&>(row), column);
    if (field.text != nullptr) {
        return std::string(field.text, strnlen(field.text, field.size));
    }
    if (field.number != nullptr && *field.number != NOT_SET) {
        return format_fixed(*field.number, 1);
    }
    return {};
}

} // namespace

std::span<const List_Column> acm_list_columns() { return acm_columns; }
std::span<const List_Column> acu_list_columns() { return acu_columns; }

template <typename Row>
Table_List<Row>::Table_List(Row_Table<Row>& table, int max_rows)
    : m_table(table), m_new(Row::fresh()), m_max_rows(max_rows) {
    if (m_table.empty()) {
        m_table.make(0);
    }
}

template <typename Row>
Row* Table_List<Row>::row_at(int row) {
    if (row >= 0 && row < m_table.count()) {
        return &m_table[row];
    }
    return row == m_table.count() ? &m_new : nullptr;
}

template <typename Row>
std::string Table_List<Row>::text(int row, int column) const {
    if (row >= 0 && row < m_table.count()) {
        return cell_text(m_table[row], column);
    }
    return row == m_table.count() ? cell_text(m_new, column) : std::string();
}

template <typename Row>
List_Store Table_List<Row>::finish_new_row(List_Store stored) {
    if (!missing_fields(m_new).empty()) {
        return stored;
    }
    if (m_table.count() >= m_max_rows) {
        return List_Store::full;
    }
    std::vector<Row>& rows = m_table.rows;
    if (rows.size() == rows.capacity()) {
        rows.reserve(rows.size() + 10);
    }
    rows.push_back(m_new);
    m_new = Row::fresh();
    return List_Store::added;
}

template <typename Row>
List_Store Table_List<Row>::store(int row, int column, std::string_view text) {
    Row* target = row_at(row);
    if (target == nullptr || !store_field(*target, column, text)) {
        return List_Store::unchanged;
    }
    return target == &m_new ? finish_new_row(List_Store::changed) : List_Store::changed;
}

template <typename Row>
bool Table_List<Row>::remove(int row) {
    if (row < 0 || row >= m_table.count()) {
        return false;
    }
    m_table.rows.erase(m_table.rows.begin() + row);
    return true;
}

template <typename Row>
List_Paste_Report Table_List<Row>::paste(const std::vector<std::vector<std::string>>& rows,
                                         const std::vector<int>& columns) {
    List_Paste_Report report;
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const int place = static_cast<int>(n);
        if (m_table.count() >= m_max_rows) {
            report.refused.emplace_back(place, "the list holds at most " +
                                                   std::to_string(m_max_rows) + " " +
                                                   entries_name<Row>());
            continue;
        }
        Row entry = Row::fresh();
        std::string refused;
        const std::size_t cells = std::min(rows[n].size(), columns.size());
        for (std::size_t c = 0; c < cells && refused.empty(); ++c) {
            if (columns[c] < 0) {
                continue;
            }
            refused = refused_cell<Row>(columns[c], rows[n][c]);
            store_field(entry, columns[c], rows[n][c]);
        }
        if (refused.empty()) {
            if (const std::string missing = missing_fields(entry); !missing.empty()) {
                refused = "no " + missing;
            }
        }
        if (!refused.empty()) {
            report.refused.emplace_back(place, std::move(refused));
            continue;
        }
        std::vector<Row>& table = m_table.rows;
        if (table.size() == table.capacity()) {
            table.reserve(table.size() + 10);
        }
        table.push_back(entry);
        ++report.added;
    }
    return report;
}

template class Table_List<Acm_State>;
template class Table_List<Acu_Config>;

Acm_List::Acm_List(Acm_Table& table) : Table_List(table, MAX_ACM_STATES) {}

Acu_List::Acu_List(Acu_Table& table) : Table_List(table, MAX_ACU_CONFIGS) {}

const std::vector<std::string>& Acu_List::choices() {
    static const std::vector<std::string> labels(std::begin(acu_antenna_labels),
                                                 std::end(acu_antenna_labels));
    return labels;
}

int Acu_List::selection(int row) const {
    const Acu_Config* config = row >= 0 && row < m_table.count() ? &m_table[row]
                               : row == m_table.count()           ? &m_new
                                                                  : nullptr;
    if (config == nullptr || config->ANT >= choices().size()) {
        return -1;
    }
    return config->ANT;
}

List_Store Acu_List::choose(int row, int index) {
    if (index < 0 || index >= static_cast<int>(choices().size())) {
        return List_Store::unchanged;
    }
    return store(row, ACU_CHOICE_COLUMN, choices()[static_cast<std::size_t>(index)]);
}

std::string paste_report_text(const List_Paste_Report& report, const char* entries,
                              int max_lines) {
    if (report.refused.empty()) {
        return {};
    }
    const std::size_t refused = report.refused.size();
    std::string text = std::to_string(refused) + (refused == 1 ? " pasted row" : " pasted rows") +
                       " did not become " + entries + ":";
    int lines = 0;
    std::size_t at = 0;
    while (at < refused && lines < max_lines) {
        // A run of consecutive rows refused for one reason is one line.
        std::size_t end = at + 1;
        while (end < refused && report.refused[end].first == report.refused[end - 1].first + 1 &&
               report.refused[end].second == report.refused[at].second) {
            ++end;
        }
        const int first = report.refused[at].first + 1;
        const int last = report.refused[end - 1].first + 1;
        text += "\nrow" + std::string(first == last ? " " : "s ") + std::to_string(first);
        if (first != last) {
            text += " to " + std::to_string(last);
        }
        text += ": " + report.refused[at].second;
        ++lines;
        at = end;
    }
    if (at < refused) {
        const std::size_t rest = refused - at;
        text += "\nand " + std::to_string(rest) + (rest == 1 ? " more row" : " more rows");
    }
    return text;
}

std::optional<std::string> acm_discrepancy_question(const Radio_Record& record) {
    const uint8_t type = record.radio_spec.application_type;
    if (type == APPLICATION_ADAPTIVE_MODULATION) {
        return std::nullopt;
    }
    const std::string current = type == APPLICATION_MICROWAVE    ? "Conventional Microwave Radio"
                                : type == APPLICATION_LAND_MOBILE ? "Land Mobile Radio"
                                  : "an unknown type (" + std::to_string(type) + ")";
    return "The application is currently set to " + current +
           ". Change application type to Adaptive Modulation?";
}

void accept_adaptive_modulation(Radio_Record& record) {
    record.radio_spec.application_type = APPLICATION_ADAPTIVE_MODULATION;
}
