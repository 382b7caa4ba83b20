// The curve grid and its chart side by side, wired as a curve editor wires them, on example
// data: a pattern cut of an NSMA antenna file with its cross-polar cut drawn behind it,
// the same in the polar view, and the TX emission curve of a version 5 radio file. With "--grab FOLDER" each pane is saved there
// (curves_antenna.png, curves_polar.png, curves_radio.png) and the program ends; without it the
// window stays open to be tried with the keyboard and the mouse.
#include "antenna_record.h"
#include "curve_points.h"
#include "dbl2_frame.h"
#include "dbl2_view.h"
#include "error_handler.h"
#include "nsma_format.h"
#include "radio_record.h"
#include "raf_format.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// A grid and a chart over one list: the grid's cursor moves the marker, the mouse over the
// chart moves the cursor, and every change of the list is drawn at once.
QWidget* curve_pane(Curve_Points& points, const QString& x_title, const QString& y_title,
                    bool pattern_cut, bool polar, const QString& name = {},
                    std::vector<Chart_Overlay> overlays = {}) {
    auto* pane = new QWidget;
    auto* layout = new QHBoxLayout(pane);
    auto* grid = new dbl2_frame;
    auto* chart = new dbl2_view;
    grid->set_titles(x_title, y_title);
    grid->attach(&points);
    chart->set_axis_titles(x_title, y_title);
    chart->set_polar_allowed(pattern_cut);
    chart->set_polar(polar);
    chart->set_curve_name(name);
    chart->set_overlays(std::move(overlays));
    chart->set_data(points);
    layout->addWidget(grid, 0, Qt::AlignTop);
    layout->addWidget(chart, 1);
    QObject::connect(grid, &dbl2_frame::current_row_changed, chart, &dbl2_view::move_marker);
    QObject::connect(grid, &dbl2_frame::list_changed, chart, [chart, &points] {
        chart->set_data(points);
    });
    QObject::connect(chart, &dbl2_view::point_selected, grid, &dbl2_frame::set_current_row);
    const int middle = points.count() / 2;
    grid->set_current_row(middle);
    chart->move_marker(middle);
    return pane;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const auto grab_at = arguments.indexOf("--grab");
    const QString grab_folder =
        grab_at > 0 && grab_at + 1 < arguments.size() ? arguments[grab_at + 1] : QString();

    const std::string examples = KELVOR_EXAMPLES_DIR;
    auto antenna = std::make_unique<Antenna_Record>();
    auto radio = std::make_unique<Radio_Record>();
    Error_Handler handler;
    try {
        read_nsma_file(*antenna, &handler, (examples + "/antenna/npx120_11_envelope.adf").c_str());
        read_raf_file(*radio, (examples + "/radio/hx23_am_56m.raf").c_str(), &handler);
    } catch (...) {
        std::fprintf(stderr, "curves_demo: the example files cannot be read\n");
        return 1;
    }
    // H/H azimuth, with H/V azimuth behind it (V/V is the same as H/H in this file).
    const auto slot_name = [](int slot) {
        return QString("%1 %2").arg(pattern_slots[slot].polarization,
                                    pattern_slots[slot].plane_name);
    };
    Curve_Points cut = curve_points_of(antenna->cut(0));
    Curve_Points polar_cut = cut;
    std::vector<Chart_Overlay> other_cuts;
    for (const int slot : {1}) {
        const Curve_Points other = curve_points_of(antenna->cut(slot));
        other_cuts.push_back({slot_name(slot), {other.points().begin(), other.points().end()}});
    }
    Curve_Points emission;
    for (const Radio_Curve& curve : radio->curves) {
        if (curve.curve_type == CURVE_TX_EMISSION_STATE_FIRST || curve.curve_type == CURVE_TX_EMISSION) {
            emission = curve_points_of(curve);
            break;
        }
    }

    QTabWidget window;
    window.setWindowTitle("Kelvor curves");
    window.addTab(curve_pane(cut, "Angle (deg)", "Level (dB)", true, false, slot_name(0),
                             other_cuts),
                  "Antenna cut");
    window.addTab(curve_pane(polar_cut, "Angle (deg)", "Level (dB)", true, true, slot_name(0),
                             other_cuts),
                  "Polar view");
    window.addTab(curve_pane(emission, "Frequency offset (MHz)", "Level (dB)", false, false),
                  "Radio curve");
    window.resize(1000, 560);
    window.show();

    if (!grab_folder.isEmpty()) {
        const char* const names[] = {"curves_antenna.png", "curves_polar.png", "curves_radio.png"};
        QTimer::singleShot(300, [&] {
            bool saved = true;
            for (int tab = 0; tab < window.count(); ++tab) {
                window.setCurrentIndex(tab);
                saved = window.grab().save(grab_folder + "/" + names[tab]) && saved;
            }
            application.exit(saved ? 0 : 1);
        });
    }
    return application.exec();
}
