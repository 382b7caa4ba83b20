// Calls one function of each installed library and prints what they returned.
#include "grid_layout.h"
#include "qt_file_text.h"
#include "text_helpers.h"

#include <cstdio>

int main() {
    char text[] = "  QV6_UT  ";
    strip_space(text);
    const Grid_Rect rect = default_grid_rect(1280, 800, 96, 96);
    const QString field = from_file_text("QV6_EX");
    std::printf("%s|%s|%d,%d,%d,%d\n", text, field.toLatin1().constData(), rect.left, rect.top,
                rect.width, rect.height);
    return 0;
}
