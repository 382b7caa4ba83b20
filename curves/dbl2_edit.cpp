// dbl2_edit: the in-place edit of the curve grid.
#include "dbl2_edit.h"

#include <QKeyEvent>

#include <optional>

namespace {

// The keys that end an edit; nullopt for the ones the line edit keeps.
std::optional<Grid_Key> ending_key(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return std::nullopt;
    }
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Grid_Key::enter;
    case Qt::Key_Tab:
        return event.modifiers() & Qt::ShiftModifier ? Grid_Key::back_tab : Grid_Key::tab;
    case Qt::Key_Backtab:
        return Grid_Key::back_tab;
    case Qt::Key_Up:
        return Grid_Key::up;
    case Qt::Key_Down:
        return Grid_Key::down;
    case Qt::Key_Escape:
        return Grid_Key::escape;
    default:
        return std::nullopt;
    }
}

} // namespace

dbl2_edit::dbl2_edit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(Curve_Grid::edit_limit);
    setFrame(false);
    // The cell's own size, marked as the one being edited.
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(highlight); "
                                 "padding: 0px 2px; }"));
}

bool dbl2_edit::event(QEvent* event) {
    // Tab ends the edit instead of moving the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key_event = static_cast<QKeyEvent*>(event);
        if (key_event->key() == Qt::Key_Tab || key_event->key() == Qt::Key_Backtab) {
            keyPressEvent(key_event);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void dbl2_edit::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<Grid_Key> key = ending_key(*event)) {
        event->accept();
        emit grid_key(*key);
        return;
    }
    const QString text = event->text();
    const bool typed = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                       text.size() == 1 && text[0].isPrint();
    if (typed) {
        const QChar c = text[0];
        const bool accepted = c.unicode() < 0x80 && Curve_Grid::edit_accepts(c.toLatin1());
        if (!accepted || (this->text().size() >= maxLength() && !hasSelectedText())) {
            event->accept();
            emit refused();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
