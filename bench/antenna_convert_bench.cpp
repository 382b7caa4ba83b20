// Helper of bench/antenna_convert.sh: makes the tree of NSMA antenna files it converts.
//
//   antenna_convert_bench generate DIR [FILES [BIG_EVERY]]   FILES files of eight cuts in
//                                  subfolders of DIR; every BIG_EVERY-th with 3,600 points a cut

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A level of a plausible envelope: the main beam, then side lobes falling to the back.
double envelope(double angle, double beamwidth, double back, double offset) {
    const double a = std::fabs(angle);
    const double main = 12.0 * (a / beamwidth) * (a / beamwidth);
    const double far = 25.0 + 22.0 * std::log10(1.0 + a);
    return -std::min(back, std::max(std::min(main, 25.0), std::min(far, back)) + offset);
}

void write_file(const std::filesystem::path& path, int index, int points) {
    static const char* const polarizations[4] = {"H/H", "H/V", "V/V", "V/H"};
    const double beamwidth = 0.6 + (index % 17) * 0.2;
    std::string text;
    text.reserve(static_cast<std::size_t>(points) * 8 * 20 + 2048);
    char line[256];
    const auto add = [&](const char* keyword, const std::string& value) {
        text += keyword;
        text += ":,";
        text += value;
        text += "\r\n";
    };
    add("REVNUM", "NSMA WG16.99.050");
    add("REVDAT", "19990520");
    add("COMNT1", "Benchmark antenna " + std::to_string(index));
    add("ANTMAN", "Nordic Microwave");
    add("MODNUM", "NPX-" + std::to_string(60 + index % 300) + "-" + std::to_string(6 + index % 32));
    add("FEDORN", index % 3 == 0 ? "LEFT" : "N/A");
    add("DESCR1", "Parabolic antenna, dual polarized");
    add("DTDATA", "20240301");
    add("LOWFRQ", std::to_string(5925 + index % 20000));
    add("HGHFRQ", std::to_string(6425 + index % 20000));
    add("GUNITS", "DBI/DBR");
    add("MDGAIN", std::to_string(30 + index % 20) + ".4");
    add("AZWIDT", std::to_string(beamwidth));
    add("ELWIDT", std::to_string(beamwidth));
    add("FRTOBA", "65");
    add("ANTLEN", "1.2");
    add("FIELD5", "APERTURE");
    add("PATTYP", "ENVELOPE");
    add("NOFREQ", "1");
    add("NUMCUT", "8");
    for (int slot = 0; slot < 8; ++slot) {
        add("PATCUT", slot < 4 ? "AZ" : "EL");
        add("POLARI", polarizations[slot % 4]);
        add("NUPOIN", std::to_string(points));
        add("FSTLST", "-180.00,180.00");
        const double offset = slot % 2 == 1 ? 30.0 : 0.0;
        for (int i = 0; i < points; ++i) {
            const double angle = -180.0 + 360.0 * i / (points - 1);
            std::snprintf(line, sizeof line, "%.2f,%.2f,\r\n", angle,
                          envelope(angle, beamwidth, 70.0, offset));
            text += line;
        }
    }
    text += "ENDFIL:,EOF\r\n";
    std::ofstream(path, std::ios::binary) << text;
}

int generate(const std::filesystem::path& top, int files, int big_every) {
    for (int index = 0; index < files; ++index) {
        const auto folder =
            top / ("site" + std::to_string(index / 100)) / (index % 2 == 0 ? "aperture" : "other");
        std::filesystem::create_directories(folder);
        const int points = big_every > 0 && index % big_every == 0 ? 3600 : 361;
        write_file(folder / ("npx_" + std::to_string(index) + ".adf"), index, points);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc >= 3) {
        return generate(argv[2], argc > 3 ? std::atoi(argv[3]) : 2000,
                        argc > 4 ? std::atoi(argv[4]) : 20);
    }
    std::fprintf(stderr, "usage: antenna_convert_bench generate DIR [FILES [BIG_EVERY]]\n");
    return 2;
}
