// dbl2_titlebar: the column titles of the two-column curve grid, each centred over its column,
// with a line at every column edge.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

// The left edges of the row-number, x and y columns and the grid's right edge, in pixels from
// the grid's left side.
using Grid_Columns = std::array<int, 4>;

class dbl2_titlebar : public QWidget {
    Q_OBJECT
public:
    explicit dbl2_titlebar(QWidget* parent = nullptr);

    // The titles of the x and y columns (the row-number column has none).
    void set_titles(const QString& x_title, const QString& y_title);
    const QString& x_title() const { return m_titles[0]; }
    const QString& y_title() const { return m_titles[1]; }
    void set_columns(const Grid_Columns& columns);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QString, 2> m_titles;
    Grid_Columns m_columns{};
};
