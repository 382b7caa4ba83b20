// The antenna form's row texts and apply rules.
#include "antenna_form.h"

#include "antenna_record.h"
#include "antenna_text.h"
#include "nsma_format.h"
#include "nsma_keywords.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr double DBI_OVER_DBD = 2.15;

bool is_form_row(int row) { return row >= 0 && row < NSMA_FORM_ROWS; }

bool is_gain(int row) { return row == ROW_LWGAIN || row == ROW_MDGAIN || row == ROW_HGGAIN; }

// The value a choice row holds.
int32_t* choice_field(Antenna_Record& record, int row) {
    Antenna_Spec& antenna_spec = record.antenna_spec;
    switch (row) {
    case ROW_FEDORN: return &antenna_spec.feed_orientation;
    case ROW_FIELD5: return &antenna_spec.technology;
    case ROW_PATTYP: return &antenna_spec.pattern_type;
    default: return nullptr;
    }
}

// A text as the file gives it back: its first line, cut to the field, in upper case and without
// double quotes (as the reader folds every line), and as the writer writes a text.
std::string file_text_value(std::string_view text, std::size_t limit) {
    std::string value(text.substr(0, text.find_first_of("\r\n")));
    remove_quotes(value.data());
    fold_upper(value.data());
    value.resize(std::min(std::strlen(value.c_str()), limit));
    return nsma_text_value(value);
}

bool store_number(double& field, double value) {
    if (std::memcmp(&field, &value, sizeof value) == 0) {
        return false;
    }
    field = value;
    return true;
}

} // namespace

const std::vector<std::string>& antenna_form_choices(int row) {
    static const std::vector<std::string> none;
    static const std::vector<std::string> feed{"N/A", "LEFT", "RIGHT"};
    static const std::vector<std::string> units{"DBD/DBR", "DBI/DBR"};
    static const std::vector<std::string> technology{
        "Unknown antenna technology", "Dipole antenna technology",
        "Aperture (Parabolic, Microwave .. )"};
    static const std::vector<std::string> pattern{"Unknown", "Typical", "Envelope"};
    switch (row) {
    case ROW_FEDORN: return feed;
    case ROW_GUNITS: return units;
    case ROW_FIELD5: return technology;
    case ROW_PATTYP: return pattern;
    default: return none;
    }
}

std::string antenna_form_tip(int row) {
    // In the order of the keyword table.
    static const char* const tips[NSMA_FORM_ROWS] = {
        "Revision of the NSMA antenna data format the file follows",
        "Date of that format revision, as YYYYMMDD",
        "First free comment line",
        "Second free comment line",
        "Name of the antenna's manufacturer",
        "The manufacturer's model number of the antenna",
        "The manufacturer's number of this pattern file",
        "Identifier of the radiation pattern",
        "Orientation of the feed: left, right, or not applicable",
        "Short description of the antenna; the binary files keep this line too",
        "Second line of the description",
        "Third line of the description",
        "Fourth line of the description",
        "Fifth line of the description",
        "Date the antenna data was measured or issued",
        "Lowest frequency of the antenna's band, in MHz",
        "Highest frequency of the antenna's band, in MHz",
        "Unit of the gains: dBd (over a half-wave dipole) or dBi (over an isotropic "
        "radiator); the pattern levels are relative to the peak (dBr)",
        "Gain at the low end of the band, in the unit Gain units names",
        "Mid-band gain, in the unit Gain units names",
        "Gain at the high end of the band, in the unit Gain units names",
        "Half-power (3 dB) beam width in the horizontal plane, in degrees",
        "Half-power (3 dB) beam width in the vertical plane, in degrees",
        "Type of the antenna's input connector",
        "Voltage standing wave ratio at the input, a ratio such as 1.25, no unit",
        "Ratio of the forward gain to the gain in the opposite direction, in dB",
        "Electrical downtilt of the main beam, in degrees",
        "Height of the radiation centre above the antenna's base, in metres",
        "Isolation between the antenna's two ports, in dB",
        "Highest input power the antenna takes, in watts",
        "Length of the antenna, or the diameter of a dish, in metres",
        "Width of the antenna, in metres",
        "Depth of the antenna, in metres",
        "Weight of the antenna, in kilograms",
        "Kept for a future field of the format; any text",
        "Kept for a future field of the format; any text",
        "Kept for a future field of the format; any text",
        "Kept for a future field of the format; any text",
        "How the antenna radiates: dipole or aperture (parabolic, horn); the binary files need "
        "it",
        "What the patterns show: a typical measurement or the envelope over the worst case",
        "Number of frequencies this file holds patterns for, a whole number",
        "Frequency the patterns were measured at, in MHz",
    };
    return is_form_row(row) ? tips[row] : std::string();
}

std::string antenna_form_text(const Antenna_Record& record, int row) {
    if (!is_form_row(row)) {
        return {};
    }
    auto& r = const_cast<Antenna_Record&>(record);
    const Nsma_Keyword& keyword = nsma_keywords[row];
    if (keyword.kind == NSMA_CHOICE) {
        const std::vector<std::string>& choices = antenna_form_choices(row);
        const int32_t value = row == ROW_GUNITS ? record.gain_in_dbi : *choice_field(r, row);
        return value >= 0 && value < static_cast<int32_t>(choices.size()) ? choices[value]
                                                                           : choices.front();
    }
    if (const Nsma_Text_Field field = nsma_text_field(r, row); field.text != nullptr) {
        return std::string(field.text, strnlen(field.text, field.size));
    }
    if (row == ROW_NOFREQ) {
        const int32_t count = record.header.frequency_count;
        return count == -1 || count == 0 ? std::string() : std::to_string(count);
    }
    if (row == ROW_MDGAIN) {
        return form_number_text(record.gain_in_dbi ? record.antenna_spec.gain_dbi
                                                   : record.antenna_spec.gain_dbd,
                                2);
    }
    const double* number = nsma_real_field(r, row);
    return number != nullptr ? form_number_text(*number, 2) : std::string();
}

bool antenna_form_accepts(int row, char c) {
    if (!is_form_row(row) || c == '\0') {
        return false;
    }
    const Nsma_Keyword& keyword = nsma_keywords[row];
    if (!keyword.enabled || keyword.kind == NSMA_CHOICE) {
        return false;
    }
    if (keyword.char_class <= 1) {
        return true;
    }
    const char* allowed = character_set_chars(static_cast<unsigned char>(keyword.char_class));
    return allowed != nullptr && std::strchr(allowed, c) != nullptr;
}

int antenna_form_limit(int row) {
    if (!is_form_row(row) || nsma_keywords[row].kind == NSMA_CHOICE) {
        return 0;
    }
    return std::max(nsma_keywords[row].size - 1, 0);
}

bool antenna_form_store(Antenna_Record& record, int row, std::string_view text) {
    if (!is_form_row(row) || nsma_keywords[row].kind == NSMA_CHOICE) {
        return false;
    }
    const auto limit = static_cast<std::size_t>(antenna_form_limit(row));
    bool changed = false;
    if (const Nsma_Text_Field field = nsma_text_field(record, row); field.text != nullptr) {
        std::string value = file_text_value(text, std::min(limit, field.size - 1));
        if (value.empty()) {
            // The file cannot say "empty": it reads back as a new record's text.
            static const Antenna_Record fresh;
            value = nsma_text_field(const_cast<Antenna_Record&>(fresh), row).text;
        }
        changed = std::strncmp(field.text, value.c_str(), field.size) != 0;
        copy_text_field(field.text, field.size, value.c_str());
    } else {
        std::string copy(text.substr(0, text.find_first_of("\r\n")).substr(0, limit));
        if (row == ROW_NOFREQ) {
            const int32_t count = copy.empty() ? 0 : get_valid_int32(copy.data(), 7);
            changed = record.header.frequency_count != count;
            record.header.frequency_count = count;
        } else if (row == ROW_MDGAIN) {
            const double value = get_valid_double(copy.data(), 4);
            if (value != NOT_SET) {
                const bool dbi = record.gain_in_dbi != 0;
                changed |= store_number(record.antenna_spec.gain_dbi,
                                        dbi ? value : value + DBI_OVER_DBD);
                changed |= store_number(record.antenna_spec.gain_dbd,
                                        dbi ? value - DBI_OVER_DBD : value);
            }
        } else if (double* number = nsma_real_field(record, row)) {
            double value = get_valid_double(copy.data(), is_gain(row) ? 4 : 3);
            if (value == 0.0 && !is_gain(row)) {
                value = NOT_SET;
            }
            changed = store_number(*number, value);
        }
    }
    if (changed) {
        record.data_changed = 1;
    }
    return changed;
}

bool antenna_form_choose(Antenna_Record& record, int row, int index) {
    const std::vector<std::string>& choices = antenna_form_choices(row);
    if (choices.empty() || index < 0 || index >= static_cast<int>(choices.size())) {
        return false;
    }
    if (row == ROW_GUNITS) {
        if (record.gain_in_dbi == index) {
            return false;
        }
        const double step = index == 1 ? DBI_OVER_DBD : -DBI_OVER_DBD;
        for (double* gain : {&record.header.low_band_gain, &record.header.high_band_gain}) {
            if (*gain != NOT_SET) {
                *gain += step;
            }
        }
        record.gain_in_dbi = static_cast<uint8_t>(index);
    } else {
        int32_t* field = choice_field(record, row);
        if (field == nullptr || *field == index) {
            return false;
        }
        *field = index;
    }
    record.data_changed = 1;
    return true;
}
