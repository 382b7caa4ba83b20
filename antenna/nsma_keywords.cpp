// The NSMA keyword table.
#include "nsma_keywords.h"

#include <cstring>

namespace {

constexpr Nsma_Keyword text_row(int32_t size, const char* keyword, const char* label) {
    return {1, 1, 0, size, NSMA_TEXT, keyword, label};
}
constexpr Nsma_Keyword real_row(int32_t size, int32_t char_class, const char* keyword,
                                const char* label) {
    return {1, 1, char_class, size, NSMA_REAL, keyword, label};
}
constexpr Nsma_Keyword choice_row(int32_t size, const char* keyword, const char* label) {
    return {1, 1, 0, size, NSMA_CHOICE, keyword, label};
}
constexpr Nsma_Keyword integer_row(int32_t size, const char* keyword, const char* label) {
    return {1, 1, 7, size, NSMA_INTEGER, keyword, label};
}

} // namespace

const Nsma_Keyword nsma_keywords[NSMA_KEYWORD_COUNT] = {
    text_row(42, "REVNUM", "Revision number"),
    text_row(16, "REVDAT", "Revision date"),
    text_row(80, "COMNT1", "Comment1"),
    text_row(80, "COMNT2", "Comment2"),
    text_row(42, "ANTMAN", "Antenna manufacturer"),
    text_row(42, "MODNUM", "Model number"),
    text_row(13, "FILNUM", "Pattern file number"),
    text_row(42, "PATNUM", "Pattern ID number"),
    choice_row(13, "FEDORN", "Feed orientation"),
    text_row(48, "DESCR1", "Description1"),
    text_row(80, "DESCR2", "Description2"),
    text_row(80, "DESCR3", "Description3"),
    text_row(80, "DESCR4", "Description4"),
    text_row(80, "DESCR5", "Description5"),
    text_row(16, "DTDATA", "Date of data"),
    real_row(21, 3, "LOWFRQ", "Low frequency (MHz)"),
    real_row(21, 3, "HGHFRQ", "High frequency (MHz)"),
    choice_row(15, "GUNITS", "Gain units"),
    real_row(12, 4, "LWGAIN", "Low-band gain"),
    real_row(16, 4, "MDGAIN", "Mid-band gain"),
    real_row(12, 4, "HGGAIN", "High-band gain"),
    real_row(17, 3, "AZWIDT", "Azimuth beam width (deg)"),
    real_row(16, 3, "ELWIDT", "Elevation beam width (deg)"),
    text_row(80, "CONTYP", "Connector type"),
    real_row(13, 3, "ATVSWR", "VSWR"),
    real_row(13, 3, "FRTOBA", "Front-to-back ratio(dB)"),
    real_row(16, 4, "ELTILT", "Electrical downtilt (deg)"),
    real_row(13, 4, "RADCTR", "Radiation center (m)"),
    real_row(12, 3, "POTOPO", "Port-to-port iso (dB)"),
    real_row(17, 3, "MAXPOW", "Max input power (W)"),
    real_row(14, 3, "ANTLEN", "Antenna length (m)"),
    real_row(14, 3, "ANTWID", "Antenna width (m)"),
    real_row(14, 3, "ANTDEP", "Antenna depth (m)"),
    real_row(16, 3, "ANTWGT", "Antenna weight (kg)"),
    text_row(80, "FIELD1", "Future field"),
    text_row(80, "FIELD2", "Future field"),
    text_row(80, "FIELD3", "Future field"),
    text_row(80, "FIELD4", "Future field"),
    choice_row(80, "FIELD5", "Antenna technology"),
    choice_row(16, "PATTYP", "Pattern type"),
    integer_row(10, "NOFREQ", "# Freq this file"),
    real_row(21, 0, "PATFRE", "Pattern freq (MHz)"),
    integer_row(11, "NUMCUT", "# Pattern cuts"),
};

const char* const nsma_cut_keywords[7] = {"PATCUT", "POLARI", "NUPOIN", "FSTLST",
                                          "XORIEN", "YORIEN", "ZORIEN"};

int find_nsma_keyword(const char* keyword) {
    for (int row = 0; row < NSMA_KEYWORD_COUNT; ++row) {
        if (std::strcmp(nsma_keywords[row].keyword, keyword) == 0) {
            return row;
        }
    }
    return -1;
}
