// dbl2_frame: the two-column curve grid widget over Curve_Grid.
#include "dbl2_frame.h"

#include "dbl2_edit.h"
#include "error_handler.h"
#include "qt_file_text.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

namespace {

// Space between a cell's edge and its text.
constexpr int cell_padding = 4;

// The grid keys of the frame; nullopt for keys it leaves to its parent.
std::optional<Grid_Key> frame_key(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_Y) {
        return Grid_Key::delete_row;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) {
        return std::nullopt;
    }
    switch (event.key()) {
    case Qt::Key_Up:
        return Grid_Key::up;
    case Qt::Key_Down:
        return Grid_Key::down;
    case Qt::Key_PageUp:
        return Grid_Key::page_up;
    case Qt::Key_PageDown:
        return Grid_Key::page_down;
    case Qt::Key_Home:
        return Grid_Key::home;
    case Qt::Key_End:
        return Grid_Key::end;
    case Qt::Key_Left:
        return Grid_Key::left;
    case Qt::Key_Right:
        return Grid_Key::right;
    case Qt::Key_Tab:
        return modifiers & Qt::ShiftModifier ? Grid_Key::back_tab : Grid_Key::tab;
    case Qt::Key_Backtab:
        return Grid_Key::back_tab;
    case Qt::Key_F2:
        return Grid_Key::f2;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Grid_Key::enter;
    case Qt::Key_Space:
        return Grid_Key::space;
    default:
        return std::nullopt;
    }
}

// A column title as the program's single-byte text; characters it cannot hold become '?'.
std::string title_file_text(const QString& title) {
    if (std::optional<std::string> text = to_file_text(title)) {
        return *text;
    }
    return title.toLatin1().toStdString();
}

// The undo history holds at most this many bytes of points, and at least a few steps.
constexpr std::size_t undo_bytes = 64u << 20;

} // namespace

// One change of the list: the points before and after it.
class Points_Change : public QUndoCommand {
public:
    Points_Change(dbl2_frame& frame, Curve_Points before, Curve_Points after)
        : QUndoCommand(QStringLiteral("Change points")), m_frame(frame),
          m_before(std::move(before)), m_after(std::move(after)) {}

    void undo() override { m_frame.restore(m_before); }
    void redo() override {
        if (m_done) {
            m_frame.restore(m_after);
        }
        m_done = true; // the change itself was made before the step was recorded
    }

private:
    dbl2_frame& m_frame;
    Curve_Points m_before;
    Curve_Points m_after;
    bool m_done = false;
};

dbl2_frame::dbl2_frame(QWidget* parent)
    : QAbstractScrollArea(parent), m_titlebar(new dbl2_titlebar(this)),
      m_edit(new dbl2_edit(viewport())) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    m_edit->hide();
    columns_from_font();
    sync_scroll_bar();

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_grid.first_visible_row()) {
            act_on(m_grid.scroll_to(value));
        }
    });
    connect(m_edit, &dbl2_edit::grid_key, this, [this](Grid_Key key) { act_on(m_grid.key(key)); });
    connect(m_edit, &dbl2_edit::refused, this, &dbl2_frame::beep);
    connect(m_edit, &QLineEdit::textEdited, this, &dbl2_frame::on_edit_text);
}

void dbl2_frame::attach(Curve_Points* points) {
    m_undo.clear();
    m_points = points;
    m_saved = points != nullptr ? *points : Curve_Points();
    if (points != nullptr) {
        // Two copies of the list a step, within the history's share of memory.
        const std::size_t step = 2 * sizeof(Curve_Pair) * static_cast<std::size_t>(points->capacity());
        m_undo.setUndoLimit(static_cast<int>(std::clamp<std::size_t>(undo_bytes / step, 5, 200)));
    }
    m_grid.attach(points);
    m_edit->hide();
    sync_scroll_bar();
    viewport()->update();
}

void dbl2_frame::reset_cursor() {
    m_grid.reset_cursor();
    m_edit->hide();
    sync_scroll_bar();
    viewport()->update();
}

void dbl2_frame::set_current_row(int row) {
    act_on(m_grid.move_to(row, m_grid.current_column()));
}

void dbl2_frame::set_titles(const QString& x_title, const QString& y_title) {
    m_titlebar->set_titles(x_title, y_title);
    if (!m_custom_columns) {
        columns_from_font(); // a column is as wide as its title
    }
}

void dbl2_frame::set_column_positions(const Grid_Columns& columns) {
    m_custom_columns = true;
    m_columns = columns;
    m_titlebar->set_columns(columns);
    updateGeometry();
    place_edit();
    viewport()->update();
}

void dbl2_frame::columns_from_font() {
    const QFontMetrics metrics = fontMetrics();
    const int pad = 2 * cell_padding;
    const int label = metrics.horizontalAdvance(QStringLiteral("000000")) + pad;
    const int number = metrics.horizontalAdvance(QStringLiteral("-00000.0000")) + pad;
    const QFontMetrics title_metrics = m_titlebar->fontMetrics();
    const int x_value =
        std::max(number, title_metrics.horizontalAdvance(m_titlebar->x_title()) + 2 * pad);
    const int y_value =
        std::max(number, title_metrics.horizontalAdvance(m_titlebar->y_title()) + 2 * pad);
    m_columns = {0, label, label + x_value, label + x_value + y_value};
    m_titlebar->set_columns(m_columns);
    layout_titlebar();
    updateGeometry();
}

int dbl2_frame::row_height() const {
    return fontMetrics().height() + 4;
}

QRect dbl2_frame::cell_rect(int row, int column) const {
    const int left = m_columns[static_cast<std::size_t>(column) + 1];
    const int right = m_columns[static_cast<std::size_t>(column) + 2];
    const int top = (row - m_grid.first_visible_row()) * row_height();
    return {left + 1, top, right - left - 1, row_height() - 1};
}

QSize dbl2_frame::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {m_columns[3] + 1 + frame + verticalScrollBar()->sizeHint().width(),
            m_titlebar->sizeHint().height() + Curve_Grid::rows_per_page * row_height() + frame};
}

void dbl2_frame::layout_titlebar() {
    const int height = m_titlebar->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect inside = contentsRect();
    m_titlebar->setGeometry(inside.left(), inside.top(), viewport()->width(), height);
}

void dbl2_frame::sync_scroll_bar() {
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    bar->setRange(0, m_grid.scroll_limit());
    bar->setPageStep(m_grid.visible_rows());
    bar->setSingleStep(1);
    bar->setValue(m_grid.first_visible_row());
}

void dbl2_frame::place_edit() {
    if (!m_grid.editing()) {
        m_edit->hide();
        return;
    }
    const int row = m_grid.edit_row();
    if (row < m_grid.first_visible_row() || row > m_grid.last_visible_row()) {
        m_edit->hide(); // scrolled away; it comes back with its row
        return;
    }
    m_edit->setGeometry(cell_rect(row, m_grid.edit_column()));
    if (m_edit->isHidden()) {
        m_edit->show();
        m_edit->setFocus();
    }
}

void dbl2_frame::act_on(const Grid_Outcome& outcome) {
    if (outcome.edit_ended) {
        const bool had_focus = m_edit->hasFocus();
        m_edit->hide();
        if (had_focus) {
            setFocus();
        }
    }
    if (outcome.beep) {
        beep();
    }
    if (outcome.edit_started) {
        m_edit->setText(QString::fromLatin1(m_grid.edit_text()));
        m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (m_grid.edit_modified()) {
            m_edit->end(false); // a typed character replaced the value
        } else {
            m_edit->selectAll();
        }
    } else if (outcome.edit_text_changed && m_grid.editing()) {
        m_edit->setText(QString::fromLatin1(m_grid.edit_text()));
    }
    sync_scroll_bar();
    place_edit();
    viewport()->update();
    if (outcome.message) {
        const Grid_Message& message = *outcome.message;
        error_handler(static_cast<QWidget*>(this), message.message_id, message.caption_id,
                      message.context.c_str(), 0, false);
    }
    if (outcome.row_changed) {
        emit current_row_changed(m_grid.current_row());
    }
    if (outcome.list_changed) {
        record_change();
        emit list_changed();
    }
}

void dbl2_frame::points_changed_outside() {
    if (m_points != nullptr) {
        act_on(m_grid.points_replaced());
    }
}

void dbl2_frame::record_change() {
    if (m_points == nullptr || m_restoring) {
        return;
    }
    m_undo.push(new Points_Change(*this, std::exchange(m_saved, *m_points), *m_points));
}

void dbl2_frame::restore(const Curve_Points& points) {
    if (m_points == nullptr) {
        return;
    }
    *m_points = points;
    m_saved = points;
    m_restoring = true;
    act_on(m_grid.points_replaced());
    m_restoring = false;
}

void dbl2_frame::on_edit_text(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    act_on(m_grid.set_edit_text(std::string_view(bytes.constData(),
                                                 static_cast<std::size_t>(bytes.size()))));
}

void dbl2_frame::beep() {
    if (m_beep) {
        m_beep();
    } else {
        QApplication::beep();
    }
}

void dbl2_frame::copy_to_clipboard() {
    const std::string text =
        m_grid.copy_text(title_file_text(m_titlebar->x_title()),
                         title_file_text(m_titlebar->y_title()));
    QGuiApplication::clipboard()->setText(from_file_text(text));
}

void dbl2_frame::paste_from_clipboard() {
    const QString text = QGuiApplication::clipboard()->text();
    const std::optional<std::string> bytes = to_file_text(text);
    // Only the numbers matter: a character the files cannot hold may stand in a header line.
    const std::string pasted = bytes ? *bytes : text.toLatin1().toStdString();
    act_on(m_grid.paste(pasted));
}

bool dbl2_frame::event(QEvent* event) {
    // Tab and Shift+Tab choose the column instead of moving the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key_event = static_cast<QKeyEvent*>(event);
        if (key_event->key() == Qt::Key_Tab || key_event->key() == Qt::Key_Backtab) {
            keyPressEvent(key_event);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void dbl2_frame::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Y deletes a row here, so only Ctrl+Shift+Z redoes.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Z && modifiers == Qt::ControlModifier) {
        m_undo.undo();
        return;
    }
    if (event->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        m_undo.redo();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copy_to_clipboard();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste_from_clipboard();
        return;
    }
    Grid_Outcome outcome;
    if (const std::optional<Grid_Key> key = frame_key(*event)) {
        outcome = m_grid.key(*key);
    } else if (const QString text = event->text();
               text.size() == 1 && text[0].unicode() < 0x80 && text[0].isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        outcome = m_grid.character(text[0].toLatin1());
    }
    if (!outcome.handled) {
        event->ignore(); // a letter does nothing here; Escape and the rest go to the parent
        return;
    }
    act_on(outcome);
}

int dbl2_frame::column_at(int x) const {
    if (x >= m_columns[2]) {
        return 1;
    }
    if (x >= m_columns[1]) {
        return 0;
    }
    return m_grid.current_column();
}

void dbl2_frame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus();
    const QPoint at = event->position().toPoint();
    const int row = m_grid.row_at(at.y(), row_height());
    if (row < 0 || at.x() >= m_columns[3]) {
        return;
    }
    act_on(m_grid.move_to(row, column_at(at.x())));
}

void dbl2_frame::mouseReleaseEvent(QMouseEvent* event) {
    // The press did the work; the release of a left click is the grid's too.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void dbl2_frame::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && !m_grid.editing() &&
        m_grid.row_at(at.y(), row_height()) == m_grid.current_row() && at.x() >= m_columns[1] &&
        at.x() < m_columns[3]) {
        act_on(m_grid.key(Grid_Key::f2));
    }
}

void dbl2_frame::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const QPalette::ColorGroup group =
        hasFocus() || m_edit->hasFocus() ? QPalette::Active : QPalette::Inactive;
    const int first = m_grid.first_visible_row();
    const int last = m_grid.last_visible_row();
    const int height = row_height();
    const int bottom = (last - first + 1) * height;

    painter.fillRect(QRect(m_columns[0], 0, m_columns[1] - m_columns[0], bottom),
                     colours.button());
    for (int row = first; row <= last; ++row) {
        const int top = (row - first) * height;
        painter.setPen(colours.color(QPalette::ButtonText));
        painter.drawText(QRect(m_columns[0], top, m_columns[1] - m_columns[0] - cell_padding,
                               height),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(Curve_Grid::row_label(row)));
        for (int column = 0; column < 2; ++column) {
            const QRect cell = cell_rect(row, column);
            const bool current =
                row == m_grid.current_row() && column == m_grid.current_column();
            if (current) {
                painter.fillRect(cell, colours.brush(group, QPalette::Highlight));
            }
            painter.setPen(colours.color(group, current ? QPalette::HighlightedText
                                                        : QPalette::Text));
            painter.drawText(cell.adjusted(cell_padding, 0, -cell_padding, 0),
                             Qt::AlignRight | Qt::AlignVCenter,
                             QString::fromStdString(m_grid.cell_text(row, column)));
        }
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(m_columns[0], top + height - 1, m_columns[3], top + height - 1);
    }
    painter.setPen(colours.color(QPalette::Mid));
    for (const int edge : m_columns) {
        painter.drawLine(edge, 0, edge, bottom - 1);
    }
    m_painted = {first, last};
}

void dbl2_frame::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    layout_titlebar();
    // As many rows as the window holds, so that a tall window shows no empty space below them.
    m_grid.set_visible_rows(viewport()->height() / std::max(row_height(), 1));
    sync_scroll_bar();
    place_edit();
}

void dbl2_frame::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_titlebar->setFont(font());
        m_edit->setFont(font());
        if (!m_custom_columns) {
            columns_from_font();
        }
        layout_titlebar();
        place_edit();
    }
}

void dbl2_frame::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void dbl2_frame::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
