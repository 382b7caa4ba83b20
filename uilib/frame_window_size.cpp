// Stored window placements and the default rectangles.
#include "frame_window_size.h"

#include "ini_settings.h"
#include "qv5_extn.h"
#include "text_helpers.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

std::string format_frame_window_size(const frame_window_size& size) {
    char text[160];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d,%d,%d,%d", size.left, size.top,
                  size.width, size.height, size.layout[0], size.layout[1], size.layout[2],
                  size.layout[3], size.maximised ? 1 : 0);
    return text;
}

void parse_frame_window_size(const char* text, frame_window_size& size) {
    size.maximised = false;
    if (text == nullptr) {
        return;
    }
    int32_t* const fields[8] = {&size.left,      &size.top,       &size.width,
                                &size.height,    &size.layout[0], &size.layout[1],
                                &size.layout[2], &size.layout[3]};
    const char* field = text;
    for (int index = 0; index < 9; ++index) {
        const int value = text_to_int(field);
        if (index < 8) {
            *fields[index] = value;
        } else {
            size.maximised = value == 1;
        }
        const char* comma = std::strchr(field, ',');
        if (comma == nullptr) {
            break;
        }
        field = comma + 1;
    }
}

bool is_usable_window_rect(const frame_window_size& size, const Screen_Sizes& screens) {
    const long long right = static_cast<long long>(size.left) + size.width;
    return right > 0 && size.left < screens.virtual_width && size.top > 0 &&
           size.top < screens.virtual_height;
}

void apply_default_window_rect(frame_window_size& size, DefaultWindowSize choice,
                               int screen_width, int screen_height) {
    const double w = screen_width;
    const double h = screen_height;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    switch (choice) {
    case DWS_SMALL:
        left = w / 12;
        top = h / 12;
        width = w / 3;
        height = h / 2;
        break;
    case DWS_LARGE:
        left = w / 9;
        top = h / 9;
        width = w - 2 * (w / 9);
        height = h - 2 * (h / 9);
        break;
    case DWS_MAIN_FRAME:
        left = 0.125 * w;
        top = h / 12;
        width = w / 2.5;
        height = h - 3 * (h / 12);
        break;
    case DWS_LARGER:
        left = w / 10;
        top = h / 10;
        width = w - 2 * (w / 10);
        height = h - 2 * (h / 10);
        break;
    }
    size.left = static_cast<int32_t>(left);
    size.top = static_cast<int32_t>(top);
    size.width = static_cast<int32_t>(width);
    size.height = static_cast<int32_t>(height);
    size.layout[0] = size.width / 2;
    size.layout[1] = 0;
    size.layout[2] = 0;
    size.layout[3] = 0;
}

void getdefault_framewindowsize(int key_id, frame_window_size* size, DefaultWindowSize choice,
                                const Screen_Sizes& screens) {
    if (size == nullptr) {
        return;
    }
    const std::string stored = ReadINIfile(IDS_DEFAULT_WINDOWSIZE, key_id, "");
    if (!stored.empty()) {
        parse_frame_window_size(stored.c_str(), *size);
        if (is_usable_window_rect(*size, screens)) {
            return;
        }
    }
    apply_default_window_rect(*size, choice, screens.primary_width, screens.primary_height);
}

void getdefault_framewindowsize(int key_id, frame_window_size* size, DefaultWindowSize choice) {
    getdefault_framewindowsize(key_id, size, choice, current_screen_sizes());
}

int setdefault_framewindowsize(int key_id, const frame_window_size* size) {
    if (size == nullptr) {
        return 0;
    }
    return WriteINIfile(IDS_DEFAULT_WINDOWSIZE, key_id, format_frame_window_size(*size).c_str());
}

Screen_Sizes current_screen_sizes() {
    Screen_Sizes sizes;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return sizes;
    }
    sizes.primary_width = screen->geometry().width();
    sizes.primary_height = screen->geometry().height();
    const QRect all = screen->virtualGeometry();
    sizes.virtual_width = all.width();
    sizes.virtual_height = all.height();
    return sizes;
}

namespace {

int32_t scaled(int32_t value, double factor) {
    const double result = std::round(static_cast<double>(value) * factor);
    if (result >= static_cast<double>(INT32_MAX)) {
        return INT32_MAX;
    }
    if (result <= static_cast<double>(INT32_MIN)) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(result);
}

bool usable_factor(double factor) { return std::isfinite(factor) && factor > 0.0; }

} // namespace

frame_window_size scaled_window_rect(const frame_window_size& size, double factor) {
    frame_window_size result = size;
    if (!usable_factor(factor)) {
        return result;
    }
    result.left = scaled(size.left, factor);
    result.top = scaled(size.top, factor);
    result.width = scaled(size.width, factor);
    result.height = scaled(size.height, factor);
    return result;
}

Screen_Sizes scaled_screen_sizes(const Screen_Sizes& screens, double factor) {
    Screen_Sizes result = screens;
    if (!usable_factor(factor)) {
        return result;
    }
    result.primary_width = scaled(screens.primary_width, factor);
    result.primary_height = scaled(screens.primary_height, factor);
    result.virtual_width = scaled(screens.virtual_width, factor);
    result.virtual_height = scaled(screens.virtual_height, factor);
    return result;
}
