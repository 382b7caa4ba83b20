// The cost of importing a measurement export of 100,000 lines into a curve: the file read into
// the engine, the preview's columns found, the import dialog's forecast of what will be read
// (run again at each column choice), and the reading loop with its number conversion, the
// points appended and sorted. The curve editors should stay well under a second for each.
#include "curve_points.h"
#include "error_handler.h"
#include "text_helpers.h"
#include "txtimport_format.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int LINES = 100000;

const std::string& export_path() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "kelvor_text_import_bench.csv").string();
        std::ofstream out(file, std::ios::binary);
        out << "\"Offset (MHz)\",\"Level (dB)\",\"Note\"\r\n";
        char line[96];
        for (int i = 0; i < LINES; ++i) {
            // Offsets out of order, as a swept export gives them after a merge.
            const double offset = ((i * 7919) % LINES) * 0.001 - 50.0;
            std::snprintf(line, sizeof line, "%.3f,%.2f,\"sweep %d\"\r\n", offset,
                          -20.0 - offset * 0.3, i % 7);
            out << line;
        }
        return file;
    }();
    return path;
}

std::unique_ptr<txtimport_format> prepared_format(Error_Handler& handler) {
    auto format =
        std::make_unique<txtimport_format>(&handler, export_path().c_str(), 2, -1, false);
    format->record.start_line = 2;
    format->read_disp_lines();
    format->set_col_widths();
    format->column_assignment = {1, 2, 0};
    return format;
}

bool number_field(int, const char* text) { return curve_import_value(text) != NOT_SET; }

void BM_ReadAndFindColumns(benchmark::State& state) {
    for (auto _ : state) {
        Error_Handler handler;
        benchmark::DoNotOptimize(prepared_format(handler));
    }
}
BENCHMARK(BM_ReadAndFindColumns)->Unit(benchmark::kMillisecond);

void BM_Forecast(benchmark::State& state) {
    Error_Handler handler;
    auto format = prepared_format(handler);
    for (auto _ : state) {
        const Import_Forecast forecast = format->forecast_import(number_field);
        if (forecast.lines != LINES) {
            state.SkipWithError("the forecast stopped early");
        }
    }
}
BENCHMARK(BM_Forecast)->Unit(benchmark::kMillisecond);

void BM_ImportIntoCurve(benchmark::State& state) {
    Error_Handler handler;
    auto format = prepared_format(handler);
    for (auto _ : state) {
        Curve_Points points;
        std::vector<Curve_Pair> pairs;
        int line = -1;
        format->init_import();
        while (format->set_line_buffer(line)) {
            const double x = curve_import_value(format->get_field(0));
            const double y = curve_import_value(format->get_field(1));
            if (x == NOT_SET || y == NOT_SET) {
                break;
            }
            pairs.push_back({x, y});
        }
        points.add_points(pairs);
        points.sort_by_x();
        if (points.count() != LINES) {
            state.SkipWithError("the import stopped early");
        }
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(BM_ImportIntoCurve)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
