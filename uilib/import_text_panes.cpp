// The preview panes of the text import dialog.
#include "import_text_panes.h"

#include "qt_file_text.h"
#include "txtimport_format.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

namespace {

// The engine's 0x00BBGGRR colour.
QColor from_colour_ref(uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

int digits(int value) {
    int count = 1;
    while (value >= 10) {
        value /= 10;
        ++count;
    }
    return count;
}

} // namespace

std::vector<Preview_Column> preview_columns(const txtimport_format& format) {
    std::vector<Preview_Column> columns;
    columns.reserve(format.column_widths.size());
    // A loaded definition may hold any width, and many wide lines add up: the pane keeps
    // within what it can scroll.
    constexpr int64_t widest = 1 << 28;
    int64_t x = 0;
    for (const int32_t width : format.column_widths) {
        const auto shown = static_cast<int>(std::clamp<int64_t>(width, 1, 1 << 20));
        columns.push_back({static_cast<int>(x), shown});
        x = std::min(x + shown + 1, widest);
    }
    return columns;
}

int preview_column_at(const std::vector<Preview_Column>& columns, int x) {
    if (x < 0) {
        return -1;
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (x <= columns[c].x + columns[c].width) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

std::vector<std::string_view> preview_cells(const txtimport_format& format,
                                            std::string_view line) {
    if (format.record.fixed_width == 0) {
        return format.split_line(line);
    }
    std::vector<std::string_view> cells;
    const std::vector<int32_t>& starts = format.column_starts;
    for (std::size_t c = 0; c + 1 < starts.size(); ++c) {
        const auto start = static_cast<std::size_t>(std::max(starts[c], 0));
        if (start >= line.size()) {
            break;
        }
        const bool last = c + 2 == starts.size();
        const std::size_t end =
            last ? line.size() : std::min(line.size(), static_cast<std::size_t>(starts[c + 1]));
        cells.push_back(line.substr(start, end > start ? end - start : 0));
    }
    return cells;
}

QString preview_text(std::string_view text) {
    QString shown = from_file_text(text);
    for (QChar& c : shown) {
        if (c == QLatin1Char('\t')) {
            c = QChar(0x2192);
        } else if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) {
            c = QChar(0x00B7);
        }
    }
    return shown;
}

// ---------------------------------------------------------------------------------------------

Import_Preview_Pane::Import_Preview_Pane(txtimport_format* format, QWidget* parent)
    : QAbstractScrollArea(parent), m_format(format) {
    setFocusPolicy(Qt::StrongFocus);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackgroundRole(QPalette::Base);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    measure();
}

void Import_Preview_Pane::measure() {
    const QFontMetrics metrics(font());
    m_char_width = std::max(metrics.horizontalAdvance(QLatin1Char('0')), 1);
    m_row_height = metrics.height() + 2;
    m_ascent = metrics.ascent() + 1;
}

void Import_Preview_Pane::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        measure();
        update_scroll_bars();
    }
    QAbstractScrollArea::changeEvent(event);
}

void Import_Preview_Pane::refresh() {
    update_scroll_bars();
    viewport()->update();
}

void Import_Preview_Pane::update_scroll_bars() {
    const QSize size = viewport()->size();
    const int rows_shown = std::max((size.height() / m_row_height) - header_rows(), 1);
    const int chars_shown = std::max(size.width() / m_char_width - gutter_chars() - 1, 1);
    verticalScrollBar()->setRange(0, std::max(m_format->display_line_count - rows_shown, 0));
    verticalScrollBar()->setPageStep(rows_shown);
    horizontalScrollBar()->setRange(0, std::max(content_chars() - chars_shown, 0));
    horizontalScrollBar()->setPageStep(chars_shown);
    horizontalScrollBar()->setSingleStep(1);
}

void Import_Preview_Pane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_bars();
}

int Import_Preview_Pane::first_row() const { return verticalScrollBar()->value(); }
int Import_Preview_Pane::first_char() const { return horizontalScrollBar()->value(); }

int Import_Preview_Pane::x_of(int x) const {
    return (gutter_chars() + x - first_char()) * m_char_width + m_char_width / 2;
}

int Import_Preview_Pane::char_at(int pixel_x, bool nearest_boundary) const {
    const int offset = pixel_x - x_of(first_char());
    const int index = nearest_boundary ? (offset + m_char_width / 2) / m_char_width
                                       : offset / m_char_width;
    return offset < 0 && !nearest_boundary ? -1 : first_char() + std::max(index, 0);
}

void Import_Preview_Pane::show_char(int x) {
    const int shown = horizontalScrollBar()->pageStep();
    if (x < first_char()) {
        horizontalScrollBar()->setValue(x);
    } else if (x >= first_char() + shown) {
        horizontalScrollBar()->setValue(x - shown + 1);
    }
}

bool Import_Preview_Pane::before_start(int row) const { return row < m_format->first_display_line; }

void Import_Preview_Pane::draw_text(QPainter& painter, std::string_view text, int x, int end,
                                    int y) const {
    // Only the characters in view are decoded and drawn: a line may be a megabyte long.
    const int from = std::max(first_char() - x, 0);
    const int to = std::min({static_cast<int>(std::min<std::size_t>(text.size(), 1 << 30)),
                             end - x, first_char() + horizontalScrollBar()->pageStep() + 1 - x});
    if (to <= from) {
        return;
    }
    const QString shown = preview_text(text.substr(static_cast<std::size_t>(from),
                                                   static_cast<std::size_t>(to - from)));
    // One cell a character: runs of plain characters are drawn at once, the others (which the
    // font may take from another family of another width) one by one.
    int run = 0;
    for (int i = 0; i <= shown.size(); ++i) {
        const bool plain = i < shown.size() && shown[i].unicode() >= 0x20 && shown[i].unicode() < 0x7F;
        if (plain) {
            continue;
        }
        if (i > run) {
            painter.drawText(x_of(x + from + run), y + m_ascent, shown.mid(run, i - run));
        }
        if (i < shown.size()) {
            painter.drawText(x_of(x + from + i), y + m_ascent, QString(shown[i]));
        }
        run = i + 1;
    }
}

void Import_Preview_Pane::paint_header(QPainter&) {}

void Import_Preview_Pane::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    paint_header(painter);
    const int rows = m_format->display_line_count;
    const int height = viewport()->height();
    for (int row = first_row(), y = header_rows() * m_row_height; row < rows && y < height;
         ++row, y += m_row_height) {
        painter.setPen(palette().color(before_start(row) ? QPalette::Disabled : QPalette::Active,
                                       QPalette::Text));
        paint_row(painter, row, y);
    }
}

// ---------------------------------------------------------------------------------------------

int CLineWin::gutter_chars() const {
    const int last = m_format->record.start_line - m_format->first_display_line +
                     std::max(m_format->display_line_count - 1, 0);
    return digits(std::max(last, 1)) + 2;
}

int CLineWin::content_chars() const { return m_format->longest_line + 1; }

void CLineWin::paint_row(QPainter& painter, int row, int y) {
    const QPen text_pen = painter.pen();
    const int number = m_format->record.start_line - m_format->first_display_line + row;
    const QString label = QString::number(number);
    const int gutter_right = (gutter_chars() - 1) * char_width();
    painter.fillRect(0, y, gutter_right, row_height(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(QRect(0, y, gutter_right - char_width() / 2, row_height()),
                     Qt::AlignRight | Qt::AlignVCenter, label);
    painter.setPen(text_pen);
    const char* line = m_format->display_lines[static_cast<std::size_t>(row)];
    draw_text(painter, line, 0, m_format->longest_line + 1, y);
}

// ---------------------------------------------------------------------------------------------

Import_Column_Pane::Import_Column_Pane(txtimport_format* format, bool selectable, QWidget* parent)
    : Import_Preview_Pane(format, parent), m_selectable(selectable) {}

void Import_Column_Pane::refresh() {
    m_columns = preview_columns(*m_format);
    m_cells.clear();
    m_cells.reserve(m_format->display_lines.size());
    for (const char* line : m_format->display_lines) {
        m_cells.push_back(preview_cells(*m_format, line));
    }
    if (m_selected >= static_cast<int>(m_columns.size())) {
        m_selected = m_columns.empty() ? -1 : 0;
    }
    Import_Preview_Pane::refresh();
}

void Import_Column_Pane::select_column(int column) {
    if (column < 0 || column >= static_cast<int>(m_columns.size())) {
        return;
    }
    m_selected = column;
    const Preview_Column& shown = m_columns[static_cast<std::size_t>(column)];
    show_char(shown.x + shown.width);
    show_char(shown.x);
    viewport()->update();
    emit column_selected(column);
}

int Import_Column_Pane::content_chars() const {
    return m_columns.empty() ? 1 : m_columns.back().x + m_columns.back().width + 1;
}

QRect Import_Column_Pane::column_rect(int column, int top, int height) const {
    const Preview_Column& shown = m_columns[static_cast<std::size_t>(column)];
    const int left = x_of(shown.x) - char_width() / 2;
    return QRect(left, top, (shown.width + 1) * char_width(), height);
}

void Import_Column_Pane::paint_header(QPainter& painter) {
    if (!m_selectable) {
        return;
    }
    const int height = row_height();
    painter.fillRect(0, 0, viewport()->width(), height, palette().color(QPalette::Button));
    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column) {
        const QRect cell = column_rect(column, 0, height);
        if (cell.left() > viewport()->width()) {
            break;
        }
        if (cell.right() < 0) {
            continue;
        }
        const bool selected = column == m_selected;
        if (selected) {
            painter.fillRect(cell, from_colour_ref(m_format->selection_colour).darker(115));
        }
        const int32_t field = m_format->column_assignment[static_cast<std::size_t>(column)];
        const bool named = field > 0 && static_cast<std::size_t>(field) <= m_format->field_names.size();
        const std::string_view name =
            named ? std::string_view(m_format->field_names[static_cast<std::size_t>(field) - 1])
                  : std::string_view("<none>");
        painter.setPen(selected ? QColor(Qt::white)
                                : palette().color(named ? QPalette::Active : QPalette::Disabled,
                                                  QPalette::ButtonText));
        const Preview_Column& shown = m_columns[static_cast<std::size_t>(column)];
        draw_text(painter, name, shown.x, shown.x + shown.width, 0);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(cell.right(), 0, cell.right(), height - 1);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height - 1, viewport()->width(), height - 1);
}

void Import_Column_Pane::paint_row(QPainter& painter, int row, int y) {
    const QPen text_pen = painter.pen();
    const std::vector<std::string_view>& cells = m_cells[static_cast<std::size_t>(row)];
    const QColor grid = palette().color(QPalette::Midlight);
    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column) {
        const QRect cell = column_rect(column, y, row_height());
        if (cell.left() > viewport()->width()) {
            break;
        }
        if (cell.right() < 0) {
            continue;
        }
        const bool selected = m_selectable && column == m_selected;
        if (selected) {
            painter.fillRect(cell, from_colour_ref(m_format->selection_colour));
        }
        if (static_cast<std::size_t>(column) < cells.size()) {
            painter.setPen(selected ? QPen(Qt::white) : text_pen);
            const Preview_Column& shown = m_columns[static_cast<std::size_t>(column)];
            draw_text(painter, cells[static_cast<std::size_t>(column)], shown.x,
                      shown.x + shown.width, y);
        }
        painter.setPen(grid);
        painter.drawLine(cell.right(), y, cell.right(), y + row_height() - 1);
    }
}

void Import_Column_Pane::mousePressEvent(QMouseEvent* event) {
    if (m_selectable && event->button() == Qt::LeftButton) {
        // Half a character of padding lies left of each column.
        const int x = event->position().toPoint().x() + char_width() / 2;
        const int column = preview_column_at(m_columns, char_at(x, false));
        if (column >= 0) {
            select_column(column);
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void Import_Column_Pane::keyPressEvent(QKeyEvent* event) {
    if (m_selectable && !m_columns.empty()) {
        const int last = static_cast<int>(m_columns.size()) - 1;
        switch (event->key()) {
        case Qt::Key_Left: select_column(std::max(m_selected - 1, 0)); return;
        case Qt::Key_Right: select_column(std::min(m_selected + 1, last)); return;
        case Qt::Key_Home: select_column(0); return;
        case Qt::Key_End: select_column(last); return;
        default: break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------

int CFixedWin::content_chars() const { return m_format->longest_line + 1; }

void CFixedWin::paint_header(QPainter& painter) {
    const int height = 2 * row_height();
    painter.fillRect(0, 0, viewport()->width(), height, palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::ButtonText));
    const int last = std::min(m_format->longest_line,
                              first_char() + horizontalScrollBar()->pageStep() + 1);
    const int base = height - 2;
    for (int position = first_char(); position <= last; ++position) {
        const int x = x_of(position);
        const int tick = position % 10 == 0 ? row_height() / 2 : position % 5 == 0 ? 5 : 2;
        painter.drawLine(x, base - tick, x, base);
        if (position % 10 == 0 && position > 0) {
            painter.drawText(QRect(x - 3 * char_width(), 0, 6 * char_width(), row_height()),
                             Qt::AlignCenter, QString::number(position));
        }
    }
    painter.drawLine(0, base, viewport()->width(), base);
    // Each boundary as a mark on the ruler.
    painter.setBrush(palette().color(QPalette::ButtonText));
    const std::vector<int32_t>& starts = m_format->column_starts;
    for (std::size_t i = 1; i + 1 < starts.size(); ++i) {
        const int x = x_of(starts[i]);
        const QPoint mark[] = {{x - 4, base - 7}, {x + 4, base - 7}, {x, base - 1}};
        painter.drawPolygon(mark, 3);
    }
}

void CFixedWin::paint_row(QPainter& painter, int row, int y) {
    draw_text(painter, m_format->display_lines[static_cast<std::size_t>(row)], 0,
              m_format->longest_line + 1, y);
}

void CFixedWin::paintEvent(QPaintEvent* event) {
    Import_Preview_Pane::paintEvent(event);
    QPainter painter(viewport());
    const int top = header_rows() * row_height();
    const int bottom = top + (m_format->display_line_count - first_row()) * row_height();
    const std::vector<int32_t>& starts = m_format->column_starts;
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (std::size_t i = 1; i + 1 < starts.size(); ++i) {
        const int x = x_of(starts[i]);
        painter.drawLine(x, top, x, std::max(bottom, top));
    }
    if (hasFocus()) {
        const int x = x_of(m_caret);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawLine(x, 0, x, viewport()->height());
    }
}

void CFixedWin::toggle(int position) {
    if (position < 0 || !m_format->set_fixed_column(static_cast<unsigned>(position))) {
        return;
    }
    viewport()->update();
    emit boundaries_changed();
}

void CFixedWin::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int position = char_at(event->position().toPoint().x(), true);
        if (position > 0 && position < m_format->longest_line) {
            m_caret = position;
        }
        toggle(position);
        viewport()->update();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CFixedWin::keyPressEvent(QKeyEvent* event) {
    const int last = std::max(m_format->longest_line - 1, 1);
    int caret = m_caret;
    switch (event->key()) {
    case Qt::Key_Left: caret = std::max(m_caret - 1, 1); break;
    case Qt::Key_Right: caret = std::min(m_caret + 1, last); break;
    case Qt::Key_Home: caret = 1; break;
    case Qt::Key_End: caret = last; break;
    case Qt::Key_Space: toggle(m_caret); return;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    m_caret = caret;
    show_char(m_caret);
    viewport()->update();
}
