// JSON form of the version 5 radio record.
#include "radio_json.h"

#include "json_values.h"
#include "raf_keywords.h"
#include "radio_record.h"

#include <string>

namespace {

Json threshold_json(const Rx_Threshold& t, int index) {
    return {
        {"label", threshold_labels[index]},
        {"kind", t.kind},
        {"ber", json_number(t.ber)},
        {"threshold_dbm", json_number(t.threshold_dbm)},
        {"threshold_uv", json_number(t.threshold_uv)},
        {"signature_delay", json_number(t.signature_delay)},
        {"signature_width", json_number(t.signature_width)},
        {"signature_minphase", json_number(t.signature_minphase)},
        {"signature_nonminphase", json_number(t.signature_nonminphase)},
        {"dispersive_fm", json_number(t.dispersive_fm)},
        {"max_rx_signal", json_number(t.max_rx_signal)},
        {"description", json_text(t.description)},
    };
}

Json curve_json(const Radio_Curve& curve) {
    Json codes = Json::array();
    for (const std::string& code : curve.interfering_codes) {
        codes.push_back(file_text_to_utf8(code));
    }
    return {
        {"name", json_text(curve.name)},
        {"curve_type", curve_type_name(curve.curve_type)},
        {"interfering_codes", codes},
        {"two_sided", curve.two_sided != 0},
        {"power_integral", json_number(curve.power_integral)},
        {"points", json_points(curve.points, &Radio_Point::offset, &Radio_Point::db)},
    };
}

Json state_json(const Acm_State& s) {
    return {
        {"thruput", json_text(s.thruput)},
        {"Mod", json_text(s.Mod)},
        {"RSEC", json_text(s.RSEC)},
        {"step_up", json_number(s.step_up)},
        {"step_dn", json_number(s.step_dn)},
        {"RXthr10_6", json_number(s.RXthr10_6)},
        {"min_ctoi", json_number(s.min_ctoi)},
        {"TXmax", json_numbers(s.TXmax, ACM_POWER_OPTIONS)},
        {"TXmin", json_numbers(s.TXmin, ACM_POWER_OPTIONS)},
        {"ATPC_top", json_numbers(s.ATPC_top, ACM_POWER_OPTIONS)},
        {"XPIF", json_number(s.XPIF)},
        {"sig_delay", json_number(s.sig_delay)},
        {"sig_width", json_number(s.sig_width)},
        {"sig_minph10_6", json_number(s.sig_minph10_6)},
        {"sig_nminph10_6", json_number(s.sig_nminph10_6)},
        {"dispfm10_6", json_number(s.dispfm10_6)},
        {"max_rxsig", json_number(s.max_rxsig)},
        {"sig_minph_step", json_number(s.sig_minph_step)},
        {"sig_nminph_step", json_number(s.sig_nminph_step)},
        {"dispfm_step", json_number(s.dispfm_step)},
    };
}

Json config_json(const Acu_Config& c) {
    return {
        {"Configuration", json_text(c.Configuration)},
        {"ANT", c.ANT},
        {"CRC", json_number(c.CRC)},
        {"TXS", json_number(c.TXS)},
        {"TXF", json_number(c.TXF)},
        {"RXH", json_number(c.RXH)},
        {"RXF", json_number(c.RXF)},
        {"DRC", json_number(c.DRC)},
    };
}

Json cell_json(const Raf_Cell& cell) {
    if (cell.text != nullptr) {
        return file_text_to_utf8(cell.text, cell.size);
    }
    if (cell.number != nullptr) {
        return json_number(*cell.number);
    }
    if (cell.integer != nullptr) {
        return json_count(*cell.integer);
    }
    return *cell.code;
}

// What the record derives from its rows, given after the row named.
void add_derived(Json& result, const Radio_Record& record, int row) {
    const Radio_Spec& s = record.radio_spec;
    switch (row) {
    case ROW_TX_POWER_RANGE:
        result["tx_power_dbm"] = json_number(s.tx_power_dbm);
        result["tx_power_watts"] = json_number(s.tx_power_watts);
        break;
    case ROW_TTOI_RATIO:
        result["ttoi_cw"] = json_number(s.ttoi_cw);
        break;
    case ROW_NOISE_FLOOR_KTBF:
        result["effective_noise_floor"] = json_number(s.effective_noise_floor);
        break;
    case ROW_TR_FIXED:
        result["selectivity_source"] = s.selectivity_source;
        break;
    case ROW_COMMENT_FIRST + COMMENT_COUNT - 1:
        result["capacity_summary"] = file_text_to_utf8(capacity_summary_text(record));
        break;
    default:
        break;
    }
}

} // namespace

Json radio_to_json(const Radio_Record& record) {
    Json result = Json::object();
    // The rows' fields in file order, a field of several cells or rows as a list; the
    // thresholds as one object each, where their rows begin.
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        const Raf_Keyword& entry = raf_keyword(row);
        if (entry.kind != Raf_Row_Kind::values) {
            continue;
        }
        if ((entry.rules & RAF_PER_THRESHOLD) != 0) {
            if (!result.contains("rx_thresholds")) {
                Json thresholds = Json::array();
                for (int i = 0; i < THRESHOLD_COUNT; ++i) {
                    thresholds.push_back(threshold_json(record.thresholds[i], i));
                }
                result["rx_thresholds"] = thresholds;
            }
            continue;
        }
        for (int i = 0; i < entry.cells; ++i) {
            const Raf_Cell cell = raf_cell(record, row, i);
            if (cell.index < 0) {
                result[cell.name] = cell_json(cell);
            } else {
                result[cell.name].push_back(cell_json(cell));
            }
        }
        add_derived(result, record, row);
    }
    Json curves = Json::array();
    for (const Radio_Curve& curve : record.curves) {
        curves.push_back(curve_json(curve));
    }
    Json states = Json::array();
    for (const Acm_State& state : record.acm_table.rows) {
        states.push_back(state_json(state));
    }
    Json configs = Json::array();
    for (const Acu_Config& config : record.acu_table.rows) {
        configs.push_back(config_json(config));
    }
    result["curves"] = curves;
    result["acm_states"] = states;
    result["acu_configs"] = configs;
    return result;
}
