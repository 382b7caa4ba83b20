// The equipment modes.
#include "equipment_modes.h"

#include "text_helpers.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr Mode_Info radio_v5_info{153, 118, "Kelvor - Radio Data Files V5",
                                  "Kelvor_6.htm#Version_5_RADIO_Data"};
constexpr Mode_Info radio_v4_info{152, 208, "Kelvor - Radio Data Files V4",
                                  "Kelvor_6.htm#Version_4_RADIO_DATA"};
constexpr Mode_Info antenna_info{154, 119, "Kelvor - TIA NSMA Antenna Data Files",
                                 "Kelvor_6.htm#Antenna_Data_Files"};

bool is_one_of(const std::string& extension, std::initializer_list<const char*> list) {
    return std::any_of(list.begin(), list.end(),
                       [&](const char* item) { return extension == item; });
}

} // namespace

const Mode_Info& mode_info(Equipment_Mode mode) {
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return radio_v4_info;
    case Equipment_Mode::antenna:
        return antenna_info;
    case Equipment_Mode::radio_v5:
        break;
    }
    return radio_v5_info;
}

std::string mode_title(Equipment_Mode mode, const std::string& path) {
    const std::string title = mode_info(mode).title;
    if (path.empty()) {
        return title;
    }
    return title + " - " + get_filename(path.c_str());
}

Startup_Choice startup_choice(const std::string& path) {
    if (path.empty()) {
        return {Equipment_Mode::radio_v5, false};
    }
    std::string extension = get_extension(path.c_str());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (is_one_of(extension, {".mas", ".vas", ".asd", ".adf", ".msi", ".dat"})) {
        return {Equipment_Mode::antenna, true};
    }
    if (is_one_of(extension, {".mrs", ".raf", ".rsd"})) {
        return {Equipment_Mode::radio_v5, true};
    }
    return {Equipment_Mode::radio_v5, false};
}

std::array<Equipment_Mode, 2> query_close_order(Equipment_Mode target) {
    switch (target) {
    case Equipment_Mode::radio_v4:
        return {Equipment_Mode::radio_v5, Equipment_Mode::antenna};
    case Equipment_Mode::antenna:
        return {Equipment_Mode::radio_v4, Equipment_Mode::radio_v5};
    case Equipment_Mode::radio_v5:
        break;
    }
    return {Equipment_Mode::antenna, Equipment_Mode::radio_v4};
}
