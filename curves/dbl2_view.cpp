// The curve chart: the marker over the cached picture, the mouse rules and the polar view.
#include "dbl2_view.h"

#include "ini_settings.h"
#include "qv5_extn.h"

#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QToolTip>

#include <cmath>

namespace {

constexpr const char* POLAR_KEY = "Chart polar view";
constexpr const char* OVERLAYS_KEY = "Chart other curves";
constexpr double TEXT_WIDTH = 1000.0; // wider than any level label

const char* settings_section() {
    return qv6_ex_string(IDS_DISPLAY_OPTIONS);
}

// The angle labels of the spokes, as pattern cuts give angles: -150 to 180.
QString angle_text(int degrees) {
    return QString::number(degrees > 180 ? degrees - 360 : degrees);
}

} // namespace

dbl2_view::dbl2_view(QWidget* parent) : Chart_Wnd(parent) {
    setMouseTracking(true);
}

void dbl2_view::set_data(const Curve_Points& points) {
    std::vector<Chart_Point> chart;
    chart.reserve(static_cast<std::size_t>(points.count()));
    for (const Curve_Pair& pair : points.points()) {
        chart.push_back({pair.x, pair.y});
    }
    if (m_marker >= points.count()) {
        m_marker = -1;
    }
    m_screen_x.clear();
    set_chart_points(std::move(chart));
    update_tooltip();
}

void dbl2_view::update_tooltip() {
    const std::span<const Chart_Point> points = chart_points();
    if (m_marker < 0 || m_marker >= static_cast<int>(points.size()) ||
        !chart_point_usable(points[static_cast<std::size_t>(m_marker)])) {
        setToolTip({});
        return;
    }
    const Chart_Point& point = points[static_cast<std::size_t>(m_marker)];
    setToolTip(QStringLiteral("x = %1\ny = %2")
                   .arg(QString::asprintf("%#.4f", point.x), QString::asprintf("%#.1f", point.y)));
}

int dbl2_view::marker_x() const {
    if (polar() || m_marker < 0 || m_marker >= static_cast<int>(m_screen_x.size()) ||
        data_range(chart_points()).count < 2) {
        return NO_MARKER;
    }
    return m_screen_x[static_cast<std::size_t>(m_marker)];
}

void dbl2_view::move_marker(int index) {
    const std::span<const Chart_Point> points = chart_points();
    if (index < 0 || index >= static_cast<int>(points.size())) {
        index = -1;
    }
    if (index == m_marker) {
        return;
    }
    update_marker_area();
    m_marker = index;
    update_marker_area();
    update_tooltip();
}

void dbl2_view::set_polar_allowed(bool allowed) {
    if (allowed == m_polar_allowed) {
        return;
    }
    m_polar_allowed = allowed;
    if (allowed) {
        m_polar_chosen = ReadINIfile(settings_section(), POLAR_KEY, "0") == "1";
    }
    invalidate_picture();
}

void dbl2_view::set_polar(bool polar_view) {
    WriteINIfile(settings_section(), POLAR_KEY, polar_view ? "1" : "0");
    if (polar_view == m_polar_chosen) {
        return;
    }
    m_polar_chosen = polar_view;
    invalidate_picture();
}

void dbl2_view::set_overlays(std::vector<Chart_Overlay> overlays) {
    m_overlays = std::move(overlays);
    if (!m_overlays.empty()) {
        m_overlays_chosen = ReadINIfile(settings_section(), OVERLAYS_KEY, "1") != "0";
    }
    update_background();
}

void dbl2_view::set_curve_name(const QString& name) {
    if (name == m_curve_name) {
        return;
    }
    m_curve_name = name;
    update_background();
}

void dbl2_view::set_overlays_shown(bool shown) {
    WriteINIfile(settings_section(), OVERLAYS_KEY, shown ? "1" : "0");
    if (shown == m_overlays_chosen) {
        return;
    }
    m_overlays_chosen = shown;
    update_background();
}

void dbl2_view::update_background() {
    std::vector<Chart_Series> series;
    if (overlays_shown()) {
        series.reserve(m_overlays.size());
        for (const Chart_Overlay& overlay : m_overlays) {
            Chart_Series& one = series.emplace_back();
            one.name = overlay.name;
            one.points.reserve(overlay.points.size());
            for (const Curve_Pair& pair : overlay.points) {
                one.points.push_back({pair.x, pair.y});
            }
        }
    }
    const QString own_name = m_curve_name.isEmpty() ? tr("Edited curve") : m_curve_name;
    set_background_curves(std::move(series), own_name);
    m_screen_x.clear();
}

void dbl2_view::draw_chart(QPainter& painter, QSize size, bool for_window) {
    if (polar()) {
        if (for_window) {
            draw_polar(painter, size, m_polar_scale);
        } else {
            Polar_Scale scale;
            draw_polar(painter, size, scale);
        }
        return;
    }
    Chart_Wnd::draw_chart(painter, size, for_window);
    if (for_window) {
        m_screen_x = marker_positions(axis(), chart_points());
    }
}

void dbl2_view::draw_polar(QPainter& painter, QSize size, Polar_Scale& scale) {
    const QFontMetrics metrics(font());
    const int margin = metrics.height() + metrics.horizontalAdvance(QStringLiteral("-150")) / 2 + 4;
    const Data_Range own_range = data_range(chart_points());
    Data_Range range = own_range;
    for (const Chart_Series& series : background_curves()) {
        range = merge_ranges(range, data_range(series.points));
    }
    scale = polar_scale(size.width(), size.height(), margin, range);
    const QPointF centre(scale.centre_x, scale.centre_y);
    const double span = scale.outer_level - scale.inner_level;

    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(font());

    if (own_range.count >= 2 && span > 0.0) {
        // Rings, then the spokes every 30 degrees, in the grid's colour.
        painter.setPen(QPen(chart_grid_colour(), 1.0));
        painter.setBrush(Qt::NoBrush);
        for (std::size_t i = 0; i + 1 < scale.ring_levels.size(); ++i) {
            const double r = scale.radius * (scale.ring_levels[i] - scale.inner_level) / span;
            painter.drawEllipse(centre, r, r);
        }
        for (int degrees = 0; degrees < 360; degrees += 30) {
            const Polar_Position end = polar_position(scale, degrees, scale.outer_level);
            painter.drawLine(centre, QPointF(end.x, end.y));
        }

        // Angle labels just outside the outer ring; level labels beside the 180 degree spoke,
        // where a pattern's back lobe leaves room, on the rings far enough apart to hold them.
        painter.setPen(QColor(0, 0, 0));
        const int line = metrics.height();
        const double label_radius = scale.radius + line * 0.5 + 3.0;
        const double pi = std::acos(-1.0);
        for (int degrees = 0; degrees < 360; degrees += 30) {
            const double angle = degrees * pi / 180.0;
            const QPointF at(scale.centre_x + label_radius * std::sin(angle),
                             scale.centre_y - label_radius * std::cos(angle));
            const QString text = angle_text(degrees);
            const int w = metrics.horizontalAdvance(text);
            painter.drawText(QRectF(at.x() - w, at.y() - line, 2.0 * w, 2.0 * line),
                             Qt::AlignCenter, text);
        }
        double last_label_r = -1e9;
        for (std::size_t i = 0; i < scale.ring_levels.size() && i < scale.ring_labels.size(); ++i) {
            const double r = scale.radius * (scale.ring_levels[i] - scale.inner_level) / span;
            if (r - last_label_r < line) {
                continue;
            }
            last_label_r = r;
            painter.drawText(QRectF(scale.centre_x + 3.0, scale.centre_y + r - line - 1.0,
                                    TEXT_WIDTH, line),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromStdString(scale.ring_labels[i]));
        }

        // The cut closed around the circle, over the cuts drawn behind it.
        const auto around = [&scale](std::span<const Chart_Point> points) {
            std::vector<Chart_Plan::Screen_Point> screen;
            for (const Chart_Point& point : points) {
                if (chart_point_usable(point)) {
                    const Polar_Position at = polar_position(scale, point.x, point.y);
                    screen.push_back({at.x, at.y});
                }
            }
            if (!screen.empty()) {
                screen.push_back(screen.front());
            }
            return screen;
        };
        std::vector<std::vector<Chart_Plan::Screen_Point>> screen_curves{around(chart_points())};
        for (const Chart_Series& series : background_curves()) {
            screen_curves.push_back(around(series.points));
        }
        for (std::size_t i = 1; i < screen_curves.size(); ++i) {
            draw_curve(painter, polygon_of(screen_curves[i]), chart_background_colour(i - 1));
        }
        draw_curve(painter, polygon_of(screen_curves.front()));

        // The legend in a corner of the window; the top left one holds the title.
        static constexpr Chart_Corner corners[] = {Chart_Corner::bottom_right,
                                                   Chart_Corner::top_right,
                                                   Chart_Corner::bottom_left};
        draw_legend(painter, Plot_Rect{0, 0, size.width() - 1, size.height() - 1}, corners,
                    screen_curves);

        if (!y_title().isEmpty()) {
            QFont title_font = font();
            title_font.setBold(true);
            painter.setFont(title_font);
            painter.setPen(QColor(0, 0, 0));
            painter.drawText(QRect(4, 2, size.width() - 8, metrics.height() * 2),
                             Qt::AlignLeft | Qt::AlignTop, y_title());
        }
    }

    // The outer ring is the polar view's frame.
    painter.setPen(QPen(QColor(0, 0, 0), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, scale.radius, scale.radius);
    painter.restore();
}

void dbl2_view::draw_overlay(QPainter& painter) {
    const std::span<const Chart_Point> points = chart_points();
    if (m_marker < 0 || m_marker >= static_cast<int>(points.size()) ||
        data_range(points).count < 2) {
        return;
    }
    if (polar()) {
        const Chart_Point& point = points[static_cast<std::size_t>(m_marker)];
        if (!chart_point_usable(point)) {
            return;
        }
        const Polar_Position end = polar_position(m_polar_scale, point.x, m_polar_scale.outer_level);
        painter.setPen(QPen(QColor(0, 0, 255), 0));
        painter.drawLine(QPointF(m_polar_scale.centre_x, m_polar_scale.centre_y),
                         QPointF(end.x, end.y));
        return;
    }
    const int x = marker_x();
    if (x == NO_MARKER) {
        return;
    }
    const Plot_Rect& plot = axis().plot;
    painter.fillRect(QRect(x, plot.top, 1, plot.height() + 1), QColor(0, 0, 255));
}

void dbl2_view::update_marker_area() {
    if (polar()) {
        update();
        return;
    }
    const int x = marker_x();
    if (x != NO_MARKER) {
        const Plot_Rect& plot = axis().plot;
        update(QRect(x, plot.top, 1, plot.height() + 1));
    }
}

void dbl2_view::add_menu_actions(QMenu& menu) {
    if (!m_polar_allowed && m_overlays.empty()) {
        return;
    }
    menu.addSeparator();
    if (m_polar_allowed) {
        QAction* action = menu.addAction(tr("Polar view"));
        action->setCheckable(true);
        action->setChecked(m_polar_chosen);
        connect(action, &QAction::toggled, this, [this](bool checked) { set_polar(checked); });
    }
    if (!m_overlays.empty()) {
        QAction* action = menu.addAction(tr("Show Other Curves"));
        action->setCheckable(true);
        action->setChecked(m_overlays_chosen);
        connect(action, &QAction::toggled, this,
                [this](bool checked) { set_overlays_shown(checked); });
    }
}

void dbl2_view::mouseMoveEvent(QMouseEvent* event) {
    Chart_Wnd::mouseMoveEvent(event);
    const QPointF position = event->position();
    int index = -1;
    if (polar()) {
        const double dx = position.x() - m_polar_scale.centre_x;
        const double dy = position.y() - m_polar_scale.centre_y;
        if (m_polar_scale.radius > 0.0 && std::hypot(dx, dy) <= m_polar_scale.radius) {
            index = polar_point_at_mouse(m_polar_scale, chart_points(), position.x(),
                                         position.y());
        }
    } else {
        const int x = static_cast<int>(std::floor(position.x()));
        const int y = static_cast<int>(std::floor(position.y()));
        const Plot_Rect& plot = axis().plot;
        const bool over_plot =
            x >= plot.left && x <= plot.right && y >= plot.top && y <= plot.bottom;
        const bool moving_right = x >= m_last_mouse_x;
        m_last_mouse_x = x;
        if (over_plot && m_screen_x.size() == chart_points().size()) {
            index = point_at_mouse(m_screen_x, x, moving_right);
        }
    }
    if (index < 0) {
        return;
    }
    select_from_mouse(index);
    if (!toolTip().isEmpty()) {
        QToolTip::showText(event->globalPosition().toPoint(), toolTip(), this);
    }
}

void dbl2_view::select_from_mouse(int index) {
    if (index == m_marker || data_range(chart_points()).count < 2) {
        return;
    }
    move_marker(index);
    emit point_selected(index);
}
