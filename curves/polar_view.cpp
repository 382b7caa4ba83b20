// The polar view's mapping, rings and mouse rule.
#include "polar_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double DEGREES = 180.0 / std::numbers::pi;

// Distance of two directions around the circle, 0 to 180 degrees.
double angular_distance(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

} // namespace

Polar_Scale polar_scale(int width, int height, int margin, const Data_Range& range) {
    Polar_Scale scale;
    width = std::max(width, 0);
    height = std::max(height, 0);
    scale.centre_x = width / 2.0;
    scale.centre_y = height / 2.0;
    scale.radius = std::max(0.0, std::min(width, height) / 2.0 - std::max(margin, 0));

    double low = range.count > 0 ? range.y_min : 0.0;
    const double high = range.count > 0 ? std::max(0.0, range.y_max) : 0.0;
    if (!(low < high)) {
        low = high - 10.0;
    }
    const int rings = std::max(2, static_cast<int>(scale.radius / 43.0));
    scale.ring_step = round_step(high - low, rings);
    const double step = scale.ring_step;
    double inner = std::floor(low / step);
    if (inner * step >= low) {
        inner -= 1.0;
    }
    const double outer = std::ceil(high / step);
    scale.inner_level = inner * step + 0.0;
    scale.outer_level = outer * step + 0.0;
    const int count = static_cast<int>(std::clamp(outer - inner, 0.0, double(CHART_MAX_LABELS)));
    for (int k = 1; k <= count; ++k) {
        scale.ring_levels.push_back((inner + k) * step + 0.0);
    }
    scale.ring_labels = label_texts(inner + 1.0, step, count).texts;
    return scale;
}

Polar_Position polar_position(const Polar_Scale& scale, double angle_degrees, double level) {
    const double span = scale.outer_level - scale.inner_level;
    if (!std::isfinite(angle_degrees) || !std::isfinite(level) || !(span > 0.0)) {
        return {scale.centre_x, scale.centre_y};
    }
    const double fraction = std::clamp((level - scale.inner_level) / span, 0.0, 1.0);
    const double r = scale.radius * fraction;
    const double angle = std::fmod(angle_degrees, 360.0) / DEGREES;
    return {scale.centre_x + r * std::sin(angle), scale.centre_y - r * std::cos(angle)};
}

double polar_angle_at(const Polar_Scale& scale, double x, double y) {
    const double dx = x - scale.centre_x;
    const double dy = scale.centre_y - y;
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
        return 0.0;
    }
    const double angle = std::atan2(dx, dy) * DEGREES;
    return angle < 0.0 ? angle + 360.0 : angle;
}

int polar_point_at_mouse(const Polar_Scale& scale, std::span<const Chart_Point> points,
                         double mouse_x, double mouse_y) {
    const double mouse_angle = polar_angle_at(scale, mouse_x, mouse_y);
    int nearest = -1;
    double nearest_distance = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!chart_point_usable(points[i])) {
            continue;
        }
        const double distance = angular_distance(points[i].x, mouse_angle);
        if (nearest < 0 || distance < nearest_distance) {
            nearest = static_cast<int>(i);
            nearest_distance = distance;
        }
    }
    return nearest;
}
