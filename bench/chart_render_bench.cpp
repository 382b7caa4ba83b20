// The cost of the curve chart on an antenna record of eight 3,600-point cuts, under the offscreen
// platform: per cut, the list filled from the record, the axes computed and the picture drawn at
// 1000 x 600 (the NSMA file read once per round of eight, its share included), and a repaint
// that only replays the cached picture; and the paint of a page of the curve grid.
#include "antenna_record.h"
#include "curve_grid.h"
#include "curve_points.h"
#include "dbl2_frame.h"
#include "dbl2_view.h"
#include "error_handler.h"
#include "nsma_format.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int CUTS = 8;
constexpr int POINTS = 3600;

std::string nsma_text() {
    std::string text = "REVNUM:,NSMA WG16.99.050\r\nANTMAN:,Nordic Microwave\r\n"
                       "MODNUM:,NPX-120-11\r\nLOWFRQ:,10700\r\nHGHFRQ:,11700\r\n"
                       "GUNITS:,DBI/DBR\r\nMDGAIN:,41.2\r\nFIELD5:,APERTURE\r\nNUMCUT:,8\r\n";
    static const char* const polarizations[4] = {"H/H", "H/V", "V/V", "V/H"};
    char line[64];
    for (int slot = 0; slot < CUTS; ++slot) {
        text += slot < 4 ? "PATCUT:,AZ\r\n" : "PATCUT:,EL\r\n";
        text += std::string("POLARI:,") + polarizations[slot % 4] + "\r\n";
        text += "NUPOIN:," + std::to_string(POINTS) + "\r\nFSTLST:,-180.00,180.00\r\n";
        for (int i = 0; i < POINTS; ++i) {
            const double angle = -180.0 + 360.0 * i / (POINTS - 1);
            const double ripple = 1.5 * std::sin(angle * (3 + slot));
            const double level = -std::min(
                70.0, 25.0 + slot + 22.0 * std::log10(1.0 + std::fabs(angle)) + ripple);
            std::snprintf(line, sizeof line, "%.2f,%.2f,\r\n", angle, level);
            text += line;
        }
    }
    return text + "ENDFIL:,EOF\r\n";
}

class Nsma_File {
public:
    Nsma_File()
        : m_path(std::filesystem::temp_directory_path() / "kelvor_chart_bench.adf") {
        std::ofstream(m_path, std::ios::binary) << nsma_text();
    }
    ~Nsma_File() { std::filesystem::remove(m_path); }
    Nsma_File(const Nsma_File&) = delete;
    Nsma_File& operator=(const Nsma_File&) = delete;

    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

// A shown 1000 x 600 chart; a repaint draws into the window's backing store at once.
struct Shown_Chart {
    Shown_Chart() {
        view.resize(1000, 600);
        view.set_axis_titles("Angle (deg)", "Level (dB)");
        view.show();
        if (!QTest::qWaitForWindowExposed(&view)) {
            std::fprintf(stderr, "chart_render_bench: the chart window was not exposed\n");
        }
    }
    dbl2_view view;
};

// Per round: read the file, then for every cut fill the list, lay out and draw the picture.
void build_chart_per_cut(benchmark::State& state) {
    const Nsma_File file;
    const std::string path = file.path();
    Error_Handler handler;
    Antenna_Record record;
    Shown_Chart chart;
    const int renders_before = chart.view.render_count();
    for (auto _ : state) {
        read_nsma_file(record, &handler, path.c_str());
        for (int slot = 0; slot < CUTS; ++slot) {
            const Curve_Points points = curve_points_of(record.cut(slot));
            chart.view.set_data(points);
            chart.view.move_marker(points.count() / 2);
            chart.view.repaint();
        }
    }
    state.counters["renders_per_round"] =
        double(chart.view.render_count() - renders_before) / double(state.iterations());
    state.counters["per_cut"] = benchmark::Counter(
        double(state.iterations()) * CUTS, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(build_chart_per_cut)->Unit(benchmark::kMillisecond);

// The chart's share alone: the list, the layout and the picture of one cut, the file read once.
void draw_cut(benchmark::State& state) {
    const Nsma_File file;
    Error_Handler handler;
    Antenna_Record record;
    read_nsma_file(record, &handler, file.path().c_str());
    Shown_Chart chart;
    int slot = 0;
    for (auto _ : state) {
        const Curve_Points points = curve_points_of(record.cut(slot));
        chart.view.set_data(points);
        chart.view.repaint();
        slot = (slot + 1) % CUTS;
    }
}
BENCHMARK(draw_cut)->Unit(benchmark::kMillisecond);

// A repaint with the picture cached: the replay and the marker only.
void repaint_from_cache(benchmark::State& state) {
    const Nsma_File file;
    Error_Handler handler;
    Antenna_Record record;
    read_nsma_file(record, &handler, file.path().c_str());
    Shown_Chart chart;
    const Curve_Points points = curve_points_of(record.cut(0));
    chart.view.set_data(points);
    chart.view.repaint();
    const int renders_before = chart.view.render_count();
    int marker = 0;
    for (auto _ : state) {
        chart.view.move_marker(marker);
        marker = (marker + 7) % points.count();
        chart.view.repaint();
    }
    state.counters["renders"] = chart.view.render_count() - renders_before;
}
BENCHMARK(repaint_from_cache)->Unit(benchmark::kMicrosecond);

// The chart of an imported 100,000-point curve: the layout and the picture.
void draw_imported_curve(benchmark::State& state) {
    std::vector<Curve_Pair> pairs;
    for (int i = 0; i < 100000; ++i) {
        pairs.push_back({i * 0.001 - 50.0, -20.0 - 3.0 * std::sin(i * 0.01)});
    }
    const Curve_Points points(pairs);
    Shown_Chart chart;
    for (auto _ : state) {
        chart.view.set_data(points);
        chart.view.repaint();
    }
}
BENCHMARK(draw_imported_curve)->Unit(benchmark::kMillisecond);

// The grid beside it: a page of a 100,000-point list painted, scrolled one page further on each
// round, so that every paint draws new rows.
void grid_page(benchmark::State& state) {
    std::vector<Curve_Pair> pairs;
    for (int i = 0; i < 100000; ++i) {
        pairs.push_back({i * 0.01, -0.001 * i});
    }
    Curve_Points points(pairs);
    dbl2_frame grid;
    grid.set_titles("Angle (deg)", "Level (dB)");
    grid.attach(&points);
    grid.resize(grid.sizeHint());
    grid.show();
    if (!QTest::qWaitForWindowExposed(&grid)) {
        std::fprintf(stderr, "chart_render_bench: the grid window was not exposed\n");
    }
    int row = 0;
    for (auto _ : state) {
        row = (row + Curve_Grid::rows_per_page) % points.count();
        grid.set_current_row(row);
        grid.viewport()->repaint();
    }
}
BENCHMARK(grid_page)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
