// Measuring the screen and creating the screen font.
#include "screen_metrics.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstring>

int32_t screen_font_height(int size_tenths, double dots_per_inch) {
    const int points = size_tenths / 10;
    return -static_cast<int32_t>(std::floor(points * dots_per_inch / 72.0 + 0.5));
}

QFont font_from_description(const Log_Font& description) {
    char face[sizeof description.face_name + 1] = {};
    std::memcpy(face, description.face_name, sizeof description.face_name);
    QFont font(QString::fromLatin1(face));
    const int pixels = description.height < 0 ? -description.height : description.height;
    if (pixels > 0) {
        font.setPixelSize(pixels);
    }
    font.setWeight(description.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(description.italic != 0);
    font.setUnderline(description.underline != 0);
    font.setStrikeOut(description.strike_out != 0);
    return font;
}

void Screen_Metrics::reset() {
    screen_font = QFont();
    double dpi_x = 96;
    double dpi_y = 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    screen_width = 1024;
    screen_height = 768;
    colour_count = 1 << 24;
    double width_mm = 0;
    double height_mm = 0;
    if (screen != nullptr) {
        dpi_x = screen->logicalDotsPerInchX();
        dpi_y = screen->logicalDotsPerInchY();
        screen_width = screen->geometry().width();
        screen_height = screen->geometry().height();
        const int depth = screen->depth();
        colour_count = depth >= 31 ? INT32_MAX : 1 << depth;
        width_mm = screen->physicalSize().width();
        height_mm = screen->physicalSize().height();
    }
    pixels_per_inch_x = static_cast<int>(std::lround(dpi_x));
    pixels_per_inch_y = static_cast<int>(std::lround(dpi_y));
    aspect_ratio = dpi_x > 0 ? dpi_y / dpi_x : 1.0;
    pixels_per_mm_x = width_mm > 0 ? screen_width / width_mm : dpi_x / 25.4;
    pixels_per_mm_y = height_mm > 0 ? screen_height / height_mm : dpi_y / 25.4;

    font_description.height = screen_font_height(font_size, dpi_y);
    screen_font = font_from_description(font_description);

    const QFontMetrics metrics(screen_font);
    average_char_width = metrics.averageCharWidth();
    row_height = metrics.height() + 6;
    title_height = metrics.height() + 3;
    spacing[0] = 1;
    spacing[1] = 3;
    spacing[2] = 3;
    background_colour = 0xFFFFFF;
}
