// The keyword form: drawing, keys, the in-place editor and the choice lists.
#include "keyword_form.h"

#include "qt_file_text.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QColor heading_colour(0, 0, 192);
const QColor disabled_colour(192, 0, 0);
const QColor grid_colour(214, 218, 224);
const QColor label_background(246, 247, 249);
const QColor heading_background(236, 241, 250);
const QColor current_background(226, 236, 252);
const QColor note_colour(70, 80, 100);
const QColor description_colour(90, 90, 90);
const QColor focus_colour(0, 102, 204);

// The list of a choice row; tells the form when its popup closed, chosen or not.
class Form_Choice_List : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> on_hidden;

    void hidePopup() override {
        QComboBox::hidePopup();
        if (on_hidden) {
            on_hidden();
        }
    }
};

// Draws `text` from the left of `area`, centred in its height and cut with an ellipsis when it is
// wider. Drawn at its baseline: a text laid out in a rectangle costs several times as much.
void draw_left(QPainter& painter, const QRect& area, const QString& text) {
    if (text.isEmpty() || area.width() <= 0) {
        return;
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const QString shown = metrics.horizontalAdvance(text) > area.width()
                              ? metrics.elidedText(text, Qt::ElideRight, area.width())
                              : text;
    const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(area.left(), baseline), shown);
}

std::vector<Form_Row_Shape> shapes_of(const std::vector<Form_Row>& rows) {
    std::vector<Form_Row_Shape> shapes;
    shapes.reserve(rows.size());
    for (const Form_Row& row : rows) {
        shapes.push_back({row.heading ? 0 : std::max(row.cells, 1), !row.heading && row.enabled});
    }
    return shapes;
}

std::vector<Form_Row> rows_of(const Form_Model& model) {
    std::vector<Form_Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max(model.row_count(), 0)));
    for (int r = 0; r < model.row_count(); ++r) {
        rows.push_back(model.row(r));
    }
    return rows;
}

} // namespace

Keyword_Form::Keyword_Form(Form_Model& model, QWidget* parent)
    : QAbstractScrollArea(parent), m_model(model), m_cursor({}, model.key_style()),
      m_rows(rows_of(model)) {
    m_cursor.set_rows(shapes_of(m_rows));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setMouseTracking(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    measure();
}

Keyword_Form::~Keyword_Form() = default;

void Keyword_Form::measure() {
    const QFontMetrics metrics(viewport()->font());
    m_row_height = metrics.height() + 6;
    m_char_width = std::max(metrics.averageCharWidth(), 1);
    int widest = 0;
    m_descriptions = false;
    for (const Form_Row& row : m_rows) {
        m_descriptions = m_descriptions || !row.description.empty();
        // A heading has no cells: its text may reach into the value area.
        if (!row.heading) {
            widest = std::max(widest, metrics.horizontalAdvance(from_file_text(row.label)));
        }
    }
    m_label_width = widest + 2 * m_char_width;
    m_cursor.set_rows_per_page(std::max(viewport()->height() / m_row_height, 1));
    update_scroll_bar();
    place_widgets();
    place_editor();
}

void Keyword_Form::update_scroll_bar() {
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, m_cursor.scroll_limit());
    bar->setPageStep(m_cursor.rows_per_page());
    bar->setSingleStep(1);
    bar->setValue(m_cursor.first_visible_row());
}

int Keyword_Form::value_left() const { return m_label_width; }

int Keyword_Form::value_width() const {
    if (m_model.value_width() > 0) {
        return m_model.value_width() * m_char_width;
    }
    return std::max(viewport()->width() - m_label_width, 12 * m_char_width);
}

QRect Keyword_Form::cell_rect(int row, int cell) const {
    if (row < m_cursor.first_visible_row() || row >= m_cursor.row_count()) {
        return {};
    }
    const int y = (row - m_cursor.first_visible_row()) * m_row_height;
    if (y >= viewport()->height()) {
        return {};
    }
    const Form_Row& shape = m_rows[static_cast<std::size_t>(row)];
    const int cells = shape.heading ? 0 : std::max(shape.cells, 1);
    if (cell < 0 || cell >= cells) {
        return {};
    }
    const int width = value_width();
    const int left = value_left() + width * cell / cells;
    const int right = value_left() + width * (cell + 1) / cells;
    return QRect(left, y, right - left, m_row_height);
}

int Keyword_Form::row_at(const QPoint& position) const {
    if (position.y() < 0) {
        return -1;
    }
    const int row = m_cursor.first_visible_row() + position.y() / m_row_height;
    return row < m_cursor.row_count() ? row : -1;
}

int Keyword_Form::cell_at(int row, int x) const {
    if (row < 0 || row >= m_cursor.row_count()) {
        return -1;
    }
    const Form_Row& shape = m_rows[static_cast<std::size_t>(row)];
    const int cells = shape.heading ? 0 : std::max(shape.cells, 1);
    const int width = value_width();
    if (cells == 0 || x < value_left() || x >= value_left() + width) {
        return -1;
    }
    return std::min((x - value_left()) * cells / width, cells - 1);
}

void Keyword_Form::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(viewport());
    const QFontMetrics metrics(viewport()->font());
    const int pad = m_char_width / 2 + 2;
    const int value_right = value_left() + value_width();
    // The rows end with their cells, or with the window when descriptions follow the cells.
    const int full_width = m_descriptions ? viewport()->width() : value_right + 1;
    QFont bold = viewport()->font();
    bold.setBold(true);
    if (full_width < viewport()->width()) {
        // Beyond the form's columns lies the window, not more form.
        painter.fillRect(QRect(full_width, 0, viewport()->width() - full_width, viewport()->height()),
                         palette().color(QPalette::Window));
    }

    const int first = m_cursor.first_visible_row();
    const int shown = viewport()->height() / m_row_height + 1;
    const int last = std::min(first + shown, m_cursor.row_count());
    for (int r = first; r < last; ++r) {
        const Form_Row& row = m_rows[static_cast<std::size_t>(r)];
        const int y = (r - first) * m_row_height;
        const QRect line(0, y, full_width, m_row_height);
        const QRect label(0, y, m_label_width, m_row_height);
        if (row.heading) {
            painter.fillRect(line, heading_background);
            painter.setFont(bold);
            painter.setPen(heading_colour);
            draw_left(painter, QRect(pad, y, value_right - pad, m_row_height),
                      from_file_text(row.label));
            painter.setFont(viewport()->font());
            const QRect values(value_left(), y, value_width(), m_row_height);
            const std::string note = m_model.note(r);
            painter.setPen(note_colour);
            // A note or caption wider than its place is cut, not run over its neighbours.
            const auto draw_centred = [&](const QRect& area, const std::string& text) {
                const QRect inner = area.adjusted(pad, 0, -pad, 0);
                painter.drawText(inner, Qt::AlignCenter,
                                 metrics.elidedText(from_file_text(text), Qt::ElideRight,
                                                    inner.width()));
            };
            if (!note.empty()) {
                draw_centred(values, note);
            }
            const std::vector<std::string> captions = m_model.captions(r);
            const int count = static_cast<int>(captions.size());
            for (int c = 0; c < count; ++c) {
                const int left = value_left() + value_width() * c / count;
                const int right = value_left() + value_width() * (c + 1) / count;
                draw_centred(QRect(left, y, right - left, m_row_height),
                             captions[static_cast<std::size_t>(c)]);
            }
        } else {
            const bool current = r == m_cursor.row();
            painter.fillRect(label, current ? current_background : label_background);
            if (current) {
                painter.fillRect(QRect(value_left(), y, full_width - value_left(), m_row_height),
                                 current_background.lighter(104));
            }
            painter.setPen(row.enabled ? palette().color(QPalette::Text) : disabled_colour);
            draw_left(painter, label.adjusted(pad, 0, -2, 0), from_file_text(row.label));
            const int cells = std::max(row.cells, 1);
            painter.setPen(palette().color(QPalette::Text));
            for (int c = 0; c < cells; ++c) {
                const QRect cell = cell_rect(r, c);
                QRect text_area = cell.adjusted(pad, 0, -pad, 0);
                if (row.choice) {
                    // A small arrow tells a list from a typed value.
                    const int arrow = m_row_height / 4;
                    const QPoint centre(cell.right() - pad - arrow, cell.center().y());
                    painter.save();
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(description_colour);
                    painter.drawPolygon(QPolygon({centre + QPoint(-arrow, -arrow / 2),
                                                  centre + QPoint(arrow, -arrow / 2),
                                                  centre + QPoint(0, arrow / 2 + 1)}));
                    painter.restore();
                    text_area.setRight(text_area.right() - 2 * arrow - pad);
                }
                if (m_editor != nullptr && r == m_edit_row && c == m_edit_cell) {
                    continue;
                }
                draw_left(painter, text_area, from_file_text(m_model.text(r, c)));
            }
            if (!row.description.empty()) {
                painter.setPen(description_colour);
                draw_left(painter,
                          QRect(value_right + pad, y, full_width - value_right - 2 * pad,
                                m_row_height),
                          from_file_text(row.description));
            }
            // The lines between the cells.
            painter.setPen(grid_colour);
            for (int c = 1; c < cells; ++c) {
                const int x = cell_rect(r, c).left();
                painter.drawLine(x, y, x, y + m_row_height - 1);
            }
            painter.drawLine(value_right, y, value_right, y + m_row_height - 1);
        }
        painter.setPen(grid_colour);
        painter.drawLine(0, y + m_row_height - 1, full_width, y + m_row_height - 1);
        if (!row.heading) {
            painter.drawLine(m_label_width - 1, y, m_label_width - 1, y + m_row_height - 1);
        }
    }

    // The focus frame on the current cell.
    const QRect current = cell_rect(m_cursor.row(), m_cursor.cell());
    if (current.isValid() && m_editor == nullptr) {
        QPen pen(hasFocus() ? focus_colour : QColor(150, 160, 175));
        pen.setWidth(2);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(current.adjusted(1, 1, -1, -2));
    }
}

void Keyword_Form::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_cursor.set_rows_per_page(std::max(viewport()->height() / m_row_height, 1));
    update_scroll_bar();
    place_widgets();
    place_editor();
}

void Keyword_Form::scrollContentsBy(int dx, int dy) {
    (void)dx;
    (void)dy;
    m_cursor.scroll_to(verticalScrollBar()->value());
    place_widgets();
    place_editor();
    viewport()->update();
}

void Keyword_Form::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        viewport()->setFont(font());
        measure();
        viewport()->update();
    }
}

bool Keyword_Form::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab move between the cells.
    (void)next;
    return false;
}

void Keyword_Form::refresh() {
    cancel_edit();
    std::vector<Form_Row> rows = rows_of(m_model);
    const bool reshaped = rows.size() != m_rows.size() ||
                          !std::equal(rows.begin(), rows.end(), m_rows.begin(),
                                      [](const Form_Row& a, const Form_Row& b) {
                                          return a.cells == b.cells && a.heading == b.heading &&
                                                 a.enabled == b.enabled && a.label == b.label;
                                      });
    m_rows = std::move(rows);
    if (reshaped) {
        m_cursor.set_rows(shapes_of(m_rows));
        measure();
    }
    update_scroll_bar();
    place_widgets();
    viewport()->update();
}

void Keyword_Form::go_to_top() {
    commit_edit();
    m_cursor.key(Form_Key::home);
    m_cursor.scroll_to(0);
    after_move();
}

void Keyword_Form::after_move() {
    update_scroll_bar();
    place_widgets();
    place_editor();
    viewport()->update();
}

bool Keyword_Form::select(int row, int cell) {
    commit_edit();
    close_list();
    if (row >= 0 && row == m_cursor.row() && cell == m_cursor.cell()) {
        return true;
    }
    if (!m_cursor.select(row, cell)) {
        return false;
    }
    after_move();
    return true;
}

bool Keyword_Form::move(Form_Key key) {
    commit_edit();
    const bool moved = m_cursor.key(key);
    after_move();
    return moved;
}

void Keyword_Form::beep() {
    if (m_model.key_style() == Form_Key_Style::cells) {
        QApplication::beep();
    }
    emit refused();
}

std::optional<QString> Keyword_Form::cell_text(const QString& text) {
    const int row = m_cursor.row();
    const int cell = m_cursor.cell();
    const int limit = m_model.limit(row, cell);
    QString line = text;
    const auto end = line.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (end >= 0) {
        line.truncate(end);
    }
    line.truncate(std::max(limit, 0));
    const std::optional<std::string> file_text = to_file_text(line);
    bool taken = limit > 0 && file_text.has_value();
    if (taken) {
        for (const char c : *file_text) {
            if (!m_model.accepts(row, cell, c)) {
                taken = false;
                break;
            }
        }
    }
    if (!taken) {
        beep();
        return std::nullopt;
    }
    return line;
}

bool Keyword_Form::start_edit(const QString* text) {
    close_list();
    const int row = m_cursor.row();
    if (row < 0 || m_editor != nullptr) {
        return m_editor != nullptr;
    }
    const Form_Row& shape = m_rows[static_cast<std::size_t>(row)];
    if (shape.choice) {
        open_list();
        return true;
    }
    if (text == nullptr) {
        if (m_model.limit(row, m_cursor.cell()) <= 0) {
            beep();
            return false;
        }
        open_editor(from_file_text(m_model.text(row, m_cursor.cell())), false);
        return true;
    }
    const std::optional<QString> taken = cell_text(*text);
    if (!taken) {
        return false;
    }
    open_editor(*taken, true);
    return true;
}

void Keyword_Form::open_editor(const QString& text, bool changed) {
    m_edit_row = m_cursor.row();
    m_edit_cell = m_cursor.cell();
    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("form_cell_editor"));
    m_editor->setFrame(false);
    m_editor->setFont(viewport()->font());
    m_editor->setContextMenuPolicy(Qt::NoContextMenu);
    m_editor->setDragEnabled(false);
    m_editor->setAcceptDrops(false);
    m_editor->setMaxLength(std::max(m_model.limit(m_edit_row, m_edit_cell), 1));
    m_editor->setText(text);
    m_editor->setStyleSheet(
        QStringLiteral("QLineEdit { border: 2px solid #0066cc; padding-left: 1px; }"));
    m_editor_changed = changed;
    connect(m_editor, &QLineEdit::textEdited, this, [this] { m_editor_changed = true; });
    m_editor->installEventFilter(this);
    place_editor();
    m_editor->show();
    m_editor->setFocus();
    viewport()->update();
}

void Keyword_Form::place_editor() {
    if (m_editor != nullptr) {
        const QRect cell = cell_rect(m_edit_row, m_edit_cell);
        m_editor->setVisible(cell.isValid());
        if (cell.isValid()) {
            m_editor->setGeometry(cell.adjusted(0, 0, 0, -1));
        }
    }
    // The list, open without an editor, lies over its cell so that its popup drops from there.
    if (m_list != nullptr) {
        const QRect list_cell = cell_rect(m_list_row, m_cursor.cell());
        m_list->setVisible(list_cell.isValid());
        if (list_cell.isValid()) {
            m_list->setGeometry(list_cell.adjusted(0, 0, 0, -1));
        }
    }
}

void Keyword_Form::commit_edit() {
    if (m_editor == nullptr) {
        return;
    }
    const QString text = m_editor->text();
    const bool changed = m_editor_changed;
    const int row = m_edit_row;
    const int cell = m_edit_cell;
    cancel_edit();
    if (changed) {
        if (const std::optional<std::string> file_text = to_file_text(text)) {
            m_model.store(row, cell, *file_text);
        }
    }
    viewport()->update();
}

void Keyword_Form::cancel_edit() {
    if (m_editor != nullptr) {
        QLineEdit* editor = m_editor;
        m_editor = nullptr;
        editor->removeEventFilter(this);
        const bool had_focus = editor->hasFocus();
        editor->hide();
        editor->deleteLater();
        if (had_focus) {
            setFocus();
        }
    }
    close_list();
    viewport()->update();
}

void Keyword_Form::open_list() {
    const int row = m_cursor.row();
    auto* list = new Form_Choice_List(viewport());
    list->setObjectName(QStringLiteral("form_choice_list"));
    list->setFont(viewport()->font());
    const std::string current = m_model.text(row, m_cursor.cell());
    int selected = -1;
    const std::vector<std::string> choices = m_model.choices(row);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        list->addItem(from_file_text(choices[i]));
        if (choices[i] == current) {
            selected = static_cast<int>(i);
        }
    }
    list->setCurrentIndex(selected);
    m_list = list;
    m_list_row = row;
    connect(list, &QComboBox::activated, this, [this](int index) { choose(index); });
    // A popup closed without a choice closes the list; a choice is stored first.
    list->on_hidden = [this, list] {
        QTimer::singleShot(0, this, [this, list] {
            if (m_list == list) {
                close_list();
                setFocus();
            }
        });
    };
    list->installEventFilter(this);
    place_editor();
    list->show();
    list->setFocus();
    list->showPopup();
}

void Keyword_Form::close_list() {
    if (m_list == nullptr) {
        return;
    }
    QComboBox* list = m_list;
    m_list = nullptr;
    m_list_row = -1;
    list->removeEventFilter(this);
    static_cast<Form_Choice_List*>(list)->on_hidden = nullptr;
    list->hide();
    list->deleteLater();
    viewport()->update();
}

void Keyword_Form::choose(int index) {
    if (m_list == nullptr) {
        return;
    }
    const int row = m_list_row;
    close_list();
    setFocus();
    if (index >= 0) {
        m_model.choose(row, index);
    }
    viewport()->update();
}

void Keyword_Form::copy_cell() {
    if (m_cursor.row() < 0) {
        return;
    }
    QApplication::clipboard()->setText(
        from_file_text(m_model.text(m_cursor.row(), m_cursor.cell())));
}

bool Keyword_Form::paste_cell() {
    const int row = m_cursor.row();
    if (row < 0 || m_rows[static_cast<std::size_t>(row)].choice) {
        beep();
        return false;
    }
    const QString clipboard = QApplication::clipboard()->text();
    if (m_editor != nullptr) {
        const std::optional<QString> taken = cell_text(clipboard);
        if (!taken) {
            return false;
        }
        m_editor->insert(*taken);
        m_editor_changed = true;
        return true;
    }
    return start_edit(&clipboard);
}

bool Keyword_Form::editor_key(QKeyEvent* event) {
    const int key = event->key();
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit_edit();
        return true;
    case Qt::Key_Escape:
        cancel_edit();
        return true;
    case Qt::Key_Tab:
        move((event->modifiers() & Qt::ShiftModifier) != 0 ? Form_Key::back_tab : Form_Key::tab);
        return true;
    case Qt::Key_Backtab:
        move(Form_Key::back_tab);
        return true;
    case Qt::Key_Up:
        move(Form_Key::up);
        return true;
    case Qt::Key_Down:
        move(Form_Key::down);
        return true;
    case Qt::Key_V:
        if (control) {
            paste_cell();
            return true;
        }
        break;
    case Qt::Key_Insert:
        if ((event->modifiers() & Qt::ShiftModifier) != 0) {
            paste_cell();
            return true;
        }
        break;
    default: break;
    }
    if (control) {
        return false;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) {
        return false;
    }
    // Only characters the cell takes reach the editor.
    const std::optional<std::string> file_text = to_file_text(text);
    bool taken = file_text.has_value();
    if (taken) {
        for (const char c : *file_text) {
            taken = taken && m_model.accepts(m_edit_row, m_edit_cell, c);
        }
    }
    if (!taken) {
        beep();
        return true;
    }
    return false;
}

bool Keyword_Form::eventFilter(QObject* watched, QEvent* event) {
    if (m_editor != nullptr && watched == m_editor) {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (event->type() == QEvent::ShortcutOverride) {
                // The editor keeps its own keys from the menu's shortcuts (Ctrl+V, Ctrl+C).
                if ((key->modifiers() & Qt::ControlModifier) != 0 &&
                    (key->key() == Qt::Key_V || key->key() == Qt::Key_C ||
                     key->key() == Qt::Key_X || key->key() == Qt::Key_A ||
                     key->key() == Qt::Key_Z)) {
                    event->accept();
                }
                return false;
            }
            return editor_key(key);
        }
        if (event->type() == QEvent::FocusOut) {
            auto* focus = static_cast<QFocusEvent*>(event);
            // Leaving the editor for another window stores what was typed; a popup (the
            // window's menu) leaves it open.
            if (focus->reason() != Qt::PopupFocusReason &&
                focus->reason() != Qt::ActiveWindowFocusReason) {
                QTimer::singleShot(0, this, [this, editor = m_editor] {
                    if (m_editor == editor && !editor->hasFocus()) {
                        commit_edit();
                    }
                });
            }
        }
    }
    if (m_list != nullptr && watched == m_list && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            close_list();
            setFocus();
            return true;
        }
    }
    if (m_find != nullptr && watched == m_find && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            close_find();
            return true;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void Keyword_Form::keyPressEvent(QKeyEvent* event) {
    if (m_editor != nullptr) {
        // Keys that reach the form while its editor is open belong to the editor. A key the
        // editor leaves (Ctrl alone, F5) comes back up to the form: it goes no further.
        if (m_forwarding) {
            event->ignore();
            return;
        }
        m_forwarding = true;
        QApplication::sendEvent(m_editor, event);
        m_forwarding = false;
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control = (modifiers & Qt::ControlModifier) != 0;
    const int row = m_cursor.row();
    const bool choice = row >= 0 && m_rows[static_cast<std::size_t>(row)].choice;
    if (control) {
        switch (event->key()) {
        case Qt::Key_C:
        case Qt::Key_Insert: copy_cell(); return;
        case Qt::Key_V: paste_cell(); return;
        case Qt::Key_F: open_find(); return;
        case Qt::Key_Home: move(Form_Key::home); return;
        case Qt::Key_End: move(Form_Key::end); return;
        default: event->ignore(); return;
        }
    }
    switch (event->key()) {
    case Qt::Key_Up: move(Form_Key::up); return;
    case Qt::Key_Down: move(Form_Key::down); return;
    case Qt::Key_Left: move(Form_Key::left); return;
    case Qt::Key_Right: move(Form_Key::right); return;
    case Qt::Key_Tab:
        move((modifiers & Qt::ShiftModifier) != 0 ? Form_Key::back_tab : Form_Key::tab);
        return;
    case Qt::Key_Backtab: move(Form_Key::back_tab); return;
    case Qt::Key_PageUp: move(Form_Key::page_up); return;
    case Qt::Key_PageDown: move(Form_Key::page_down); return;
    case Qt::Key_Home: move(Form_Key::home); return;
    case Qt::Key_End: move(Form_Key::end); return;
    case Qt::Key_F2: start_edit(); return;
    case Qt::Key_Insert:
        if ((modifiers & Qt::ShiftModifier) != 0) {
            paste_cell();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (choice) {
            open_list();
        }
        return;
    case Qt::Key_Space:
        if (choice) {
            open_list();
            return;
        }
        break;
    default: break;
    }
    const QString text = event->text();
    if (row < 0 || text.isEmpty() || !text.at(0).isPrint() || (modifiers & Qt::AltModifier)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (choice) {
        return;
    }
    start_edit(&text);
}

void Keyword_Form::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int row = row_at(event->position().toPoint());
    if (row < 0) {
        commit_edit();
        return;
    }
    int cell = cell_at(row, event->position().toPoint().x());
    if (cell < 0) {
        // A click on the label selects the row.
        cell = row == m_cursor.row() ? m_cursor.cell() : 0;
    }
    select(row, cell);
}

void Keyword_Form::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int row = row_at(event->position().toPoint());
    const int cell = row >= 0 ? cell_at(row, event->position().toPoint().x()) : -1;
    if (select(row, cell < 0 ? m_cursor.cell() : cell)) {
        start_edit();
    }
}

void Keyword_Form::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        event->accept();
        return;
    }
    if (m_model.key_style() == Form_Key_Style::rows) {
        // The antenna form's wheel moves the current row.
        for (int i = 0; i < std::abs(steps); ++i) {
            move(steps > 0 ? Form_Key::up : Form_Key::down);
        }
    } else {
        verticalScrollBar()->setValue(verticalScrollBar()->value() -
                                      steps * QApplication::wheelScrollLines());
    }
    event->accept();
}

bool Keyword_Form::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int row = row_at(help->pos());
        QString tip;
        if (row >= 0) {
            const Form_Row& shape = m_rows[static_cast<std::size_t>(row)];
            const int cell = cell_at(row, help->pos().x());
            if (help->pos().x() < m_label_width) {
                tip = from_file_text(shape.tip);
            } else if (cell >= 0) {
                // A value cut at the cell's edge shows whole.
                const QString text = from_file_text(m_model.text(row, cell));
                const QRect rect = cell_rect(row, cell);
                if (QFontMetrics(viewport()->font()).horizontalAdvance(text) >
                    rect.width() - m_char_width - 4) {
                    tip = text;
                }
            }
        }
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport());
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void Keyword_Form::place_in_row(int row, QWidget* widget) {
    widget->setParent(viewport());
    widget->setFocusPolicy(Qt::NoFocus);
    m_row_widgets[row] = widget;
    place_widgets();
}

void Keyword_Form::place_widgets() {
    const QFontMetrics metrics(viewport()->font());
    for (const auto& [row, widget] : m_row_widgets) {
        const QRect cell = cell_rect(row, 0);
        if (!cell.isValid()) {
            widget->hide();
            continue;
        }
        // After the row's text, or two characters into the value area when it has none.
        const QString text = from_file_text(m_model.text(row, 0));
        const int x = value_left() + (text.isEmpty() ? 2 * m_char_width
                                                     : m_char_width + metrics.horizontalAdvance(text) +
                                                           2 * m_char_width);
        const int width = widget->sizeHint().width();
        widget->setGeometry(x, cell.top() + 1, width, m_row_height - 3);
        widget->show();
    }
}

bool Keyword_Form::find(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (int r = 0; r < m_cursor.row_count(); ++r) {
        const Form_Row& row = m_rows[static_cast<std::size_t>(r)];
        if (!row.heading && row.enabled &&
            (from_file_text(row.label).contains(text, Qt::CaseInsensitive) ||
             from_file_text(row.keyword).contains(text, Qt::CaseInsensitive))) {
            commit_edit();
            m_cursor.select(r, 0);
            after_move();
            return true;
        }
    }
    return false;
}

void Keyword_Form::open_find() {
    commit_edit();
    if (m_find == nullptr) {
        m_find = new QLineEdit(this);
        m_find->setObjectName(QStringLiteral("form_find"));
        m_find->setPlaceholderText(QStringLiteral("Find keyword"));
        m_find->setClearButtonEnabled(true);
        m_find->installEventFilter(this);
        connect(m_find, &QLineEdit::textEdited, this, [this](const QString& text) {
            const bool found = text.isEmpty() || find(text);
            m_find->setStyleSheet(found ? QString()
                                        : QStringLiteral("QLineEdit { background: #fde2e2; }"));
        });
    }
    const int width = std::min(28 * m_char_width, viewport()->width());
    const int height = m_find->sizeHint().height();
    const QRect area = viewport()->geometry();
    m_find->setGeometry(area.right() - width - 4, area.bottom() - height - 4, width, height);
    m_find->show();
    m_find->raise();
    m_find->selectAll();
    m_find->setFocus();
}

void Keyword_Form::close_find() {
    if (m_find != nullptr) {
        m_find->hide();
        setFocus();
    }
}
