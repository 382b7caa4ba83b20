// The worksheet form's windows.
#include "wks_menu_frame.h"

#include "help_guide.h"
#include "qt_file_text.h"
#include "qv5_extn.h"
#include "screen_metrics.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

bool is_number_type(int32_t type) {
    switch (type) {
    case WKS_DOUBLE_KEEP:
    case WKS_DOUBLE:
    case WKS_FRACTION:
    case WKS_FREQUENCY_POSITIVE:
    case WKS_FREQUENCY:
        return true;
    default:
        return false;
    }
}

QRect cell_rect(const WorkSheetCell& cell) {
    return QRect(QPoint(cell.rect[0], cell.rect[1]), QPoint(cell.rect[2] - 1, cell.rect[3] - 1));
}

// The one byte a key typed, or 0 when it typed none the files can hold.
char typed_char(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1 || !text.front().isPrint()) {
        return '\0';
    }
    const auto file_text = to_file_text(text);
    return file_text && file_text->size() == 1 ? (*file_text)[0] : '\0';
}

QString tooltip(int id) {
    const char* text = qv6_ex_string(id);
    if (text == nullptr) {
        return {};
    }
    const QString full = QString::fromLatin1(text);
    return full.mid(full.indexOf(QLatin1Char('\n')) + 1);
}

} // namespace

// The column titles above the grid.
class Wks_Title : public QWidget {
public:
    Wks_Title(WksMenu_Frame& form, QWidget* parent) : QWidget(parent), m_form(form) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().button());
        const wks_menu_transfer& transfer = m_form.transfer();
        const Wks_Layout& layout = m_form.layout();
        const int line = m_form.metrics().title_height;
        painter.setPen(palette().mid().color());
        painter.drawLine(0, height() - 1, width(), height() - 1);
        int left = 0;
        for (std::size_t column = 0; column < layout.column_edges.size(); ++column) {
            const int right = layout.column_edges[column];
            painter.setPen(palette().mid().color());
            painter.drawLine(right - 1, 0, right - 1, height());
            painter.setPen(palette().buttonText().color());
            const char* const* lines[2] = {transfer.column_titles, transfer.second_titles};
            for (int index = 0; index < 2; ++index) {
                if (lines[index] != nullptr && lines[index][column] != nullptr) {
                    painter.drawText(QRect(left, 1 + index * line, right - left, line),
                                     Qt::AlignCenter, from_file_text(lines[index][column]));
                }
            }
            left = right;
        }
    }

private:
    WksMenu_Frame& m_form;
};

// The row titles beside the grid.
class Wks_Header : public QWidget {
public:
    Wks_Header(WksMenu_Frame& form, QWidget* parent) : QWidget(parent), m_form(form) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().button());
        const wks_menu_transfer& transfer = m_form.transfer();
        const Wks_Metrics& metrics = m_form.metrics();
        const int current = m_form.sheet().current();
        const int current_row =
            current >= 0 ? m_form.layout().cell_rows[static_cast<std::size_t>(current)] : -1;
        for (int row = 0; row < m_form.layout().row_count; ++row) {
            const QRect band(0, row * (metrics.row_height + 1), width(), metrics.row_height);
            QFont font = painter.font();
            font.setBold(row == current_row);
            painter.setFont(font);
            painter.setPen(palette().mid().color());
            painter.drawLine(0, band.bottom() + 1, width(), band.bottom() + 1);
            if (transfer.row_titles != nullptr && row < transfer.row_count &&
                transfer.row_titles[row] != nullptr) {
                painter.setPen(palette().buttonText().color());
                painter.drawText(band.adjusted(metrics.average_char_width / 2, 0, 0, 0),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 from_file_text(transfer.row_titles[row]));
            }
        }
        painter.setPen(palette().mid().color());
        painter.drawLine(width() - 1, 0, width() - 1, height());
    }

private:
    WksMenu_Frame& m_form;
};

// ---------------------------------------------------------------------------------------------

Wks_Edit::Wks_Edit(WksMenu_Frame& form, QWidget* parent) : QLineEdit(parent), m_form(form) {
    setFrame(false);
    hide();
}

void Wks_Edit::open(const QString& text, bool typed) {
    const int current = m_form.sheet().current();
    if (current < 0) {
        return;
    }
    setGeometry(cell_rect(m_form.sheet().cell(current)).adjusted(2, 2, -2, -2));
    setMaxLength(m_form.sheet().edit_limit());
    setText(text);
    setModified(false);
    m_typed = typed;
    m_open = true;
    show();
    setFocus();
}

bool Wks_Edit::commit_and_close() {
    if (!m_open) {
        return false;
    }
    const bool commit = m_typed || isModified();
    const auto file_text = to_file_text(text());
    close_box();
    if (commit && file_text) {
        m_form.sheet().commit(*file_text);
    }
    m_form.refresh();
    return true;
}

void Wks_Edit::close_box() {
    if (!m_open) {
        return;
    }
    m_open = false;
    hide();
    m_form.grid()->setFocus();
}

bool Wks_Edit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void Wks_Edit::keyPressEvent(QKeyEvent* event) {
    Wks_Sheet& sheet = m_form.sheet();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int key = event->key();
        commit_and_close();
        sheet.move(key == Qt::Key_Up     ? Wks_Move::up
                   : key == Qt::Key_Down ? Wks_Move::down
                   : key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier)
                       ? Wks_Move::back_tab
                       : Wks_Move::tab);
        m_form.refresh();
        return;
    }
    case Qt::Key_Escape:
        close_box();
        return;
    case Qt::Key_F3:
    case Qt::Key_F9:
        if (event->key() == Qt::Key_F3) {
            sheet.erase();
        } else {
            sheet.reset_cell();
        }
        setText(from_file_text(sheet.text(sheet.current())));
        setModified(false);
        m_typed = false;
        m_form.refresh();
        return;
    case Qt::Key_Backspace:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (!event->text().isEmpty() && event->text().front().isPrint() &&
        !(event->modifiers() & Qt::ControlModifier)) {
        const char c = typed_char(*event);
        if (c == '\0' || !sheet.edit_accepts(c)) {
            QApplication::beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void Wks_Edit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_open && event->reason() != Qt::ActiveWindowFocusReason &&
        event->reason() != Qt::PopupFocusReason) {
        commit_and_close();
    }
}

// ---------------------------------------------------------------------------------------------

Wks_Frame::Wks_Frame(WksMenu_Frame& form, QWidget* parent) : QWidget(parent), m_form(form) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int Wks_Frame::cell_at(QPoint point) const {
    const Wks_Sheet& sheet = m_form.sheet();
    for (int index = 0; index < sheet.cell_count(); ++index) {
        if (cell_rect(sheet.cell(index)).contains(point)) {
            return index;
        }
    }
    return -1;
}

bool Wks_Frame::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QWidget::event(event);
}

void Wks_Frame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.base());
    const Wks_Sheet& sheet = m_form.sheet();
    const Wks_Layout& layout = m_form.layout();
    const Wks_Metrics& metrics = m_form.metrics();
    const int current = sheet.current();
    const int current_row = current >= 0 ? layout.cell_rows[static_cast<std::size_t>(current)] : -1;
    bool drop_buttons = false;
    for (int index = 0; index < sheet.cell_count(); ++index) {
        drop_buttons |= sheet.cell(index).drop_button != 0;
    }

    // The current row's band, then the grid lines.
    if (current_row >= 0) {
        QColor band = colours.highlight().color();
        band.setAlpha(40);
        painter.fillRect(QRect(0, current_row * (metrics.row_height + 1), width(),
                               metrics.row_height),
                         band);
    }
    painter.setPen(colours.mid().color());
    for (int row = 0; row < layout.row_count; ++row) {
        const int y = row * (metrics.row_height + 1) + metrics.row_height;
        painter.drawLine(0, y, width(), y);
    }
    for (const int edge : layout.column_edges) {
        painter.drawLine(edge - 1, 0, edge - 1, height());
    }

    for (int index = 0; index < sheet.cell_count(); ++index) {
        const WorkSheetCell& cell = sheet.cell(index);
        QRect box = cell_rect(cell);
        if (cell.editable == 0) {
            painter.fillRect(box, colours.window());
        }
        if (index == current && !m_form.edit_box()->is_open()) {
            painter.fillRect(box.adjusted(1, 1, -1, -1),
                             hasFocus() ? colours.highlight() : colours.mid());
        }
        if (cell.drop_button != 0) {
            const QRect button(box.right() - 15, box.top() + 1, 15, box.height() - 2);
            painter.fillRect(button, colours.button());
            painter.setPen(colours.buttonText().color());
            const QPoint centre = button.center();
            const QPoint arrow[3] = {centre + QPoint(-4, -2), centre + QPoint(4, -2),
                                     centre + QPoint(0, 2)};
            painter.setBrush(colours.buttonText());
            painter.drawPolygon(arrow, 3);
            painter.setBrush(Qt::NoBrush);
            box.setRight(box.right() - 16);
        }
        const QString text = from_file_text(sheet.text(index));
        if (text.isEmpty()) {
            continue;
        }
        painter.setPen(index == current && !m_form.edit_box()->is_open()
                           ? colours.highlightedText().color()
                       : cell.editable == 0 ? colours.placeholderText().color()
                                            : colours.text().color());
        if (is_number_type(cell.type) && cell.column >= 0) {
            const int right_margin = metrics.average_char_width + (drop_buttons ? 16 : 0);
            painter.drawText(box.adjusted(0, 0, -right_margin + (cell.drop_button ? 16 : 0), 0),
                             Qt::AlignRight | Qt::AlignVCenter, text);
        } else {
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }
}

void Wks_Frame::keyPressEvent(QKeyEvent* event) {
    Wks_Sheet& sheet = m_form.sheet();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int current = sheet.current();
    const int type = current >= 0 ? sheet.cell(current).type : -1;
    switch (event->key()) {
    case Qt::Key_Left:
        sheet.move(Wks_Move::left);
        break;
    case Qt::Key_Right:
        sheet.move(Wks_Move::right);
        break;
    case Qt::Key_Up:
        sheet.move(Wks_Move::up);
        break;
    case Qt::Key_Down:
        sheet.move(Wks_Move::down);
        break;
    case Qt::Key_Home:
        sheet.move(Wks_Move::home);
        break;
    case Qt::Key_End:
        sheet.move(Wks_Move::end);
        break;
    case Qt::Key_Tab:
        sheet.move(shift ? Wks_Move::back_tab : Wks_Move::tab);
        break;
    case Qt::Key_Backtab:
        sheet.move(Wks_Move::back_tab);
        break;
    case Qt::Key_Delete:
        if (control) {
            sheet.erase_all();
        } else {
            sheet.erase();
        }
        break;
    case Qt::Key_F3:
        sheet.erase();
        break;
    case Qt::Key_F2:
        if (type == WKS_CHOICE) {
            m_form.open_drop_list();
        } else if (type != WKS_FLAG && type != WKS_SELECTION) {
            m_form.start_edit();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        switch (sheet.activate()) {
        case Wks_Activation::edit:
            m_form.start_edit();
            return;
        case Wks_Activation::drop_list:
            m_form.open_drop_list();
            return;
        default:
            break;
        }
        break;
    case Qt::Key_F4:
        sheet.copy_other_column();
        break;
    case Qt::Key_F9:
        sheet.reset_cell();
        break;
    case Qt::Key_C:
        if (control) {
            const std::string text = sheet.copy_text();
            if (!text.empty()) {
                QApplication::clipboard()->setText(from_file_text(text));
            }
            return;
        }
        break;
    case Qt::Key_V:
        if (control) {
            if (const auto text = to_file_text(QApplication::clipboard()->text())) {
                sheet.paste(*text);
            }
            m_form.refresh();
            return;
        }
        break;
    case Qt::Key_Escape:
        m_form.OnClose();
        return;
    default:
        break;
    }
    if (!control) {
        const char c = typed_char(*event);
        if (c != '\0' && event->key() != Qt::Key_Space) {
            if (sheet.starts_edit(c)) {
                m_form.start_edit(event->text());
            }
            return;
        }
    }
    m_form.refresh();
}

void Wks_Frame::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const int index = cell_at(event->position().toPoint());
    Wks_Sheet& sheet = m_form.sheet();
    const bool was_current = index == sheet.current();
    if (!sheet.select(index)) {
        return;
    }
    const WorkSheetCell& cell = sheet.cell(index);
    if (cell.type == WKS_FLAG) {
        sheet.activate();
    } else if (cell.type == WKS_CHOICE &&
               (was_current || (cell.drop_button != 0 &&
                                event->position().x() >= cell.rect[2] - 16))) {
        m_form.refresh();
        m_form.open_drop_list();
        return;
    }
    m_form.refresh();
}

void Wks_Frame::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = cell_at(event->position().toPoint());
    if (index >= 0 && index == m_form.sheet().current() &&
        wks_takes_text(m_form.sheet().cell(index))) {
        m_form.start_edit();
    }
}

// ---------------------------------------------------------------------------------------------

WksMenu_Frame::WksMenu_Frame(wks_menu_transfer* transfer)
    : LDialog(nullptr, nullptr), m_transfer(transfer), m_sheet(*transfer) {
    const Screen_Metrics* screen = qv5_screen_metrics();
    m_font = screen != nullptr && screen->average_char_width > 0 ? screen->screen_font
                                                                  : QApplication::font();
    setFont(m_font);
    const QFontMetrics measure(m_font);
    m_metrics.average_char_width = std::max(measure.averageCharWidth(), 1);
    m_metrics.row_height = measure.height() + 6;
    m_metrics.title_height = measure.height() + 3;
    m_layout = wks_layout(*m_transfer, m_metrics,
                          [&measure](std::string_view text) {
                              return measure.horizontalAdvance(from_file_text(text));
                          },
                          wks_missing_values());
    m_transfer->column_edges = m_layout.column_edges.data();

    if (m_transfer->title != nullptr) {
        setWindowTitle(from_file_text(m_transfer->title));
    }
    m_sheet.set_notifier(
        [this](int message, int first, int second) { on_notify(message, first, second); });

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_toolbar = new QToolBar(this);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolbar->setIconSize(QSize(16, 16));
    outer->addWidget(m_toolbar);

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    const int margin = std::max(1, m_metrics.average_char_width / 2);
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->setSpacing(0);
    m_grid = new Wks_Frame(*this, body);
    m_grid->setFixedSize(m_layout.grid_width, std::max(m_layout.grid_height, 1));
    m_header = new Wks_Header(*this, body);
    m_header->setFixedSize(m_layout.row_title_width, m_grid->height());
    if (m_layout.title_lines > 0) {
        m_title = new Wks_Title(*this, body);
        m_title->setFixedSize(m_layout.grid_width,
                              m_layout.title_lines * m_metrics.title_height + 3);
        auto* corner = new QWidget(body);
        corner->setAutoFillBackground(true);
        corner->setBackgroundRole(QPalette::Button);
        corner->setFixedSize(m_layout.row_title_width, m_title->height());
        grid->addWidget(corner, 0, 0);
        grid->addWidget(m_title, 0, 1);
    }
    grid->addWidget(m_header, 1, 0);
    grid->addWidget(m_grid, 1, 1);
    outer->addWidget(body);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    m_edit = new Wks_Edit(*this, m_grid);
    set_toolbar(WKS_TOOLBAR_ERASE_RESET);
    m_grid->setFocus();
}

WksMenu_Frame::~WksMenu_Frame() {
    if (m_transfer->column_edges == m_layout.column_edges.data()) {
        m_transfer->column_edges = nullptr;
    }
}

void WksMenu_Frame::set_toolbar(unsigned toolbar_id) {
    m_toolbar->clear();
    QStyle* look = style();
    auto add = [&](int id, QStyle::StandardPixmap icon, const QString& label,
                   std::function<void()> run) {
        QAction* action = m_toolbar->addAction(look->standardIcon(icon), label);
        action->setData(id);
        action->setToolTip(tooltip(id));
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    };
    add(IDS_WKS_OK, QStyle::SP_DialogApplyButton, QStringLiteral("OK"),
        [this] { HandleOkButton(); });
    add(IDS_WKS_CANCEL, QStyle::SP_DialogCancelButton, QStringLiteral("Cancel"),
        [this] { HandleCancelButton(); });
    m_toolbar->addSeparator();
    if (toolbar_id != WKS_TOOLBAR_OK_CANCEL) {
        add(IDS_WKS_ERASE, QStyle::SP_DialogDiscardButton, QStringLiteral("Erase"), [this] {
            m_edit->commit_and_close();
            m_sheet.erase();
            refresh();
        });
        add(IDS_WKS_RESET, QStyle::SP_BrowserReload, QStringLiteral("Reset"), [this] {
            m_edit->close_box();
            m_sheet.reset_cell();
            refresh();
        });
        m_toolbar->addSeparator();
    }
    add(IDS_WKS_HELP, QStyle::SP_DialogHelpButton, QStringLiteral("Help"),
        [this] { show_help(); });
}

int WksMenu_Frame::ExecuteModal(QWidget* parent, unsigned toolbar_id) {
    set_toolbar(toolbar_id);
    if (parent != nullptr) {
        setParent(parent, windowFlags() | Qt::Dialog);
    }
    setWindowModality(Qt::ApplicationModal);
    m_state = WKS_OPEN;
    adjustSize();
    center_dialog(-1, -1, DP_CENTRE);
    exec();
    return m_state == WKS_OK ? 1 : 2;
}

void WksMenu_Frame::HandleOkButton() {
    m_edit->commit_and_close();
    finish(m_sheet.ok());
}

void WksMenu_Frame::HandleCancelButton() {
    m_edit->commit_and_close();
    finish(m_sheet.cancel());
}

void WksMenu_Frame::OnClose() {
    if (m_state != WKS_OPEN) {
        return;
    }
    m_edit->commit_and_close();
    const int result = m_sheet.close_request(this);
    if (result != WKS_OPEN) {
        finish(result);
    } else {
        refresh();
    }
}

void WksMenu_Frame::closeEvent(QCloseEvent* event) {
    if (m_state == WKS_OPEN) {
        OnClose();
    }
    if (m_state == WKS_OPEN) {
        event->ignore();
    } else {
        event->accept();
    }
}

void WksMenu_Frame::reject() { OnClose(); }

void WksMenu_Frame::finish(int state) {
    m_state = state;
    refresh();
    done(state == WKS_OK ? QDialog::Accepted : QDialog::Rejected);
}

void WksMenu_Frame::write_cells(const int* ids, int count) {
    // The grid is small: repainting it whole costs no more than finding the cells.
    if (ids != nullptr && count > 0) {
        refresh();
    }
}

void WksMenu_Frame::write_calcs() {
    m_sheet.mark_changed();
    refresh();
}

void WksMenu_Frame::start_edit(const QString& typed) {
    const int current = m_sheet.current();
    if (current < 0 || !wks_takes_text(m_sheet.cell(current))) {
        return;
    }
    if (typed.isEmpty()) {
        m_edit->open(from_file_text(m_sheet.text(current)), false);
    } else {
        m_edit->open(typed, true);
    }
    refresh();
}

void WksMenu_Frame::open_drop_list() {
    const int current = m_sheet.current();
    if (current < 0 || m_sheet.cell(current).type != WKS_CHOICE) {
        return;
    }
    const WorkSheetCell& cell = m_sheet.cell(current);
    QMenu menu(this);
    for (int index = 0; index < cell.choice_count && cell.choice_list != nullptr; ++index) {
        QAction* action = menu.addAction(
            from_file_text(cell.choice_list[index] != nullptr ? cell.choice_list[index] : ""));
        action->setData(index);
    }
    menu.setMinimumWidth(cell.rect[2] - cell.rect[0]);
    if (QAction* chosen = menu.exec(m_grid->mapToGlobal(QPoint(cell.rect[0], cell.rect[3])))) {
        m_sheet.choose(chosen->data().toInt());
    }
    refresh();
}

void WksMenu_Frame::refresh() {
    m_grid->update();
    m_header->update();
}

void WksMenu_Frame::show_help() {
    const std::string address =
        help_address(qv5_help_path(), m_transfer->help_page != nullptr ? m_transfer->help_page : "");
    if (m_url_opener) {
        m_url_opener(address);
    } else {
        open_help_address(address);
    }
}

void WksMenu_Frame::on_notify(int message, int first, int second) {
    refresh();
    if (m_owner_notifier) {
        m_owner_notifier(message, first, second);
    }
}
