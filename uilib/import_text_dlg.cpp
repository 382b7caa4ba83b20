// ImportTextDlg: the pages, their controls and the handlers.
#include "import_text_dlg.h"

#include "error_handler.h"
#include "file_dialogs.h"
#include "import_text_panes.h"
#include "ini_settings.h"
#include "message_presenter.h"
#include "qt_file_text.h"
#include "qv5_extn.h"
#include "text_helpers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {

const std::vector<File_Filter>& definition_filters() {
    static const std::vector<File_Filter> filters{{"import definition files", "*.id5"}};
    return filters;
}

// A curve's fields are numbers, read as the curve import reads them.
bool number_field(int, const char* text) {
    if (text == nullptr) {
        return false;
    }
    std::string copy(text);
    return get_valid_double(copy.data(), 4) != NOT_SET;
}

// The layout of a page of the dialog, edge to edge, under the step's title in bold.
QVBoxLayout* step_page(QWidget* page, const QString& title) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(title);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.1);
    label->setFont(font);
    layout->addWidget(label);
    return layout;
}

QLabel* hint(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

// The folder of `path`, or empty.
std::string folder_of(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    return to_local_path(QFileInfo(from_local_path(path)).absolutePath());
}

} // namespace

ImportTextDlg::ImportTextDlg(unsigned /*template_id*/, QWidget* parent, txtimport_format* format,
                             char* extra)
    : LDialog(parent), m_format(format), m_extra(extra), m_check(number_field) {
    setWindowTitle(tr("Import Text File"));
    setSizeGripEnabled(true);

    // The stored choices, or the defaults when the kind names no key.
    const char* key = defaults_key();
    const std::string stored =
        key != nullptr ? ReadINIfile(qv6_ex_string(IDS_IMPORT_TEXT_FILE), key, "") : std::string();
    m_format->load_stored_defaults(stored.empty() ? nullptr : stored.c_str());
    m_format->set_delimiter();
    m_format->read_disp_lines();
    if (m_format->column_count > 0) {
        m_columns_layout = m_format->record.fixed_width != 0 ? 1 : 0;
    }

    m_pages = new QStackedWidget;
    m_pages->addWidget(make_format_page());
    m_pages->addWidget(make_delimiter_page());
    m_pages->addWidget(make_column_page());

    m_prev = new QPushButton(tr("< Prev"));
    m_next = new QPushButton(tr("Next >"));
    auto* cancel = new QPushButton(tr("Cancel"));
    m_next->setDefault(true);
    m_controls[IDC_PREV] = m_prev;
    m_controls[IDC_NEXT] = m_next;
    m_controls[IDC_CANCEL] = cancel;
    connect(m_prev, &QPushButton::clicked, this, &ImportTextDlg::OnPrev);
    connect(m_next, &QPushButton::clicked, this, &ImportTextDlg::OnNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_prev);
    buttons->addWidget(m_next);
    buttons->addSpacing(12);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    fill_controls();
    show_page(0);
    const QFontMetrics metrics(font());
    resize(std::max(760, metrics.averageCharWidth() * 100), std::max(560, metrics.height() * 32));
}

ImportTextDlg::~ImportTextDlg() = default;

QWidget* ImportTextDlg::control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

void ImportTextDlg::set_field_check(Import_Field_Check check) {
    m_check = check ? std::move(check) : Import_Field_Check(number_field);
    update_forecast();
}

const char* ImportTextDlg::defaults_key() const {
    const int kind = m_format->record.definition_kind;
    return kind != 0 ? qv6_ex_string(kind) : nullptr;
}

QWidget* ImportTextDlg::make_format_page() {
    auto* page = new QWidget;
    auto* layout = step_page(page, tr("Step 1 of 3: Data format"));
    layout->addWidget(hint(tr("Tell how the columns of the file are separated, and from which "
                              "line on it holds data.")));

    auto* type_box = new QGroupBox(tr("Original data type"));
    auto* type_grid = new QGridLayout(type_box);
    m_delimited = new QRadioButton(tr("Delimited"));
    m_fixed = new QRadioButton(tr("Fixed Width"));
    type_grid->addWidget(m_delimited, 0, 0);
    type_grid->addWidget(hint(tr("Characters such as commas or tabs separate each field.")), 0, 1);
    type_grid->addWidget(m_fixed, 1, 0);
    type_grid->addWidget(hint(tr("Fields are aligned in columns at fixed positions.")), 1, 1);
    type_grid->setColumnStretch(1, 1);
    m_controls[IDC_DELIMITED] = m_delimited;
    m_controls[IDC_FIXED_WIDTH] = m_fixed;
    layout->addWidget(type_box);

    auto* start_row = new QHBoxLayout;
    m_start_line = new QSpinBox;
    // Any number may be typed; one outside 1 to the latest start line is ignored and the box
    // shows the start line in force again.
    m_start_line->setRange(0, 99999);
    m_start_line->setKeyboardTracking(false);
    auto* start_label = new QLabel(tr("&Start import at row:"));
    start_label->setBuddy(m_start_line);
    start_row->addWidget(start_label);
    start_row->addWidget(m_start_line);
    start_row->addStretch();
    auto* paste = new QPushButton(tr("&Paste"));
    paste->setToolTip(tr("Take the lines to import from the clipboard"));
    paste->setVisible(m_format->file_name.empty());
    auto* load = new QPushButton(tr("&Load import definitions..."));
    start_row->addWidget(paste);
    start_row->addWidget(load);
    m_controls[IDC_LINE_START] = m_start_line;
    m_controls[IDC_LINE_START_SPIN] = m_start_line;
    m_controls[IDC_PASTE] = paste;
    m_controls[IDC_LOAD_DEFINITIONS] = load;
    layout->addLayout(start_row);

    m_source = new QLabel;
    m_source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_source);
    m_line_pane = new CLineWin(m_format);
    m_controls[IDC_LINE_PANE] = m_line_pane;
    layout->addWidget(m_line_pane, 1);

    connect(m_fixed, &QRadioButton::toggled, this, [this](bool) {
        if (!m_filling) {
            m_format->record.fixed_width = m_fixed->isChecked() ? 1 : 0;
        }
    });
    connect(m_start_line, &QSpinBox::valueChanged, this, &ImportTextDlg::OnChangeLinestartf);
    connect(paste, &QPushButton::clicked, this, &ImportTextDlg::OnPaste);
    connect(load, &QPushButton::clicked, this, &ImportTextDlg::OnLoadImportDefinitions);
    return page;
}

QWidget* ImportTextDlg::make_delimiter_page() {
    m_layout_pages = new QStackedWidget;

    // Delimited.
    auto* delimited = new QWidget;
    auto* layout = step_page(delimited, tr("Step 2 of 3: Delimiters"));
    layout->addWidget(hint(tr("Choose the character that separates the fields. The preview "
                              "shows the columns as they are found.")));
    auto* choices = new QGroupBox(tr("Delimiters"));
    auto* grid = new QGridLayout(choices);
    m_delimiters = new QButtonGroup(this);
    const struct {
        int id;
        const char* text;
    } buttons[] = {{IDC_COMMA, "&Comma"},
                   {IDC_SEMICOLON, "Semi C&olon"},
                   {IDC_SPACE, "S&pace"},
                   {IDC_TAB, "&Tab"},
                   {IDC_OTHER, "Ot&her:"}};
    int column = 0;
    for (const auto& entry : buttons) {
        auto* button = new QRadioButton(tr(entry.text));
        m_delimiters->addButton(button, entry.id);
        m_controls[entry.id] = button;
        grid->addWidget(button, 0, column++);
    }
    m_other = new QLineEdit;
    m_other->setMaxLength(1);
    m_other->setFixedWidth(QFontMetrics(m_other->font()).horizontalAdvance(QStringLiteral("WW")) + 16);
    m_controls[IDC_OTHER_CHARACTER] = m_other;
    grid->addWidget(m_other, 0, column);
    grid->setColumnStretch(column + 1, 1);
    m_consecutive = new QCheckBox(tr("Treat consecutive delimiters as a single delimiter"));
    m_quotes = new QCheckBox(tr("Ignore delimiters inside quotation marks (\")"));
    grid->addWidget(m_consecutive, 1, 0, 1, column + 2);
    grid->addWidget(m_quotes, 2, 0, 1, column + 2);
    m_controls[IDC_CONSECUTIVE] = m_consecutive;
    m_controls[IDC_QUOTES] = m_quotes;
    layout->addWidget(choices);
    layout->addWidget(new QLabel(tr("Data preview:")));
    m_delim_pane = new CDelimWin(m_format);
    m_controls[IDC_DELIMITED_PANE] = m_delim_pane;
    layout->addWidget(m_delim_pane, 1);
    m_layout_pages->addWidget(delimited);

    // Fixed width.
    auto* fixed = new QWidget;
    auto* fixed_layout = step_page(fixed, tr("Step 2 of 3: Column boundaries"));
    auto* fixed_text = hint(tr("Click on the line display to set a column boundary. Click on an "
                               "existing column boundary to remove it."));
    fixed_layout->addWidget(fixed_text);
    fixed_layout->addWidget(hint(tr("From the keyboard: the arrow keys move the caret between "
                                    "characters, and Space sets or removes a boundary there.")));
    m_fixed_pane = new CFixedWin(m_format);
    m_controls[IDC_FIXED_TEXT] = fixed_text;
    m_controls[IDC_FIXED_PANE] = m_fixed_pane;
    fixed_layout->addWidget(m_fixed_pane, 1);
    m_layout_pages->addWidget(fixed);

    connect(m_delimiters, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            OnDelimiterChanged();
        }
    });
    connect(m_other, &QLineEdit::textEdited, this, &ImportTextDlg::OnDelimiterChanged);
    connect(m_consecutive, &QCheckBox::toggled, this, &ImportTextDlg::OnConsecDelim);
    connect(m_quotes, &QCheckBox::toggled, this, &ImportTextDlg::OnIgnoreQuotes);
    connect(m_fixed_pane, &CFixedWin::boundaries_changed, this, [this] {
        // A boundary moved: the columns of the next pages follow it.
        m_columns_layout = 1;
    });
    return m_layout_pages;
}

QWidget* ImportTextDlg::make_column_page() {
    auto* page = new QWidget;
    auto* layout = step_page(page, tr("Step 3 of 3: Column assignment"));
    layout->addWidget(hint(tr("Select a column in the preview and choose the field it holds; "
                              "columns left at <none> are not imported.")));
    auto* row = new QHBoxLayout;
    m_field_text = new QLabel;
    m_fields = new QComboBox;
    m_fields->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_field_text->setBuddy(m_fields);
    auto* reset = new QPushButton(tr("&Reset column widths to display headers"));
    auto* save = new QPushButton(tr("Sa&ve import definitions..."));
    row->addWidget(m_field_text);
    row->addWidget(m_fields);
    row->addStretch();
    row->addWidget(reset);
    row->addWidget(save);
    m_controls[IDC_FIELD_LIST] = m_fields;
    m_controls[IDC_FIELD_TEXT] = m_field_text;
    m_controls[IDC_RESET_WIDTHS] = reset;
    m_controls[IDC_SAVE_DEFINITIONS] = save;
    layout->addLayout(row);
    m_column_pane = new CColSelWin(m_format);
    m_controls[IDC_COLUMN_PANE] = m_column_pane;
    layout->addWidget(m_column_pane, 1);
    m_forecast = new QLabel;
    m_forecast->setWordWrap(true);
    m_forecast->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_controls[IDC_FORECAST] = m_forecast;
    layout->addWidget(m_forecast);

    connect(m_fields, &QComboBox::activated, this, &ImportTextDlg::OnSelchangeColselectt);
    connect(m_column_pane, &CColSelWin::column_selected, this, &ImportTextDlg::column_selected);
    connect(reset, &QPushButton::clicked, this, &ImportTextDlg::OnResetColWidths);
    connect(save, &QPushButton::clicked, this, &ImportTextDlg::OnSaveImportDefinitions);
    return page;
}

void ImportTextDlg::fill_controls() {
    m_filling = true;
    const Import_Definition& record = m_format->record;
    (record.fixed_width != 0 ? m_fixed : m_delimited)->setChecked(true);
    m_start_line->setValue(record.start_line);
    const int choice = IDC_COMMA + std::min<int>(record.delimiter_choice, DELIMITER_OTHER);
    m_delimiters->button(choice)->setChecked(true);
    m_other->setText(record.other_delimiter != '\0'
                         ? from_file_text(std::string_view(&record.other_delimiter, 1))
                         : QString());
    m_other->setEnabled(choice == IDC_OTHER);
    m_consecutive->setChecked(record.consecutive != 0);
    m_quotes->setChecked(record.quotes != 0);

    m_fields->clear();
    m_fields->addItem(QStringLiteral("<none>"));
    for (const std::string& name : m_format->field_names) {
        m_fields->addItem(from_file_text(name));
    }
    m_source->setText(m_format->file_name.empty()
                          ? tr("Preview of the pasted text:")
                          : tr("Preview of file %1:").arg(from_local_path(m_format->file_name)));
    m_filling = false;
}

void ImportTextDlg::show_page(int page) {
    m_page = page;
    m_pages->setCurrentIndex(page);
    m_layout_pages->setCurrentIndex(m_format->record.fixed_width != 0 ? 1 : 0);
    m_prev->setEnabled(page > 0);
    m_next->setText(page == 2 ? tr("Finish") : tr("Next >"));
    refresh_panes();
    if (page == 2) {
        const int selected = m_column_pane->selected_column();
        m_column_pane->select_column(selected >= 0 ? selected : 0);
        update_forecast();
    }
}

void ImportTextDlg::refresh_panes() {
    m_line_pane->refresh();
    m_delim_pane->refresh();
    m_fixed_pane->refresh();
    m_column_pane->refresh();
}

void ImportTextDlg::OnNext() {
    switch (m_page) {
    case 0: {
        const int layout = m_format->record.fixed_width != 0 ? 1 : 0;
        if (layout != m_columns_layout) {
            // Columns of the other layout mean nothing in this one.
            m_format->initialize_columns(0);
        }
        // Delimited columns follow the lines shown, keeping the fields of those that remain.
        m_format->set_col_widths();
        m_columns_layout = layout;
        show_page(1);
        (layout == 1 ? static_cast<QWidget*>(m_fixed_pane) : m_delimiters->checkedButton())->setFocus();
        break;
    }
    case 1:
        m_format->set_col_fields();
        show_page(2);
        m_column_pane->setFocus();
        break;
    default: OnOK(); break;
    }
}

void ImportTextDlg::OnPrev() {
    if (m_page > 0) {
        show_page(m_page - 1);
    }
}

void ImportTextDlg::OnChangeLinestartf(int line) {
    if (m_filling) {
        return;
    }
    if (m_format->set_start_line(line)) {
        refresh_panes();
    } else {
        m_filling = true;
        m_start_line->setValue(m_format->record.start_line);
        m_filling = false;
    }
}

void ImportTextDlg::OnDelimiterChanged() {
    if (m_filling) {
        return;
    }
    // The first checked choice, in the order of the buttons.
    int choice = DELIMITER_COMMA;
    for (int id = IDC_COMMA; id <= IDC_OTHER; ++id) {
        if (m_delimiters->button(id)->isChecked()) {
            choice = id - IDC_COMMA;
            break;
        }
    }
    m_other->setEnabled(choice == DELIMITER_OTHER);
    m_format->record.delimiter_choice = static_cast<uint8_t>(choice);
    // A character the files cannot hold counts as none.
    const std::optional<std::string> other = to_file_text(m_other->text());
    m_format->record.other_delimiter = other && other->size() == 1 ? (*other)[0] : '\0';
    if (m_format->set_delimiter() && m_format->record.fixed_width == 0) {
        delimiter_columns_changed();
    }
}

void ImportTextDlg::delimiter_columns_changed() {
    if (m_format->record.fixed_width != 0) {
        return;
    }
    m_format->reset_delim_columns();
    m_columns_layout = 0;
    refresh_panes();
}

void ImportTextDlg::OnIgnoreQuotes() {
    if (!m_filling) {
        m_format->record.quotes = m_quotes->isChecked() ? 1 : 0;
        delimiter_columns_changed();
    }
}

void ImportTextDlg::OnConsecDelim() {
    if (!m_filling) {
        m_format->record.consecutive = m_consecutive->isChecked() ? 1 : 0;
        delimiter_columns_changed();
    }
}

void ImportTextDlg::column_selected(int column) {
    if (column < 0 || column >= m_format->column_count) {
        m_field_text->setText(tr("&Data field:"));
        m_fields->setEnabled(false);
        return;
    }
    m_field_text->setText(tr("&Data field of column %1:").arg(column + 1));
    m_fields->setEnabled(true);
    const int32_t field = m_format->column_assignment[static_cast<std::size_t>(column)];
    m_filling = true;
    m_fields->setCurrentIndex(field >= 0 && field < m_fields->count() ? field : 0);
    m_filling = false;
}

void ImportTextDlg::OnSelchangeColselectt() {
    const int column = m_column_pane->selected_column();
    if (m_filling || column < 0 || column >= m_format->column_count) {
        return;
    }
    m_format->column_assignment[static_cast<std::size_t>(column)] =
        std::max(m_fields->currentIndex(), 0);
    m_column_pane->refresh();
    update_forecast();
}

void ImportTextDlg::OnResetColWidths() {
    m_format->reset_allcolumn_header();
    m_column_pane->refresh();
}

void ImportTextDlg::update_forecast() {
    if (m_forecast == nullptr || m_page != 2) {
        return;
    }
    const Import_Forecast forecast = m_format->forecast_import(m_check);
    const int first = m_format->record.start_line;
    QString text;
    if (forecast.lines == 0) {
        text = tr("No line will be imported.");
    } else if (forecast.lines == 1) {
        text = tr("1 line will be imported: line %1.").arg(first);
    } else {
        text = tr("%1 lines will be imported: lines %2 to %3.")
                   .arg(forecast.lines)
                   .arg(first)
                   .arg(first + forecast.lines - 1);
    }
    // A field on no column is the usual reason why nothing would be read.
    QStringList missing;
    if (!m_format->free_assignment) {
        for (int field = 1; field <= static_cast<int>(m_format->field_names.size()); ++field) {
            if (std::find(m_format->column_assignment.begin(), m_format->column_assignment.end(),
                          field) == m_format->column_assignment.end()) {
                missing << QStringLiteral("\u201c%1\u201d").arg(
                    from_file_text(m_format->field_names[static_cast<std::size_t>(field) - 1]));
            }
        }
    }
    if (!missing.isEmpty()) {
        text += QLatin1Char(' ') + tr("Not on a column yet: %1.").arg(missing.join(QStringLiteral(", ")));
    }
    if (forecast.stop_line > 0) {
        const QString line = QFontMetrics(m_forecast->font())
                                 .elidedText(preview_text(forecast.stop_text).simplified(), Qt::ElideRight,
                                             m_forecast->fontMetrics().averageCharWidth() * 60);
        text += QLatin1Char(' ') + tr("Line %1 ends the import, as its fields do not all "
                                      "convert: \u201c%2\u201d")
                                       .arg(forecast.stop_line)
                                       .arg(line);
    }
    m_forecast->setText(text);
}

void ImportTextDlg::OnLoadImportDefinitions() {
    const std::string start = !m_format->definition_file_name.empty()
                                  ? folder_of(m_format->definition_file_name)
                                  : folder_of(m_format->file_name);
    const std::optional<std::string> path =
        choose_open_file(this, 0, qv6_ex_string(IDS_LOAD_IMPORT_DEFINITION), definition_filters(),
                         start);
    if (!path || !m_format->load_definition_file(path->c_str())) {
        return;
    }
    m_format->read_disp_lines();
    m_format->set_col_widths();
    m_columns_layout = m_format->record.fixed_width != 0 ? 1 : 0;
    fill_controls();
    show_page(m_page);
}

void ImportTextDlg::OnSaveImportDefinitions() {
    const std::optional<std::string> path = choose_save_file(
        this, 0, qv6_ex_string(IDS_SAVE_IMPORT_DEFINITION), definition_filters(),
        m_format->definition_file_name, "id5");
    if (path) {
        m_format->save_definition_file(path->c_str());
    }
}

void ImportTextDlg::OnPaste() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) {
        show_message_box(static_cast<QWidget*>(this), "Paste", "The clipboard holds no text.", BOX_OK | BOX_ICON_STOP);
        return;
    }
    QChar refused;
    const std::optional<std::string> bytes = to_file_text(text, &refused);
    if (!bytes) {
        const QString message =
            tr("The clipboard's text holds a character that the data files cannot hold: "
               "\u201c%1\u201d (U+%2).")
                .arg(refused)
                .arg(refused.unicode(), 4, 16, QLatin1Char('0'));
        show_message_box(static_cast<QWidget*>(this), "Paste", message.toStdString(), BOX_OK | BOX_ICON_STOP);
        return;
    }
    Error_Handler handler;
    handler.init_fileio("Clipboard");
    try {
        m_format->set_text(&handler, *bytes);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(static_cast<QWidget*>(this), false);
        return;
    }
    m_format->read_disp_lines();
    m_format->initialize_columns(0);
    m_columns_layout = -1;
    refresh_panes();
}

void ImportTextDlg::OnOK() {
    if (!m_format->check_duplicates()) {
        return;
    }
    if (const char* key = defaults_key()) {
        WriteINIfile(qv6_ex_string(IDS_IMPORT_TEXT_FILE), key,
                     m_format->stored_defaults_text().c_str());
    }
    accept();
}
