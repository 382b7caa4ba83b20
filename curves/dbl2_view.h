// dbl2_view: the chart of one Curve_Points list, with the marker at the grid's current point
// and, for antenna pattern cuts, a polar view of the same list. Other curves of the record may
// be drawn behind the list for comparison; the user shows or hides them from the context menu.
#pragma once

#include "chart_wnd.h"
#include "curve_points.h"
#include "polar_view.h"

#include <QString>

#include <vector>

// A curve the chart draws faintly behind the edited one, for comparison; it is never edited.
struct Chart_Overlay {
    QString name;
    std::vector<Curve_Pair> points;
};

class dbl2_view : public Chart_Wnd {
    Q_OBJECT
    Q_PROPERTY(bool polar_allowed READ polar_allowed WRITE set_polar_allowed)

public:
    explicit dbl2_view(QWidget* parent = nullptr);

    // Shows the points of `points` (read now; the list stays the caller's). The marker stays
    // on its index while the list still holds it.
    void set_data(const Curve_Points& points);
    // The curves drawn behind the list (replacing those given before); none by default. They
    // are never edited, and the marker and the mouse keep to the list's own points.
    void set_overlays(std::vector<Chart_Overlay> overlays);
    const std::vector<Chart_Overlay>& overlays() const { return m_overlays; }
    // The list's name in the legend drawn with the overlays.
    void set_curve_name(const QString& name);
    // Shows or hides the overlays and remembers the choice in the settings file.
    void set_overlays_shown(bool shown);
    // True when overlays are drawn: some were given and the user has not hidden them.
    bool overlays_shown() const { return !m_overlays.empty() && m_overlays_chosen; }

    // Puts the marker on point `index`; an index outside the list, or a point that has no place
    // on the chart, shows none.
    void move_marker(int index);
    int marker_index() const { return m_marker; }
    // The marker's column in the cartesian chart, NO_MARKER when none is drawn there.
    int marker_x() const;

    // Whether the list is an antenna pattern cut that may be shown around a circle; the editor
    // sets it. The user's choice of the polar view is remembered in the settings file.
    bool polar_allowed() const { return m_polar_allowed; }
    void set_polar_allowed(bool allowed);
    // Chooses the polar or the cartesian view and remembers the choice.
    void set_polar(bool polar);
    // True when the polar view is shown: allowed and chosen.
    bool polar() const { return m_polar_allowed && m_polar_chosen; }

signals:
    // The mouse moved the marker to point `index`; the editor moves the grid's cursor there.
    void point_selected(int index);

protected:
    void draw_chart(QPainter& painter, QSize size, bool for_window) override;
    void draw_overlay(QPainter& painter) override;
    void add_menu_actions(QMenu& menu) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void draw_polar(QPainter& painter, QSize size, Polar_Scale& scale);
    // The marker point's x and y as the grid shows them, or none without a usable marker point.
    void update_tooltip();
    // Repaints the strip the marker covers at its current place.
    void update_marker_area();
    // Moves the marker to `index` after a mouse move and tells the parent.
    void select_from_mouse(int index);
    // Hands the overlays to the chart while they are shown, nothing otherwise.
    void update_background();

    int m_marker = -1;
    std::vector<Chart_Overlay> m_overlays;
    QString m_curve_name;
    bool m_overlays_chosen = true;
    std::vector<int> m_screen_x;  // the points' columns in the window's layout
    Polar_Scale m_polar_scale;    // the circle of the window's polar view
    bool m_polar_allowed = false;
    bool m_polar_chosen = false;
    int m_last_mouse_x = -1;
};
