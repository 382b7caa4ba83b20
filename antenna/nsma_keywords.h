// The NSMA keyword table: the 43 keyword rows that drive the NSMA reader, writer and form.
#pragma once

#include <cstdint>

// What a row's value is.
enum Nsma_Value_Kind : int32_t {
    NSMA_TEXT = 0,
    NSMA_REAL = 2,
    NSMA_INTEGER = 3,
    NSMA_CHOICE = 4,
};

struct Nsma_Keyword {
    int32_t enabled;    // 0: drawn in red and skipped by the form's cursor
    int32_t cells;      // cells of the value column
    int32_t char_class; // characters the form accepts: 0 any, 3 unsigned, 4 signed, 7 integer
    int32_t size;       // buffer size: the value holds at most size - 1 characters
    int32_t kind;       // Nsma_Value_Kind
    const char* keyword;
    const char* label;
};

// Row numbers of the table, in file order.
enum Nsma_Row : int {
    ROW_REVNUM,
    ROW_REVDAT,
    ROW_COMNT1,
    ROW_COMNT2,
    ROW_ANTMAN,
    ROW_MODNUM,
    ROW_FILNUM,
    ROW_PATNUM,
    ROW_FEDORN,
    ROW_DESCR1,
    ROW_DESCR2,
    ROW_DESCR3,
    ROW_DESCR4,
    ROW_DESCR5,
    ROW_DTDATA,
    ROW_LOWFRQ,
    ROW_HGHFRQ,
    ROW_GUNITS,
    ROW_LWGAIN,
    ROW_MDGAIN,
    ROW_HGGAIN,
    ROW_AZWIDT,
    ROW_ELWIDT,
    ROW_CONTYP,
    ROW_ATVSWR,
    ROW_FRTOBA,
    ROW_ELTILT,
    ROW_RADCTR,
    ROW_POTOPO,
    ROW_MAXPOW,
    ROW_ANTLEN,
    ROW_ANTWID,
    ROW_ANTDEP,
    ROW_ANTWGT,
    ROW_FIELD1,
    ROW_FIELD2,
    ROW_FIELD3,
    ROW_FIELD4,
    ROW_FIELD5,
    ROW_PATTYP,
    ROW_NOFREQ,
    ROW_PATFRE,
    ROW_NUMCUT,
};

inline constexpr int NSMA_KEYWORD_COUNT = 43;
// The form shows rows REVNUM to PATFRE; NUMCUT is derived from the cuts.
inline constexpr int NSMA_FORM_ROWS = 42;

extern const Nsma_Keyword nsma_keywords[NSMA_KEYWORD_COUNT];

// The row whose keyword is exactly `keyword`, or -1.
int find_nsma_keyword(const char* keyword);

// Keywords of a pattern-cut block; only the first four are read and written.
enum Nsma_Cut_Keyword : int {
    CUT_PATCUT,
    CUT_POLARI,
    CUT_NUPOIN,
    CUT_FSTLST,
    CUT_XORIEN,
    CUT_YORIEN,
    CUT_ZORIEN,
};
extern const char* const nsma_cut_keywords[7];
