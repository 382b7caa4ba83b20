// Reading a version 5 ASCII radio file (versions 01 to 04) into a radio record.
#include "raf_format.h"
#include "raf_tables.h"
#include "radio_record.h"

#include "data_findings.h"
#include "string_list.h"
#include "syntax_error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// Labels that only the older versions have.
constexpr const char* old_labels[] = {"ADAPTMOD 1", "ADAPTMOD 2", "ACU"};

// Points are stored in single precision.
bool fits_float(double value) {
    return value != NOT_SET && std::fabs(value) <= std::numeric_limits<float>::max();
}

// One content line of the file: trimmed, with its 1-based line number.
struct Raf_Line {
    char text[RAF_MAX_LINE + 1];
    int number;
};

class Raf_Reader {
public:
    Raf_Reader(Radio_Record& record, string_list& lines, std::vector<std::string>* texts_cut)
        : m_record(record), m_spec(record.radio_spec), m_lines(lines),
          m_error(data_syntax_error()), m_texts_cut(texts_cut) {}

    void read();

private:
    enum class Next { line, end };

    [[noreturn]] void fault(int number, const char* what) {
        m_error.raise(number, m_lines[number - 1], what);
    }
    // Moves to the next line that holds something: empty and comment lines are passed over.
    // Returns Next::end at the end of the list or at ENDFIL (which ends the whole read).
    Next next_line(Raf_Line& line);
    // Whether at least `needed` lines that could be rows (not empty, no comment) follow. Looks no
    // further than it must.
    bool rows_follow(long long needed) const;

    void read_version_4();
    void read_old_version();
    // Splits a keyword line; false (line skipped) when its value is empty.
    bool split(Raf_Line& line, char*& keyword, char*& value);
    // Stores a row of values: a row of one cell takes the whole value text (a text keeps its
    // commas, a number is the text's leading number), a row of several takes one field per cell.
    // An empty field gives no number (NOT_SET, -1 for an integer) and leaves a text as it was.
    void store_row(int row, const char* value, const std::vector<std::string>& fields);
    void store_cell(int row, int index, const char* text);
    bool store_old_keyword(const char* keyword, const char* value,
                           const std::vector<std::string>& fields);
    // The blocks after a count line; false when ENDFIL or the end came first.
    bool read_acm_block(const char* value, const Raf_Line& line);
    bool read_acu_block(const char* value, const Raf_Line& line);
    // The next row: its value fields and, when asked, its keyword.
    bool read_row(Raf_Line& line, std::vector<std::string>& fields, std::string* keyword = nullptr);
    // Checks a count against the lines that could hold its rows.
    int checked_count(const char* value, int lines_per_item, const Raf_Line& line);
    void read_curve_block(const char* keyword, const char* value, const Raf_Line& line);
    // Tells a text of `length` characters that a field of `size` bytes holds only in part.
    void tell_cut(const char* keyword, std::size_t length, std::size_t size);
    void tell_cuts(const std::string& keyword, const std::vector<Text_Cut>& cuts);

    Radio_Record& m_record;
    Radio_Spec& m_spec;
    string_list& m_lines;
    Data_Syntax_Error& m_error;
    std::vector<std::string>* m_texts_cut; // null when nobody asks
    int m_position = 0; // index of the next line to look at
    int m_version = 0;
    bool m_ended = false;
    // The older versions' fixed entries.
    Acm_State m_old_states[OLD_ACM_ENTRIES];
    Acu_Config m_old_configs[OLD_ACU_ENTRIES];
    bool m_old_config_given[OLD_ACU_ENTRIES] = {};
};

Raf_Reader::Next Raf_Reader::next_line(Raf_Line& line) {
    while (m_position < m_lines.count()) {
        const int number = ++m_position;
        const char* raw = m_lines[number - 1];
        if (std::strlen(raw) > RAF_MAX_LINE) {
            fault(number, "line longer than 255 characters");
        }
        std::strcpy(line.text, raw);
        strip_space(line.text);
        if (line.text[0] == '\0' || std::strncmp(line.text, "//", 2) == 0 ||
            line.text[0] == '\r' || line.text[0] == '\n') {
            continue;
        }
        if (std::strcmp(line.text, RAF_END) == 0) {
            m_ended = true;
            return Next::end;
        }
        line.number = number;
        return Next::line;
    }
    m_ended = true;
    return Next::end;
}

void Raf_Reader::read() {
    Raf_Line line;
    if (next_line(line) == Next::end) {
        return; // nothing but comments: no version, nothing read
    }
    for (int i = 0; i < 4; ++i) {
        if (std::strcmp(line.text, RAF_IDENTIFIERS[i]) == 0) {
            m_version = i + 1;
        }
    }
    if (m_version == 0) {
        fault(line.number, "unknown file identifier");
    }
    if (m_version == 4) {
        read_version_4();
    } else {
        read_old_version();
    }
}

bool Raf_Reader::split(Raf_Line& line, char*& keyword, char*& value) {
    char* colon = std::strchr(line.text, ':');
    if (colon == nullptr) {
        fault(line.number, "line without a colon");
    }
    *colon = '\0';
    keyword = line.text;
    strip_space(keyword);
    value = colon + 1;
    if (char* comment = std::strstr(value, "//")) {
        *comment = '\0';
    }
    strip_space(value);
    return value[0] != '\0';
}

void Raf_Reader::read_version_4() {
    Raf_Line line;
    while (!m_ended && next_line(line) == Next::line) {
        char* keyword;
        char* value;
        if (!split(line, keyword, value)) {
            continue;
        }
        const int row = find_raf_row(keyword);
        if (row < 0) {
            read_curve_block(keyword, value, line);
            continue;
        }
        switch (raf_keyword(row).kind) {
        case Raf_Row_Kind::acm_count:
            read_acm_block(value, line);
            break;
        case Raf_Row_Kind::acu_count:
            read_acu_block(value, line);
            break;
        case Raf_Row_Kind::values:
            store_row(row, value, split_fields(value));
            break;
        case Raf_Row_Kind::heading:
            break;
        }
    }
}

void Raf_Reader::read_old_version() {
    for (Acm_State& entry : m_old_states) {
        entry = Acm_State::fresh();
    }
    for (Acu_Config& entry : m_old_configs) {
        entry = Acu_Config::fresh();
    }
    Raf_Line line;
    while (!m_ended && next_line(line) == Next::line) {
        char* keyword;
        char* value;
        if (!split(line, keyword, value)) {
            continue;
        }
        const std::vector<std::string> fields = split_fields(value);
        if (store_old_keyword(keyword, value, fields)) {
            continue;
        }
        // The older versions have no count lines: their keywords are as unknown as any other.
        const int row = find_raf_row(keyword);
        const bool count_line = row >= 0 && (raf_keyword(row).kind == Raf_Row_Kind::acm_count ||
                                             raf_keyword(row).kind == Raf_Row_Kind::acu_count);
        if (row < 0 || count_line) {
            read_curve_block(keyword, value, line);
        } else if (raf_keyword(row).kind == Raf_Row_Kind::values) {
            store_row(row, value, fields);
        }
    }
    make_acm_table_from_entries(m_record.acm_table, m_old_states);
    m_record.acu_table.clear();
    for (int i = 0; i < OLD_ACU_ENTRIES; ++i) {
        if (m_old_config_given[i]) {
            m_record.acu_table.rows.push_back(m_old_configs[i]);
        }
    }
}

// The keywords that only the older versions know. True when the line was one of them.
bool Raf_Reader::store_old_keyword(const char* keyword, const char* value,
                                   const std::vector<std::string>& fields) {
    for (const char* label : old_labels) {
        if (std::strcmp(keyword, label) == 0) {
            return true;
        }
    }
    const double number = text_to_double(value);
    if (std::strcmp(keyword, "DATA_RATE_MBS") == 0) {
        m_spec.tx_data_rate = m_spec.rx_data_rate = number;
        return true;
    }
    if (std::strcmp(keyword, "BANDWIDTH_3DB_MHZ") == 0) {
        m_spec.bandwidth_3db_tx = m_spec.bandwidth_3db_rx = number;
        return true;
    }
    if (std::strcmp(keyword, "ATPC_TRIGGER_POINT_DBM") == 0) {
        m_spec.required_rx_signal = number;
        return true;
    }
    if (std::strcmp(keyword, "IF_COMB_GAIN") == 0) {
        m_spec.gain_width_depth[0] = number;
        m_spec.gain_width_depth[1] = NOT_SET;
        m_spec.signature_depth_factor = NOT_SET;
        return true;
    }
    if (std::strcmp(keyword, "LCOMB_FACTOR") == 0) {
        return true;
    }
    if (std::strcmp(keyword, "ADMOD_1B") == 0) {
        // A run of ten lines, one per entry in file order; only the first carries its keyword.
        read_old_admod_b(m_old_states[0], fields);
        for (int entry = 1; entry < OLD_ACM_ENTRIES; ++entry) {
            Raf_Line row;
            std::vector<std::string> row_fields;
            if (!read_row(row, row_fields)) {
                return true;
            }
            read_old_admod_b(m_old_states[entry], row_fields);
        }
        return true;
    }
    for (int n = 1; n <= OLD_ACM_ENTRIES; ++n) {
        const std::string state = "ADMOD_" + std::to_string(n);
        if (keyword == state) {
            std::vector<Text_Cut> cuts;
            read_old_admod(m_old_states[n - 1], m_version, fields, &cuts);
            tell_cuts(keyword, cuts);
            return true;
        }
        if (keyword == state + "A") {
            read_old_admod_a(m_old_states[n - 1], m_version, fields);
            return true;
        }
    }
    for (int n = 1; n <= OLD_ACU_ENTRIES; ++n) {
        if (keyword == "ACU_CONFIG_" + std::to_string(n)) {
            std::vector<Text_Cut> cuts;
            read_old_acu(m_old_configs[n - 1], m_version, fields, &cuts);
            tell_cuts(keyword, cuts);
            m_old_config_given[n - 1] = true;
            return true;
        }
    }
    return false;
}

void Raf_Reader::store_row(int row, const char* value, const std::vector<std::string>& fields) {
    const Raf_Keyword& entry = raf_keyword(row);
    const bool older = m_version < 3;
    if (older && (entry.rules & RAF_SINCE_VERSION_03) != 0) {
        return;
    }
    if (entry.cells == 1) {
        store_cell(row, 0, value);
        return;
    }
    const int cells = older && (entry.rules & RAF_FOUR_BEFORE_03) != 0 ? 4 : entry.cells;
    for (int i = 0; i < cells && static_cast<std::size_t>(i) < fields.size(); ++i) {
        store_cell(row, i, fields[static_cast<std::size_t>(i)].c_str());
    }
}

void Raf_Reader::store_cell(int row, int index, const char* text) {
    const Raf_Keyword& entry = raf_keyword(row);
    const Raf_Cell cell = raf_cell(m_record, row, index);
    // Only a field of a list can be empty: a line with an empty value is passed over.
    const bool empty = text[0] == '\0';
    if (cell.text != nullptr) {
        if (empty && (entry.rules & RAF_STORES_EMPTY_TEXT) == 0) {
            return;
        }
        tell_cut(entry.keyword, std::strlen(text), cell.size);
        copy_text(cell.text, cell.size, text);
    } else if (cell.number != nullptr) {
        *cell.number = empty ? NOT_SET : text_to_double(text);
    } else if (cell.integer != nullptr) {
        *cell.integer = empty ? -1 : text_to_int(text);
    } else if (cell.code != nullptr) {
        // A byte keeps the low eight bits.
        const int shift = (entry.rules & RAF_ONE_BASED) != 0 ? 1 : 0;
        *cell.code = static_cast<uint8_t>(text_to_int(text) - shift);
    }
    if (entry.derive != nullptr) {
        entry.derive(m_record, index);
    }
}

void Raf_Reader::tell_cut(const char* keyword, std::size_t length, std::size_t size) {
    if (m_texts_cut != nullptr && length >= size) {
        m_texts_cut->push_back(text_cut_warning(keyword, size - 1, length - (size - 1)));
    }
}

void Raf_Reader::tell_cuts(const std::string& keyword, const std::vector<Text_Cut>& cuts) {
    for (const Text_Cut& cut : cuts) {
        if (m_texts_cut != nullptr) {
            m_texts_cut->push_back(text_cut_warning(keyword, cut.kept, cut.lost));
        }
    }
}

bool Raf_Reader::rows_follow(long long needed) const {
    // The lines next_line passes over, told without copying them.
    const auto blank = [](const char* text) {
        for (; *text != '\0'; ++text) {
            if (static_cast<unsigned char>(*text) > ' ') {
                return false;
            }
        }
        return true;
    };
    for (int index = m_position; index < m_lines.count() && needed > 0; ++index) {
        const char* text = m_lines[index];
        text += std::strspn(text, " \t");
        if (blank(text) || std::strncmp(text, "//", 2) == 0 || text[0] == '\r' ||
            text[0] == '\n') {
            continue;
        }
        --needed;
    }
    return needed <= 0;
}

int Raf_Reader::checked_count(const char* value, int lines_per_item, const Raf_Line& line) {
    const int count = text_to_int(value);
    if (count < 0) {
        fault(line.number, "negative count");
    }
    // Rows are made for the count before they are read: comment lines cannot be rows, so a
    // count is held against the lines that can.
    if (!rows_follow(static_cast<long long>(count) * lines_per_item)) {
        fault(line.number, "count larger than the lines that follow");
    }
    return count;
}

bool Raf_Reader::read_row(Raf_Line& line, std::vector<std::string>& fields,
                          std::string* keyword) {
    if (next_line(line) == Next::end) {
        return false;
    }
    char* colon = std::strchr(line.text, ':');
    if (colon == nullptr) {
        fault(line.number, "row without a colon");
    }
    if (keyword != nullptr) {
        *keyword = std::string(line.text, colon);
        keyword->resize(keyword->find_last_not_of(" \t") + 1);
    }
    char* value = colon + 1;
    if (char* comment = std::strstr(value, "//")) {
        *comment = '\0';
    }
    strip_space(value);
    fields = split_fields(value);
    return true;
}

bool Raf_Reader::read_acm_block(const char* value, const Raf_Line& count_line) {
    const int count = checked_count(value, 3, count_line);
    if (count == 0) {
        return true;
    }
    m_record.acm_table.make(count);
    for (char group : {'A', 'B', 'C'}) {
        for (int n = 0; n < count; ++n) {
            Raf_Line line;
            std::vector<std::string> fields;
            std::string keyword;
            if (!read_row(line, fields, &keyword)) {
                return false;
            }
            std::vector<Text_Cut> cuts;
            read_acm_row(m_record.acm_table[n], group, fields, &cuts);
            tell_cuts(keyword, cuts);
        }
    }
    return true;
}

bool Raf_Reader::read_acu_block(const char* value, const Raf_Line& count_line) {
    const int count = checked_count(value, 1, count_line);
    if (count == 0) {
        m_record.acu_table.clear();
        return true;
    }
    m_record.acu_table.make(count);
    for (int n = 0; n < count; ++n) {
        Raf_Line line;
        std::vector<std::string> fields;
        std::string keyword;
        if (!read_row(line, fields, &keyword)) {
            return false;
        }
        std::vector<Text_Cut> cuts;
        read_acu_row(m_record.acu_table[n], fields, &cuts);
        tell_cuts(keyword, cuts);
    }
    return true;
}

void Raf_Reader::read_curve_block(const char* keyword, const char* value, const Raf_Line& header) {
    const int type = find_curve_type(keyword);
    if (type < 0) {
        fault(header.number, "unknown keyword");
    }
    const int count = checked_count(value, 1, header);
    if (count == 0) {
        return;
    }
    // Points: comment and blank lines between them are passed over like anywhere else.
    std::vector<std::pair<float, float>> pairs;
    pairs.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        Raf_Line line;
        if (next_line(line) == Next::end) {
            fault(header.number, "fewer point lines than the count");
        }
        const char* comma = std::strchr(line.text, ',');
        if (comma == nullptr) {
            fault(line.number, "point line without a comma");
        }
        const double offset = text_to_double(line.text);
        const double db = text_to_double(comma + 1);
        if (!fits_float(offset) || !fits_float(db)) {
            fault(line.number, "point value out of range");
        }
        pairs.emplace_back(static_cast<float>(offset), static_cast<float>(db));
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    Radio_Curve curve;
    curve.curve_type = static_cast<uint8_t>(type);
    curve.power_integral = NOT_SET;
    curve.points.reserve(pairs.size());
    for (const auto& [offset, db] : pairs) {
        curve.points.push_back({offset, db, static_cast<float>(std::pow(10.0, db / 10.0))});
    }
    curve.update_limits();
    if (carries_codes(type)) {
        const char* after_count = std::strchr(value, ',');
        curve.interfering_codes = split_codes(after_count ? after_count + 1 : nullptr);
        // split_codes cuts a code to its field: the codes as they stand in the line tell how much.
        if (after_count != nullptr) {
            for (const std::string& field : split_fields(after_count + 1)) {
                tell_cut(curve_type_name(type).c_str(), field.size(), CURVE_CODE_SIZE);
            }
        }
    }
    const bool code_missing = is_other_radio_type(type) && curve.interfering_codes.empty();
    if (code_missing) {
        curve.interfering_codes.emplace_back(MISSING_RADIO_CODE);
    }
    name_curve(curve, true);
    m_record.curves.append(std::move(curve));
    if (code_missing) {
        fault(header.number, "curve against other radios without a radio code");
    }
}

} // namespace

void read_raf_lines(Radio_Record& record, string_list& lines, const char* path,
                    std::vector<std::string>* texts_cut) {
    data_syntax_error().start_read(path);
    Raf_Reader(record, lines, texts_cut).read();
}

void read_raf_file(Radio_Record& record, const char* path, Error_Handler* handler) {
    data_syntax_error().start_read(path);
    string_list lines(handler, path);
    read_raf_lines(record, lines, path);
}
