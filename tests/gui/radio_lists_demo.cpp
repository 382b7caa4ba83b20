// The adaptive-modulation and coupling unit lists on a radio file. "radio_lists_demo [FILE.raf]"
// runs the two lists one after the other to be tried by hand and says what they hold after;
// "--grab FOLDER" instead saves pictures of both lists on the adaptive-modulation example
// (acm_data_list.png, acu_data_list.png) and of the edit form on its second state
// (acm_edit_form.png).
#include "demo_support.h"
#include "radio_demo_support.h"
#include "radio_data_lists.h"
#include "radio_record.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

int grab(Radio_Record& record, const std::string& folder) {
    bool saved = true;
    {
        ACM_Data_List list(record, {});
        list.resize(1240, 360);
        list.show();
        QTableView* view = list.grid();
        view->setCurrentIndex(view->model()->index(1, 0));
        saved &= kelvor_demo::save_grab(list, folder, "acm_data_list.png");
        QTimer::singleShot(200, [&] {
            if (QWidget* form = QApplication::activeModalWidget()) {
                saved &= kelvor_demo::save_grab(*form, folder, "acm_edit_form.png");
                form->close();
            }
        });
        list.CmEditItem();
    }
    {
        ACU_Data_List list(record);
        list.resize(1000, 260);
        list.show();
        saved &= kelvor_demo::save_grab(list, folder, "acu_data_list.png");
    }
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);
    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const std::string path = argc == 2 ? argv[1]
                                       : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hx23_am_56m.raf";
    Radio_Record record;
    if (!kelvor_demo::read_demo_radio(record, path)) {
        return 1;
    }
    if (!folder.empty()) {
        return grab(record, folder);
    }
    {
        ACM_Data_List list(record, {});
        list.ExecuteModal(nullptr);
    }
    {
        ACU_Data_List list(record);
        list.ExecuteModal(nullptr);
    }
    std::printf("%d states, %d configurations\n", record.acm_table.count(), record.acu_table.count());
    return 0;
}
