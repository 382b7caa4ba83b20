// Radio curves: the 211 curve types, the curve list and its operations, and the curve arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int CURVE_TYPE_COUNT = 211;

enum Curve_Type : uint8_t {
    CURVE_TTOI_SAME = 0,
    CURVE_TTOI_OTHER = 1,
    CURVE_IRF_SAME = 2,
    CURVE_IRF_OTHER = 3,
    CURVE_TTOI_CW = 4,
    CURVE_TX_EMISSION = 5,
    CURVE_RX_SELECTIVITY = 6,
    CURVE_RX_FILTER = 7,
    CURVE_TX_FILTER = 8,
    CURVE_TX_EMISSION_MASK = 9,
    CURVE_RX_SELECTIVITY_MASK = 10,
    CURVE_RX_SELECTIVITY_CALC = 11,
    CURVE_TX_EMISSION_STATE_FIRST = 12,     // TX_EMISSION_01
    CURVE_TX_EMISSION_STATE_LAST = 110,     // TX_EMISSION_99
    CURVE_RX_SELECTIVITY_STATE_FIRST = 111, // RX_SELECTIVITY_01
    CURVE_RX_SELECTIVITY_STATE_LAST = 209,  // RX_SELECTIVITY_99
    CURVE_RX_SELECTIVITY_AMODCALC = 210,
};

inline constexpr std::size_t CURVE_NAME_SIZE = 80;
inline constexpr std::size_t CURVE_CODE_SIZE = 48;

// The text that stands in for the missing code of a T/I or IRF curve against other radios.
inline constexpr const char* MISSING_RADIO_CODE = "Other radio code required";

// The name of curve type `type` ("TtoI_Same", "TX_EMISSION_07", ...); empty beyond the table.
const std::string& curve_type_name(int type);
// The type whose name is `name`, ignoring case; -1 when there is none.
int find_curve_type(const char* name);
// The type whose name is exactly `name`; -1 when there is none.
int find_curve_type_exact(const char* name);

// Types that are keyed by interfering radio codes (T/I and IRF against other radios).
bool is_other_radio_type(int type);
// The per-state emission and selectivity types.
bool is_state_type(int type);
// Types that may carry codes in a file (T/I and IRF curves and the per-state curves).
bool carries_codes(int type);
// The masks and the calculated selectivity, which live only while a binary file is written.
bool is_derived_type(int type);

struct Radio_Point {
    float offset; // MHz
    float db;
    float linear; // 10^(dB/10) of the stored dB value
};
static_assert(sizeof(Radio_Point) == 12);

// The 112-byte curve header of the binary file.
struct Radio_Curve_Header {
    char name[CURVE_NAME_SIZE];
    uint32_t code_count;
    uint8_t curve_type;
    uint8_t padding_85[3];
    float x_min;
    float x_max;
    double power_integral;
    uint8_t two_sided;
    uint8_t padding_105[3];
    uint32_t point_count;
};
static_assert(sizeof(Radio_Curve_Header) == 112);
static_assert(offsetof(Radio_Curve_Header, code_count) == 80);
static_assert(offsetof(Radio_Curve_Header, curve_type) == 84);
static_assert(offsetof(Radio_Curve_Header, x_min) == 88);
static_assert(offsetof(Radio_Curve_Header, x_max) == 92);
static_assert(offsetof(Radio_Curve_Header, power_integral) == 96);
static_assert(offsetof(Radio_Curve_Header, two_sided) == 104);
static_assert(offsetof(Radio_Curve_Header, point_count) == 108);

struct Radio_Curve {
    char name[CURVE_NAME_SIZE] = {};
    uint8_t curve_type = 0;
    float x_min = 0.0f;
    float x_max = 0.0f;
    double power_integral = 0.0;
    uint8_t two_sided = 0;
    std::vector<std::string> interfering_codes; // each at most 47 characters
    std::vector<Radio_Point> points;            // ascending offsets

    int point_count() const { return static_cast<int>(points.size()); }
    // The first interfering code, or null.
    const char* first_code() const;
    // The header of this curve as the binary file stores it.
    Radio_Curve_Header header() const;
    // Sets the limits and the two-sided flag from the points.
    void update_limits();
    // True when every offset and level is a finite number.
    bool finite() const;
};

// Orders curves by type, and curves against other radios by their first code.
bool compare_curves(const Radio_Curve& a, const Radio_Curve& b);

class Radio_Curve_List {
public:
    int count() const { return static_cast<int>(m_curves.size()); }
    bool empty() const { return m_curves.empty(); }
    Radio_Curve& operator[](int index) { return m_curves[static_cast<std::size_t>(index)]; }
    const Radio_Curve& operator[](int index) const {
        return m_curves[static_cast<std::size_t>(index)];
    }
    auto begin() { return m_curves.begin(); }
    auto end() { return m_curves.end(); }
    auto begin() const { return m_curves.begin(); }
    auto end() const { return m_curves.end(); }

    // Appends a new curve of `type` without points: codes taken from the comma-separated
    // `code_text` (all of them for curves against other radios, the first for per-state curves,
    // none otherwise), named by the naming rules, then sorts the list. Returns the index of the
    // new curve after sorting.
    int add_curve(int type, const char* code_text);
    // Appends a copy of `header` (not sorted) with `header.point_count` zeroed points and
    // no codes; returns its index. The caller makes sure the point count is sensible.
    int add_curve_copy(const Radio_Curve_Header& header);
    // Appends `curve` as it is; returns its index.
    int append(Radio_Curve curve);
    // Sets the points from `count` (offset, dB) pairs in the given order. When the count would
    // change and is below 2, nothing changes and false is returned.
    bool set_curve_points(int index, int count, const double* pairs);
    void delete_curve(int index);
    // Index of the first curve of `type`, or -1.
    int find_first(int type) const;
    // Deletes every curve of the masks and the calculated selectivity.
    void remove_derived_curves();
    // State `state` (from 0) left the adaptive-modulation table: its emission and selectivity
    // curves go, and those of the states after it move down one number, so that every curve
    // stays with its state.
    void remove_state_curves(int state);
    void clear() { m_curves.clear(); }

private:
    std::vector<Radio_Curve> m_curves;
};

// Splits a comma-separated code text: fields stripped, empty ones skipped.
std::vector<std::string> split_codes(const char* code_text);

// Names a curve by its type and codes: "TYPE - CODE" for curves against other radios and, when
// `name_states_by_code`, for per-state curves with a code; the type name otherwise.
void name_curve(Radio_Curve& curve, bool name_states_by_code);

// The response in dB at offset `f` (absolute offset for one-sided curves), interpolated linearly
// and held at the end values outside the curve. A curve without points gives 0.
double curve_value_at(const Radio_Curve& curve, double f);

// The level in dB at zero offset: the first value when the curve starts at or above zero, the last
// when it ends at or below zero, else interpolated.
double curve_level_at_zero(const Radio_Curve& curve);

// The offset (MHz) at which the curve falls 3 dB below its level at zero offset.
double curve_half_width_3db(const Radio_Curve& curve);
