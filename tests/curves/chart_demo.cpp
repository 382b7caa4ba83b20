// The chart widgets on example data: an antenna pattern cut, a radio curve and the same cut in
// the polar view. With "--grab FOLDER" the window is saved as chart_window.png there and the
// program ends; without it the window stays open (for a look under a real display).
#include "antenna_record.h"
#include "curve_points.h"
#include "dbl2_view.h"
#include "error_handler.h"
#include "nsma_format.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const int grab_at = static_cast<int>(arguments.indexOf("--grab"));
    const QString grab_folder = grab_at > 0 && grab_at + 1 < arguments.size()
                                    ? arguments[grab_at + 1] : QString();

    Antenna_Record record;
    Error_Handler handler;
    const std::string path = std::string(KELVOR_EXAMPLES_DIR) + "/antenna/npx120_11_envelope.adf";
    try {
        read_nsma_file(record, &handler, path.c_str());
    } catch (...) {
        std::fprintf(stderr, "chart_demo: cannot read %s\n", path.c_str());
        return 1;
    }
    const Curve_Points cut = curve_points_of(record.cut(0));
    const std::vector<Curve_Pair> radio_pairs{
        {-56, -62.0}, {-42, -55.5}, {-28, -32.0}, {-21, -12.5}, {-14, 8.0},  {-7, 21.5},
        {0, 24.0},    {7, 21.5},    {14, 8.0},    {21, -12.5},  {28, -32.0}, {42, -55.5},
        {56, -62.0}};
    const Curve_Points radio(radio_pairs);

    QWidget window;
    window.setWindowTitle("Kelvor chart demo");
    auto* layout = new QGridLayout(&window);
    auto* antenna_chart = new dbl2_view;
    antenna_chart->set_axis_titles("Angle (deg)", "Level (dB)");
    antenna_chart->set_data(cut);
    antenna_chart->move_marker(cut.count() / 2 + 3);
    auto* radio_chart = new dbl2_view;
    radio_chart->set_axis_titles("Frequency offset (MHz)", "T/I (dB)");
    radio_chart->set_data(radio);
    radio_chart->move_marker(4);
    auto* polar_chart = new dbl2_view;
    polar_chart->set_axis_titles("Angle (deg)", "Level (dB)");
    polar_chart->set_polar_allowed(true);
    polar_chart->set_polar(true);
    polar_chart->set_data(cut);
    polar_chart->move_marker(cut.count() / 2 + 3);
    layout->addWidget(antenna_chart, 0, 0);
    layout->addWidget(radio_chart, 1, 0);
    layout->addWidget(polar_chart, 0, 1, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    window.resize(1100, 640);
    window.show();

    if (!grab_folder.isEmpty()) {
        QTimer::singleShot(200, [&] {
            const bool saved = window.grab().save(grab_folder + "/chart_window.png");
            application.exit(saved ? 0 : 1);
        });
    }
    return application.exec();
}
