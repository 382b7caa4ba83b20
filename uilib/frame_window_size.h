// frame_window_size: a window's stored placement, and the default rectangles.
#pragma once

#include "qv6_ex_export.h"

#include <cstdint>
#include <string>

struct QV6_EX_EXPORT frame_window_size {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    // Layout values that belong to the window storing them (the first defaults to half the
    // width, the others to 0).
    int32_t layout[4] = {0, 0, 0, 0};
    bool maximised = false;
};

// The default rectangle when nothing valid is stored, as a share of the primary screen.
enum DefaultWindowSize : int {
    DWS_SMALL = 0,       // W/12, H/12, W/3, H/2
    DWS_LARGE = 1,       // W/9, H/9, W - 2 W/9, H - 2 H/9
    DWS_MAIN_FRAME = 2,  // W/8, H/12, W/2.5, H - 3 H/12 (the main frame's choice)
    DWS_LARGER = 3,      // W/10, H/10, W - 2 W/10, H - 2 H/10
};

// Sizes of the primary screen and of the virtual screen (all monitors), in pixels.
struct Screen_Sizes {
    int primary_width = 0;
    int primary_height = 0;
    int virtual_width = 0;
    int virtual_height = 0;
};

// The nine stored values as "%d,%d,%d,%d,%d,%d,%d,%d,%d", the last 1 when maximised, else 0.
QV6_EX_EXPORT std::string format_frame_window_size(const frame_window_size& size);

// Reads up to nine comma-separated values (each the text's leading integer, 0 when none) into
// left, top, width, height, the four layout values and the maximised flag (set only by 1; it is
// cleared first). Values the text does not have keep what the structure held.
QV6_EX_EXPORT void parse_frame_window_size(const char* text, frame_window_size& size);

// True when the rectangle lies on the screens: left + width > 0, left < virtual width,
// 0 < top < virtual height.
QV6_EX_EXPORT bool is_usable_window_rect(const frame_window_size& size,
                                         const Screen_Sizes& screens);

// Puts the default rectangle of `choice` (computed in floating point, truncated) into the
// structure; the first layout value becomes half the width, the others 0. The maximised flag is
// left as it is.
QV6_EX_EXPORT void apply_default_window_rect(frame_window_size& size, DefaultWindowSize choice,
                                             int screen_width, int screen_height);

// Fills `size` from the text stored under "DEFAULT_WINDOWSIZE" and the key of `key_id`, or with
// the default rectangle when nothing usable is stored. The first form measures the screens.
QV6_EX_EXPORT void getdefault_framewindowsize(int key_id, frame_window_size* size,
                                              DefaultWindowSize choice);
QV6_EX_EXPORT void getdefault_framewindowsize(int key_id, frame_window_size* size,
                                              DefaultWindowSize choice,
                                              const Screen_Sizes& screens);

// Stores the nine values under "DEFAULT_WINDOWSIZE" and the key of `key_id`; non-zero on success.
QV6_EX_EXPORT int setdefault_framewindowsize(int key_id, const frame_window_size* size);

// The rectangle (left, top, width, height) multiplied by `factor` and rounded; the layout values
// and the flag stay. Windows store their rectangles in device pixels: logical pixels times the
// screen's device pixel ratio, so a start at another scale factor keeps the size on screen.
// A factor that is not a positive finite number leaves the rectangle as it is.
QV6_EX_EXPORT frame_window_size scaled_window_rect(const frame_window_size& size, double factor);
// The screen sizes multiplied by `factor` and rounded (the same guard as above).
QV6_EX_EXPORT Screen_Sizes scaled_screen_sizes(const Screen_Sizes& screens, double factor);

// The sizes of the screens the application shows on (zero without a screen).
QV6_EX_EXPORT Screen_Sizes current_screen_sizes();
