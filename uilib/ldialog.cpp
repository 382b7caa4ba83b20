// The dialog base.
#include "ldialog.h"

#include "qt_file_text.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include <algorithm>

QRect center_dialog_rect(QSize size, const QRect& reference, int screen_width,
                         int screen_height, unsigned char position) {
    const int free_x = reference.width() - size.width();
    const int free_y = reference.height() - size.height();
    int left = reference.left() + free_x / 2;
    int top = reference.top() + free_y / 2;
    switch (position) {
    case DP_TOP_LEFT:
        left = reference.left();
        top = reference.top();
        break;
    case DP_TOP_CENTRE:
        top = reference.top();
        break;
    case DP_TOP_RIGHT:
        left = reference.left() + free_x;
        top = reference.top();
        break;
    case DP_BOTTOM_LEFT:
        left = reference.left();
        top = reference.top() + free_y;
        break;
    case DP_BOTTOM_CENTRE:
        top = reference.top() + free_y;
        break;
    case DP_BOTTOM_RIGHT:
        left = reference.left() + free_x;
        top = reference.top() + free_y;
        break;
    default:
        break;
    }
    int width = size.width();
    int height = size.height();
    if (left + width > screen_width) {
        left -= left + width - screen_width;
    }
    if (top + height > screen_height) {
        top -= top + height - screen_height;
    }
    if (left < 0) {
        width += left;
        left = 0;
    }
    if (top < 0) {
        height += top;
        top = 0;
    }
    return {left, top, width, height};
}

LDialog::LDialog(QWidget* parent, const char* caption) : QDialog(parent) {
    if (caption != nullptr) {
        m_caption = caption;
        m_has_caption = true;
    }
}

bool LDialog::OnInitDialog() {
    if (m_has_caption) {
        setWindowTitle(from_file_text(m_caption));
    }
    set_control_sizes();
    return true;
}

void LDialog::set_control_sizes() {}

int LDialog::base_unit_x() const { return QFontMetrics(font()).averageCharWidth(); }
int LDialog::base_unit_y() const { return QFontMetrics(font()).height(); }

void LDialog::center_dialog(int width, int height, unsigned char position) {
    adjustSize();
    QSize size = this->size();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    if (width != -1) {
        const int caption_width = QFontMetrics(font()).horizontalAdvance(windowTitle());
        size.setWidth(std::max(width, caption_width) + base_unit_x() / 2 + 2 * frame);
    }
    if (height != -1) {
        size.setHeight(height);
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screen_rect = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QRect virtual_rect = screen != nullptr ? screen->virtualGeometry() : screen_rect;
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const QRect reference = owner != nullptr ? owner->frameGeometry() : screen_rect;
    const QRect placed =
        center_dialog_rect(size, reference, virtual_rect.width(), virtual_rect.height(), position);
    resize(placed.size());
    move(placed.topLeft());
}

void LDialog::showEvent(QShowEvent* event) {
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}
