// The grid list's stored layout (the text under "Display Options") and its default column edges.
// Plain rules without Qt; the list window reads and writes the settings and measures the font.
#pragma once

#include "frame_window_size.h"
#include "grid_info.h"
#include "qv6_ex_export.h"

#include <string>
#include <string_view>
#include <vector>

// The settings section of the stored layouts.
inline constexpr const char* GRID_LAYOUT_SECTION = "Display Options";

// The widest table the stored edges may describe, in pixels: edges beyond it are no layout a
// screen shows, only a damaged text.
inline constexpr int32_t GRID_MAX_EDGE = 100000;

// The layout as it is stored: "%d,%d,%d,%d,%d,%d,%d,%d," with the column count, top row, visible
// rows, maximised (1 or 0), left, top, width and height, then the column count + 1 edges and the
// column count order values, each followed by a comma. Edges or an order of another size than the
// column count asks for are written as zeros and the natural order, so that the text always holds
// as many values as its count says.
QV6_EX_EXPORT std::string grid_layout_text(const Grid_Info& info);

// Reads a stored layout into `info`, which holds what the program filled in:
//  - an empty text, or one whose first value is not the column count, changes nothing;
//  - the next seven values fill top row, visible rows, maximised, left, top, width and height;
//    reading stops at the first missing value (an empty field, a field that is no integer, or one
//    beyond 32 bits), and what was read before it stays;
//  - a negative visible-row count is taken as 0; a top row that is negative or not below the row
//    count becomes 0;
//  - a rectangle off the virtual screen (left + width negative, left beyond its width, top
//    negative or beyond its height) is replaced by its centred three-quarter rectangle; so is one
//    with a negative width or height. A width or height larger than the virtual screen is cut to
//    it;
//  - the edges are taken only when all column count + 1 are there, the first is not negative,
//    they increase strictly and the last is at most GRID_MAX_EDGE; otherwise the stored edges are
//    ignored and the program's stay;
//  - the order is taken only when all its values are there and they are a permutation of the
//    columns; otherwise it is ignored and the program's order stays.
// So no text, however damaged, gives an order that names a column outside the table.
QV6_EX_EXPORT void read_grid_layout(Grid_Info& info, std::string_view text,
                                    const Screen_Sizes& screens);

// The centred three-quarter rectangle of the virtual screen: 0.125 W, 0.125 H, 0.75 W, 0.75 H,
// truncated.
QV6_EX_EXPORT Grid_Rect centred_grid_rect(const Screen_Sizes& screens);

// The rectangle of a new window without a stored one: one logical inch from the top left, the
// screen width less eight inches and its height less six (at least one inch each).
QV6_EX_EXPORT Grid_Rect default_grid_rect(int screen_width, int screen_height,
                                          int pixels_per_inch_x, int pixels_per_inch_y);

// What closing the window stores: the maximised flag always, the rectangle only when the window
// is not maximised (a maximised window keeps the rectangle it will be restored to).
QV6_EX_EXPORT void note_grid_window(Grid_Info& info, bool maximised, const Grid_Rect& normal);

// The default edges: the row-number column is one average character width plus the width of
// "999"; each column the wider of its title and ten average character widths, plus four.
// `title_widths` gives the title widths in pixels in the order the columns are shown.
QV6_EX_EXPORT std::vector<int32_t> default_grid_edges(int average_char_width, int digits_width,
                                                      const std::vector<int>& title_widths);

// Gives `info` the default edges for its display order; `title_widths` is in data column order
// (missing widths count as 0).
QV6_EX_EXPORT void set_default_grid_edges(Grid_Info& info, int average_char_width,
                                          int digits_width, const std::vector<int>& title_widths);

// True when `info` needs the default edges: none given, another count than the columns ask for,
// or a first edge that is not positive.
QV6_EX_EXPORT bool needs_default_edges(const Grid_Info& info);

// Reset display: the default edges and the natural column order.
QV6_EX_EXPORT void reset_grid_display(Grid_Info& info, int average_char_width, int digits_width,
                                      const std::vector<int>& title_widths);
