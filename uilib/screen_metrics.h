// Screen_Metrics: the screen font and the layout values the forms and lists measure with.
#pragma once

#include "qv6_ex_export.h"

#include <QFont>

#include <cstdint>

// A font description as the settings file stores it.
struct Log_Font {
    int32_t height = 0; // negative: the character height in pixels
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strike_out = 0;
    uint8_t char_set = 0;
    uint8_t out_precision = 0;
    uint8_t clip_precision = 0;
    uint8_t quality = 0;
    uint8_t pitch_and_family = 0;
    char face_name[32] = {};
};

// The font height in pixels for a size in tenths of a point (the whole points only) at
// `dots_per_inch`, negative as the font description holds it: 90 at 96 dpi gives -12.
QV6_EX_EXPORT int32_t screen_font_height(int size_tenths, double dots_per_inch);

// The font a description stands for.
QV6_EX_EXPORT QFont font_from_description(const Log_Font& description);

class QV6_EX_EXPORT Screen_Metrics {
public:
    // Releases the previous font, measures the primary screen, creates the screen font from the
    // description at `font_size` and sets the derived values. Without a screen the values of a
    // 96 dpi, 1024 x 768 display are taken.
    void reset();

    Log_Font font_description;
    uint32_t text_colour = 0;
    uint32_t background_colour = 0xFFFFFF;
    int font_size = 100;           // tenths of a point
    int pixels_per_inch_x = 96;    // logical
    int pixels_per_inch_y = 96;
    int average_char_width = 0;
    int spacing[3] = {1, 3, 3};
    int row_height = 0;            // text height + 6
    int title_height = 0;          // text height + 3
    int screen_width = 0;
    int screen_height = 0;
    int colour_count = 0;
    double aspect_ratio = 1.0;     // logical pixels down / across
    double pixels_per_mm_x = 0;
    double pixels_per_mm_y = 0;
    QFont screen_font;
};
