// The processor cost of reading NSMA antenna files, apart from the file system: one file of eight
// 361-point cuts and one of eight 3,600-point cuts, read again and again from the page cache.
// Reports bytes per second of NSMA text.
#include "antenna_record.h"
#include "error_handler.h"
#include "nsma_format.h"
#include "string_list.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string nsma_text(int points) {
    std::string text = "REVNUM:,NSMA WG16.99.050\r\nANTMAN:,Nordic Microwave\r\n"
                       "MODNUM:,NPX-120-11\r\nLOWFRQ:,10700\r\nHGHFRQ:,11700\r\n"
                       "GUNITS:,DBI/DBR\r\nMDGAIN:,41.2\r\nFIELD5:,APERTURE\r\nNUMCUT:,8\r\n";
    static const char* const polarizations[4] = {"H/H", "H/V", "V/V", "V/H"};
    char line[64];
    for (int slot = 0; slot < 8; ++slot) {
        text += slot < 4 ? "PATCUT:,AZ\r\n" : "PATCUT:,EL\r\n";
        text += std::string("POLARI:,") + polarizations[slot % 4] + "\r\n";
        text += "NUPOIN:," + std::to_string(points) + "\r\nFSTLST:,-180.00,180.00\r\n";
        for (int i = 0; i < points; ++i) {
            const double angle = -180.0 + 360.0 * i / (points - 1);
            const double level = -std::min(70.0, 25.0 + 22.0 * std::log10(1.0 + std::fabs(angle)));
            std::snprintf(line, sizeof line, "%.2f,%.2f,\r\n", angle, level);
            text += line;
        }
    }
    return text + "ENDFIL:,EOF\r\n";
}

class Nsma_File {
public:
    explicit Nsma_File(int points)
        : m_path(std::filesystem::temp_directory_path() /
                 ("kelvor_nsma_bench_" + std::to_string(points) + ".adf")) {
        const std::string text = nsma_text(points);
        std::ofstream(m_path, std::ios::binary) << text;
        m_size = text.size();
    }
    ~Nsma_File() { std::filesystem::remove(m_path); }
    Nsma_File(const Nsma_File&) = delete;
    Nsma_File& operator=(const Nsma_File&) = delete;

    std::string path() const { return m_path.string(); }
    std::size_t size() const { return m_size; }

private:
    std::filesystem::path m_path;
    std::size_t m_size = 0;
};

void read_nsma(benchmark::State& state) {
    const Nsma_File file(static_cast<int>(state.range(0)));
    const std::string path = file.path();
    Error_Handler handler;
    Antenna_Record record;
    for (auto _ : state) {
        read_nsma_file(record, &handler, path.c_str());
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(read_nsma)->Arg(361)->Arg(3600);

// The share of the text loading alone: checking the bytes and cutting the lines.
void load_lines(benchmark::State& state) {
    const Nsma_File file(static_cast<int>(state.range(0)));
    const std::string path = file.path();
    Error_Handler handler;
    for (auto _ : state) {
        string_list lines(&handler, path.c_str());
        benchmark::DoNotOptimize(lines.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(load_lines)->Arg(3600);

} // namespace

BENCHMARK_MAIN();
