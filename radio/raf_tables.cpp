// Rows of the adaptive-modulation and coupling unit tables in the ASCII radio file.
#include "raf_tables.h"

#include "radio_record.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t state_text_limit = 15;
constexpr std::size_t config_name_limit = 46;

std::string label(const char* format, int number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

std::string joined(const std::vector<std::string>& fields) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        text += (i ? ", " : "") + fields[i];
    }
    return text;
}

// An empty field has no value; anything else is read as a number.
void read_number(double& value, const std::vector<std::string>& fields, std::size_t index) {
    if (index < fields.size()) {
        value = fields[index].empty() ? NOT_SET : text_to_double(fields[index].c_str());
    }
}

// Like read_number, but an empty field leaves the value as it is.
void read_given_number(double& value, const std::vector<std::string>& fields, std::size_t index) {
    if (index < fields.size() && !fields[index].empty()) {
        value = text_to_double(fields[index].c_str());
    }
}

// Tells in `cuts` a field of `length` characters that a text of `limit` characters holds in part.
void tell_cut(std::vector<Text_Cut>* cuts, std::size_t length, std::size_t limit) {
    if (cuts != nullptr && length > limit) {
        cuts->push_back({limit, length - limit});
    }
}

template <std::size_t N>
void read_text(char (&text)[N], std::size_t limit, const std::vector<std::string>& fields,
               std::size_t index, std::vector<Text_Cut>* cuts) {
    if (index < fields.size() && !fields[index].empty()) {
        limit = std::min(N - 1, limit);
        tell_cut(cuts, fields[index].size(), limit);
        copy_text(text, limit + 1, fields[index].c_str());
    }
}

// The configuration name of the first field, when it has one.
void read_name(Acu_Config& c, const std::vector<std::string>& f, std::vector<Text_Cut>* cuts) {
    if (!f.empty() && !f[0].empty()) {
        tell_cut(cuts, f[0].size(), config_name_limit);
        std::memset(c.Configuration, 0, sizeof c.Configuration);
        std::strncpy(c.Configuration, f[0].c_str(), config_name_limit);
    }
}

} // namespace

std::string raf_safe_text(std::string text, bool in_list) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 32) {
            c = ' ';
        } else if (in_list && c == ',') {
            c = ';';
        }
    }
    for (std::size_t at = text.find("//"); at != std::string::npos; at = text.find("//", at + 2)) {
        text.insert(at + 1, " ");
    }
    return text;
}

std::vector<std::string> split_fields(const char* text) {
    std::vector<std::string> fields;
    if (text == nullptr) {
        return fields;
    }
    const char* start = text;
    while (true) {
        const char* comma = std::strchr(start, ',');
        std::string item = comma ? std::string(start, comma) : std::string(start);
        strip_space(item.data());
        item.resize(std::strlen(item.c_str()));
        fields.push_back(std::move(item));
        if (comma == nullptr) {
            break;
        }
        start = comma + 1;
    }
    return fields;
}

std::vector<std::string> acm_rows(const Acm_Table& table) {
    std::vector<std::string> rows;
    if (table.empty()) {
        return rows;
    }
    rows.push_back("//ADMOD_A:\tMod, RSEC, RXthr10_6, step_up, step_dn, min_ctoi, thruput");
    for (int n = 0; n < table.count(); ++n) {
        const Acm_State& s = table[n];
        rows.push_back(label("ADMOD_A%02d:", n + 1) + "\t " +
                       joined({raf_safe_text(s.Mod, true), raf_safe_text(s.RSEC, true),
                               raf_double(s.RXthr10_6), raf_double(s.step_up),
                               raf_double(s.step_dn), raf_double(s.min_ctoi),
                               raf_safe_text(s.thruput, true)}));
    }
    rows.push_back("//ADMOD_B:\tdispfm10_6, dispfm_step, sig_delay, sig_width, sig_minph10_6, "
                   "sig_nminph10_6, sig_minph_step, sig_nminph_step, max_rxsig, XPIF");
    for (int n = 0; n < table.count(); ++n) {
        const Acm_State& s = table[n];
        rows.push_back(label("ADMOD_B%02d:", n + 1) + "\t " +
                       joined({raf_double(s.dispfm10_6), raf_double(s.dispfm_step),
                               raf_double(s.sig_delay), raf_double(s.sig_width),
                               raf_double(s.sig_minph10_6), raf_double(s.sig_nminph10_6),
                               raf_double(s.sig_minph_step), raf_double(s.sig_nminph_step),
                               raf_double(s.max_rxsig), raf_double(s.XPIF)}));
    }
    rows.push_back("//ADMOD_C:\tTXmax, TXmin, ATPC_top, , , , , , , , , , , , ");
    for (int n = 0; n < table.count(); ++n) {
        const Acm_State& s = table[n];
        std::vector<std::string> values;
        for (int k = 0; k < ACM_POWER_OPTIONS; ++k) {
            values.push_back(raf_double(s.TXmax[k]));
            values.push_back(raf_double(s.TXmin[k]));
            values.push_back(raf_double(s.ATPC_top[k]));
        }
        rows.push_back(label("ADMOD_C%02d:", n + 1) + "\t " + joined(values));
    }
    return rows;
}

std::vector<std::string> acu_rows(const Acu_Table& table) {
    std::vector<std::string> rows;
    for (int n = 0; n < table.count(); ++n) {
        const Acu_Config& c = table[n];
        rows.push_back(label("ACU_CNFG_%02d:", n + 1) + "\t " +
                       joined({raf_safe_text(std::string(c.Configuration,
                                                         strnlen(c.Configuration, ACU_NAME_SIZE)),
                                             true),
                               std::to_string(c.ANT), raf_double(c.CRC), raf_double(c.TXS),
                               raf_double(c.TXF), raf_double(c.RXH), raf_double(c.RXF),
                               raf_double(c.DRC)}));
    }
    return rows;
}

void read_acm_row(Acm_State& s, char group, const std::vector<std::string>& f,
                  std::vector<Text_Cut>* cuts) {
    switch (group) {
    case 'A':
        read_text(s.Mod, state_text_limit, f, 0, cuts);
        read_text(s.RSEC, state_text_limit, f, 1, cuts);
        read_number(s.RXthr10_6, f, 2);
        read_number(s.step_up, f, 3);
        read_number(s.step_dn, f, 4);
        read_number(s.min_ctoi, f, 5);
        read_text(s.thruput, state_text_limit, f, 6, cuts);
        break;
    case 'B': {
        double* targets[] = {&s.dispfm10_6,     &s.dispfm_step,    &s.sig_delay,
                             &s.sig_width,      &s.sig_minph10_6,  &s.sig_nminph10_6,
                             &s.sig_minph_step, &s.sig_nminph_step, &s.max_rxsig,
                             &s.XPIF};
        for (std::size_t i = 0; i < std::size(targets); ++i) {
            read_number(*targets[i], f, i);
        }
        break;
    }
    case 'C':
        for (int k = 0; k < ACM_POWER_OPTIONS; ++k) {
            const auto base = static_cast<std::size_t>(3 * k);
            read_number(s.TXmax[k], f, base);
            read_number(s.TXmin[k], f, base + 1);
            read_number(s.ATPC_top[k], f, base + 2);
        }
        break;
    default:
        break;
    }
}

void read_acu_row(Acu_Config& c, const std::vector<std::string>& f, std::vector<Text_Cut>* cuts) {
    read_name(c, f, cuts);
    if (f.size() > 1) {
        c.ANT = static_cast<uint8_t>(f[1].empty() ? 0 : text_to_int(f[1].c_str()));
    }
    double* losses[] = {&c.CRC, &c.TXS, &c.TXF, &c.RXH, &c.RXF, &c.DRC};
    for (std::size_t i = 0; i < std::size(losses); ++i) {
        read_number(*losses[i], f, i + 2);
    }
}

void read_old_admod(Acm_State& s, int version, const std::vector<std::string>& f,
                    std::vector<Text_Cut>* cuts) {
    read_text(s.Mod, state_text_limit, f, 0, cuts);
    if (version == 3) {
        read_text(s.RSEC, state_text_limit, f, 1, cuts);
        read_number(s.RXthr10_6, f, 2);
        read_number(s.step_up, f, 3);
        read_number(s.step_dn, f, 4);
        read_number(s.min_ctoi, f, 5);
        read_text(s.thruput, state_text_limit, f, 6, cuts);
    } else {
        read_number(s.TXmax[0], f, 1);
        read_number(s.RXthr10_6, f, 2);
        read_number(s.min_ctoi, f, 3);
        read_text(s.thruput, state_text_limit, f, 4, cuts);
    }
}

void read_old_admod_a(Acm_State& s, int version, const std::vector<std::string>& f) {
    read_given_number(s.dispfm10_6, f, 0);
    read_given_number(s.sig_delay, f, 1);
    read_given_number(s.sig_width, f, 2);
    read_given_number(s.sig_minph10_6, f, 3);
    read_given_number(s.sig_nminph10_6, f, 4);
    read_given_number(s.max_rxsig, f, 5);
    if (version == 3) {
        read_given_number(s.XPIF, f, 6);
    }
}

void read_old_admod_b(Acm_State& s, const std::vector<std::string>& f) {
    for (int k = 0; k < ACM_POWER_OPTIONS; ++k) {
        const auto base = static_cast<std::size_t>(3 * k);
        read_number(s.TXmax[k], f, base);
        read_number(s.TXmin[k], f, base + 1);
        read_number(s.ATPC_top[k], f, base + 2);
    }
}

void read_old_acu(Acu_Config& c, int version, const std::vector<std::string>& f,
                  std::vector<Text_Cut>* cuts) {
    read_name(c, f, cuts);
    std::size_t next = 1;
    if (version >= 2) {
        if (f.size() > 1) {
            c.ANT = static_cast<uint8_t>(text_to_int(f[1].c_str()));
        }
        next = 2;
    }
    double* losses[] = {&c.CRC, &c.TXS, &c.TXF, &c.RXH, &c.RXF, &c.DRC};
    for (std::size_t i = 0; i < std::size(losses); ++i) {
        read_number(*losses[i], f, next + i);
    }
}

void make_acm_table_from_entries(Acm_Table& table, const Acm_State* entries) {
    table.clear();
    table.rows.reserve(OLD_ACM_ENTRIES);
    for (int i = 0; i < OLD_ACM_ENTRIES; ++i) {
        const Acm_State& entry = entries[i];
        if (entry.Mod[0] == '\0' || entry.RXthr10_6 == NOT_SET) {
            continue;
        }
        // Only the part up to the reserved bytes at 280 is carried over; the step fields and
        // the rest stay fresh.
        Acm_State state = Acm_State::fresh();
        std::memcpy(&state, &entry, offsetof(Acm_State, reserved_280));
        table.rows.push_back(state);
    }
}
