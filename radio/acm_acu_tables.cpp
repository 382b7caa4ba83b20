// Fresh rows of the adaptive-modulation and coupling unit tables.
#include "acm_acu_tables.h"

#include "text_helpers.h"

#include <cstring>

const char* const acu_antenna_labels[5] = {"TR", "DR", "TX", "RX", "TH"};

Acm_State Acm_State::fresh() {
    Acm_State state;
    std::memset(&state, 0, sizeof state);
    double* first = &state.step_up;
    double* last = &state.max_rxsig;
    for (double* value = first; value <= last; ++value) {
        *value = NOT_SET;
    }
    state.reserved_264[0] = NOT_SET;
    state.reserved_264[1] = NOT_SET;
    state.sig_minph_step = NOT_SET;
    state.sig_nminph_step = NOT_SET;
    state.dispfm_step = NOT_SET;
    return state;
}

Acu_Config Acu_Config::fresh() {
    Acu_Config config;
    std::memset(&config, 0, sizeof config);
    for (double& value : config.reserved_48) {
        value = NOT_SET;
    }
    config.CRC = config.TXS = config.TXF = config.RXH = config.RXF = config.DRC = NOT_SET;
    config.reserved_120 = NOT_SET;
    return config;
}

void Acu_Config::clear_unused_losses() {
    switch (ANT) {
    case ACU_TR:
    case ACU_TH:
        DRC = NOT_SET;
        break;
    case ACU_DR:
        CRC = TXS = TXF = RXH = NOT_SET;
        break;
    case ACU_TX:
        RXH = RXF = DRC = NOT_SET;
        break;
    case ACU_RX:
        TXS = TXF = DRC = NOT_SET;
        break;
    default:
        break;
    }
    for (double& value : reserved_48) {
        value = NOT_SET;
    }
}
