// The grid list window (stored layout, commands on the template row and on a read-only table,
// the export) and the two radio lists run from the version 5 editor: the application question,
// the template row, delete, undo, paste, and files written after editing in the lists.
#include "error_handler.h"
#include "gui_test_support.h"
#include "ini_settings.h"
#include "qv5_grid_control.h"
#include "radio_data_lists.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "v5_radio_document.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <tuple>

using namespace kelvor_test;

namespace {

namespace fs = std::filesystem;

// A list over a small table of texts, recording the events it gets.
class Test_Grid : public QV5_Grid_Control {
public:
    Test_Grid(bool editable, std::vector<std::vector<std::string>> rows, int layout_key = -1)
        : cells(std::move(rows)) {
        const uint8_t flag = editable ? 1 : 0;
        info = make_grid_info({{11, GRID_TEXT, 0, flag}, {11, GRID_TEXT, 0, flag}, {11, GRID_TEXT, 0, flag}},
                              {"First", "Second", "Third"}, static_cast<int>(cells.size()));
        info.layout_key = layout_key;
        init_gc("Test list", &info);
    }

    int EvQueryOK(int, int) override { return 1; }
    int EvGridEvent(int code, int row, Grid_Transfer* transfer) override {
        events.push_back(code);
        if (code == GE_TEXT) {
            transfer->text = transfer->row < static_cast<int>(cells.size())
                                 ? cells[static_cast<std::size_t>(transfer->row)]
                                        [static_cast<std::size_t>(transfer->column)]
                                 : std::string();
        } else if (code == GE_DELETE) {
            cells.erase(cells.begin() + row);
            info.row_count = static_cast<int>(cells.size());
        }
        return 1;
    }
    int EvHeaderClick(int, int) override { return 0; }

    Grid_Info info;
    std::vector<std::vector<std::string>> cells;
    std::vector<int> events;
};

// Rejects every modal window that opens while it exists and notes its title, so that a test
// never waits in a window it did not expect.
class Modal_Guard {
public:
    Modal_Guard() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                seen.push_back(dialog->windowTitle());
                dialog->reject();
            }
        });
        m_timer.start(20);
    }
    QStringList seen;

private:
    QTimer m_timer;
};

// Runs `act` on the modal window of type W as soon as it shows; `act` closes it.
template <typename W>
void when_shown(std::function<void(W&)> act, bool* shown = nullptr) {
    QTimer::singleShot(0, [act, shown] {
        auto* window = dynamic_cast<W*>(QApplication::activeModalWidget());
        if (shown != nullptr) {
            *shown = window != nullptr;
        }
        if (window == nullptr) {
            if (QWidget* other = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "another window: " << other->windowTitle().toStdString();
                other->close();
            }
            return;
        }
        act(*window);
    });
}

// Accepts (or cancels) the export's options dialog when it shows.
void answer_export_options(bool accept) {
    QTimer::singleShot(0, [accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->windowTitle(), "Export To Ascii Text");
        accept ? dialog->accept() : dialog->reject();
    });
}

class GridList : public Gui_Test {
protected:
    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
};

TEST_F(GridList, AStoredLayoutIsTakenOnlyForTheSameColumnCount) {
    struct Case {
        const char* stored;
        int first_shown;  // the data column shown first
        bool edges_taken; // the column shown last is 30 wide
    };
    const Case cases[] = {
        {"3,0,5,0,0,0,0,0,20,70,120,150,2,1,0,", 2, true},
        {"2,0,5,0,0,0,0,0,20,70,120,1,0,", 0, false},
        {"4,0,5,0,0,0,0,0,20,70,120,150,180,3,2,1,0,", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        write_settings(std::string("[Display Options]\r\nGRID_KELVOR_ACM_DATA=") + c.stored + "\r\n");
        Test_Grid grid(true, {{"a", "b", "c"}}, IDS_GRID_KELVOR_ACM);
        const QHeaderView* header = grid.grid()->horizontalHeader();
        EXPECT_EQ(header->logicalIndex(0), c.first_shown);
        EXPECT_EQ(header->sectionSize(header->logicalIndex(2)) == 30, c.edges_taken);
    }
    // Closing stores the layout the window has.
    Test_Grid grid(true, {{"a", "b", "c"}}, IDS_GRID_KELVOR_ACM);
    grid.grid()->horizontalHeader()->moveSection(2, 0);
    when_shown<Test_Grid>([](Test_Grid& shown) { shown.close(); });
    grid.ExecuteModal(nullptr);
    const std::string stored = ReadINIfile("Display Options", "GRID_KELVOR_ACM_DATA", "");
    EXPECT_EQ(stored.substr(0, 2), "3,");
    EXPECT_EQ(stored.substr(stored.size() - 6), "2,0,1,");
}

TEST_F(GridList, EditAndDeleteWorkOnlyOnARealRow) {
    Test_Grid grid(true, {{"a", "b", "c"}, {"d", "e", "f"}});
    grid.show();
    QTableView* view = grid.grid();
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_Tab);
    ASSERT_EQ(grid.info.current_row, 2);
    EXPECT_EQ(grid.info.current_column, 1);
    EXPECT_FALSE(grid.command_enabled(CM_GRID_EDIT_ITEM));
    EXPECT_FALSE(grid.command_enabled(CM_GRID_DELETE_ITEM));
    EXPECT_TRUE(grid.command_enabled(CM_GRID_ADD_ITEM));
    {
        Modal_Guard guard;
        grid.CmEditItem();
        grid.CmDeleteItem();
        QTest::keyClick(view, Qt::Key_Delete);
        QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(guard.seen.isEmpty());
    }
    for (const int code : grid.events) {
        EXPECT_TRUE(code == GE_TEXT) << code;
    }
    EXPECT_EQ(grid.cells.size(), 2u);

    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_TRUE(grid.command_enabled(CM_GRID_EDIT_ITEM));
    EXPECT_TRUE(grid.command_enabled(CM_GRID_DELETE_ITEM));
    QTest::keyClick(view, Qt::Key_Delete);
    ASSERT_EQ(grid.cells.size(), 1u);
    EXPECT_EQ(grid.cells[0][0], "a");
    EXPECT_EQ(view->model()->rowCount(), 2);
}

TEST_F(GridList, ATableWithoutEditableColumnsDoesNothingOnAddEditAndDelete) {
    Test_Grid grid(false, {{"a", "b", "c"}, {"d", "e", "f"}});
    grid.show();
    ASSERT_EQ(grid.info.current_row, 0);
    Modal_Guard guard;
    for (const int id : {CM_GRID_ADD_ITEM, CM_GRID_EDIT_ITEM, CM_GRID_DELETE_ITEM}) {
        EXPECT_FALSE(grid.command_enabled(id)) << id;
    }
    grid.CmAddItem();
    grid.CmEditItem();
    grid.CmDeleteItem();
    QTest::keyClick(grid.grid(), Qt::Key_Delete);
    EXPECT_TRUE(guard.seen.isEmpty());
    for (const int code : grid.events) {
        EXPECT_EQ(code, GE_TEXT);
    }
    EXPECT_EQ(grid.cells.size(), 2u);
}

TEST_F(GridList, ACancelledExportWritesNothing) {
    Test_Grid grid(true, {{"a", "b", "c"}});
    answer_export_options(false);
    grid.OnCSVExportFrame();
    EXPECT_TRUE(dialogs.seen.empty());

    answer_export_options(true);
    dialogs.cancel();
    grid.OnCSVExportFrame();
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].title, "Export To Ascii Text");
    EXPECT_EQ(dialogs.seen[0].filters, QStringList({"Text Files (*.txt)"}));
    EXPECT_EQ(dialogs.seen[0].default_suffix, "txt");
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
        EXPECT_NE(entry.path().extension(), ".txt") << entry.path();
    }
}

TEST_F(GridList, AFailedExportKeepsTheFileAndAWrittenOneFollowsTheDisplayOrder) {
    Test_Grid grid(true, {{"a,1", "b", "c"}, {"d", "e\"", "f"}});
    grid.grid()->horizontalHeader()->moveSection(2, 0);
    const std::string path = dir.write("out.txt", "old");
    {
        const File_Size_Limit limit(8);
        answer_export_options(true);
        dialogs.choose({path});
        grid.OnCSVExportFrame();
    }
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.last().text.find("out.txt"), std::string::npos) << presenter.last().text;
    EXPECT_EQ(read_bytes(path), "old");

    answer_export_options(true);
    dialogs.choose({path});
    grid.OnCSVExportFrame();
    EXPECT_EQ(read_bytes(path), "Third,First,Second\r\nc,\"a,1\",b\r\nf,d,e\"\r\n");
}

// The version 5 editor's document on a copy of an example, with the lists run from it.
class RadioLists : public Gui_Test {
protected:
    void open_example(const std::string& name) {
        document = std::make_unique<V5_Radio_Document>(nullptr);
        ASSERT_TRUE(document->open_path(dir.write(name, read_bytes(example("radio/" + name)))));
    }
    Radio_Record& record() { return document->record(); }

    // Types `text` into cell (row, column) of the list's grid and presses Enter.
    static void type_into(QV5_Grid_Control& list, int row, int column, const QString& text) {
        QTableView* view = list.grid();
        view->setCurrentIndex(view->model()->index(row, column));
        QTest::keyClick(view, text.at(0).toLatin1());
        QWidget* editor = view->indexWidget(view->currentIndex());
        ASSERT_TRUE(qobject_cast<QLineEdit*>(editor) != nullptr);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the view stores the edit after the key
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    std::unique_ptr<V5_Radio_Document> document;
};

TEST_F(RadioLists, TheApplicationQuestionOnALandMobileRecord) {
    struct Case {
        int answer;
        bool opens;
        uint8_t type_after;
    };
    for (const Case c : {Case{ID_NO, false, APPLICATION_LAND_MOBILE},
                         Case{ID_YES, true, APPLICATION_ADAPTIVE_MODULATION}}) {
        SCOPED_TRACE(c.answer);
        open_example("ac450_lm_12k5.raf");
        ASSERT_EQ(record().radio_spec.application_type, APPLICATION_LAND_MOBILE);
        presenter.answers = {c.answer};
        bool shown = false;
        when_shown<ACM_Data_List>([](ACM_Data_List& list) { list.close(); }, &shown);
        EXPECT_EQ(run_acm_data_list(*document, nullptr), c.opens);
        QApplication::processEvents();
        EXPECT_EQ(shown, c.opens);
        EXPECT_EQ(presenter.last().caption, "Application Discrepancy");
        EXPECT_EQ(presenter.last().text, "The application is currently set to Land Mobile Radio. "
                                         "Change application type to Adaptive Modulation?");
        EXPECT_EQ(record().radio_spec.application_type, c.type_after);
        EXPECT_EQ(document->undo_stack().count(), c.opens ? 1 : 0);
        EXPECT_EQ(document->modified(), c.opens);
        EXPECT_TRUE(record().acm_table.empty());
    }
}

TEST_F(RadioLists, TheTemplateRowBecomesAStateOnlyWithATxPower) {
    open_example("hx23_am_56m.raf");
    const int states = record().acm_table.count();
    when_shown<ACM_Data_List>([&](ACM_Data_List& list) {
        // The grid's model keeps Qt's rules while rows come and go.
        QAbstractItemModelTester tester(list.grid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        type_into(list, states, 0, "QPSK");
        type_into(list, states, 1, "12");
        type_into(list, states, 4, "-88.5");
        EXPECT_EQ(list.list().row_count(), states);
        EXPECT_EQ(list.grid()->model()->rowCount(), states + 1);
        type_into(list, states, 3, "21");
        EXPECT_EQ(list.list().row_count(), states + 1);
        EXPECT_EQ(list.grid()->model()->rowCount(), states + 2);
        list.close();
    });
    EXPECT_TRUE(run_acm_data_list(*document, nullptr));
    ASSERT_EQ(record().acm_table.count(), states + 1);
    const Acm_State& added = record().acm_table[states];
    EXPECT_STREQ(added.Mod, "QPSK");
    EXPECT_EQ(added.RXthr10_6, -88.5);
    EXPECT_EQ(added.TXmax[0], 21.0);
    EXPECT_EQ(document->undo_stack().undoText(), "Edit Adaptive Modulation Data");
}

TEST_F(RadioLists, TxPowerOptionsOpenForAStateOnlyWithAHook) {
    open_example("hx23_am_56m.raf");
    std::vector<int> opened;
    const Tx_Power_Options_Hook hook = [&opened](Radio_Record& record, int state, QWidget*) {
        opened.push_back(state);
        record.acm_table[state].TXmax[0] = 11.0;
    };
    ACM_Data_List without(record(), {});
    EXPECT_FALSE(without.power_options_enabled());
    ACM_Data_List list(record(), hook);
    list.show();
    QTest::keyClick(list.grid(), Qt::Key_Down);
    EXPECT_TRUE(list.power_options_enabled());
    list.power_options();
    EXPECT_EQ(opened, std::vector<int>{1});
    // The grid shows what the options changed.
    EXPECT_EQ(list.grid()->model()->index(1, 3).data().toString(), "11.0");
    QTest::keyClick(list.grid(), Qt::Key_End);
    EXPECT_FALSE(list.power_options_enabled());
    list.power_options();
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(RadioLists, TheAddFormEnablesOkOnceItsRowIsAState) {
    open_example("hx23_am_56m.raf");
    const int states = record().acm_table.count();
    when_shown<ACM_Data_List>([](ACM_Data_List& list) {
        bool checked = false;
        QTimer::singleShot(0, [&checked] {
            auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(form->windowTitle(), "Add new item");
            const QList<QLineEdit*> fields = form->findChildren<QLineEdit*>();
            ASSERT_EQ(fields.size(), 18);
            QPushButton* ok = form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            // Modulation, throughput, RX threshold, then TX power: only the last makes a state.
            for (const auto& [field, text, enabled] :
                 {std::tuple{0, "QPSK", false}, {1, "12", false}, {4, "-80", false}, {3, "20", true}}) {
                fields[field]->setText(QString::fromLatin1(text));
                fields[field]->setModified(true);
                emit fields[field]->editingFinished();
                EXPECT_EQ(ok->isEnabled(), enabled) << field;
            }
            checked = true;
            ok->click();
        });
        list.CmAddItem();
        EXPECT_TRUE(checked);
        list.close();
    });
    EXPECT_TRUE(run_acm_data_list(*document, nullptr));
    ASSERT_EQ(record().acm_table.count(), states + 1);
    EXPECT_STREQ(record().acm_table[states].Mod, "QPSK");
}

TEST_F(RadioLists, DeletingTheSecondOfThreeStatesMovesTheThirdUpAndUndoRestoresThem) {
    open_example("hx23_am_56m.raf");
    record().acm_table.rows.resize(3);
    const Acm_Table before = record().acm_table;
    when_shown<ACM_Data_List>([](ACM_Data_List& list) {
        QTest::keyClick(list.grid(), Qt::Key_Down);
        QTest::keyClick(list.grid(), Qt::Key_Delete);
        list.close();
    });
    EXPECT_TRUE(run_acm_data_list(*document, nullptr));
    ASSERT_EQ(record().acm_table.count(), 2);
    EXPECT_EQ(std::memcmp(&record().acm_table[0], &before[0], sizeof(Acm_State)), 0);
    EXPECT_EQ(std::memcmp(&record().acm_table[1], &before[2], sizeof(Acm_State)), 0);
    document->undo_stack().undo();
    ASSERT_EQ(record().acm_table.count(), 3);
    EXPECT_EQ(std::memcmp(record().acm_table.rows.data(), before.rows.data(), 3 * sizeof(Acm_State)), 0);
}

TEST_F(RadioLists, PastedRowsBecomeStatesAndTheOthersAreReported) {
    open_example("hx23_am_56m.raf");
    const int states = record().acm_table.count();
    QApplication::clipboard()->setText("8PSK\t30\t\t22\t-75\r\nQAM\t40\r\n");
    when_shown<ACM_Data_List>([](ACM_Data_List& list) {
        QTest::keyClick(list.grid(), Qt::Key_End);
        QTest::keyClick(list.grid(), Qt::Key_V, Qt::ControlModifier);
        list.close();
    });
    EXPECT_TRUE(run_acm_data_list(*document, nullptr));
    ASSERT_EQ(record().acm_table.count(), states + 1);
    EXPECT_STREQ(record().acm_table[states].Mod, "8PSK");
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text.rfind("1 pasted row did not become states:\nrow 2: ", 0), 0u)
        << presenter.last().text;
    // Marked rows go back to the clipboard tab-separated.
    QApplication::clipboard()->clear();
    when_shown<ACM_Data_List>([states](ACM_Data_List& list) {
        QTest::keyClick(list.grid(), Qt::Key_End);
        QTest::keyClick(list.grid(), Qt::Key_Up);
        QTest::keyClick(list.grid(), Qt::Key_Insert);
        EXPECT_EQ(list.marked_rows().rows(), std::vector<int>{states});
        QTest::keyClick(list.grid(), Qt::Key_C, Qt::ControlModifier);
        list.close();
    });
    run_acm_data_list(*document, nullptr);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("8PSK\t30\t\t22.0\t-75.0\t"))
        << QApplication::clipboard()->text().toStdString();
}

TEST_F(RadioLists, TablesEditedInTheListsWriteRafAndRsdFilesThatReadBackAlike) {
    open_example("hx23_am_56m.raf");
    when_shown<ACM_Data_List>([&](ACM_Data_List& list) {
        type_into(list, 0, 2, "LDPC 5/6");
        type_into(list, 1, 17, "31.5");
        list.close();
    });
    EXPECT_TRUE(run_acm_data_list(*document, nullptr));
    when_shown<ACU_Data_List>([&](ACU_Data_List& list) {
        QTableView* view = list.grid();
        view->setCurrentIndex(view->model()->index(0, 1));
        QTest::keyClick(view, Qt::Key_F2);
        auto* box = qobject_cast<QComboBox*>(view->indexWidget(view->currentIndex()));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->count(), 5);
        box->setCurrentIndex(3);
        emit box->activated(3);
        const int configs = list.list().row_count();
        type_into(list, configs, 0, "4+0 combined");
        type_into(list, configs, 5, "-1.5");
        list.close();
    });
    EXPECT_TRUE(run_acu_data_list(*document, nullptr));
    EXPECT_EQ(document->undo_stack().count(), 2);
    ASSERT_EQ(record().acu_table.count(), 4);
    EXPECT_EQ(record().acu_table[0].ANT, ACU_RX);
    EXPECT_STREQ(record().acu_table[3].Configuration, "4+0 combined");
    EXPECT_EQ(record().acu_table[3].RXH, -1.5);
    EXPECT_STREQ(record().acm_table[0].RSEC, "LDPC 5/6");
    EXPECT_EQ(record().acm_table[1].XPIF, 31.5);

    Error_Handler handler;
    const std::string raf = dir.file("edited.raf");
    const std::string rsd = dir.file("edited.rsd");
    write_raf_file(record(), raf.c_str(), &handler);
    Radio_Record for_binary = record();
    write_rsd_file(for_binary, rsd.c_str(), &handler, false);
    for (const std::string& path : {raf, rsd}) {
        SCOPED_TRACE(path);
        Radio_Record read;
        path == raf ? read_raf_file(read, path.c_str(), &handler)
                    : read_rsd_file(read, path.c_str(), &handler);
        ASSERT_EQ(read.acm_table.count(), record().acm_table.count());
        ASSERT_EQ(read.acu_table.count(), record().acu_table.count());
        // The binary writer clears the losses a configuration does not use before it writes.
        const Radio_Record& written = path == raf ? record() : for_binary;
        for (int i = 0; i < read.acm_table.count(); ++i) {
            EXPECT_EQ(std::memcmp(&read.acm_table[i], &written.acm_table[i], sizeof(Acm_State)), 0) << i;
        }
        for (int i = 0; i < read.acu_table.count(); ++i) {
            EXPECT_EQ(std::memcmp(&read.acu_table[i], &written.acu_table[i], sizeof(Acu_Config)), 0) << i;
        }
    }
}

} // namespace
