// The antenna form driven with keys: the characters each row takes, the apply rules as the rows
// show them, the gain units through their list, one undo step per stored edit, random typing
// that leaves a writable record, and the example files shown field by field.
#include "antenna_file_edit.h"
#include "antenna_form.h"
#include "antenna_record.h"
#include "command_ids.h"
#include "error_handler.h"
#include "keyword_form.h"
#include "nsma_format.h"
#include "nsma_keywords.h"
#include "text_helpers.h"

#include "form_keys.h"
#include "gui_test_support.h"

#include <QUndoStack>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

using namespace kelvor_test;

namespace {

class AntennaKeywordForm : public kelvor_test::Editor_Form_Test<AntennaFileEdit> {
protected:
    Antenna_Record& record() { return editor->document().record(); }
    std::string shown(int row) { return form().model().text(row, 0); }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
};

TEST_F(AntennaKeywordForm, ACharacterTheRowDoesNotTakeOpensNoEditor) {
    const struct {
        int row;
        char key;
        bool edits;
    } cases[] = {
        {ROW_ATVSWR, 'a', false}, {ROW_ATVSWR, '-', false}, {ROW_ATVSWR, '1', true},
        {ROW_MDGAIN, '-', true},  {ROW_ELTILT, '-', true},  {ROW_NOFREQ, '.', false},
        {ROW_GUNITS, 'D', false}, {ROW_ANTMAN, 'x', true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << nsma_keywords[c.row].keyword << " " << c.key);
        ASSERT_TRUE(form().select(c.row, 0));
        type_keys(form(), std::string(1, c.key));
        EXPECT_EQ(form().cell_editor() != nullptr, c.edits);
        EXPECT_EQ(form().choice_list(), nullptr);
        if (form().cell_editor() != nullptr) {
            EXPECT_EQ(form().cell_editor()->text(), QString(QChar::fromLatin1(c.key)));
            press(form(), Qt::Key_Escape);
        }
        EXPECT_EQ(form().cell_editor(), nullptr);
    }
    EXPECT_EQ(undo_stack().count(), 0);
}

TEST_F(AntennaKeywordForm, TypedValuesFollowTheApplyRulesAndUndoTakesThemBack) {
    const struct {
        int row;
        const char* first; // typed before, to have a value to come back to
        const char* typed;
        const char* shown;
        const char* written; // the row's value in the file, after the edit
    } cases[] = {
        {ROW_ELTILT, "2", "-3", "", ""}, // a minus can be typed, but the value refuses it
        {ROW_AZWIDT, "65", "0", "", ""}, // 0 means none
        {ROW_MDGAIN, "17", "-2.5", "-2.50", "-2.50"},
        {ROW_LWGAIN, "3", "0", "0.00", "0.00"}, // the gains keep 0
        {ROW_MDGAIN, "17", "", "17.00", "17.00"}, // no gain is no valid gain: nothing changes
        {ROW_ANTMAN, "Nordic", "Kelvor \"KV\" ab", "KELVOR KV AB", "KELVOR KV AB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << nsma_keywords[c.row].keyword << " " << c.typed);
        enter_text(form(), c.row, c.first);
        const std::string before = shown(c.row);
        const int steps = undo_stack().count();
        enter_text(form(), c.row, c.typed);
        EXPECT_EQ(shown(c.row), c.shown);
        EXPECT_EQ(nsma_row_value(record(), c.row), c.written);
        if (before == c.shown) {
            EXPECT_EQ(undo_stack().count(), steps);
            continue;
        }
        ASSERT_EQ(undo_stack().count(), steps + 1);
        EXPECT_EQ(undo_stack().text(steps), QStringLiteral("Edit %1").arg(nsma_keywords[c.row].keyword));
        editor->handle_command(ID_EDIT_UNDO);
        EXPECT_EQ(shown(c.row), before);
        editor->handle_command(ID_EDIT_REDO);
        EXPECT_EQ(shown(c.row), c.shown);
    }
}

TEST_F(AntennaKeywordForm, GainUnitsChosenInTheListMoveTheBandGains) {
    // To dBd first: the set gains move down, then a low-band gain of 10 dBd.
    ASSERT_TRUE(form().select(ROW_GUNITS, 0));
    press(form(), Qt::Key_Return);
    ASSERT_NE(form().choice_list(), nullptr);
    form().choose(0);
    EXPECT_EQ(form().choice_list(), nullptr);
    EXPECT_EQ(shown(ROW_GUNITS), "DBD/DBR");
    enter_text(form(), ROW_LWGAIN, "10");
    const int steps = undo_stack().count();

    ASSERT_TRUE(form().select(ROW_GUNITS, 0));
    press(form(), Qt::Key_Space);
    ASSERT_NE(form().choice_list(), nullptr);
    // The list lies over the cell.
    EXPECT_EQ(form().choice_list()->geometry(),
              form().cell_rect(ROW_GUNITS, 0).adjusted(0, 0, 0, -1));
    EXPECT_EQ(form().choice_list()->currentIndex(), 0);
    form().choose(1);
    EXPECT_EQ(shown(ROW_GUNITS), "DBI/DBR");
    EXPECT_EQ(shown(ROW_LWGAIN), "12.15");
    EXPECT_EQ(shown(ROW_HGGAIN), ""); // a gain not set stays unset
    ASSERT_EQ(undo_stack().count(), steps + 1);
    EXPECT_EQ(undo_stack().text(steps), "Edit GUNITS");

    editor->handle_command(ID_EDIT_UNDO);
    EXPECT_EQ(shown(ROW_GUNITS), "DBD/DBR");
    EXPECT_EQ(shown(ROW_LWGAIN), "10.00");
}

// Whatever a user types, pastes or chooses in whichever row, the record writes a file that
// reads back to it.
TEST_F(AntennaKeywordForm, RandomKeysAndPastesLeaveARecordThatReadsBack) {
    std::mt19937 random(20261207);
    for (int step = 0; step < 400; ++step) {
        random_form_action(form(), random);
    }
    form().commit_edit();
    ASSERT_GT(undo_stack().count(), 0);
    std::string written;
    write_nsma_file(record(), written);
    Error_Handler handler;
    Antenna_Record read;
    read_nsma_text(read, &handler, "typed.adf", written);
    std::string again;
    write_nsma_file(read, again);
    EXPECT_EQ(again, written);
}

// A field an example file holds, as the file gives it.
struct File_Field {
    int row;
    std::string value;
};

std::string trimmed(std::string text) {
    strip_space(text.data());
    return text.c_str();
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::vector<std::string> lines_of(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(read_bytes(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The keyword lines of an NSMA file ("KEYWORD:,value").
std::vector<File_Field> nsma_fields(const std::string& path) {
    std::vector<File_Field> fields;
    for (const std::string& line : lines_of(path)) {
        const auto colon = line.find(':');
        const int row =
            colon == std::string::npos ? -1 : find_nsma_keyword(line.substr(0, colon).c_str());
        if (row < 0 || row >= NSMA_FORM_ROWS) {
            continue;
        }
        std::string value = line.substr(colon + 1);
        if (!value.empty() && value.front() == ',') {
            value.erase(0, 1);
        }
        fields.push_back({row, trimmed(value.substr(0, value.find("//")))});
    }
    return fields;
}

// The keyword lines of an .msi file ("KEYWORD value ...") that name a field of the form.
std::vector<File_Field> msi_fields(const std::string& path) {
    const std::vector<std::pair<std::string, int>> rows = {
        {"NAME", ROW_MODNUM},       {"MAKE", ROW_ANTMAN},   {"FREQUENCY", ROW_LOWFRQ},
        {"H_WIDTH", ROW_AZWIDT},    {"BEAM_WIDTH", ROW_AZWIDT}, {"V_WIDTH", ROW_ELWIDT},
        {"FRONT_TO_BACK", ROW_FRTOBA}, {"GAIN", ROW_MDGAIN}, {"TILT", ROW_ELTILT},
        {"ELECTRICAL_TILT", ROW_ELTILT}, {"COMMENT", ROW_COMNT1},
    };
    std::vector<File_Field> fields;
    for (const std::string& line : lines_of(path)) {
        const auto blank = line.find(' ');
        const std::string keyword = line.substr(0, blank);
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const auto& r) { return r.first == keyword; });
        if (row == rows.end() || blank == std::string::npos) {
            continue;
        }
        std::string value = trimmed(line.substr(blank));
        const bool text = nsma_keywords[row->second].kind == NSMA_TEXT;
        if (!text) {
            value = value.substr(0, value.find(' ')); // the number, without a unit
        }
        fields.push_back({row->second, value});
        if (keyword == "GAIN") {
            const bool dbi = line.size() >= 3 && line.compare(line.size() - 3, 3, "dBi") == 0;
            fields.push_back({ROW_GUNITS, dbi ? "DBI" : "DBD"});
        }
    }
    return fields;
}

// The header entries of a headerless pattern file: manufacturer, model, date, frequency range
// (in GHz when below 100), gain and azimuth beam width.
std::vector<File_Field> pattern_fields(const std::string& path) {
    const std::vector<std::string> lines = lines_of(path);
    std::vector<File_Field> fields = {{ROW_ANTMAN, lines.at(0)},
                                      {ROW_MODNUM, lines.at(1)},
                                      {ROW_DTDATA, lines.at(5)},
                                      {ROW_MDGAIN, lines.at(8)},
                                      {ROW_AZWIDT, lines.at(9)}};
    double low = 0;
    double high = 0;
    char unit[8] = {};
    EXPECT_EQ(std::sscanf(lines.at(7).c_str(), "%lf - %lf %7s", &low, &high, unit), 3);
    const double scale = low < 100 ? 1000 : 1;
    fields.push_back({ROW_LOWFRQ, std::to_string(low * scale)});
    fields.push_back({ROW_HGHFRQ, std::to_string(high * scale)});
    return fields;
}

TEST_F(AntennaKeywordForm, OpeningEveryExampleShowsEveryFieldItHolds) {
    const struct {
        const char* file;
        std::vector<File_Field> (*fields)(const std::string&);
        bool upper_case; // the reader folds the texts
    } examples[] = {
        {"antenna/dp450_dipole.dat", nsma_fields, true},
        {"antenna/npx120_11_envelope.adf", nsma_fields, true},
        {"antenna/pnl450_Hpol.msi", msi_fields, false},
        {"antenna/pnl450_Vpol.msi", msi_fields, false},
        {"antenna/npx180_6.pat", pattern_fields, false},
    };
    EXPECT_EQ(form().current_row(), 0); // a new record starts at the top too
    for (const auto& e : examples) {
        SCOPED_TRACE(e.file);
        form().select(NSMA_FORM_ROWS - 1, 0);
        ASSERT_TRUE(editor->document().open_path(example(e.file)));
        EXPECT_EQ(form().current_row(), 0); // a file opens at its top
        const std::vector<File_Field> fields = e.fields(example(e.file));
        ASSERT_GE(fields.size(), 5u);
        for (const File_Field& field : fields) {
            SCOPED_TRACE(nsma_keywords[field.row].keyword);
            const std::string text = form().model().text(field.row, 0);
            switch (nsma_keywords[field.row].kind) {
            case NSMA_TEXT:
                EXPECT_EQ(e.upper_case ? text : upper(text), upper(field.value));
                break;
            case NSMA_CHOICE: // the list's text begins with the file's word
                EXPECT_EQ(upper(text).rfind(upper(field.value), 0), 0u) << text;
                break;
            default:
                if (field.value.empty()) {
                    EXPECT_EQ(text, "");
                } else {
                    ASSERT_FALSE(text.empty()) << field.value;
                    EXPECT_NEAR(text_to_double(text.c_str()),
                                text_to_double(field.value.c_str()), 0.0051)
                        << field.value << " shown as " << text;
                }
            }
        }
    }
}

} // namespace
