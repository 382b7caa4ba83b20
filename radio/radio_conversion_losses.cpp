// What a conversion between radio file kinds loses, found by writing the target in memory and
// reading it back.
#include "radio_conversion_losses.h"

#include "error_handler.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_open.h"
#include "radio_record.h"
#include "raf_format.h"
#include "raf_keywords.h"
#include "raf_tables.h"
#include "rsd_format.h"
#include "syntax_error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Told when the target's bytes do not read back at all.
constexpr const char* WHOLE_RECORD = "the whole record";

// Numbers come back through texts of enough decimals to read back the same double; a difference
// below a billionth of the value is the text's rounding, not data.
bool same_number(double a, double b) {
    if (a == b) {
        return true;
    }
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return false;
    }
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

// Whether `back` is `source` cut short: a part of it kept, the rest lost.
bool cut_from(const std::string& source, const std::string& back) {
    return !back.empty() && back.size() < source.size() &&
           source.compare(0, back.size(), back) == 0;
}

// The losses as they are found, each field told once.
class Loss_List {
public:
    void not_kept(const std::string& what) {
        if (std::find(m_losses.not_kept.begin(), m_losses.not_kept.end(), what) ==
            m_losses.not_kept.end()) {
            m_losses.not_kept.push_back(what);
        }
    }
    // A set text that came back as `back`: kept, cut or lost.
    void text(const std::string& what, const std::string& source, const std::string& back) {
        if (source.empty() || source == back) {
            return;
        }
        if (cut_from(source, back)) {
            m_losses.texts_cut.push_back(
                text_cut_warning(what, back.size(), source.size() - back.size()));
        } else {
            not_kept(what);
        }
    }
    Conversion_Losses take() { return std::move(m_losses); }

private:
    Conversion_Losses m_losses;
};

// Emission spectra are normalised when a binary file is written: their levels move together by
// one constant, so that only the shape is theirs to keep.
bool is_emission_type(int type) {
    return type == CURVE_TX_EMISSION ||
           (type >= CURVE_TX_EMISSION_STATE_FIRST && type <= CURVE_TX_EMISSION_STATE_LAST);
}

// The same points: the same offsets, and the same levels (or, `shape_only`, the same levels
// relative to the first, to a thousandth of a dB, which the single-precision levels hold).
bool same_points(const std::vector<Radio_Point>& a, const std::vector<Radio_Point>& b,
                 bool shape_only) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].offset != b[i].offset) {
            return false;
        }
        if (shape_only ? std::fabs((a[i].db - a[0].db) - (b[i].db - b[0].db)) > 1e-3
                       : a[i].db != b[i].db) {
            return false;
        }
    }
    return true;
}

template <std::size_t N>
std::string text_of(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// ---- Version 5 ----

void compare_v5_cells(const Radio_Record& source, const Radio_Record& back, Loss_List& losses) {
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        const Raf_Keyword& entry = raf_keyword(row);
        if (entry.kind == Raf_Row_Kind::acm_count) {
            if (!source.acm_table.empty() &&
                acm_rows(source.acm_table) != acm_rows(back.acm_table)) {
                losses.not_kept(entry.keyword);
            }
            continue;
        }
        if (entry.kind == Raf_Row_Kind::acu_count) {
            if (!source.acu_table.empty() &&
                acu_rows(source.acu_table) != acu_rows(back.acu_table)) {
                losses.not_kept(entry.keyword);
            }
            continue;
        }
        for (int cell = 0; entry.kind == Raf_Row_Kind::values && cell < entry.cells; ++cell) {
            const Raf_Cell a = raf_cell(source, row, cell);
            const Raf_Cell b = raf_cell(back, row, cell);
            if (a.text != nullptr) {
                losses.text(entry.keyword, std::string(a.text, strnlen(a.text, a.size)),
                            std::string(b.text, strnlen(b.text, b.size)));
            } else if (a.number != nullptr) {
                if (*a.number != NOT_SET && !same_number(*a.number, *b.number)) {
                    losses.not_kept(entry.keyword);
                }
            } else if (a.integer != nullptr) {
                if (*a.integer != -1 && *a.integer != *b.integer) {
                    losses.not_kept(entry.keyword);
                }
            } else if (a.code != nullptr && *a.code != *b.code) {
                // A choice is always set: its default is a choice too.
                losses.not_kept(entry.keyword);
            }
        }
    }
    // The fields without a keyword that the binary file and version 4 carry.
    const Radio_Spec& a = source.radio_spec;
    const Radio_Spec& b = back.radio_spec;
    const auto number = [&](const char* name, double value, double value_back) {
        if (value != NOT_SET && !same_number(value, value_back)) {
            losses.not_kept(name);
        }
    };
    number("ttoi_cw", a.ttoi_cw, b.ttoi_cw);
    number("reserved_1040", a.reserved_1040, b.reserved_1040);
    for (int i = 0; i < 3; ++i) {
        number("reserved_1096", a.reserved_1096[i], b.reserved_1096[i]);
    }
}

// The code `j` of a curve as the losses name it.
std::string code_label(const Radio_Curve& curve, std::size_t j) {
    return curve_type_name(curve.curve_type) + " code " + curve.interfering_codes[j];
}

// The code `code` came back as `back`: the same, cut short, or something else.
enum class Code_Fate { same, cut, other };
Code_Fate code_fate(const std::string& code, const std::string& back) {
    return code == back           ? Code_Fate::same
           : cut_from(code, back) ? Code_Fate::cut
                                  : Code_Fate::other;
}

// Where a code of a curve against other radios came back: on any curve of the same type and
// points (a conversion through version 4 splits a curve by its codes and joins neighbours of the
// same points again), whole or cut.
void compare_other_radio_codes(const Radio_Curve& curve, const Radio_Curve_List& back,
                               Loss_List& losses) {
    for (std::size_t j = 0; j < curve.interfering_codes.size(); ++j) {
        const std::string& code = curve.interfering_codes[j];
        std::string found;
        for (const Radio_Curve& other : back) {
            if (other.curve_type != curve.curve_type ||
                !same_points(curve.points, other.points, false)) {
                continue;
            }
            for (const std::string& other_code : other.interfering_codes) {
                const Code_Fate fate = code_fate(code, other_code);
                if (fate == Code_Fate::same || (fate == Code_Fate::cut && found.empty())) {
                    found = other_code;
                }
            }
        }
        losses.text(code_label(curve, j), code, found);
    }
}

// Curves are told apart by their type, codes and points; their names follow from the type and
// codes (and a curve of a state is named by its code only when read from a file).
void compare_v5_curves(const Radio_Curve_List& source, const Radio_Curve_List& back,
                       Loss_List& losses) {
    const auto first_code = [](const Radio_Curve& curve) {
        return curve.interfering_codes.empty() ? std::string() : curve.interfering_codes.front();
    };
    std::vector<bool> used(static_cast<std::size_t>(back.count()), false);
    for (const Radio_Curve& curve : source) {
        if (is_derived_type(curve.curve_type)) {
            continue; // made again whenever a binary file is written
        }
        if (is_other_radio_type(curve.curve_type)) {
            compare_other_radio_codes(curve, back, losses);
            continue;
        }
        // The curve of the same type and points, best with the same first code.
        int match = -1;
        for (int i = 0; i < back.count(); ++i) {
            const Radio_Curve& other = back[i];
            if (used[static_cast<std::size_t>(i)] || other.curve_type != curve.curve_type ||
                !same_points(curve.points, other.points, is_emission_type(curve.curve_type))) {
                continue;
            }
            if (match < 0) {
                match = i;
            }
            if (first_code(curve) == first_code(other)) {
                match = i;
                break;
            }
        }
        if (match < 0) {
            losses.not_kept(text_of(curve.name));
            continue;
        }
        used[static_cast<std::size_t>(match)] = true;
        const Radio_Curve& kept = back[match];
        for (std::size_t j = 0; j < curve.interfering_codes.size(); ++j) {
            losses.text(code_label(curve, j), curve.interfering_codes[j],
                        j < kept.interfering_codes.size() ? kept.interfering_codes[j]
                                                          : std::string());
        }
    }
}

void compare_v5(const Radio_Record& source, const Radio_Record& back, Loss_List& losses) {
    compare_v5_cells(source, back, losses);
    compare_v5_curves(source.curves, back.curves, losses);
}

// ---- Version 4 ----

void compare_v4_fields(const Radio4_Record& source, const Radio4_Record& back, Loss_List& losses) {
    const char* a = reinterpret_cast<const char*>(&source.radio_spec);
    const char* b = reinterpret_cast<const char*>(&back.radio_spec);
    const auto number_at = [](const char* fields, std::size_t offset) {
        double value;
        std::memcpy(&value, fields + offset, sizeof value);
        return value;
    };
    for (int index = 0; index < RAF4_KEYWORD_COUNT; ++index) {
        const Raf4_Keyword& entry = raf4_keyword(index);
        switch (entry.value) {
        case Raf4_Value::text:
            losses.text(entry.keyword,
                        std::string(a + entry.offset, strnlen(a + entry.offset, entry.size)),
                        std::string(b + entry.offset, strnlen(b + entry.offset, entry.size)));
            break;
        case Raf4_Value::number:
        case Raf4_Value::data_rate:
        case Raf4_Value::steps: {
            const double value = number_at(a, entry.offset);
            if (value != NOT_SET && !same_number(value, number_at(b, entry.offset))) {
                losses.not_kept(entry.keyword);
            }
            break;
        }
        case Raf4_Value::stability_ppm:
            break; // a second view of STABILITY_PRC
        default:
            // The flags: always a choice.
            if (raf4_value_text(source.radio_spec, index) !=
                raf4_value_text(back.radio_spec, index)) {
                losses.not_kept(entry.keyword);
            }
            break;
        }
    }
    // The values without a keyword that only the binary file holds.
    const Radio4_Record fresh;
    const Radio4_Spec& s = source.radio_spec;
    const Radio4_Spec& t = back.radio_spec;
    const Radio4_Spec& f = fresh.radio_spec;
    for (int i = 0; i < RADIO4_FURTHER_COUNT; ++i) {
        if (s.further[i] != f.further[i] && !same_number(s.further[i], t.further[i])) {
            losses.not_kept("further");
        }
    }
    if (std::memcmp(s.reserved_525, t.reserved_525, sizeof s.reserved_525) != 0 &&
        std::memcmp(s.reserved_525, f.reserved_525, sizeof s.reserved_525) != 0) {
        losses.not_kept("reserved_525");
    }
    for (int i = 0; i < RADIO4_RESERVED_COUNT; ++i) {
        if (s.reserved_779[i] != f.reserved_779[i] &&
            !same_number(s.reserved_779[i], t.reserved_779[i])) {
            losses.not_kept("reserved_779");
        }
    }
}

// A version 4 curve as version 5 knows it: its type and code in the radio, or only its name when
// version 5 has no type for it.
std::pair<int, std::string> radio4_curve_key(const Radio4_Spec& radio_spec,
                                             const Radio4_Curve& curve) {
    std::string code;
    const int type = radio4_curve_type(radio_spec, curve.name, &code);
    return type < 0 ? std::pair{-1, text_of(curve.name)} : std::pair{type, code};
}

void compare_v4_curves(const Radio4_Record& source, const Radio4_Record& back, Loss_List& losses) {
    std::vector<std::pair<int, std::string>> back_keys;
    for (const Radio4_Curve& curve : back.curves) {
        back_keys.push_back(radio4_curve_key(back.radio_spec, curve));
    }
    std::vector<bool> used(back_keys.size(), false);
    for (const Radio4_Curve& curve : source.curves) {
        const auto key = radio4_curve_key(source.radio_spec, curve);
        bool kept = false;
        std::size_t i = 0;
        for (auto other = back.curves.begin(); other != back.curves.end(); ++other, ++i) {
            if (!used[i] && back_keys[i] == key &&
                same_points(curve.points, other->points, is_emission_type(key.first))) {
                used[i] = kept = true;
                break;
            }
        }
        if (!kept) {
            losses.not_kept(text_of(curve.name));
        }
    }
}

void compare_v4(const Radio4_Record& source, const Radio4_Record& back, Loss_List& losses) {
    compare_v4_fields(source, back, losses);
    compare_v4_curves(source, back, losses);
}

// ---- Writing and reading back ----

bool is_v5_target(Radio_File_Kind target) {
    return target == Radio_File_Kind::raf5 || target == Radio_File_Kind::rsd;
}

// The version 5 record a file of `target` written from `record` reads back as.
std::unique_ptr<Radio_Record> v5_round_trip(const Radio_Record& record, Radio_File_Kind target) {
    std::string bytes;
    if (target == Radio_File_Kind::raf5) {
        bytes = raf_text(record);
    } else {
        Radio_Record work = record; // the writer derives into the record
        bytes = rsd_image(work, false);
    }
    Error_Handler handler;
    std::vector<std::string> warnings;
    auto back = std::make_unique<Radio_Record>();
    read_v5_bytes(*back, target, bytes, "converted", &handler, warnings);
    return back;
}

// The version 4 record a file of `target` written from `record` reads back as; null when the
// writer refuses the record.
std::unique_ptr<Radio4_Record> v4_round_trip(const Radio4_Record& record, Radio_File_Kind target) {
    std::string bytes;
    if (target == Radio_File_Kind::raf4) {
        if (!raf4_unwritable_reason(record).empty()) {
            return nullptr;
        }
        bytes = raf4_text(record);
    } else {
        Radio4_Record work = record; // as write_mrs_file writes it
        derive_radio4_record(work);
        bytes = mrs_bytes(work);
    }
    Error_Handler handler;
    std::vector<std::string> warnings;
    auto back = std::make_unique<Radio4_Record>();
    read_v4_bytes(*back, target, bytes, "converted", &handler, warnings);
    return back;
}

// Runs `compare`, telling the whole record lost when the target does not read back.
template <typename Compare>
Conversion_Losses losses_of(Compare compare) {
    Loss_List losses;
    try {
        compare(losses);
    } catch (Error_Handler*) {
        losses = Loss_List();
        losses.not_kept(WHOLE_RECORD);
    } catch (Data_Syntax_Error*) {
        losses = Loss_List();
        losses.not_kept(WHOLE_RECORD);
    }
    return losses.take();
}

} // namespace

Conversion_Losses v5_conversion_losses(const Radio_Record& record, Radio_File_Kind target) {
    return losses_of([&](Loss_List& losses) {
        if (is_v5_target(target)) {
            compare_v5(record, *v5_round_trip(record, target), losses);
            return;
        }
        if (target != Radio_File_Kind::mrs && target != Radio_File_Kind::raf4) {
            return;
        }
        const auto v4 = std::make_unique<Radio4_Record>();
        convert_v5_to_v4(record, *v4);
        const auto back4 = v4_round_trip(*v4, target);
        if (back4 == nullptr) {
            return;
        }
        const auto back = std::make_unique<Radio_Record>();
        std::vector<std::string> passed_over;
        convert_v4_to_v5(*back4, *back, passed_over);
        compare_v5(record, *back, losses);
    });
}

Conversion_Losses v4_conversion_losses(const Radio4_Record& record, Radio_File_Kind target) {
    return losses_of([&](Loss_List& losses) {
        if (target == Radio_File_Kind::mrs || target == Radio_File_Kind::raf4) {
            if (const auto back = v4_round_trip(record, target)) {
                compare_v4(record, *back, losses);
            }
            return;
        }
        if (!is_v5_target(target)) {
            return;
        }
        const auto v5 = std::make_unique<Radio_Record>();
        std::vector<std::string> passed_over;
        convert_v4_to_v5(record, *v5, passed_over);
        const auto back5 = v5_round_trip(*v5, target);
        const auto back = std::make_unique<Radio4_Record>();
        convert_v5_to_v4(*back5, *back);
        compare_v4(record, *back, losses);
    });
}
