// The TX power options form on a radio file's adaptive-modulation state.
// "power_options_demo [FILE.raf [STATE]]" opens it to be tried by hand and says whether the
// record changed; "--grab FOLDER" instead saves a picture of the form on the example's first
// state (power_options.png).
#include "demo_support.h"
#include "radio_demo_support.h"
#include "power_options_form.h"
#include "radio_record.h"
#include "wks_menu_frame.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);
    const std::string folder = kelvor_demo::grab_folder(argc, argv);
    const std::string path = folder.empty() && argc >= 2
                                 ? argv[1]
                                 : std::string(KELVOR_EXAMPLES_DIR) + "/radio/hx23_am_56m.raf";
    const int state = folder.empty() && argc >= 3 ? std::atoi(argv[2]) : 0;
    Radio_Record record;
    if (!kelvor_demo::read_demo_radio(record, path)) {
        return 1;
    }
    if (state < 0 || state >= record.acm_table.count()) {
        std::fprintf(stderr, "%s has no adaptive-modulation state %d\n", path.c_str(), state);
        return 1;
    }
    bool saved = true;
    if (!folder.empty()) {
        // The form is modal: the picture is taken from inside its loop, then it is cancelled.
        QTimer::singleShot(300, [&saved, &folder] {
            auto* form = qobject_cast<WksMenu_Frame*>(QApplication::activeModalWidget());
            saved = form != nullptr && kelvor_demo::save_grab(*form, folder, "power_options.png");
            if (form != nullptr) {
                form->HandleCancelButton();
            }
        });
        run_power_options_form(record, state, nullptr);
        return saved ? 0 : 1;
    }
    const bool changed = run_power_options_form(record, state, nullptr);
    std::printf("%s\n", changed ? "the record changed" : "the record did not change");
    return 0;
}
