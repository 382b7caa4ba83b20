// QV5_Grid_Control: the list window, its model over the program's handlers, the in-place editors,
// the one-row form and the export dialog.
#include "qv5_grid_control.h"

#include "error_handler.h"
#include "grid_cursor.h"
#include "file_dialogs.h"
#include "grid_layout.h"
#include "ini_settings.h"
#include "ldialog.h"
#include "message_presenter.h"
#include "qt_file_text.h"
#include "qv5_extn.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

// What a check-box cell's text means: anything but empty or "0" is ticked.
bool ticked(const std::string& text) { return !text.empty() && text != "0"; }

// The text a cell shows: a drop list's chosen entry, the text otherwise.
std::string shown_text(const Grid_Transfer& transfer, uint8_t kind) {
    if (is_drop_list_kind(kind)) {
        const int selection = transfer.selection;
        return selection >= 0 && selection < static_cast<int>(transfer.entries.size())
                   ? transfer.entries[static_cast<std::size_t>(selection)]
                   : std::string();
    }
    return transfer.text;
}

// The text of an edit box as the program gets it: a file text, at most the column's limit.
std::optional<std::string> entered_text(const QString& text, int limit) {
    std::optional<std::string> file_text = to_file_text(text);
    if (file_text && limit >= 0 && static_cast<int>(file_text->size()) > limit) {
        file_text->resize(static_cast<std::size_t>(limit));
    }
    return file_text;
}

} // namespace

// The table the view shows: one row per record plus the template row, the columns in data order
// (the header keeps the display order). Every cell is asked from the program.
class Grid_Model : public QAbstractTableModel {
public:
    explicit Grid_Model(QV5_Grid_Control& control) : QAbstractTableModel(&control), m_control(control) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_columns;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const Grid_Column& column = m_control.m_info->columns[static_cast<std::size_t>(index.column())];
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            if (is_check_box_kind(column.kind) || is_colour_kind(column.kind)) {
                return {};
            }
            const Grid_Transfer transfer = m_control.cell(index.row(), index.column());
            return from_file_text(shown_text(transfer, column.kind));
        }
        case Qt::CheckStateRole:
            if (is_check_box_kind(column.kind)) {
                return ticked(m_control.cell(index.row(), index.column()).text) ? Qt::Checked
                                                                               : Qt::Unchecked;
            }
            return {};
        case Qt::TextAlignmentRole:
            // Columns the program converts to numbers line up on the right.
            return column.char_set != 0 && is_text_kind(column.kind)
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (m_control.m_marks.is_marked(index.row())) {
                QColor marked = m_control.palette().color(QPalette::Highlight);
                marked.setAlpha(70);
                return marked;
            }
            if (index.row() == m_rows - 1) {
                return m_control.palette().color(QPalette::AlternateBase);
            }
            return {};
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal) {
            if (role == Qt::DisplayRole && section >= 0 && section < m_columns) {
                return from_file_text(m_control.m_info->titles[static_cast<std::size_t>(section)]);
            }
            return {};
        }
        if (role == Qt::DisplayRole) {
            return section == m_rows - 1 ? QStringLiteral("*") : QString::number(section + 1);
        }
        if (role == Qt::FontRole && m_control.m_marks.is_marked(section)) {
            QFont font = m_control.font();
            font.setBold(true);
            return font;
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) {
            return Qt::NoItemFlags;
        }
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const Grid_Edit edit =
            grid_edit_kind(m_control.m_info->columns[static_cast<std::size_t>(index.column())]);
        if (edit == Grid_Edit::text || edit == Grid_Edit::drop_list) {
            flags |= Qt::ItemIsEditable;
        }
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || role != Qt::EditRole) {
            return false;
        }
        const Grid_Column& column = m_control.m_info->columns[static_cast<std::size_t>(index.column())];
        Grid_Transfer transfer;
        transfer.row = index.row();
        transfer.column = index.column();
        transfer.attributes = column;
        if (is_drop_list_kind(column.kind)) {
            transfer.selection = value.toInt();
        } else {
            const std::optional<std::string> text = entered_text(value.toString(), column.text_limit());
            if (!text) {
                return false;
            }
            transfer.text = *text;
        }
        m_control.EvGridEvent(GE_STORE, 0, &transfer);
        m_control.SetGridScrollers();
        m_control.rewrite_row(index.row());
        m_control.rewrite_row(-1);
        return true;
    }

    // The description's rows or columns changed: the view follows.
    void sync() {
        const Grid_Info& info = *m_control.m_info;
        const int columns = std::clamp(info.column_count, 0, static_cast<int>(info.columns.size()));
        if (columns != m_columns) {
            beginResetModel();
            m_columns = columns;
            m_rows = std::max(info.row_count, 0) + 1;
            endResetModel();
            return;
        }
        const int rows = std::max(info.row_count, 0) + 1;
        if (rows > m_rows) {
            beginInsertRows({}, m_rows, rows - 1);
            m_rows = rows;
            endInsertRows();
        } else if (rows < m_rows) {
            beginRemoveRows({}, rows, m_rows - 1);
            m_rows = rows;
            endRemoveRows();
        }
    }

    void row_changed(int row) {
        if (row >= 0 && row < m_rows && m_columns > 0) {
            emit dataChanged(index(row, 0), index(row, m_columns - 1));
            emit headerDataChanged(Qt::Vertical, row, row);
        }
    }
    void all_changed() {
        if (m_rows > 0 && m_columns > 0) {
            emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
            emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
        }
    }

private:
    QV5_Grid_Control& m_control;
    int m_rows = 0;
    int m_columns = 0;
};

// The in-place editors: an edit box limited to the column's text, or a drop list with the
// program's entries, at most 20 rows tall.
class Grid_Delegate : public QStyledItemDelegate {
public:
    explicit Grid_Delegate(QV5_Grid_Control& control)
        : QStyledItemDelegate(&control), m_control(control) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const Grid_Column& column = m_control.info().columns[static_cast<std::size_t>(index.column())];
        QWidget* editor = nullptr;
        if (is_drop_list_kind(column.kind)) {
            Grid_Transfer transfer;
            transfer.row = index.row();
            transfer.column = index.column();
            m_control.EvModifyDropList(transfer);
            transfer = m_control.cell(index.row(), index.column());
            auto* box = new QComboBox(parent);
            for (const std::string& entry : transfer.entries) {
                box->addItem(from_file_text(entry));
            }
            box->setMaxVisibleItems(grid_drop_list_rows(static_cast<int>(transfer.entries.size())));
            box->setCurrentIndex(transfer.selection);
            // A choice is stored at once.
            QObject::connect(box, &QComboBox::activated, box, [this, box] {
                emit const_cast<Grid_Delegate*>(this)->commitData(box);
                emit const_cast<Grid_Delegate*>(this)->closeEditor(box);
            });
            // The list drops down at once, under the cell.
            QTimer::singleShot(0, box, [box] {
                if (box->isVisible()) {
                    box->showPopup();
                }
            });
            editor = box;
        } else {
            const Grid_Transfer transfer = m_control.cell(index.row(), index.column());
            auto* line = new QLineEdit(parent);
            line->setFrame(false);
            line->setMaxLength(std::max(transfer.attributes.text_limit(), 0));
            editor = line;
        }
        m_editor = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(index.data(Qt::EditRole).toString());
            line->selectAll();
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (box->currentIndex() >= 0) {
                model->setData(index, box->currentIndex(), Qt::EditRole);
            }
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            // An unchanged text is not stored again.
            if (line->isModified()) {
                model->setData(index, line->text(), Qt::EditRole);
            }
        }
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == m_editor) {
            m_editor = nullptr;
        }
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Commits and closes the open editor, if any.
    void commit_open_editor() {
        if (QWidget* editor = m_editor) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

private:
    QV5_Grid_Control& m_control;
    mutable QPointer<QWidget> m_editor;
};

// The grid: the cursor keys of the list, the rest as a table view has them.
class Grid_View : public QTableView {
public:
    explicit Grid_View(QV5_Grid_Control& control) : QTableView(&control), m_control(control) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (state() != EditingState && m_control.grid_key(event)) {
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        // The cursor moves first: the edit of the previous cell is stored below, and the rows
        // its store adds or removes then keep the new cell current.
        const bool moved = !m_control.m_syncing && current.isValid() &&
                           m_control.m_cursor->select(current.row(),
                                                      horizontalHeader()->visualIndex(current.column()));
        QTableView::currentChanged(current, previous);
        if (moved) {
            emit m_control.cursor_moved(m_control.m_info->current_column, m_control.m_info->current_row);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex at = indexAt(event->position().toPoint());
        const bool on_current = at.isValid() && at == currentIndex();
        QTableView::mousePressEvent(event);
        if (on_current && event->button() == Qt::LeftButton &&
            grid_edit_kind(m_control.m_info->columns[static_cast<std::size_t>(at.column())]) ==
                Grid_Edit::toggle) {
            m_control.toggle_cell(at.row(), at.column());
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        QTableView::resizeEvent(event);
        if (m_control.m_cursor) {
            const int row_height = std::max(verticalHeader()->defaultSectionSize(), 1);
            m_control.m_cursor->set_visible_rows(std::max(viewport()->height() / row_height, 1));
        }
    }
    void scrollContentsBy(int dx, int dy) override {
        QTableView::scrollContentsBy(dx, dy);
        if (m_control.m_cursor) {
            m_control.m_cursor->scroll_to(verticalScrollBar()->value());
        }
    }

private:
    QV5_Grid_Control& m_control;
};

// The row numbers: a click marks rows (see click_row_number) instead of selecting them.
class Row_Header : public QHeaderView {
public:
    explicit Row_Header(QV5_Grid_Control& control)
        : QHeaderView(Qt::Vertical), m_control(control) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const int row = logicalIndexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && row >= 0) {
            m_control.row_number_clicked(row, event->modifiers());
        }
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }

private:
    QV5_Grid_Control& m_control;
};

namespace {

// The one-row form: one line per column with its title and value, edited through the same events
// as the grid; OK is enabled when the program says so.
class Row_Form : public LDialog {
public:
    Row_Form(QV5_Grid_Control& control, const char* title, int row)
        : LDialog(&control, title), m_control(control), m_row(row) {
        setObjectName(QStringLiteral("gAddItem_frame"));
        auto* fields = new QWidget;
        auto* form = new QFormLayout(fields);
        const Grid_Info& info = control.info();
        for (int position = 0; position < info.column_count; ++position) {
            const int column = grid_data_column(info, position);
            if (column < 0) {
                continue;
            }
            const Grid_Column& descriptor = info.columns[static_cast<std::size_t>(column)];
            QWidget* editor = nullptr;
            switch (grid_edit_kind(descriptor)) {
            case Grid_Edit::drop_list: {
                auto* box = new QComboBox;
                connect(box, &QComboBox::activated, this, [this, column](int index) {
                    Grid_Transfer transfer = transfer_for(column);
                    transfer.selection = index;
                    store(transfer);
                });
                editor = box;
                break;
            }
            case Grid_Edit::toggle: {
                auto* box = new QCheckBox;
                connect(box, &QCheckBox::clicked, this, [this, column](bool checked) {
                    Grid_Transfer transfer = transfer_for(column);
                    m_control.EvGridEvent(GE_FORM_TOGGLE, m_row, &transfer);
                    transfer.text = checked ? "1" : "0";
                    transfer.value = checked ? 1 : 0;
                    store(transfer);
                });
                editor = box;
                break;
            }
            default: {
                auto* line = new QLineEdit;
                line->setReadOnly(!descriptor.editable);
                connect(line, &QLineEdit::editingFinished, this, [this, line, column] {
                    if (!line->isModified()) {
                        return;
                    }
                    line->setModified(false);
                    Grid_Transfer transfer = transfer_for(column);
                    m_control.EvGridEvent(GE_FORM_EDIT, m_row, &transfer);
                    const std::optional<std::string> text =
                        entered_text(line->text(), transfer.attributes.text_limit());
                    if (!text) {
                        reload();
                        return;
                    }
                    transfer.text = *text;
                    store(transfer);
                });
                editor = line;
                break;
            }
            }
            editor->setEnabled(descriptor.editable != 0);
            m_editors.push_back({column, editor});
            form->addRow(from_file_text(info.titles[static_cast<std::size_t>(column)]), editor);
        }
        auto* scroll = new QScrollArea;
        scroll->setWidget(fields);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(scroll);
        layout->addWidget(m_buttons);
        reload();
        const int height = std::min(fields->sizeHint().height() + 80,
                                    static_cast<int>(screen()->availableGeometry().height() * 0.8));
        resize(std::max(fields->sizeHint().width() + 60, 420), height);
    }

private:
    Grid_Transfer transfer_for(int column) {
        Grid_Transfer transfer = m_control.cell(m_row, column);
        transfer.row = m_row;
        transfer.column = column;
        return transfer;
    }

    void store(Grid_Transfer& transfer) {
        m_control.EvGridEvent(GE_STORE, 0, &transfer);
        m_control.SetGridScrollers();
        m_control.rewrite_row(m_row);
        m_control.rewrite_row(-1);
        reload();
    }

    // Shows every value as the program now has it, and asks whether OK may be enabled.
    void reload() {
        for (const auto& [column, editor] : m_editors) {
            const Grid_Transfer transfer = m_control.cell(m_row, column);
            if (auto* box = qobject_cast<QComboBox*>(editor)) {
                const QSignalBlocker block(box);
                box->clear();
                for (const std::string& entry : transfer.entries) {
                    box->addItem(from_file_text(entry));
                }
                box->setMaxVisibleItems(grid_drop_list_rows(static_cast<int>(transfer.entries.size())));
                box->setCurrentIndex(transfer.selection);
            } else if (auto* check = qobject_cast<QCheckBox*>(editor)) {
                const QSignalBlocker block(check);
                check->setChecked(ticked(transfer.text));
            } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
                line->setMaxLength(std::max(transfer.attributes.text_limit(), 0));
                line->setText(from_file_text(transfer.text));
                line->setModified(false);
            }
        }
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_control.EvQueryOK(0, 0) == 1);
    }

    QV5_Grid_Control& m_control;
    int m_row;
    std::vector<std::pair<int, QWidget*>> m_editors;
    QDialogButtonBox* m_buttons = nullptr;
};

// The export dialog: the delimiter, the coordinate form and the header line.
class Export_Options_Dlg : public LDialog {
public:
    explicit Export_Options_Dlg(QWidget* parent) : LDialog(parent, GRID_EXPORT_TITLE) {
        setObjectName(QStringLiteral("export_options"));
        m_delimiter = new QLineEdit(QStringLiteral(","));
        m_delimiter->setObjectName(QStringLiteral("delimiter"));
        m_delimiter->setMaxLength(1);
        m_delimiter->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 4);
        auto* coordinates = new QGroupBox(QStringLiteral("Geographic coordinates"));
        m_dms = new QRadioButton(QStringLiteral("Degrees Minutes Seconds"));
        m_decimal = new QRadioButton(QStringLiteral("Decimal Degrees"));
        m_decimal->setObjectName(QStringLiteral("decimal"));
        m_dms->setChecked(true);
        auto* coordinate_layout = new QVBoxLayout(coordinates);
        coordinate_layout->addWidget(m_dms);
        coordinate_layout->addWidget(m_decimal);
        m_headers = new QCheckBox(QStringLiteral("Include Column Headers"));
        m_headers->setObjectName(QStringLiteral("headers"));
        m_headers->setChecked(true);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        // A delimiter the export cannot use leaves OK disabled.
        connect(m_delimiter, &QLineEdit::textChanged, this, [this, buttons] {
            buttons->button(QDialogButtonBox::Ok)->setEnabled(options().has_value());
        });
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Column delimiter:"), m_delimiter);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(coordinates);
        layout->addWidget(m_headers);
        layout->addWidget(buttons);
    }

    std::optional<Grid_Export_Options> options() const {
        const std::optional<std::string> delimiter = to_file_text(m_delimiter->text());
        if (!delimiter || delimiter->size() != 1 || !is_export_delimiter(delimiter->front())) {
            return std::nullopt;
        }
        Grid_Export_Options options;
        options.delimiter = delimiter->front();
        options.decimal_coordinates = m_decimal->isChecked();
        options.headers = m_headers->isChecked();
        return options;
    }

private:
    QLineEdit* m_delimiter;
    QRadioButton* m_dms;
    QRadioButton* m_decimal;
    QCheckBox* m_headers;
};

} // namespace

QV5_Grid_Control::QV5_Grid_Control() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    m_model = new Grid_Model(*this);
    m_delegate = new Grid_Delegate(*this);
    m_view = new Grid_View(*this);
    m_view->setObjectName(QStringLiteral("grid"));
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    // Tab and Shift+Tab move between the columns, not out of the grid.
    m_view->setTabKeyNavigation(true);
    m_view->setWordWrap(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { show_context_menu(at); });

    QHeaderView* columns = m_view->horizontalHeader();
    columns->setSectionsMovable(true);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignCenter);
    connect(columns, &QHeaderView::sectionMoved, this, [this] {
        if (!m_syncing) {
            take_layout_from_view();
        }
    });
    connect(columns, &QHeaderView::sectionResized, this, [this] {
        if (!m_syncing) {
            take_layout_from_view();
        }
    });
    connect(columns, &QHeaderView::sectionClicked, this,
            [this](int column) { EvHeaderClick(column, 0); });

    auto* rows = new Row_Header(*this);
    m_view->setVerticalHeader(rows);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setHighlightSections(false);
    rows->setDefaultSectionSize(fontMetrics().height() + 8);

    m_menu_bar = new QMenuBar(this);
    QMenu* list_menu = m_menu_bar->addMenu(QStringLiteral("&List"));
    connect(list_menu, &QMenu::aboutToShow, this, [this, list_menu] {
        list_menu->clear();
        fill_menu(*list_menu, false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(m_menu_bar);
    layout->addWidget(m_view);
}

QV5_Grid_Control::~QV5_Grid_Control() {
    // The program's description may be gone already (a member of the derived list): the grid
    // must not tell it of the columns it loses while it is taken down.
    m_info = nullptr;
    m_view->horizontalHeader()->disconnect(this);
    delete m_view;
}

QTableView* QV5_Grid_Control::grid() const { return m_view; }

void QV5_Grid_Control::init_gc(const char* title, Grid_Info* info) {
    m_title = title != nullptr ? title : "";
    m_info = info;
    setWindowTitle(from_file_text(m_title));
    if (m_info->layout_key != -1) {
        const std::string stored = ReadINIfile(IDS_DISPLAY_OPTIONS, m_info->layout_key, "");
        read_grid_layout(*m_info, stored, current_screen_sizes());
    }
    m_cursor = std::make_unique<Grid_Cursor>(*m_info);
    m_marks.init();
    m_marks.anchor = -1;
    m_syncing = true;
    m_view->setModel(nullptr);
    m_model->sync();
    m_view->setModel(m_model);
    m_syncing = false;
    if (needs_default_edges(*m_info)) {
        default_edges();
    }
    apply_layout_to_view();
    move_cursor_to_info();
}

int QV5_Grid_Control::ExecuteModal(QWidget* parent) {
    if (m_info == nullptr) {
        return QDialog::Rejected;
    }
    setParent(parent, windowFlags());
    setModal(true);
    Grid_Rect rect = m_info->window;
    if (rect.width <= 0 || rect.height <= 0) {
        const QScreen* screen = parent != nullptr ? parent->screen() : QApplication::primaryScreen();
        const QRect available = screen != nullptr ? screen->geometry() : QRect(0, 0, 1280, 800);
        rect = default_grid_rect(available.width(), available.height(), logicalDpiX(), logicalDpiY());
        rect.left += available.left();
        rect.top += available.top();
    }
    setGeometry(rect.left, rect.top, rect.width, rect.height);
    if (m_info->maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    return exec();
}

void QV5_Grid_Control::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown && m_info != nullptr) {
        m_shown = true;
        m_view->setFocus();
        move_cursor_to_info();
    }
}

void QV5_Grid_Control::done(int result) {
    m_delegate->commit_open_editor();
    if (m_info != nullptr && m_info->layout_key != -1) {
        store_layout();
    }
    QDialog::done(result);
}

void QV5_Grid_Control::store_layout() {
    take_layout_from_view();
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    note_grid_window(*m_info, isMaximized(),
                     Grid_Rect{normal.left(), normal.top(), normal.width(), normal.height()});
    WriteINIfile(IDS_DISPLAY_OPTIONS, m_info->layout_key, grid_layout_text(*m_info).c_str());
}

Grid_Transfer QV5_Grid_Control::cell(int row, int column) {
    Grid_Transfer transfer;
    transfer.row = row;
    transfer.column = column;
    if (column >= 0 && column < static_cast<int>(m_info->columns.size())) {
        transfer.attributes = m_info->columns[static_cast<std::size_t>(column)];
    }
    EvGridEvent(GE_TEXT, 0, &transfer);
    return transfer;
}

void QV5_Grid_Control::default_edges() {
    const QFontMetrics metrics = m_view->fontMetrics();
    std::vector<int> widths;
    for (const std::string& title : m_info->titles) {
        widths.push_back(metrics.horizontalAdvance(from_file_text(title)) + 8);
    }
    set_default_grid_edges(*m_info, metrics.averageCharWidth(),
                           metrics.horizontalAdvance(QStringLiteral("999")), widths);
}

void QV5_Grid_Control::apply_layout_to_view() {
    m_syncing = true;
    QHeaderView* header = m_view->horizontalHeader();
    const Grid_Info& info = *m_info;
    const int columns = m_model->columnCount();
    if (is_column_permutation(info.column_order, columns)) {
        for (int position = 0; position < columns; ++position) {
            const int logical = info.column_order[static_cast<std::size_t>(position)];
            const int from = header->visualIndex(logical);
            if (from != position) {
                header->moveSection(from, position);
            }
        }
    }
    if (static_cast<int>(info.column_edges.size()) == columns + 1) {
        m_view->verticalHeader()->setFixedWidth(std::max(info.column_edges[0], 1));
        for (int position = 0; position < columns; ++position) {
            const int width = info.column_edges[static_cast<std::size_t>(position) + 1] -
                              info.column_edges[static_cast<std::size_t>(position)];
            header->resizeSection(header->logicalIndex(position), std::max(width, 8));
        }
    }
    m_syncing = false;
}

void QV5_Grid_Control::take_layout_from_view() {
    if (m_info == nullptr) {
        return;
    }
    QHeaderView* header = m_view->horizontalHeader();
    const int columns = m_model->columnCount();
    std::vector<int32_t> order(static_cast<std::size_t>(columns));
    std::vector<int32_t> edges(static_cast<std::size_t>(columns) + 1);
    edges[0] = m_info->column_edges.empty() ? m_view->verticalHeader()->width()
                                            : m_info->column_edges.front();
    for (int position = 0; position < columns; ++position) {
        order[static_cast<std::size_t>(position)] = header->logicalIndex(position);
        edges[static_cast<std::size_t>(position) + 1] =
            edges[static_cast<std::size_t>(position)] + header->sectionSize(header->logicalIndex(position));
    }
    m_info->column_order = std::move(order);
    m_info->column_edges = std::move(edges);
}

void QV5_Grid_Control::move_cursor_to_info() {
    const int column = m_cursor->data_column();
    if (column < 0) {
        return;
    }
    m_syncing = true;
    const QModelIndex index = m_model->index(m_info->current_row, column);
    if (index != m_view->currentIndex()) {
        m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    m_view->verticalScrollBar()->setValue(m_info->top_row);
    m_view->scrollTo(index);
    m_syncing = false;
}

void QV5_Grid_Control::SetGridScrollers() {
    m_model->sync();
    m_cursor->set_row_count(m_info->row_count);
    move_cursor_to_info();
}

void QV5_Grid_Control::rewrite_row(int row) {
    m_model->row_changed(row == -1 ? m_info->row_count - 1 : row);
}

bool QV5_Grid_Control::grid_key(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers == Qt::ControlModifier;
    if (control && event->key() == Qt::Key_C) {
        copy_to_clipboard();
        return true;
    }
    if (control && event->key() == Qt::Key_V) {
        paste_from_clipboard();
        return true;
    }
    if ((modifiers == Qt::NoModifier && event->key() == Qt::Key_Delete) ||
        (control && event->key() == Qt::Key_Y)) {
        CmDeleteItem();
        return true;
    }
    if (modifiers & ~Qt::ShiftModifier) {
        return false;
    }
    std::optional<Grid_Key> key;
    switch (event->key()) {
    case Qt::Key_Left: key = Grid_Key::left; break;
    case Qt::Key_Right: key = Grid_Key::right; break;
    case Qt::Key_Tab: key = Grid_Key::tab; break;
    case Qt::Key_Backtab: key = Grid_Key::back_tab; break;
    case Qt::Key_Up: key = Grid_Key::up; break;
    case Qt::Key_Down: key = Grid_Key::down; break;
    case Qt::Key_PageUp: key = Grid_Key::page_up; break;
    case Qt::Key_PageDown: key = Grid_Key::page_down; break;
    case Qt::Key_Home: key = Grid_Key::home; break;
    case Qt::Key_End: key = Grid_Key::end; break;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter: edit_current(); return true;
    case Qt::Key_Space:
        if (grid_edit_kind(m_info->columns[static_cast<std::size_t>(std::max(m_cursor->data_column(), 0))]) ==
            Grid_Edit::toggle) {
            edit_current();
            return true;
        }
        return false;
    case Qt::Key_Insert:
        toggle_row_mark(m_marks, m_info->current_row, m_info->row_count);
        m_model->row_changed(m_info->current_row);
        return true;
    case Qt::Key_Escape: close(); return true;
    default: return false;
    }
    if (m_cursor->key(*key)) {
        move_cursor_to_info();
        emit cursor_moved(m_info->current_column, m_info->current_row);
    }
    return true;
}

void QV5_Grid_Control::edit_current() {
    const int column = m_cursor->data_column();
    if (column < 0) {
        return;
    }
    switch (grid_edit_kind(m_info->columns[static_cast<std::size_t>(column)])) {
    case Grid_Edit::toggle: toggle_cell(m_info->current_row, column); break;
    case Grid_Edit::text:
    case Grid_Edit::drop_list: m_view->edit(m_view->currentIndex()); break;
    case Grid_Edit::colour:
    case Grid_Edit::none: break;
    }
}

void QV5_Grid_Control::toggle_cell(int row, int column) {
    Grid_Transfer transfer;
    transfer.row = row;
    transfer.column = column;
    transfer.attributes = m_info->columns[static_cast<std::size_t>(column)];
    EvGridEvent(GE_STORE, 0, &transfer);
    SetGridScrollers();
    rewrite_row(row);
}

void QV5_Grid_Control::row_number_clicked(int row, Qt::KeyboardModifiers modifiers) {
    const Row_Click click = modifiers & Qt::ShiftModifier     ? Row_Click::shift
                            : modifiers & Qt::ControlModifier ? Row_Click::ctrl
                                                              : Row_Click::plain;
    click_row_number(m_marks, row, m_info->row_count, click);
    m_model->all_changed();
}

void QV5_Grid_Control::fill_menu(QMenu& menu, bool context) {
    struct Entry {
        int id;
        const char* text;
    };
    static constexpr Entry entries[] = {
        {CM_GRID_ADD_ITEM, "&Add Item..."},
        {CM_GRID_EDIT_ITEM, "&Edit Item..."},
        {CM_GRID_DELETE_ITEM, "&Delete Item"},
        {0, nullptr},
        {CM_GRID_RESET_DISPLAY, "&Reset Display"},
        {CM_GRID_EXPORT, "E&xport To Ascii Text..."},
        {0, nullptr},
        {CM_GRID_CLOSE, "&Close"},
    };
    for (const Entry& entry : entries) {
        if (entry.text == nullptr) {
            menu.addSeparator();
            continue;
        }
        if (context && entry.id == CM_GRID_CLOSE) {
            continue;
        }
        QAction* action = menu.addAction(QString::fromLatin1(entry.text));
        action->setEnabled(command_enabled(entry.id));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { command(id); });
    }
    if (context) {
        add_context_entries(menu);
    }
}

void QV5_Grid_Control::show_context_menu(const QPoint& at) {
    const QModelIndex index = m_view->indexAt(at);
    if (index.isValid()) {
        m_view->setCurrentIndex(index);
    }
    QMenu menu(this);
    fill_menu(menu, true);
    menu.exec(m_view->viewport()->mapToGlobal(at));
}

void QV5_Grid_Control::add_context_entries(QMenu&) {}

bool QV5_Grid_Control::command_enabled(int id) const {
    if (!m_cursor) {
        return false;
    }
    switch (id) {
    case CM_GRID_ADD_ITEM: return m_cursor->enabled(Grid_Command::add);
    case CM_GRID_EDIT_ITEM: return m_cursor->enabled(Grid_Command::edit);
    case CM_GRID_DELETE_ITEM: return m_cursor->enabled(Grid_Command::remove);
    case CM_GRID_RESET_DISPLAY: return m_cursor->enabled(Grid_Command::reset_display);
    case CM_GRID_CLOSE: return m_cursor->enabled(Grid_Command::close);
    case CM_GRID_EXPORT: return m_cursor->enabled(Grid_Command::export_text);
    default: return false;
    }
}

void QV5_Grid_Control::command(int id) {
    if (!command_enabled(id)) {
        return;
    }
    switch (id) {
    case CM_GRID_ADD_ITEM: CmAddItem(); break;
    case CM_GRID_EDIT_ITEM: CmEditItem(); break;
    case CM_GRID_DELETE_ITEM: CmDeleteItem(); break;
    case CM_GRID_RESET_DISPLAY: CmResetDisplay(); break;
    case CM_GRID_CLOSE: close(); break;
    case CM_GRID_EXPORT: OnCSVExportFrame(); break;
    default: break;
    }
}

bool QV5_Grid_Control::run_row_form(const char* title, int row) {
    m_delegate->commit_open_editor();
    Row_Form form(*this, title, row);
    return form.exec() == QDialog::Accepted;
}

void QV5_Grid_Control::CmAddItem() {
    if (!command_enabled(CM_GRID_ADD_ITEM)) {
        return;
    }
    EvGridEvent(GE_ADD_OPEN, m_marks.single_marked(), nullptr);
    const bool accepted = run_row_form(GRID_ADD_TITLE, m_info->row_count);
    if (accepted) {
        EvGridEvent(GE_ADD_DONE, 0, nullptr);
    }
    SetGridScrollers();
    rewrite_row(m_info->current_row);
    rewrite_row(-1);
    m_model->row_changed(m_info->row_count);
}

void QV5_Grid_Control::CmEditItem() {
    if (!command_enabled(CM_GRID_EDIT_ITEM)) {
        return;
    }
    const int row = m_info->current_row;
    EvGridEvent(GE_EDIT_OPEN, row, nullptr);
    if (run_row_form(GRID_EDIT_TITLE, row)) {
        EvGridEvent(GE_EDIT_DONE, row, nullptr);
    }
    SetGridScrollers();
    rewrite_row(row);
}

void QV5_Grid_Control::CmDeleteItem() {
    if (!command_enabled(CM_GRID_DELETE_ITEM)) {
        return;
    }
    m_delegate->commit_open_editor();
    EvGridEvent(GE_DELETE, m_info->current_row, nullptr);
    m_marks.init();
    SetGridScrollers();
    m_model->all_changed();
}

void QV5_Grid_Control::CmResetDisplay() {
    const QFontMetrics metrics = m_view->fontMetrics();
    std::vector<int> widths;
    for (const std::string& title : m_info->titles) {
        widths.push_back(metrics.horizontalAdvance(from_file_text(title)) + 8);
    }
    reset_grid_display(*m_info, metrics.averageCharWidth(),
                       metrics.horizontalAdvance(QStringLiteral("999")), widths);
    apply_layout_to_view();
    move_cursor_to_info();
}

void QV5_Grid_Control::OnCSVExportFrame() {
    m_delegate->commit_open_editor();
    std::optional<Grid_Export_Options> options;
    {
        Export_Options_Dlg dialog(this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        options = dialog.options();
    }
    if (!options) {
        return;
    }
    const std::optional<std::string> path =
        choose_save_file(this, 0, GRID_EXPORT_TITLE, {{"Text Files", "*.txt"}}, {}, "txt");
    if (!path) {
        return;
    }
    take_layout_from_view();
    const Grid_Table_Text table = grid_table_text(*m_info, [this](Grid_Transfer& transfer) {
        EvGridEvent(GE_TEXT, 0, &transfer);
    });
    Error_Handler handler;
    try {
        write_grid_export(&handler, path->c_str(), grid_export_text(table, *options));
    } catch (Error_Handler* raised) {
        raised->show_errormsg(this, false);
    } catch (const std::exception& error) {
        show_message_box(this, "Error", error.what(), BOX_OK | BOX_ICON_STOP);
    }
}

int QV5_Grid_Control::EvModifyDropList(Grid_Transfer&) { return 0; }

std::string QV5_Grid_Control::EvPasteRows(const std::vector<std::vector<std::string>>& rows,
                                          const std::vector<int>& columns) {
    for (const std::vector<std::string>& cells : rows) {
        const int row = m_info->row_count;
        for (std::size_t i = 0; i < cells.size() && i < columns.size(); ++i) {
            if (columns[i] < 0) {
                continue;
            }
            Grid_Transfer transfer = cell(row, columns[i]);
            transfer.row = row;
            transfer.column = columns[i];
            transfer.text = cells[i];
            EvGridEvent(GE_STORE, 0, &transfer);
        }
    }
    return {};
}

void QV5_Grid_Control::copy_to_clipboard() {
    take_layout_from_view();
    std::vector<int> rows;
    if (m_marks.count() > 0) {
        Marked_Row sorted = m_marks;
        sorted.sort_marked();
        rows = sorted.rows();
    } else if (!m_cursor->on_template_row()) {
        const int column = m_cursor->data_column();
        if (column >= 0) {
            const Grid_Transfer transfer = cell(m_info->current_row, column);
            QApplication::clipboard()->setText(
                from_file_text(shown_text(transfer, transfer.attributes.kind)));
        }
        return;
    } else {
        return;
    }
    const Grid_Table_Text table = grid_table_text(
        *m_info, [this](Grid_Transfer& transfer) { EvGridEvent(GE_TEXT, 0, &transfer); }, &rows);
    QApplication::clipboard()->setText(from_file_text(grid_tab_text(table, false)));
}

void QV5_Grid_Control::paste_from_clipboard() {
    if (!m_cursor->on_template_row() || !any_editable_column(*m_info)) {
        return;
    }
    QChar refused;
    const std::optional<std::string> text =
        to_file_text(QApplication::clipboard()->text(), &refused);
    if (!text) {
        show_message_box(this, m_title,
                         "The clipboard holds the character \"" + QString(refused).toStdString() +
                             "\", which the data files cannot hold. Nothing was pasted.",
                         BOX_OK | BOX_ICON_EXCLAMATION);
        return;
    }
    const std::vector<std::vector<std::string>> rows = parse_tab_text(*text);
    if (rows.empty()) {
        return;
    }
    take_layout_from_view();
    const std::string report = EvPasteRows(rows, grid_paste_columns(*m_info, m_info->current_column));
    SetGridScrollers();
    // The cursor stays on the template row, under the rows just added.
    m_cursor->select(m_info->row_count, m_info->current_column);
    move_cursor_to_info();
    m_model->all_changed();
    if (!report.empty()) {
        show_message_box(this, m_title, report, BOX_OK | BOX_ICON_INFORMATION);
    }
}
