// dbl2_frame: the two-column curve grid. It owns the grid's rules (Curve_Grid) over a
// Curve_Points list it does not own, forwards keys, clicks and scrolling to them, paints the
// rows they report, and tells its parent when the current row or the list changed.
#pragma once

#include "curve_grid.h"
#include "dbl2_titlebar.h"

#include <QAbstractScrollArea>
#include <QUndoStack>

#include <functional>
#include <utility>

class dbl2_edit;

class dbl2_frame : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit dbl2_frame(QWidget* parent = nullptr);

    // Shows `points` (not owned; it must outlive the frame or be replaced by another attach)
    // from its first row, cursor in the x column, changed flag cleared; an open edit is dropped.
    void attach(Curve_Points* points);
    // Back to the first row and the x column, changed flag cleared; an open edit is dropped.
    void reset_cursor();
    // The list was given points from outside (an import): one undo step, the changed flag set
    // and the list told changed.
    void points_changed_outside();
    // Moves the cursor to `row` in the current column (the chart's marker), clamped to the rows.
    void set_current_row(int row);

    void set_titles(const QString& x_title, const QString& y_title);
    // Column positions chosen by the owner; until then they follow the font.
    void set_column_positions(const Grid_Columns& columns);
    const Grid_Columns& column_positions() const { return m_columns; }

    // The grid's own undo history: every change of the list is one step (a paste of many
    // points too), undone with Ctrl+Z and redone with Ctrl+Shift+Z; cleared by attach. The owner
    // may offer it in its menus.
    QUndoStack* undo_stack() { return &m_undo; }

    // Replaces the system beep for refused characters (nullptr: the system beep again).
    void set_beep(std::function<void()> beep) { m_beep = std::move(beep); }

    const Curve_Grid& grid() const { return m_grid; }
    bool changed() const { return m_grid.changed(); }
    int current_row() const { return m_grid.current_row(); }
    int row_height() const;
    // The cell of `row` and `column` (0 x, 1 y) in viewport coordinates; rows above the first
    // visible one lie above the viewport.
    QRect cell_rect(int row, int column) const;
    dbl2_titlebar* titlebar() const { return m_titlebar; }
    dbl2_edit* edit() const { return m_edit; }
    // The first and last row of the latest paint (-1, -1 before the first).
    std::pair<int, int> painted_rows() const { return m_painted; }

    QSize sizeHint() const override;

signals:
    void current_row_changed(int row);
    void list_changed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Does what the grid asked for after an input: edit shown or removed, beep, message,
    // scroll bar, repaint, and the parent's notifications.
    void act_on(const Grid_Outcome& outcome);
    void copy_to_clipboard();
    void paste_from_clipboard();
    void beep();
    void columns_from_font();
    void layout_titlebar();
    void sync_scroll_bar();
    void place_edit();
    void on_edit_text(const QString& text);
    // Column 0 or 1 under a click at `x`, or the current one left of the x column.
    int column_at(int x) const;
    // Records the change just made to the list as one undo step.
    void record_change();
    // Gives the list `points` (an undo or a redo) and tells the grid and the parent.
    void restore(const Curve_Points& points);
    friend class Points_Change;

    Curve_Grid m_grid;
    dbl2_titlebar* m_titlebar;
    dbl2_edit* m_edit;
    Grid_Columns m_columns{};
    bool m_custom_columns = false;
    std::function<void()> m_beep;
    std::pair<int, int> m_painted{-1, -1};
    Curve_Points* m_points = nullptr;
    Curve_Points m_saved; // the list as the last undo step left it
    QUndoStack m_undo;
    bool m_restoring = false; // an undo or redo is giving the list its points
};
