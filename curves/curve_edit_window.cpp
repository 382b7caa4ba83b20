// CurveEditWindow: the bar, the grid and the chart, and the commands the editors share.
#include "curve_edit_window.h"

#include "dbl2_frame.h"
#include "error_handler.h"
#include "file_dialogs.h"
#include "frame_window_size.h"
#include "import_text_dlg.h"
#include "ini_settings.h"
#include "message_presenter.h"
#include "qt_file_text.h"
#include "qv5_extn.h"
#include "text_helpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr const char* data_entry_error = "Data Entry Error";                    // 142
constexpr const char* import_needs_curve =
    "Click New and define the type of curve before importing data";           // 143
constexpr const char* typing_needs_curve =
    "Click New and define the type of curve before entering data";            // 144
constexpr const char* delete_caption = "Delete Curve";                         // 145
constexpr const char* delete_question = "Delete %s Curve?\r\nThis delete cannot be undone"; // 146

} // namespace

CurveEditWindow::CurveEditWindow(QWidget* parent, const Texts& texts, bool pattern_cuts)
    : LDialog(parent), m_texts(texts) {
    setWindowTitle(texts.caption);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    m_list = new QComboBox;
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_list->setMinimumContentsLength(24);
    auto* new_button = new QPushButton(tr("New"));
    auto* import = new QPushButton(tr("Import"));
    auto* ok = new QPushButton(tr("OK"));
    auto* remove = new QPushButton(tr("Delete"));
    new_button->setAutoDefault(false);
    import->setAutoDefault(false);
    remove->setAutoDefault(false);
    ok->setAutoDefault(false);
    m_controls = {{IDC_CURVE_LIST, m_list}, {IDC_NEW, new_button}, {IDC_IMPORT, import},
                  {IDC_OK, ok},             {IDC_DELETE, remove}};

    m_bar = new QHBoxLayout;
    m_bar->addWidget(m_list);
    m_bar->addWidget(new_button);
    m_bar->addWidget(import);
    m_bar->addWidget(ok);
    m_bar->addWidget(remove);
    m_bar->addStretch();

    m_grid = new dbl2_frame;
    m_grid->set_titles(texts.x_title, texts.y_title);
    m_grid->attach(&m_points);
    m_chart = new dbl2_view;
    m_chart->set_axis_titles(texts.x_title, texts.y_title);
    m_chart->set_polar_allowed(pattern_cuts);
    m_controls[IDC_GRID] = m_grid;
    m_controls[IDC_CHART] = m_chart;

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->addWidget(m_grid);
    m_splitter->addWidget(m_chart);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_bar);
    layout->addWidget(m_splitter, 1);

    connect(m_list, &QComboBox::activated, this, &CurveEditWindow::OnSelchangeCurveList);
    connect(new_button, &QPushButton::clicked, this, &CurveEditWindow::OnNew);
    connect(import, &QPushButton::clicked, this, &CurveEditWindow::OnImport);
    connect(ok, &QPushButton::clicked, this, &CurveEditWindow::OnOK);
    connect(remove, &QPushButton::clicked, this, &CurveEditWindow::OnDelete);
    connect(m_grid, &dbl2_frame::list_changed, this, &CurveEditWindow::grid_changed);
    connect(m_grid, &dbl2_frame::current_row_changed, m_chart, &dbl2_view::move_marker);
    connect(m_chart, &dbl2_view::point_selected, m_grid, &dbl2_frame::set_current_row);

    // The size and the grid's width of the last time. The first time, the grid takes the width
    // of its columns rather than the default half of the window, which would be empty space.
    frame_window_size placement;
    getdefault_framewindowsize(IDS_WNDSZE_KELVOR_CURVES, &placement, DWS_LARGER);
    resize(placement.width, placement.height);
    move(placement.left, placement.top);
    const bool remembered =
        !ReadINIfile(IDS_DEFAULT_WINDOWSIZE, IDS_WNDSZE_KELVOR_CURVES, "").empty();
    const int grid_width =
        remembered && placement.layout[0] > 0 && placement.layout[0] < placement.width
            ? placement.layout[0]
            : m_grid->sizeHint().width();
    m_splitter->setSizes({grid_width, std::max(placement.width - grid_width, 1)});
}

CurveEditWindow::~CurveEditWindow() = default;

QWidget* CurveEditWindow::control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

void CurveEditWindow::add_to_bar(QLabel* label, QWidget* widget, int id) {
    const int at = m_bar->count() - 1; // before the stretch
    if (label != nullptr) {
        label->setBuddy(widget);
        m_bar->insertSpacing(at, 12);
        m_bar->insertWidget(at + 1, label);
        m_bar->insertWidget(at + 2, widget, 1);
    } else {
        m_bar->insertWidget(at, widget, 1);
    }
    m_controls[id] = widget;
}

void CurveEditWindow::start(int first) {
    fill_list();
    if (first < 0 && !m_entries.empty()) {
        first = m_entries.front().curve;
    }
    show_curve(first);
    // Typing goes into the points first.
    m_grid->setFocus();
}

bool CurveEditWindow::run() {
    exec();
    return m_record_changed;
}

void CurveEditWindow::fill_list() {
    m_filling = true;
    m_entries = curve_entries();
    m_list->clear();
    int current_index = -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        m_list->addItem(m_entries[i].text);
        if (m_entries[i].curve == m_current) {
            current_index = static_cast<int>(i);
        }
    }
    m_list->setCurrentIndex(current_index);
    m_filling = false;
}

QString CurveEditWindow::current_text() const {
    for (const Curve_Entry& entry : m_entries) {
        if (entry.curve == m_current) {
            return entry.text;
        }
    }
    return {};
}

void CurveEditWindow::write_back() {
    if (m_current < 0) {
        return;
    }
    if (m_grid->changed() && store_curve(m_current, m_points)) {
        m_record_changed = true;
    }
    if (leave_curve(m_current)) {
        m_record_changed = true;
    }
}

void CurveEditWindow::show_curve(int curve) {
    m_current = curve;
    fill_list();
    if (curve >= 0) {
        m_points = load_curve(curve);
    } else {
        m_points.clear();
    }
    m_grid->attach(&m_points);
    m_grid->reset_cursor();
    static_cast<QPushButton*>(control(IDC_DELETE))->setEnabled(curve >= 0);
    update_chart();
    curve_shown(curve);
}

void CurveEditWindow::update_chart() {
    m_chart->set_curve_name(current_text());
    m_chart->set_overlays(m_current >= 0 ? overlays(m_current) : std::vector<Chart_Overlay>{});
    m_chart->set_data(m_points);
    m_chart->move_marker(m_grid->current_row());
}

void CurveEditWindow::grid_changed() {
    if (m_current < 0) {
        // Points belong to a curve: without one, what was typed is dropped.
        show_message_box(static_cast<QWidget*>(this), data_entry_error, typing_needs_curve,
                         BOX_OK | BOX_ICON_STOP);
        m_points.clear();
        m_grid->attach(&m_points);
    }
    update_chart();
}

void CurveEditWindow::OnSelchangeCurveList() {
    const int index = m_list->currentIndex();
    if (m_filling || index < 0 || index >= static_cast<int>(m_entries.size())) {
        return;
    }
    const int chosen = m_entries[static_cast<std::size_t>(index)].curve;
    if (chosen == m_current) {
        return;
    }
    write_back();
    show_curve(chosen);
}

void CurveEditWindow::OnNew() {
    write_back();
    const std::optional<int> created = create_curve();
    if (!created) {
        return;
    }
    show_curve(*created);
}

void CurveEditWindow::OnImport() {
    if (m_current < 0) {
        show_message_box(static_cast<QWidget*>(this), data_entry_error, import_needs_curve,
                         BOX_OK | BOX_ICON_STOP);
        return;
    }
    const std::optional<std::string> path = choose_open_file(
        this, 0, to_file_text(m_texts.import_title).value_or(std::string()),
        {{"all files", "*.*"}});
    if (!path) {
        return;
    }
    Error_Handler handler;
    try {
        m_import = std::make_unique<txtimport_format>(&handler, path->c_str(), 2, -1, false);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(static_cast<QWidget*>(this), false);
        m_import.reset();
        return;
    }
    txtimport_format& format = *m_import;
    if (!format.lines.empty()) {
        format.record.fixed_width = 0;
        format.record.delimiter_choice = DELIMITER_COMMA;
        format.record.start_line = 1;
        format.set_header_item(0, to_file_text(m_texts.x_title).value_or(std::string()).c_str());
        format.set_header_item(1, to_file_text(m_texts.y_title).value_or(std::string()).c_str());
    }
    ImportTextDlg dialog(ImportTextDlg::IDD_IMPORT_TEXT, this, &format);
    // The dialog's forecast reads the lines by the same rule as the import below.
    dialog.set_field_check(
        [](int, const char* field) { return curve_import_value(field) != NOT_SET; });
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // Every line from the start line on, up to the first whose x or y is no number.
    std::vector<Curve_Pair> pairs;
    int line = -1;
    format.init_import();
    while (format.set_line_buffer(line)) {
        // The x is read before get_field reuses its buffer for the y.
        const double x = curve_import_value(format.get_field(0));
        const double y = curve_import_value(format.get_field(1));
        if (x == NOT_SET || y == NOT_SET) {
            break;
        }
        pairs.push_back({imported_x(x), y});
    }
    m_points.add_points(pairs);
    m_points.sort_by_x();
    m_grid->reset_cursor();
    m_grid->points_changed_outside();
}

void CurveEditWindow::OnDelete() {
    if (m_current < 0) {
        return;
    }
    // Message boxes take their texts as UTF-8, as the list shows them.
    const std::string name = current_text().toStdString();
    char question[512];
    std::snprintf(question, sizeof question, delete_question, name.c_str());
    if (show_message_box(static_cast<QWidget*>(this), delete_caption, question,
                         BOX_YES_NO | BOX_ICON_QUESTION) != ID_YES) {
        return;
    }
    remove_curve(m_current);
    m_record_changed = true;
    m_current = -1;
    const std::vector<Curve_Entry> left = curve_entries();
    show_curve(left.empty() ? -1 : left.front().curve);
}

void CurveEditWindow::OnOK() {
    if (m_done) {
        return;
    }
    write_back();
    if (m_current < 0 && changed_without_curve()) {
        m_record_changed = true;
    }
    m_done = true;
    remember_placement();
    accept();
}

void CurveEditWindow::closeEvent(QCloseEvent* event) {
    OnOK();
    event->accept();
}

void CurveEditWindow::reject() { OnOK(); }

void CurveEditWindow::remember_placement() {
    frame_window_size placement;
    const QRect frame = geometry();
    placement.left = frame.left();
    placement.top = frame.top();
    placement.width = frame.width();
    placement.height = frame.height();
    placement.layout[0] = m_splitter->sizes().value(0);
    placement.maximised = isMaximized();
    setdefault_framewindowsize(IDS_WNDSZE_KELVOR_CURVES, &placement);
}
