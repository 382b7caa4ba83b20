// The version 4 radio form driven with keys: the version 4 store rules as the rows show them, one
// undo step per stored edit, random typing that leaves a writable record, and the example files
// shown field by field.
#include "command_ids.h"
#include "error_handler.h"
#include "keyword_form.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "string_list.h"
#include "text_helpers.h"
#include "v4_radio_file_edit.h"

#include "form_keys.h"
#include "gui_test_support.h"

#include <QUndoStack>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <sstream>

using namespace kelvor_test;

namespace {

int row_of(const char* keyword) { return find_raf4_keyword(keyword); }

class Raf4KeywordForm : public kelvor_test::Editor_Form_Test<V4RadioFileEdit> {
protected:
    Radio4_Record& record() { return editor->document().record(); }
    std::string shown(const char* keyword) { return form().model().text(row_of(keyword), 0); }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
};

TEST_F(Raf4KeywordForm, TypedValuesFollowTheVersion4RulesAndUndoTakesThemBack) {
    // A new record is PDH: typing it again changes nothing and pushes nothing.
    enter_text(form(), row_of("DIGRADIO_TYPE"), "PDH");
    EXPECT_EQ(undo_stack().count(), 0);
    EXPECT_EQ(record().radio_spec.flags & RADIO4_TYPE_FLAGS, RADIO4_PDH);

    struct Case {
        const char* keyword;
        const char* typed;
        const char* checked; // the row whose text the edit changes
        const char* shown;
    };
    const Case cases[] = {
        {"DIGRADIO_TYPE", "SDH", "DIGRADIO_TYPE", "SDH"},
        {"STABILITY_PPM", "20", "STABILITY_PRC", "0.002"}, // held in percent
        {"NUM_ATPCSTEPS", "7", "NUM_ATPCSTEPS", "7"},
        {"SD_OPERATION", "IFC", "SD_OPERATION", "IFC"},
        {"CHANNELBW_MHZ", "0", "CHANNELBW_MHZ", ""}, // 0 means none
        {"MODEL", "HM-6L 16E1 // rev C", "MODEL", "HM-6L 16E1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        const std::string before = shown(c.checked);
        const int steps = undo_stack().count();
        enter_text(form(), row_of(c.keyword), c.typed);
        EXPECT_EQ(shown(c.checked), c.shown);
        if (before == c.shown) {
            EXPECT_EQ(undo_stack().count(), steps);
            continue;
        }
        ASSERT_EQ(undo_stack().count(), steps + 1);
        EXPECT_EQ(undo_stack().text(steps), QStringLiteral("Edit %1").arg(c.keyword));
        EXPECT_TRUE(editor->document().modified());
        editor->handle_command(ID_EDIT_UNDO);
        EXPECT_EQ(shown(c.checked), before);
        editor->handle_command(ID_EDIT_REDO);
        EXPECT_EQ(shown(c.checked), c.shown);
    }
    // Only the type typed last is set.
    EXPECT_EQ(record().radio_spec.flags & RADIO4_TYPE_FLAGS, RADIO4_SDH);
}

// Whatever a user types or pastes into whichever row, the record writes a file that reads back.
TEST_F(Raf4KeywordForm, RandomKeysAndPastesLeaveARecordThatReadsBack) {
    std::mt19937 random(20261207);
    for (int step = 0; step < 400; ++step) {
        random_form_action(form(), random);
    }
    form().commit_edit();
    ASSERT_GT(undo_stack().count(), 0);
    ASSERT_EQ(raf4_unwritable_reason(record()), "");
    const std::string written = raf4_text(record());
    Error_Handler handler;
    string_list lines;
    lines.set_text(&handler, written.data(), written.size());
    Radio4_Record read;
    read_raf4_lines(read, lines, "typed.raf");
    EXPECT_EQ(raf4_text(read), written);
}

// The value of each keyword line of a version 4 ASCII file, by row.
std::map<int, std::string> keyword_values(const std::string& path) {
    std::map<int, std::string> values;
    std::istringstream lines(read_bytes(path));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto end = line.find_first_of(" \t");
        const int row = find_raf4_keyword(line.substr(0, end).c_str());
        if (row < 0) {
            continue;
        }
        std::string value = end == std::string::npos ? std::string() : line.substr(end);
        value = value.substr(0, value.find("//"));
        strip_space(value.data());
        values[row] = value.c_str();
    }
    return values;
}

bool is_number_row(int row) {
    const Raf4_Value kind = raf4_keyword(row).value;
    return kind == Raf4_Value::number || kind == Raf4_Value::data_rate ||
           kind == Raf4_Value::stability_ppm || kind == Raf4_Value::steps;
}

// A file's number: a product of two joined by x for a data rate.
double file_number(const std::string& text) {
    const auto times = text.find_first_of("xX");
    if (times != std::string::npos) {
        return text_to_double(text.substr(0, times).c_str()) *
               text_to_double(text.substr(times + 1).c_str());
    }
    return text_to_double(text.c_str());
}

// Two decimals, or a relative one percent for the small numbers shown with an exponent.
bool same_at_form_precision(double file, double form) {
    const double tolerance = std::fabs(file) < 0.005 ? std::fabs(file) * 0.01 : 0.0051;
    return std::fabs(file - form) <= tolerance;
}

TEST_F(Raf4KeywordForm, OpeningEveryExampleShowsEveryFieldItHolds) {
    // The binary example holds what its ASCII twin holds.
    const struct {
        const char* file;
        const char* keywords; // the ASCII file whose keyword lines it holds
    } examples[] = {
        {"radio/hm6l_16e1q.raf", "radio/hm6l_16e1q.raf"},
        {"radio/nr18s_stm1.raf", "radio/nr18s_stm1.raf"},
        {"radio/hm6l_16e1q.mrs", "radio/hm6l_16e1q.raf"},
    };
    EXPECT_EQ(form().current_row(), 0); // a new record starts at the top too
    for (const auto& e : examples) {
        SCOPED_TRACE(e.file);
        form().select(RAF4_KEYWORD_COUNT - 1, 0);
        ASSERT_TRUE(editor->document().open_path(example(e.file)));
        EXPECT_EQ(form().current_row(), 0); // a file opens at its top
        const std::map<int, std::string> values = keyword_values(example(e.keywords));
        ASSERT_GT(values.size(), 40u);
        for (const auto& [row, value] : values) {
            SCOPED_TRACE(raf4_keyword(row).keyword);
            const std::string text = form().model().text(row, 0);
            if (!is_number_row(row) || value.empty()) {
                EXPECT_EQ(text, value);
                continue;
            }
            ASSERT_FALSE(text.empty()) << value;
            EXPECT_TRUE(same_at_form_precision(file_number(value), text_to_double(text.c_str())))
                << value << " shown as " << text;
        }
    }
    EXPECT_TRUE(presenter.shown.empty());
}

} // namespace
