// The dump of every example with every text of its record in bytes above 0x7F: JSON is UTF-8,
// and each text comes back as the bytes the record holds.
#include "data_files.h"

#include "error_handler.h"
#include "file_text.h"
#include "json_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Fills texts with bytes from 0x80 to 0xFF, a different run for each, and remembers them.
class High_Texts {
public:
    template <std::size_t N>
    void fill(char (&field)[N]) {
        std::string text;
        for (std::size_t i = 0; i + 1 < N; ++i) {
            text += static_cast<char>(0x80 + (m_next + i) % 0x80);
        }
        ++m_next;
        std::copy(text.begin(), text.end(), field);
        field[N - 1] = '\0';
        texts.push_back(text);
    }
    void fill(std::string& text) {
        text.clear();
        for (std::size_t i = 0; i < 12; ++i) {
            text += static_cast<char>(0xFF - (m_next + i) % 0x80);
        }
        ++m_next;
        texts.push_back(text);
    }

    std::vector<std::string> texts;

private:
    unsigned m_next = 0;
};

void fill_texts(Radio_Record& record, High_Texts& high) {
    Radio_Spec& s = record.radio_spec;
    for (auto* field : {&s.manufacturer, &s.model, &s.radio_code, &s.radio_id}) {
        high.fill(*field);
    }
    high.fill(s.release_date);
    high.fill(s.revision_date);
    high.fill(s.revision_num);
    high.fill(s.emission_designator);
    high.fill(s.modulation);
    high.fill(s.capacity_unit);
    high.fill(s.radio_type);
    for (auto& comment : s.comments) {
        high.fill(comment);
    }
    for (auto& name : s.tx_power_names) {
        high.fill(name);
    }
    for (Rx_Threshold& threshold : record.thresholds) {
        high.fill(threshold.description);
    }
    for (Radio_Curve& curve : record.curves) {
        high.fill(curve.name);
        for (std::string& code : curve.interfering_codes) {
            high.fill(code);
        }
    }
    for (Acm_State& state : record.acm_table.rows) {
        high.fill(state.thruput);
        high.fill(state.Mod);
        high.fill(state.RSEC);
    }
    for (Acu_Config& config : record.acu_table.rows) {
        high.fill(config.Configuration);
    }
    high.fill(record.capacity_summary);
    high.texts.pop_back(); // stored for the binary file, never dumped
}

void fill_texts(Radio4_Record& record, High_Texts& high) {
    Radio4_Spec& s = record.radio_spec;
    high.fill(s.manufact);
    for (auto& comment : s.comment) {
        high.fill(comment);
    }
    high.fill(s.model);
    high.fill(s.emdesig);
    high.fill(s.radio_id);
    high.fill(s.modulation);
    high.fill(s.capacity);
    for (Radio4_Curve& curve : record.curves) {
        high.fill(curve.name);
    }
}

void fill_texts(Antenna_Record& record, High_Texts& high) {
    Nsma_Header& h = record.header;
    high.fill(h.revision_number);
    high.fill(h.revision_date);
    high.fill(h.comment1);
    high.fill(h.comment2);
    high.fill(h.pattern_file_number);
    high.fill(h.pattern_id);
    high.fill(h.feed_orientation_text);
    high.fill(h.description2);
    high.fill(h.description3);
    high.fill(h.description4);
    high.fill(h.description5);
    high.fill(h.gain_units_text);
    high.fill(h.connector_type);
    high.fill(h.field1);
    high.fill(h.field2);
    high.fill(h.field3);
    high.fill(h.field4);
    high.fill(h.field5);
    Antenna_Spec& a = record.antenna_spec;
    high.fill(a.magic);
    high.fill(a.manufacturer);
    high.fill(a.model);
    high.fill(a.description);
    high.fill(a.file_name);
    high.fill(a.date);
}

void collect_strings(const Json& value, std::vector<std::string>& strings) {
    if (value.is_string()) {
        strings.push_back(value.get<std::string>());
    }
    for (const auto& item : value) {
        if (value.is_structured()) {
            collect_strings(item, strings);
        }
    }
}

TEST(DataFileJson, EveryTextOfEveryExampleReachesTheDumpAsUtf8) {
    std::vector<std::string> examples;
    for (const char* folder : {"radio", "antenna"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(KELVOR_EXAMPLES_DIR) / folder)) {
            examples.push_back(entry.path().string());
        }
    }
    ASSERT_GE(examples.size(), 11u);
    for (const std::string& path : examples) {
        SCOPED_TRACE(path);
        Error_Handler handler;
        Loaded_File file = load_data_file(path, &handler);
        High_Texts high;
        if (file.radio) {
            fill_texts(*file.radio, high);
            // The capacity summary is made of the unit and the modulation only for a microwave
            // radio with a capacity; make every radio one for the dump.
            file.radio->radio_spec.application_type = APPLICATION_MICROWAVE;
            file.radio->radio_spec.capacity_count = 16;
        } else if (file.radio4) {
            fill_texts(*file.radio4, high);
        } else {
            ASSERT_TRUE(file.antenna);
            fill_texts(*file.antenna, high);
        }
        const Json dump = data_file_json(file);
        std::string dumped;
        ASSERT_NO_THROW(dumped = dump.dump(2));
        ASSERT_TRUE(utf8_to_file_text(dumped).has_value()) << "the dump is no UTF-8";
        std::vector<std::string> strings;
        collect_strings(dump, strings);
        std::vector<std::string> decoded;
        for (const std::string& text : strings) {
            decoded.push_back(*utf8_to_file_text(text));
        }
        for (const std::string& text : high.texts) {
            EXPECT_TRUE(std::any_of(decoded.begin(), decoded.end(),
                                    [&](const std::string& d) { return d == text; }))
                << "a text of " << text.size() << " bytes from 0x"
                << std::hex << (static_cast<unsigned>(static_cast<unsigned char>(text[0])))
                << " is not in the dump";
        }
    }
}

} // namespace
