// dbl2_titlebar: the column titles of the two-column curve grid.
#include "dbl2_titlebar.h"

#include <QPainter>

dbl2_titlebar::dbl2_titlebar(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void dbl2_titlebar::set_titles(const QString& x_title, const QString& y_title) {
    m_titles = {x_title, y_title};
    update();
}

void dbl2_titlebar::set_columns(const Grid_Columns& columns) {
    m_columns = columns;
    update();
}

QSize dbl2_titlebar::sizeHint() const {
    return {m_columns[3], fontMetrics().height() + 6};
}

void dbl2_titlebar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int bottom = height() - 1;
    painter.setPen(palette().color(QPalette::Mid));
    for (const int edge : m_columns) {
        painter.drawLine(edge, 0, edge, bottom);
    }
    painter.drawLine(m_columns[0], bottom, m_columns[3], bottom);
    painter.setPen(palette().color(QPalette::ButtonText));
    for (std::size_t column = 0; column < m_titles.size(); ++column) {
        const QRect cell(m_columns[column + 1] + 2, 0,
                         m_columns[column + 2] - m_columns[column + 1] - 4, height());
        const QString shown =
            fontMetrics().elidedText(m_titles[column], Qt::ElideRight, cell.width());
        painter.drawText(cell, Qt::AlignCenter, shown);
    }
}
