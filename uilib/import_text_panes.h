// The preview panes of the text import dialog: the raw lines with their numbers, the lines split
// into delimited columns, the fixed-width lines with their column boundaries, and the columns with
// the fields they hold. Each pane draws the engine's preview lines in a monospaced font and
// scrolls by rows and characters, so that wide and long files cost no more than what is seen.
#pragma once

#include "qv6_ex_export.h"

#include <QAbstractScrollArea>
#include <QString>

#include <string_view>
#include <vector>

class txtimport_format;

// A column of the column panes, in characters from the left edge of the text.
struct Preview_Column {
    int x = 0;
    int width = 0;
};

// The columns as the column panes lay them out: each as wide as the engine's column width (at
// least one character), one character apart.
QV6_EX_EXPORT std::vector<Preview_Column> preview_columns(const txtimport_format& format);
// The column under character `x` (the gap after a column counts as the column's), or -1 beyond
// the last.
QV6_EX_EXPORT int preview_column_at(const std::vector<Preview_Column>& columns, int x);
// The text of each column of `line`, untrimmed: as get_field splits it at the delimiter, or at
// the fixed boundaries, the last column running to the line's end.
QV6_EX_EXPORT std::vector<std::string_view> preview_cells(const txtimport_format& format,
                                                          std::string_view line);
// A file text as a pane shows it: every character in one cell, a tab as an arrow and other
// control characters as a middle dot.
QV6_EX_EXPORT QString preview_text(std::string_view text);

class QV6_EX_EXPORT Import_Preview_Pane : public QAbstractScrollArea {
    Q_OBJECT

public:
    // `format` (not owned) outlives the pane.
    explicit Import_Preview_Pane(txtimport_format* format, QWidget* parent = nullptr);

    // Takes the engine's preview again after its lines or choices changed, and repaints. The
    // panes keep views into the engine's lines: every change of the lines must be followed by a
    // refresh before the next paint.
    virtual void refresh();

    int char_width() const { return m_char_width; }
    int row_height() const { return m_row_height; }
    // The pixel position in the viewport of character `x` of the text.
    int x_of(int x) const;
    // The character under pixel `pixel_x` of the viewport; with `nearest_boundary` the boundary
    // between two characters nearest to it.
    int char_at(int pixel_x, bool nearest_boundary) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Rows above the lines that do not scroll (a ruler, a header).
    virtual int header_rows() const { return 0; }
    // Characters left of the text (line numbers).
    virtual int gutter_chars() const { return 0; }
    // The width of the text in characters.
    virtual int content_chars() const { return 1; }
    virtual void paint_header(QPainter& painter);
    // Paints preview row `row` with its top at `y`.
    virtual void paint_row(QPainter& painter, int row, int y) = 0;

    // The first row and character shown.
    int first_row() const;
    int first_char() const;
    // Scrolls so that character `x` is in view.
    void show_char(int x);
    // Whether preview row `row` comes before the start line (it is shown, not imported).
    bool before_start(int row) const;
    // Draws `text` from character `x` of the text on the row at `y`, cut at character `end`.
    void draw_text(QPainter& painter, std::string_view text, int x, int end, int y) const;

    txtimport_format* m_format;

private:
    void measure();
    void update_scroll_bars();

    int m_char_width = 8;
    int m_row_height = 16;
    int m_ascent = 12;
};

// The raw preview: the lines with their numbers in the file.
class QV6_EX_EXPORT CLineWin : public Import_Preview_Pane {
    Q_OBJECT

public:
    using Import_Preview_Pane::Import_Preview_Pane;

protected:
    int gutter_chars() const override;
    int content_chars() const override;
    void paint_row(QPainter& painter, int row, int y) override;
};

// The preview by columns: the delimited preview of the delimiter step, and the column step's pane
// in which a click (or the arrow keys) selects a column, highlighted in the engine's selection
// colour under a header of the field each column holds.
class QV6_EX_EXPORT Import_Column_Pane : public Import_Preview_Pane {
    Q_OBJECT

public:
    Import_Column_Pane(txtimport_format* format, bool selectable, QWidget* parent = nullptr);

    void refresh() override;
    // The selected column, or -1.
    int selected_column() const { return m_selected; }
    void select_column(int column);
    const std::vector<Preview_Column>& columns() const { return m_columns; }

signals:
    void column_selected(int column);

protected:
    int header_rows() const override { return m_selectable ? 1 : 0; }
    int content_chars() const override;
    void paint_header(QPainter& painter) override;
    void paint_row(QPainter& painter, int row, int y) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The column's pixel span in the viewport.
    QRect column_rect(int column, int top, int height) const;

    bool m_selectable;
    int m_selected = -1;
    std::vector<Preview_Column> m_columns;
    std::vector<std::vector<std::string_view>> m_cells; // per preview row
};

class QV6_EX_EXPORT CDelimWin : public Import_Column_Pane {
    Q_OBJECT

public:
    explicit CDelimWin(txtimport_format* format, QWidget* parent = nullptr)
        : Import_Column_Pane(format, false, parent) {}
};

class QV6_EX_EXPORT CColSelWin : public Import_Column_Pane {
    Q_OBJECT

public:
    explicit CColSelWin(txtimport_format* format, QWidget* parent = nullptr)
        : Import_Column_Pane(format, true, parent) {}
};

// The fixed-width preview under a ruler, with the column boundaries drawn through the lines. A
// click between two characters sets a boundary there or removes the one that is there; from the
// keyboard the arrow keys move a caret between characters and Space does the same.
class QV6_EX_EXPORT CFixedWin : public Import_Preview_Pane {
    Q_OBJECT

public:
    using Import_Preview_Pane::Import_Preview_Pane;

    // The caret: the boundary position Space toggles.
    int caret() const { return m_caret; }

signals:
    void boundaries_changed();

protected:
    int header_rows() const override { return 2; }
    int content_chars() const override;
    void paint_header(QPainter& painter) override;
    void paint_row(QPainter& painter, int row, int y) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void toggle(int position);

    int m_caret = 1;
};
