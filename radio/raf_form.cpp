// The version 5 radio form's cell texts and store rules.
#include "raf_form.h"

#include "radio_record.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

bool is_values_row(int row) {
    return row >= 0 && row < RAF_ROW_COUNT && raf_keyword(row).kind == Raf_Row_Kind::values;
}

bool has_cell(int row, int cell) {
    return is_values_row(row) && cell >= 0 && cell < raf_keyword(row).cells;
}

// The TX power rows keep a typed 0: a radio may have a 0 dBm option.
bool keeps_zero(int row) {
    return row == ROW_TX_POWER_OPTIONS || row == ROW_TX_POWER_MIN_OPTIONS ||
           row == ROW_TX_POWER_RANGE;
}

// The characters a number or integer cell takes.
unsigned char input_of(int row, int cell) {
    const Raf_Keyword& keyword = raf_keyword(row);
    // The capacity row's second cell is its unit, a text.
    if (row == ROW_RADIO_CAPACITY && cell == 1) {
        return RAF_TEXT_INPUT;
    }
    return keyword.input;
}

} // namespace

std::string raf_form_text(const Radio_Record& record, int row, int cell) {
    if (row < 0 || row >= RAF_ROW_COUNT) {
        return {};
    }
    const Raf_Keyword& keyword = raf_keyword(row);
    switch (keyword.kind) {
    case Raf_Row_Kind::heading: return {};
    case Raf_Row_Kind::acm_count:
        return record.acm_table.count() > 0 ? std::to_string(record.acm_table.count()) : "";
    case Raf_Row_Kind::acu_count:
        return record.acu_table.count() > 0 ? std::to_string(record.acu_table.count()) : "";
    case Raf_Row_Kind::values: break;
    }
    if (!has_cell(row, cell)) {
        return {};
    }
    const Raf_Cell place = raf_cell(record, row, cell);
    if (place.text != nullptr) {
        return std::string(place.text, strnlen(place.text, place.size));
    }
    if (place.number != nullptr) {
        return form_number_text(*place.number, keyword.decimals);
    }
    if (place.integer != nullptr) {
        return form_integer_text(*place.integer);
    }
    if (place.code != nullptr) {
        const std::vector<std::string>& choices = raf_form_choices(row);
        return *place.code < choices.size() ? choices[*place.code] : std::string();
    }
    return {};
}

const std::vector<std::string>& raf_form_choices(int row) {
    static const std::vector<std::string> none;
    static const std::vector<std::string> application{
        "Conventional Microwave Radio", "Adaptive Modulation Radio", "Land Mobile Radio"};
    static const std::vector<std::string> space_diversity{"BB Switching", "IF Combining"};
    static const std::vector<std::string> selective_fading{
        "Use Dispersive Fade Margin", "Use Equipment Signature", "Ignore Selective Fading"};
    static const std::vector<std::string> cochannel{"Do not use Co-Channel", "Use Co-Channel"};
    switch (row) {
    case ROW_APPLICATION_TYPE: return application;
    case ROW_SPACE_DIV_OPERATION: return space_diversity;
    case ROW_SELECTIVE_FADING: return selective_fading;
    case ROW_COCHANNEL_OPERATION: return cochannel;
    default: return none;
    }
}

bool raf_form_accepts(int row, int cell, char c) {
    if (!has_cell(row, cell) || c == '\0') {
        return false;
    }
    const unsigned char input = input_of(row, cell);
    if (input == RAF_TEXT_INPUT) {
        return true;
    }
    if (input == RAF_CHOICE_INPUT) {
        return false;
    }
    const char* allowed = character_set_chars(input);
    return allowed != nullptr && std::strchr(allowed, c) != nullptr;
}

int raf_form_limit(int row, int cell) {
    if (!has_cell(row, cell) || input_of(row, cell) == RAF_CHOICE_INPUT) {
        return 0;
    }
    if (row == ROW_RADIO_CAPACITY) {
        return cell == 0 ? 7 : 15;
    }
    return std::max(raf_keyword(row).width - 1, 0);
}

bool raf_form_store(Radio_Record& record, int row, int cell, std::string_view text) {
    if (!has_cell(row, cell) || input_of(row, cell) == RAF_CHOICE_INPUT) {
        return false;
    }
    // A pasted text keeps its first line.
    text = text.substr(0, text.find_first_of("\r\n"));
    const Raf_Keyword& keyword = raf_keyword(row);
    const Raf_Cell place = raf_cell(record, row, cell);
    bool changed = false;
    if (place.text != nullptr) {
        const std::size_t limit =
            std::min<std::size_t>(place.size - 1, static_cast<std::size_t>(raf_form_limit(row, cell)));
        std::string stored(text.substr(0, limit));
        // The file keeps no blanks around a text, nor a NUL inside it.
        stored.erase(std::find(stored.begin(), stored.end(), '\0'), stored.end());
        std::string trimmed = stored;
        strip_space(trimmed.data());
        trimmed.resize(std::strlen(trimmed.c_str()));
        changed = std::strncmp(place.text, trimmed.c_str(), place.size) != 0;
        std::memset(place.text, 0, place.size);
        std::memcpy(place.text, trimmed.data(), trimmed.size());
    } else if (place.number != nullptr) {
        std::string copy(text.substr(0, static_cast<std::size_t>(raf_form_limit(row, cell))));
        double value = get_valid_double(copy.data(), keyword.input);
        if (value == 0.0 && !keeps_zero(row)) {
            value = NOT_SET;
        }
        changed = std::memcmp(place.number, &value, sizeof value) != 0;
        *place.number = value;
    } else if (place.integer != nullptr) {
        std::string copy(text.substr(0, static_cast<std::size_t>(raf_form_limit(row, cell))));
        const int32_t value = text.empty() ? 0 : get_valid_int32(copy.data(), keyword.input);
        changed = *place.integer != value;
        *place.integer = value;
    }
    if (changed && keyword.derive != nullptr) {
        keyword.derive(record, cell);
    }
    return changed;
}

bool raf_form_choose(Radio_Record& record, int row, int index) {
    const std::vector<std::string>& choices = raf_form_choices(row);
    if (choices.empty() || index < 0 || index >= static_cast<int>(choices.size())) {
        return false;
    }
    const Raf_Cell place = raf_cell(record, row, 0);
    if (place.code == nullptr || *place.code == index) {
        return false;
    }
    *place.code = static_cast<uint8_t>(index);
    return true;
}

const char* raf_form_tip(int row) {
    static const char* const tips[] = {
        "Manufacturer of the radio",
        "Model name of the radio",
        "Date the radio was released",
        "Revision number of this data",
        "Date of this revision of the data",
        "The manufacturer's identifier of the radio",
        "Radio code: the file name, set when the file is opened or saved",
        "Kind of radio: conventional microwave, adaptive modulation or land mobile",
        "Type of radio, free text (for example PDH, SDH, Packet)",
        "Lowest and highest operating frequency, MHz",
        "ITU emission designator (for example 28M0D7W)",
        "Transmit data rate, Mbit/s",
        "Receive data rate, Mbit/s",
        "Traffic capacity: a whole count and its unit (for example 16 and E1)",
        "Modulation (for example QPSK, 64QAM)",
        "FCC authorised bandwidth, MHz",
        "Occupied bandwidth holding 99 % of the transmitted power, MHz",
        "Channel bandwidth (channel spacing), MHz",
        "Transmitter 3 dB bandwidth, MHz",
        "Receiver 3 dB bandwidth, MHz",
        "", // Transmit data
        "Name of each transmit power option (up to five)",
        "Highest transmit power of each option, dBm",
        "Lowest transmit power of each option, dBm",
        "Automatic transmit power control range of each option, dB",
        "Lowest and highest transmit power of the radio, dBm",
        "Automatic transmit power control range, dB",
        "Automatic transmit power control step size, dB",
        "Receive signal level the power control aims at, dBm",
        "Transmitter frequency stability, percent",
        "", // Receiver data
        "Description of each receiver threshold (10-3 BER, 10-6 BER, RBER, SES BER)",
        "Bit error ratio of each receiver threshold",
        "Receiver threshold at each bit error ratio, dBm",
        "Highest receive signal (overload) at each bit error ratio, dBm",
        "Dispersive fade margin at each bit error ratio, dB",
        "Echo delay of the equipment signature at each bit error ratio, ns",
        "Width of the equipment signature at each bit error ratio, MHz",
        "Signature depth for minimum phase fades at each bit error ratio, dB",
        "Signature depth for non-minimum phase fades at each bit error ratio, dB",
        "Receiver noise figure, dB",
        "Threshold to interference ratio for an interferer of like modulation, dB",
        "Carrier to interference ratio that degrades the 10-6 BER threshold by 3 dB, dB",
        "Carrier to interference ratio that degrades the 10-3 BER threshold by 3 dB, dB",
        "Receiver noise floor (kTBF), dBm",
        "Simulcast capture range of a land mobile radio, dB",
        "", // BBER and ESR parameters
        "Bits per block, for the background block error ratio (whole number)",
        "Blocks per second, for the errored second ratio (whole number)",
        "The three alpha factors of the block error estimates (whole numbers)",
        "Number of adaptive modulation states; they are edited in the Adaptive Modulation Data "
        "list",
        "", // Cochannel operation
        "Whether the radio works co-channel, on both polarisations of one frequency",
        "Cross-polar interference improvement factor of co-channel operation, dB",
        "Cross-polar discrimination (XPD, XPI) of co-channel operation, dB",
        "", // Selective fading method
        "How selective fading is taken into account: dispersive fade margin, equipment signature "
        "or not at all",
        "", // Space diversity improvement parameters
        "How the space diversity receiver combines: baseband switching or IF combining",
        "", // the IF combiner's factors
        "IF combining: combiner gain (dB), signature width factor and signature depth factor",
        "", // Minimum frequency separation
        "Least transmitter to transmitter separation, one antenna, co-polar, MHz",
        "Least transmitter to transmitter separation, one antenna, cross-polar, MHz",
        "Least transmitter to transmitter separation, two antennas, co-polar, MHz",
        "Least transmitter to transmitter separation, two antennas, cross-polar, MHz",
        "Least transmitter to receiver separation, one antenna, co-polar, MHz",
        "Least transmitter to receiver separation, one antenna, cross-polar, MHz",
        "Least transmitter to receiver separation, two antennas, co-polar, MHz",
        "Least transmitter to receiver separation, two antennas, cross-polar, MHz",
        "Fixed transmitter to receiver separation (duplex spacing), MHz",
        "Number of antenna coupling unit configurations; they are edited in the Antenna Coupling "
        "Unit Data list",
        "", // Miscellaneous
        "Free comment",
        "Free comment",
        "Free comment",
        "Free comment",
        "Free comment",
        "Free comment",
    };
    static_assert(std::size(tips) == RAF_ROW_COUNT);
    return row >= 0 && row < RAF_ROW_COUNT ? tips[row] : "";
}
