// Shows the curve grid on the first pattern cut of an NSMA antenna file, to look at it:
// curve_grid_demo FILE [SECONDS]. The window closes after SECONDS when given.
#include "antenna_record.h"
#include "curve_points.h"
#include "dbl2_frame.h"
#include "error_handler.h"
#include "nsma_format.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s NSMA-FILE [SECONDS]\n", argv[0]);
        return 2;
    }
    Antenna_Record record;
    Error_Handler handler;
    try {
        read_nsma_file(record, &handler, argv[1]);
    } catch (...) {
        std::fprintf(stderr, "%s: not read\n", argv[1]);
        return 1;
    }
    Curve_Points points = curve_points_of(record.cut(0));
    dbl2_frame frame;
    frame.setWindowTitle(QStringLiteral("Curve grid - ") + QString::fromLocal8Bit(argv[1]));
    frame.set_titles(QStringLiteral("Angle (deg)"), QStringLiteral("Level (dB)"));
    frame.attach(&points);
    frame.set_current_row(3);
    frame.resize(frame.sizeHint());
    frame.show();
    if (argc > 2) {
        QTimer::singleShot(std::stoi(argv[2]) * 1000, &application, &QApplication::quit);
    }
    return application.exec();
}
