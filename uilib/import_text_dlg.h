// ImportTextDlg: the three-page dialog in which the user tells a text import engine how to read a
// text file: delimited or fixed-width columns and the start line, then the delimiter or the
// column boundaries, then which column holds which of the caller's fields. It previews the file
// at every step, loads and saves the choices as definition files, and closes with OK only when
// the column choices pass the engine's check.
#pragma once

#include "ldialog.h"
#include "qv6_ex_export.h"
#include "txtimport_format.h"

#include <map>

class CColSelWin;
class CDelimWin;
class CFixedWin;
class CLineWin;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

class QV6_EX_EXPORT ImportTextDlg : public LDialog {
    Q_OBJECT

public:
    // The dialog's template.
    static constexpr unsigned IDD_IMPORT_TEXT = 1058;

    // The controls, by the ids their handlers and the tests know them by.
    enum Control_Id : int {
        IDC_CANCEL = 2,
        IDC_NEXT = 102,
        IDC_PREV = 103,
        IDC_FIXED_WIDTH = 105,
        IDC_DELIMITED = 106,
        IDC_LINE_START = 107,
        IDC_LINE_START_SPIN = 108,
        IDC_LOAD_DEFINITIONS = 114,
        IDC_COMMA = 116,
        IDC_SEMICOLON = 117,
        IDC_SPACE = 118,
        IDC_TAB = 119,
        IDC_OTHER = 120,
        IDC_CONSECUTIVE = 121,
        IDC_QUOTES = 122,
        IDC_OTHER_CHARACTER = 123,
        IDC_FIELD_LIST = 125,
        IDC_FIELD_TEXT = 126,
        IDC_FIXED_TEXT = 127,
        IDC_RESET_WIDTHS = 128,
        IDC_SAVE_DEFINITIONS = 130,
        // The raw, delimited, fixed-width and column panes.
        IDC_LINE_PANE = 140,
        IDC_DELIMITED_PANE = 141,
        IDC_FIXED_PANE = 142,
        IDC_COLUMN_PANE = 143,
        // Taking the lines from the clipboard, and what the import will read.
        IDC_PASTE = 150,
        IDC_FORECAST = 151,
    };

    // Works on `format` (not owned), which holds the lines (or none yet, for a source without a
    // name: then the first page offers to paste them) and the caller's field names. The extra
    // pointer is kept for the caller and not used. The stored choices are loaded, the delimiter
    // put in force and the preview read.
    ImportTextDlg(unsigned template_id, QWidget* parent, txtimport_format* format,
                  char* extra = nullptr);
    ~ImportTextDlg() override;

    // The control of `id`, or null.
    QWidget* control(int id) const;
    // The page shown: 0 data format, 1 delimiters or boundaries, 2 column assignment.
    int page() const { return m_page; }
    char* extra() const { return m_extra; }

    // How the caller converts a field; the last page tells how many lines from the start line
    // on convert before the first that does not. By default every field must be a number.
    void set_field_check(Import_Field_Check check);

    void OnNext();
    void OnPrev();
    void OnChangeLinestartf(int line);
    void OnDelimiterChanged();
    void OnIgnoreQuotes();
    void OnConsecDelim();
    void OnSelchangeColselectt();
    void OnResetColWidths();
    void OnLoadImportDefinitions();
    void OnSaveImportDefinitions();
    void OnOK();
    void OnPaste();

private:
    QWidget* make_format_page();
    QWidget* make_delimiter_page();
    QWidget* make_column_page();
    // Sets every control from the engine's choices; their change handlers ignore this.
    void fill_controls();
    void show_page(int page);
    // Repaints every pane from the engine's preview.
    void refresh_panes();
    // Finds the columns again after a delimiter or flag changed.
    void delimiter_columns_changed();
    void column_selected(int column);
    void update_forecast();
    // The settings key of the engine's kind, or null when the kind names none.
    const char* defaults_key() const;

    txtimport_format* m_format;
    char* m_extra;
    int m_page = 0;
    bool m_filling = false;
    // The layout (0 delimited, 1 fixed) of the columns found last; -1 when none are.
    int m_columns_layout = -1;
    Import_Field_Check m_check;
    std::map<int, QWidget*> m_controls;

    QStackedWidget* m_pages = nullptr;
    QStackedWidget* m_layout_pages = nullptr;
    QLabel* m_source = nullptr;
    QSpinBox* m_start_line = nullptr;
    QRadioButton* m_fixed = nullptr;
    QRadioButton* m_delimited = nullptr;
    QButtonGroup* m_delimiters = nullptr;
    QLineEdit* m_other = nullptr;
    QCheckBox* m_consecutive = nullptr;
    QCheckBox* m_quotes = nullptr;
    QComboBox* m_fields = nullptr;
    QLabel* m_field_text = nullptr;
    QLabel* m_forecast = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_prev = nullptr;
    CLineWin* m_line_pane = nullptr;
    CDelimWin* m_delim_pane = nullptr;
    CFixedWin* m_fixed_pane = nullptr;
    CColSelWin* m_column_pane = nullptr;
};
