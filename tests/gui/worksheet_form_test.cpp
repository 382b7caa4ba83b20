// The worksheet form's window (keys into the grid and the edit box, closing) and the TX power
// options form over an adaptive-modulation state.
#include "gui_test_support.h"
#include "power_options_form.h"
#include "radio_record.h"
#include "text_helpers.h"
#include "wks_menu_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstring>

using namespace kelvor_test;

namespace {

// A radio record with two states whose power options are filled.
Radio_Record two_state_record() {
    Radio_Record record;
    record.radio_spec.application_type = APPLICATION_ADAPTIVE_MODULATION;
    record.acm_table.make(2);
    for (int state = 0; state < 2; ++state) {
        Acm_State& row = record.acm_table[state];
        std::strcpy(row.Mod, state == 0 ? "QPSK" : "256QAM");
        for (int option = 0; option < ACM_POWER_OPTIONS; ++option) {
            row.TXmax[option] = 20.0 + option + state;
            row.TXmin[option] = -5.0;
            row.ATPC_top[option] = NOT_SET;
        }
    }
    std::strcpy(record.radio_spec.tx_power_names[0], "Standard");
    std::strcpy(record.radio_spec.tx_power_names[1], "High");
    return record;
}

// Runs `actions` on the form as soon as it shows (from inside its modal loop).
void on_form(const std::function<void(WksMenu_Frame&)>& actions) {
    QTimer::singleShot(0, [actions] {
        auto* form = qobject_cast<WksMenu_Frame*>(QApplication::activeModalWidget());
        if (form == nullptr) {
            ADD_FAILURE() << "no worksheet form";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        actions(*form);
        if (form->isVisible()) {
            form->HandleCancelButton();
        }
    });
}

// Types `keys` as the user would: the first into the grid, the rest into the edit box it opens.
void type_into(WksMenu_Frame& form, const char* keys) {
    for (const char* key = keys; *key != '\0'; ++key) {
        QWidget* target = form.edit_box()->is_open() ? static_cast<QWidget*>(form.edit_box())
                                                     : static_cast<QWidget*>(form.grid());
        QTest::keyClick(target, *key);
    }
}

using Worksheet_Form = Gui_Test;

TEST_F(Worksheet_Form, PowerOptionsTableDescribesTheStatesFields) {
    Radio_Record record = two_state_record();
    EXPECT_EQ(make_power_options_sheet(record, 2), nullptr);
    EXPECT_EQ(make_power_options_sheet(record, -1), nullptr);
    const auto sheet = make_power_options_sheet(record, 1);
    ASSERT_NE(sheet, nullptr);
    const wks_menu_transfer& transfer = sheet->transfer;
    EXPECT_STREQ(transfer.title, "Adaptive modulation TX power options - 256QAM");
    EXPECT_STREQ(transfer.help_page, "Kelvor_6.htm#Version_5_RADIO_Data");
    EXPECT_STREQ(transfer.row_titles[0], " Power option");
    EXPECT_STREQ(transfer.row_titles[3], " ATPC top (dB)");
    EXPECT_STREQ(transfer.column_titles[4], "5");
    Acm_State& state = record.acm_table[1];
    const struct {
        int32_t type;
        int length;
        int notify;
        int decimals;
        int set;
        void* first_field;
    } rows[] = {
        {WKS_TEXT, 15, 100, 0, 0, record.radio_spec.tx_power_names[0]},
        {WKS_DOUBLE, 8, -1, 1, 4, &state.TXmax[0]},
        {WKS_DOUBLE, 8, -1, 1, 4, &state.TXmin[0]},
        {WKS_DOUBLE, 8, -1, 1, 3, &state.ATPC_top[0]},
    };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            const WorkSheetCell& cell = transfer.cells[row * 5 + column];
            EXPECT_EQ(cell.cell_id, row * 5 + column);
            EXPECT_EQ(cell.column, column);
            EXPECT_EQ(cell.type, rows[row].type);
            EXPECT_EQ(cell.length, rows[row].length);
            EXPECT_EQ(cell.notify_id, rows[row].notify);
            EXPECT_EQ(cell.char_set, rows[row].set);
            EXPECT_EQ(cell.editable, 1);
            if (row > 0) {
                EXPECT_EQ(cell.decimals, rows[row].decimals);
                EXPECT_EQ(cell.data, static_cast<double*>(rows[row].first_field) + column);
            } else {
                EXPECT_EQ(cell.data, record.radio_spec.tx_power_names[column]);
            }
        }
    }
}

TEST_F(Worksheet_Form, OkStoresNamesInTheRadioAndNumbersInTheState) {
    Radio_Record record = two_state_record();
    on_form([](WksMenu_Frame& form) {
        Wks_Frame* grid = form.grid();
        EXPECT_EQ(form.windowTitle(), "Adaptive modulation TX power options - QPSK");
        type_into(form, "Low");
        QTest::keyClick(form.edit_box(), Qt::Key_Tab);
        EXPECT_EQ(form.sheet().current(), 1);
        QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_EQ(form.sheet().current(), 6) << "TXmax of option 2";
        type_into(form, "a");
        EXPECT_FALSE(form.edit_box()->is_open()) << "a letter in a set-4 cell";
        type_into(form, "-12.5");
        QTest::keyClick(form.edit_box(), Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_End);
        EXPECT_EQ(form.sheet().current(), 19);
        type_into(form, "3-");
        EXPECT_EQ(form.edit_box()->text(), "3") << "set 3 refuses the minus";
        QTest::keyClick(form.edit_box(), Qt::Key_Return);
        QApplication::clipboard()->setText(QStringLiteral("7.25"));
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        form.HandleOkButton();
        EXPECT_EQ(form.transfer().current_cell, 14);
    });
    EXPECT_TRUE(run_power_options_form(record, 0, nullptr));
    EXPECT_STREQ(record.radio_spec.tx_power_names[0], "Low");
    EXPECT_STREQ(record.radio_spec.tx_power_names[1], "High");
    const Acm_State& state = record.acm_table[0];
    EXPECT_EQ(state.TXmax[1], -12.5);
    EXPECT_EQ(state.ATPC_top[4], 3.0);
    EXPECT_EQ(state.TXmin[4], 7.25);
    EXPECT_EQ(record.acm_table[1].TXmax[1], 22.0) << "the other state is not touched";
}

TEST_F(Worksheet_Form, CancelAndNoToTheCloseQuestionRestoreEverything) {
    const Radio_Record original = two_state_record();
    for (const bool close_box : {false, true}) {
        Radio_Record record = two_state_record();
        Scripted_Presenter presenter;
        presenter.answers = {ID_NO};
        on_form([close_box](WksMenu_Frame& form) {
            type_into(form, "Other");
            QTest::keyClick(form.edit_box(), Qt::Key_Return);
            QTest::keyClick(form.grid(), Qt::Key_Down);
            QTest::keyClick(form.grid(), Qt::Key_Delete);
            QTest::keyClick(form.grid(), Qt::Key_Delete, Qt::ControlModifier);
            if (close_box) {
                QTest::keyClick(form.grid(), Qt::Key_Escape);
            } else {
                form.HandleCancelButton();
            }
            EXPECT_EQ(form.state(), WKS_CANCEL);
        });
        EXPECT_FALSE(run_power_options_form(record, 0, nullptr));
        EXPECT_EQ(std::memcmp(&record.acm_table[0], &original.acm_table[0], sizeof(Acm_State)), 0);
        EXPECT_EQ(std::memcmp(record.radio_spec.tx_power_names, original.radio_spec.tx_power_names,
                              sizeof original.radio_spec.tx_power_names),
                  0);
        if (close_box) {
            ASSERT_EQ(presenter.shown.size(), 1u);
            EXPECT_EQ(presenter.last().caption, "Close Worksheet");
            EXPECT_EQ(presenter.last().text, "Keep Changes ?");
        } else {
            EXPECT_TRUE(presenter.shown.empty());
        }
    }
}

TEST_F(Worksheet_Form, OkWithoutAChangeReportsNoneAndHelpOpensThePage) {
    Radio_Record record = two_state_record();
    init_qv5_extn_help_path("https://help.example/");
    std::string opened;
    on_form([&opened](WksMenu_Frame& form) {
        form.set_url_opener([&opened](const std::string& address) { opened = address; });
        std::vector<QString> tips;
        for (QAction* action : form.toolbar()->actions()) {
            if (!action->isSeparator()) {
                tips.push_back(action->toolTip());
            }
        }
        EXPECT_EQ(tips, (std::vector<QString>{"Accept all data entries and close this form",
                                              "Cancel all data entries and close this form",
                                              "Technical help for the data entries"}));
        form.toolbar()->actions().back()->trigger();
        type_into(form, "Standard");
        QTest::keyClick(form.edit_box(), Qt::Key_Return);
        form.HandleOkButton();
        EXPECT_EQ(form.transfer().changed, 0);
    });
    EXPECT_FALSE(run_power_options_form(record, 0, nullptr));
    EXPECT_EQ(opened, "https://help.example/Kelvor_6.htm#Version_5_RADIO_Data");
    init_qv5_extn_help_path("");
}

} // namespace
