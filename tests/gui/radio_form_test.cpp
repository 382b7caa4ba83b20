// The version 5 radio form in its editor: the rows, the keys a user types and what they store,
// each store as one undo step, the captions that follow the application type, the list buttons,
// random keys and pastes that leave a writable record, and the example files shown field by field.
#include "command_ids.h"
#include "error_handler.h"
#include "form_keys.h"
#include "gui_test_support.h"
#include "keyword_form.h"
#include "qt_file_text.h"
#include "radio_curve_edit.h"
#include "radio_record.h"
#include "raf_form.h"
#include "raf_format.h"
#include "raf_keywords.h"
#include "string_list.h"
#include "v5_radio_file_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace kelvor_test;

namespace {

namespace fs = std::filesystem;

std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The comma-separated cells of a keyword's value, an empty one after a trailing comma included.
std::vector<std::string> split_cells(const std::string& value) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (auto comma = value.find(','); comma != std::string::npos; comma = value.find(',', start)) {
        cells.push_back(trimmed(value.substr(start, comma - start)));
        start = comma + 1;
    }
    cells.push_back(trimmed(value.substr(start)));
    return cells;
}

class RadioForm : public kelvor_test::Editor_Form_Test<V5RadioFileEdit> {
protected:
    Form_Model& model() { return editor->form().model(); }
    V5_Radio_Document& document() { return editor->document(); }
    std::string shown(int row, int cell = 0) { return model().text(row, cell); }

    void open_example(const std::string& name) {
        ASSERT_TRUE(document().open_path(example("radio/" + name)));
    }

    // Types a file text key by key (a tab is the Tab key).
    void type(const std::string& text) {
        for (std::size_t start = 0;;) {
            const std::size_t tab = text.find('\t', start);
            kelvor_test::type_keys(form(), text.substr(start, tab - start));
            if (tab == std::string::npos) {
                return;
            }
            press(Qt::Key_Tab);
            start = tab + 1;
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        kelvor_test::press(form(), key, modifiers);
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
};

TEST_F(RadioForm, RowsFollowTheKeywordTable) {
    ASSERT_EQ(model().row_count(), RAF_ROW_COUNT);
    struct Case {
        int row;
        int cells;
        bool heading;
        bool choice;
        int limit; // of cell 0
    };
    const Case cases[] = {
        {ROW_MANUFACTURER, 1, false, false, 47},
        {ROW_RADIO_CAPACITY, 2, false, false, 7},
        {ROW_TX_POWER_OPTIONS, 5, false, false, 11},
        {ROW_LABEL_BLANK, 0, true, false, 0},
        {ROW_APPLICATION_TYPE, 1, false, true, 0},
        {ROW_NUM_ACM_STATES, 1, false, false, 0},
        {ROW_NUM_ACU_CONFIG, 1, false, false, 0},
    };
    for (const Case& c : cases) {
        const Form_Row row = model().row(c.row);
        SCOPED_TRACE(row.label);
        EXPECT_EQ(row.label, raf_keyword(c.row).keyword);
        EXPECT_EQ(row.cells, c.cells);
        EXPECT_EQ(row.heading, c.heading);
        EXPECT_EQ(row.choice, c.choice);
        EXPECT_EQ(model().limit(c.row, 0), c.limit);
        EXPECT_EQ(row.tip, raf_form_tip(c.row));
    }
    EXPECT_EQ(model().note(ROW_LABEL_TRANSMIT), "Option names are used with all radio types");
    EXPECT_EQ(model().note(ROW_LABEL_RECEIVER), "");
}

// A typed text committed by Enter, Tab, Up or Down is stored by the row's rule as one undo step
// named after the keyword; Esc stores nothing; Undo brings the file's value back.
TEST_F(RadioForm, TypedValuesAreStoredByTheRowsRulesAndUndone) {
    struct Case {
        int row;
        int cell;
        const char* typed;
        Qt::Key commit;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {ROW_BANDWIDTH_3DB_TX, 0, "0", Qt::Key_Return, "51.20", ""},      // 0 means none
        {ROW_TX_POWER_OPTIONS, 0, "0", Qt::Key_Return, "18.00", "0.00"}, // a 0 dBm option stays
        {ROW_TX_POWER_MIN_OPTIONS, 1, "0", Qt::Key_Tab, "3.00", "0.00"},
        {ROW_ATPC_OPTIONS, 1, "0", Qt::Key_Down, "20.00", ""},
        {ROW_TX_POWER_RANGE, 0, "-7.126", Qt::Key_Up, "-2.00", "-7.13"},
        {ROW_TX_STABILITY, 0, "0.00002", Qt::Key_Return, "0.0005", "2.0000E-05"},
        {ROW_MODEL, 0, "HX 9", Qt::Key_Return, "HX-23 Adaptive", "HX 9"},
        {ROW_RADIO_CAPACITY, 1, "E1", Qt::Key_Tab, "GbE", "E1"},
        {ROW_ALPHA_VALUES, 2, "0", Qt::Key_Return, "5", ""},
        {ROW_BITS_BLOCK, 0, "640", Qt::Key_Return, "12000", "640"},
        {ROW_BANDWIDTH_3DB_RX, 0, "7", Qt::Key_Escape, "51.20", "51.20"}, // Esc keeps the value
    };
    open_example("hx23_am_56m.raf");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << raf_keyword(c.row).keyword << "[" << c.cell << "] "
                                        << c.typed);
        ASSERT_EQ(shown(c.row, c.cell), c.before);
        ASSERT_TRUE(form().select(c.row, c.cell));
        type(c.typed);
        ASSERT_NE(form().cell_editor(), nullptr);
        press(c.commit);
        EXPECT_EQ(form().cell_editor(), nullptr);
        EXPECT_EQ(shown(c.row, c.cell), c.after);
        const bool stored = std::string(c.before) != c.after;
        EXPECT_EQ(undo_stack().count(), stored ? 1 : 0);
        EXPECT_EQ(document().modified(), stored);
        if (stored) {
            EXPECT_EQ(undo_stack().undoText(),
                      QStringLiteral("Edit %1").arg(raf_keyword(c.row).keyword));
            undo_stack().undo();
        }
        EXPECT_EQ(shown(c.row, c.cell), c.before);
        EXPECT_FALSE(document().modified());
        undo_stack().clear();
    }
}

// A character the cell does not take beeps and opens no editor; the count rows take none.
TEST_F(RadioForm, ACharacterTheCellRefusesOpensNoEditor) {
    struct Case {
        int row;
        int cell;
        char typed;
    };
    const Case cases[] = {
        {ROW_BANDWIDTH_3DB_TX, 0, 'a'}, {ROW_BANDWIDTH_3DB_TX, 0, '-'},
        {ROW_TX_POWER_OPTIONS, 3, 'x'}, {ROW_RX_THRESHOLD_BER, 1, 'z'},
        {ROW_RADIO_CAPACITY, 0, 'E'},   {ROW_BITS_BLOCK, 0, '.'},
        {ROW_NUM_ACM_STATES, 0, '5'},   {ROW_NUM_ACU_CONFIG, 0, '1'},
    };
    open_example("hx23_am_56m.raf");
    QSignalSpy refused(&form(), &Keyword_Form::refused);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << raf_keyword(c.row).keyword << " " << c.typed);
        ASSERT_TRUE(form().select(c.row, c.cell));
        const std::string before = shown(c.row, c.cell);
        refused.clear();
        QTest::keyClick(&form(), c.typed);
        EXPECT_EQ(refused.count(), 1);
        EXPECT_EQ(form().cell_editor(), nullptr);
        EXPECT_EQ(shown(c.row, c.cell), before);
    }
    EXPECT_EQ(undo_stack().count(), 0);
}

TEST_F(RadioForm, TheReceiverCaptionsShowForMicrowaveAndAdaptiveModulationOnly) {
    const std::vector<std::string> receiver{"10-3 BER", "10-6 BER", "RBER", "SES BER"};
    const std::vector<std::string> combiner{"IF combiner gain", " Sig width factor",
                                            "Sig depth factor"};
    open_example("hx23_am_56m.raf");
    EXPECT_EQ(model().captions(ROW_LABEL_RECEIVER), receiver);
    EXPECT_EQ(model().captions(ROW_LABEL_BLANK), combiner);
    EXPECT_TRUE(model().captions(ROW_LABEL_TRANSMIT).empty());

    ASSERT_TRUE(form().select(ROW_APPLICATION_TYPE, 0));
    press(Qt::Key_Return);
    ASSERT_NE(form().choice_list(), nullptr);
    EXPECT_EQ(form().choice_list()->count(), 3);
    form().choose(APPLICATION_LAND_MOBILE);
    EXPECT_EQ(form().choice_list(), nullptr);
    EXPECT_EQ(shown(ROW_APPLICATION_TYPE), "Land Mobile Radio");
    EXPECT_TRUE(model().captions(ROW_LABEL_RECEIVER).empty());
    EXPECT_TRUE(model().captions(ROW_LABEL_BLANK).empty());
    EXPECT_EQ(undo_stack().count(), 1);
    EXPECT_EQ(undo_stack().undoText(), "Edit APPLICATION_TYPE");

    // Choosing what the row holds already is no step.
    press(Qt::Key_Space);
    ASSERT_NE(form().choice_list(), nullptr);
    form().choose(APPLICATION_LAND_MOBILE);
    EXPECT_EQ(undo_stack().count(), 1);

    undo_stack().undo();
    EXPECT_EQ(shown(ROW_APPLICATION_TYPE), "Adaptive Modulation Radio");
    EXPECT_EQ(model().captions(ROW_LABEL_RECEIVER), receiver);
    EXPECT_EQ(model().captions(ROW_LABEL_BLANK), combiner);
}

TEST_F(RadioForm, AStoreOfTheSameValueOrOfACountPushesNothing) {
    open_example("hx23_am_56m.raf");
    EXPECT_FALSE(model().store(ROW_MODEL, 0, "HX-23 Adaptive"));
    EXPECT_FALSE(model().store(ROW_BANDWIDTH_3DB_TX, 0, "51.2"));
    EXPECT_FALSE(model().store(ROW_NUM_ACM_STATES, 0, "9"));
    EXPECT_FALSE(model().store(ROW_LABEL_RECEIVER, 0, "9"));
    EXPECT_FALSE(model().choose(ROW_APPLICATION_TYPE, APPLICATION_ADAPTIVE_MODULATION));
    EXPECT_FALSE(model().choose(ROW_APPLICATION_TYPE, 3));
    EXPECT_EQ(undo_stack().count(), 0);
    EXPECT_FALSE(document().modified());
    EXPECT_EQ(shown(ROW_NUM_ACM_STATES), "4");
}

// The lists' buttons sit in their count rows and open their lists.
TEST_F(RadioForm, TheListButtonsSitInTheirCountRowsAndOpenTheLists) {
    open_example("hx23_am_56m.raf");
    const struct {
        const char* name;
        const char* text;
        int row;
        const char* list;
    } cases[] = {
        {"control_155", "Adaptive Modulation Data", ROW_NUM_ACM_STATES, "Adaptive Modulation"},
        {"control_156", "Antenna Coupling Unit Data", ROW_NUM_ACU_CONFIG, "Antenna Coupling"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* button = editor->findChild<QPushButton*>(QString::fromLatin1(c.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), c.text);
        EXPECT_TRUE(button->isEnabled());
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* list = QApplication::activeModalWidget()) {
                opened = list->windowTitle();
                list->close();
            }
        });
        button->click();
        EXPECT_EQ(opened, c.list);
        ASSERT_TRUE(form().select(c.row, 0));
        QApplication::processEvents();
        EXPECT_TRUE(button->isVisible());
        const QRect cell = form().cell_rect(c.row, 0);
        ASSERT_FALSE(cell.isEmpty());
        const int middle = button->mapToGlobal(button->rect().center()).y();
        EXPECT_GE(middle, form().viewport()->mapToGlobal(cell.topLeft()).y());
        EXPECT_LE(middle, form().viewport()->mapToGlobal(cell.bottomLeft()).y());
    }
}

TEST_F(RadioForm, OpenAndNewPutTheFormAtTheTop) {
    const std::function<void()> replacements[] = {
        [this] { open_example("nl180_18g_28m.raf"); },
        [this] { document().new_file(); },
    };
    for (const auto& replace : replacements) {
        ASSERT_TRUE(form().select(ROW_COMMENT_FIRST + 5, 0));
        ASSERT_GT(form().cursor().first_visible_row(), 0);
        replace();
        EXPECT_EQ(form().cursor().first_visible_row(), 0);
        EXPECT_EQ(form().current_row(), ROW_MANUFACTURER);
    }
}

// View > Curves works on the record with what is being typed stored first.
TEST_F(RadioForm, ATypedValueIsStoredBeforeTheCurveEditorOpens) {
    open_example("hx23_am_56m.raf");
    ASSERT_TRUE(form().select(ROW_BANDWIDTH_3DB_RX, 0));
    type("40");
    ASSERT_NE(form().cell_editor(), nullptr);
    bool ran = false;
    QTimer::singleShot(0, [&ran] {
        if (auto* curves = qobject_cast<RadioCurveEdit*>(QApplication::activeModalWidget())) {
            ran = true;
            curves->OnOK();
        }
    });
    editor->handle_command(ID_VIEW_CURVES);
    EXPECT_TRUE(ran);
    EXPECT_EQ(form().cell_editor(), nullptr);
    EXPECT_EQ(shown(ROW_BANDWIDTH_3DB_RX), "40.00");
    EXPECT_EQ(undo_stack().count(), 1);
}

// Whatever a user types or pastes wherever, the record writes a file that reads back to it.
TEST_F(RadioForm, RandomKeysAndPastesLeaveAWritableRecord) {
    open_example("hx23_am_56m.raf");
    std::mt19937 random(17);
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Tab,    Qt::Key_Backtab,  Qt::Key_Up,
                            Qt::Key_Down,   Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Escape,
                            Qt::Key_F2,     Qt::Key_Space,  Qt::Key_PageDown, Qt::Key_PageUp,
                            Qt::Key_Home,   Qt::Key_End,    Qt::Key_Backspace};
    for (int step = 0; step < 600; ++step) {
        switch (random() % 5) {
        case 0: {
            const int row = static_cast<int>(random() % RAF_ROW_COUNT);
            form().select(row, static_cast<int>(random() % 5));
            break;
        }
        case 1:
        case 2: type(random_typed_text(random)); break;
        case 3: {
            std::string pasted = random_typed_text(random);
            if (random() % 3 == 0) {
                pasted += "\r\n" + random_typed_text(random);
            }
            QGuiApplication::clipboard()->setText(from_file_text(pasted));
            press(Qt::Key_V, Qt::ControlModifier);
            break;
        }
        default: press(keys[random() % std::size(keys)]); break;
        }
    }
    form().commit_edit();
    form().cancel_edit();
    EXPECT_GT(undo_stack().count(), 20);

    const std::string written = raf_text(document().record());
    Error_Handler handler;
    string_list lines;
    lines.set_text(&handler, written.data(), written.size());
    Radio_Record read;
    read_raf_lines(read, lines, "typed.raf");
    EXPECT_EQ(raf_text(read), written);
}

// Opening each version 5 example shows every value of its keyword lines in the row's cells:
// texts as they are, choices by their names, numbers to the form's two decimals (four for the
// stability), counts as the count.
TEST_F(RadioForm, EachVersion5ExampleShowsEveryValueOfItsFile) {
    std::size_t field_rows = 0;
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        field_rows += raf_keyword(row).kind != Raf_Row_Kind::heading ? 1 : 0;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(example("radio"))) {
        const std::string text = read_bytes(entry.path().string());
        if (text.rfind("QV50_ASCII_RADIO_SPEC", 0) != 0) {
            continue;
        }
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        ASSERT_TRUE(document().open_path(entry.path().string()));
        std::stringstream in(text);
        std::string line;
        std::set<int> rows_seen;
        while (std::getline(in, line)) {
            const auto colon = line.find(':');
            if (colon == std::string::npos || line.rfind("//", 0) == 0) {
                continue;
            }
            const int row = find_raf_row(line.substr(0, colon).c_str());
            if (row < 0) {
                continue; // a state, a configuration or a curve
            }
            const Raf_Keyword& keyword = raf_keyword(row);
            std::string value = trimmed(line.substr(colon + 1));
            SCOPED_TRACE(line);
            rows_seen.insert(row);
            if (keyword.kind == Raf_Row_Kind::acm_count || keyword.kind == Raf_Row_Kind::acu_count) {
                EXPECT_EQ(shown(row), std::atoi(value.c_str()) > 0 ? value : "");
                continue;
            }
            if (keyword.input == RAF_CHOICE_INPUT) {
                const int code = std::atoi(value.c_str()) - ((keyword.rules & RAF_ONE_BASED) ? 1 : 0);
                EXPECT_EQ(shown(row), raf_form_choices(row).at(static_cast<std::size_t>(code)));
                continue;
            }
            if (row == ROW_RADIO_CODE) {
                // Opening names the radio after its file.
                EXPECT_EQ(shown(row), entry.path().stem().string());
                continue;
            }
            const std::vector<std::string> cells =
                keyword.cells > 1 ? split_cells(value) : std::vector<std::string>{value};
            ASSERT_EQ(static_cast<int>(cells.size()), keyword.cells);
            for (int cell = 0; cell < keyword.cells; ++cell) {
                const std::string& in_file = cells[static_cast<std::size_t>(cell)];
                const std::string on_form = shown(row, cell);
                const Raf_Cell place = raf_cell(document().record(), row, cell);
                if (place.text != nullptr || in_file.empty()) {
                    EXPECT_EQ(on_form, in_file) << "cell " << cell;
                } else if (place.integer != nullptr) {
                    const int number = std::atoi(in_file.c_str());
                    const bool none = number == -1 || number == 0 || number == 222;
                    EXPECT_EQ(on_form, none ? "" : std::to_string(number)) << "cell " << cell;
                } else {
                    double expected = std::strtod(in_file.c_str(), nullptr);
                    if (row == ROW_RX_THRESHOLD_DBM) {
                        expected = -std::fabs(expected); // thresholds are stored negative
                    }
                    // Half a unit of the last decimal shown, of the mantissa below 0.5E-d.
                    const double unit = 0.5 * std::pow(10.0, -keyword.decimals);
                    const double tolerance =
                        (std::fabs(expected) >= unit ? unit : std::fabs(expected) * unit) * 1.0001;
                    ASSERT_FALSE(on_form.empty()) << "cell " << cell;
                    EXPECT_NEAR(std::strtod(on_form.c_str(), nullptr), expected, tolerance)
                        << "cell " << cell << " shows " << on_form;
                }
            }
        }
        // Each example holds every keyword of the table.
        EXPECT_EQ(rows_seen.size(), field_rows);
    }
    EXPECT_GE(files, 3);
}

} // namespace
