// The text import dialog on a file, as a curve editor opens it: two fields, the x and y of a
// curve. "import_dialog_demo FILE" shows it to be tried with the keyboard and the mouse and
// prints what the import would read; "--grab FOLDER" instead walks the pages on the example
// files and saves a picture of each (import_page1.png ... import_page3.png for the delimited
// measurement export, import_fixed.png for the fixed-width pattern cut).
#include "demo_support.h"
#include "error_handler.h"
#include "import_text_dlg.h"
#include "import_text_panes.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::unique_ptr<txtimport_format> open_format(const std::string& path, Error_Handler& handler) {
    auto format = std::make_unique<txtimport_format>(&handler, path.c_str(), 2, -1, false);
    format->set_header_item(0, "Frequency offset (MHz)");
    format->set_header_item(1, "T/I (dB)");
    return format;
}

void assign(ImportTextDlg& dialog, int column, int field) {
    auto* fields = static_cast<QComboBox*>(dialog.control(ImportTextDlg::IDC_FIELD_LIST));
    static_cast<CColSelWin*>(dialog.control(ImportTextDlg::IDC_COLUMN_PANE))->select_column(column);
    fields->setCurrentIndex(field);
    dialog.OnSelchangeColselectt();
}

int grab(const std::string& folder) {
    Error_Handler handler;
    const std::string examples = KELVOR_EXAMPLES_DIR;
    bool saved = true;
    {
        auto format = open_format(examples + "/import/nr18s_ti_sweep.csv", handler);
        ImportTextDlg dialog(ImportTextDlg::IDD_IMPORT_TEXT, nullptr, format.get());
        dialog.show();
        static_cast<QSpinBox*>(dialog.control(ImportTextDlg::IDC_LINE_START))->setValue(3);
        saved &= kelvor_demo::save_grab(dialog, folder, "import_page1.png");
        dialog.OnNext();
        saved &= kelvor_demo::save_grab(dialog, folder, "import_page2.png");
        dialog.OnNext();
        assign(dialog, 0, 1);
        assign(dialog, 1, 2);
        static_cast<CColSelWin*>(dialog.control(ImportTextDlg::IDC_COLUMN_PANE))->select_column(1);
        saved &= kelvor_demo::save_grab(dialog, folder, "import_page3.png");
    }
    {
        auto format = open_format(examples + "/import/hrn23_hplane.txt", handler);
        format->set_header_item(0, "Angle (deg)");
        format->set_header_item(1, "Attenuation (dB)");
        ImportTextDlg dialog(ImportTextDlg::IDD_IMPORT_TEXT, nullptr, format.get());
        dialog.show();
        static_cast<QRadioButton*>(dialog.control(ImportTextDlg::IDC_FIXED_WIDTH))->setChecked(true);
        static_cast<QSpinBox*>(dialog.control(ImportTextDlg::IDC_LINE_START))->setValue(3);
        dialog.OnNext();
        format->set_fixed_column(12);
        format->set_fixed_column(23);
        static_cast<CFixedWin*>(dialog.control(ImportTextDlg::IDC_FIXED_PANE))->refresh();
        saved &= kelvor_demo::save_grab(dialog, folder, "import_fixed.png");
    }
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    kelvor_demo::Demo_App app(argc, argv);
    if (const std::string folder = kelvor_demo::grab_folder(argc, argv); !folder.empty()) {
        return grab(folder);
    }
    const std::string path =
        argc > 1 ? argv[1] : std::string(KELVOR_EXAMPLES_DIR) + "/import/nr18s_ti_sweep.csv";
    Error_Handler handler;
    std::unique_ptr<txtimport_format> format;
    try {
        format = open_format(path, handler);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(nullptr, false);
        return 1;
    }
    ImportTextDlg dialog(ImportTextDlg::IDD_IMPORT_TEXT, nullptr, format.get());
    if (dialog.exec() != QDialog::Accepted) {
        return 0;
    }
    int line = -1;
    format->init_import();
    while (format->set_line_buffer(line)) {
        // Each field lies in a buffer that the next get_field overwrites.
        const char* x = format->get_field(0);
        const std::string x_text = x != nullptr ? x : "(none)";
        const char* y = format->get_field(1);
        std::printf("%d: %s | %s\n", line + 1, x_text.c_str(), y != nullptr ? y : "(none)");
    }
    return 0;
}
