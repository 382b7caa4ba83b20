// Adaptive-modulation states and antenna coupling unit configurations of a radio record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int ACM_POWER_OPTIONS = 5;
inline constexpr std::size_t ACM_TEXT_SIZE = 16;
inline constexpr std::size_t ACU_NAME_SIZE = 47;

struct Acm_State {
    char thruput[ACM_TEXT_SIZE];
    char Mod[ACM_TEXT_SIZE];
    char RSEC[ACM_TEXT_SIZE];
    double reserved_48;
    double step_up;
    double step_dn;
    double RXthr10_6;
    double min_ctoi;
    double TXmax[ACM_POWER_OPTIONS];
    double TXmin[ACM_POWER_OPTIONS];
    double ATPC_top[ACM_POWER_OPTIONS];
    double XPIF;
    double sig_delay;
    double sig_width;
    double sig_minph10_6;
    double sig_nminph10_6;
    double dispfm10_6;
    double max_rxsig;
    double reserved_264[2];
    uint8_t reserved_280[16];
    double sig_minph_step;
    double sig_nminph_step;
    double dispfm_step;
    uint8_t reserved_320[56];

    // A fresh state: texts empty, every number from step_up on NOT_SET.
    static Acm_State fresh();
};
static_assert(sizeof(Acm_State) == 376);
static_assert(offsetof(Acm_State, Mod) == 16);
static_assert(offsetof(Acm_State, RSEC) == 32);
static_assert(offsetof(Acm_State, step_up) == 56);
static_assert(offsetof(Acm_State, step_dn) == 64);
static_assert(offsetof(Acm_State, RXthr10_6) == 72);
static_assert(offsetof(Acm_State, min_ctoi) == 80);
static_assert(offsetof(Acm_State, TXmax) == 88);
static_assert(offsetof(Acm_State, TXmin) == 128);
static_assert(offsetof(Acm_State, ATPC_top) == 168);
static_assert(offsetof(Acm_State, XPIF) == 208);
static_assert(offsetof(Acm_State, sig_delay) == 216);
static_assert(offsetof(Acm_State, sig_width) == 224);
static_assert(offsetof(Acm_State, sig_minph10_6) == 232);
static_assert(offsetof(Acm_State, sig_nminph10_6) == 240);
static_assert(offsetof(Acm_State, dispfm10_6) == 248);
static_assert(offsetof(Acm_State, max_rxsig) == 256);
static_assert(offsetof(Acm_State, reserved_264) == 264);
static_assert(offsetof(Acm_State, reserved_280) == 280);
static_assert(offsetof(Acm_State, sig_minph_step) == 296);
static_assert(offsetof(Acm_State, sig_nminph_step) == 304);
static_assert(offsetof(Acm_State, dispfm_step) == 312);
static_assert(offsetof(Acm_State, reserved_320) == 320);

// Antenna configuration codes of a coupling unit, as the list shows them.
enum Acu_Antenna : uint8_t { ACU_TR = 0, ACU_DR = 1, ACU_TX = 2, ACU_RX = 3, ACU_TH = 4 };

struct Acu_Config {
    char Configuration[ACU_NAME_SIZE];
    uint8_t ANT;
    double reserved_48[3];
    double CRC; // circulator duplexer loss
    double TXS; // TX switch / combiner loss
    double TXF; // TX filter loss
    double RXH; // RX hybrid multicoupler loss
    double RXF; // RX filter loss
    double DRC; // diversity circulator loss
    double reserved_120;

    // A fresh configuration: name empty, code 0, every double NOT_SET.
    static Acu_Config fresh();
    // Clears the losses that do not apply to the antenna configuration code, and the reserved
    // doubles, to NOT_SET (done before a binary file is written).
    void clear_unused_losses();
};
static_assert(sizeof(Acu_Config) == 128);
static_assert(offsetof(Acu_Config, ANT) == 47);
static_assert(offsetof(Acu_Config, reserved_48) == 48);
static_assert(offsetof(Acu_Config, CRC) == 72);
static_assert(offsetof(Acu_Config, TXS) == 80);
static_assert(offsetof(Acu_Config, TXF) == 88);
static_assert(offsetof(Acu_Config, RXH) == 96);
static_assert(offsetof(Acu_Config, RXF) == 104);
static_assert(offsetof(Acu_Config, DRC) == 112);
static_assert(offsetof(Acu_Config, reserved_120) == 120);

// Labels of the antenna configuration codes 0 to 4.
extern const char* const acu_antenna_labels[5];

// A growable table; capacity grows in steps of ten, as the list windows expect.
template <typename Row>
struct Row_Table {
    std::vector<Row> rows;

    int count() const { return static_cast<int>(rows.size()); }
    bool empty() const { return rows.empty(); }
    Row& operator[](int index) { return rows[static_cast<std::size_t>(index)]; }
    const Row& operator[](int index) const { return rows[static_cast<std::size_t>(index)]; }
    // Replaces the table by `count` fresh rows.
    void make(int count) {
        rows.clear();
        rows.reserve(static_cast<std::size_t>(count) + 10);
        rows.assign(static_cast<std::size_t>(count), Row::fresh());
    }
    void clear() { rows.clear(); }
};

using Acm_Table = Row_Table<Acm_State>;
using Acu_Table = Row_Table<Acu_Config>;
