// The cost of 10,000 spreadsheet rows on the grid list: the clipboard text split into rows and
// pasted into the adaptive-modulation list (99 become states, the rest are reported), and the
// export and clipboard texts of a 10,000-row table. Each should stay far below the time a user
// notices after Ctrl+V or the export's OK.
#include "acm_acu_lists.h"
#include "grid_export.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int ROWS = 10000;

const std::string& clipboard() {
    static const std::string text = [] {
        std::string t;
        for (int n = 0; n < ROWS; ++n) {
            t += "QAM" + std::to_string(n) + "\t" + std::to_string(n * 10) +
                 "\t\"B\tC\"\t20.5\t-70.25\t1\t1\t25\t40\t1\t6.3\t28\t15\t15\t1\t1\t-20\t3\r\n";
        }
        return t;
    }();
    return text;
}

Grid_Table_Text big_table() {
    Grid_Table_Text table;
    for (const List_Column& c : acm_list_columns()) {
        table.titles.emplace_back(c.title);
        table.kinds.push_back(c.kind);
    }
    table.rows = parse_tab_text(clipboard());
    return table;
}

void BM_PasteRows(benchmark::State& state) {
    std::vector<int> columns;
    for (int n = 0; n < ACM_LIST_COLUMNS; ++n) {
        columns.push_back(n);
    }
    for (auto _ : state) {
        Acm_Table table;
        Acm_List list(table);
        const List_Paste_Report report = list.paste(parse_tab_text(clipboard()), columns);
        benchmark::DoNotOptimize(paste_report_text(report, "states"));
    }
}
BENCHMARK(BM_PasteRows)->Unit(benchmark::kMillisecond);

void BM_ExportAndCopyTexts(benchmark::State& state) {
    const Grid_Table_Text table = big_table();
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid_export_text(table, {}));
        benchmark::DoNotOptimize(grid_tab_text(table, false));
    }
}
BENCHMARK(BM_ExportAndCopyTexts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
