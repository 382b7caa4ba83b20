// The screen and chart defaults stored under "Display Options".
#pragma once

#include "qv6_ex_export.h"
#include "screen_metrics.h"

#include <cstdint>
#include <string>

// The chart defaults.
struct tag_profile_metrics {
    bool flag_1 = false;
    bool flag_2 = false;
    Log_Font font_1;
    Log_Font font_2;
    uint32_t colours[15] = {}; // red in the low byte
    float proportions[5] = {};
    uint32_t font_1_colour = 0;
    uint32_t font_2_colour = 0;
    int font_1_scale = 0;
    int font_2_scale = 0;
};

// "scale,colour,height,width,escapement,orientation,weight,italic,underline,strike-out,
// character set,output precision,clip precision,quality,pitch and family,face name".
QV6_EX_EXPORT std::string format_font_metrics(int scale, uint32_t colour, const Log_Font& font);

// Parses a text in that layout, field by field, stopping at the first field that is not a number
// (what was not read keeps its value); the face name is the text after the last comma, at most
// 31 characters, when the text has one.
QV6_EX_EXPORT void parse_font_metrics(const char* text, int& scale, uint32_t& colour,
                                      Log_Font& font);

// Reads "Display Options" / "Screen metrics" (default 100, 0, -13, ..., "Arial").
QV6_EX_EXPORT void getdefault_screen_metrics(Log_Font* font, uint32_t* colour, int* scale);

// Reads the four "Profile metrics NN" keys of "Display Options".
QV6_EX_EXPORT void getdefault_profile_metrics(tag_profile_metrics* metrics);
