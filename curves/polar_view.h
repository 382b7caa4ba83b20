// The polar view of an antenna pattern cut without a window: where angle and level land on the
// circle, the dB rings, and the point the mouse selects.
//
// Angles run the way azimuth plots are read: 0 degrees at the top, growing clockwise (90 at the
// right, 180 at the bottom, -90 or 270 at the left). The level (the cut's y, minus the
// attenuation in dB) grows outward from the centre, which stands for a round level strictly below
// the plot's minimum, to the outer ring at 0 dB (or the round level above the data when some
// point lies above 0 dB). The list is the same as the cartesian chart's; points that are not
// usable there (NOT_SET, non-finite) are left out here as well.
#pragma once

#include "chart_axes.h"

#include <span>
#include <string>
#include <vector>

// The circle and its rings for one client size and one data range.
struct Polar_Scale {
    double centre_x = 0.0;
    double centre_y = 0.0;
    double radius = 0.0;        // pixels from the centre to the outer ring, never negative
    double inner_level = -10.0;  // dB at the centre
    double outer_level = 0.0;    // dB on the outer ring
    double ring_step = 1.0;      // dB between rings, from the round-step rule
    std::vector<double> ring_levels;        // inner_level + step, ..., outer_level
    std::vector<std::string> ring_labels;   // their texts ("%.*f", label precision rule)
};

// The scale for a client of `width` x `height` pixels less `margin` pixels all round, for the
// levels (y) of `range`. The rings ask for radius / 43 intervals, at least 2; equal or missing
// levels are widened to 10 dB below the outer ring.
Polar_Scale polar_scale(int width, int height, int margin, const Data_Range& range);

struct Polar_Position {
    double x;
    double y;
};

// Screen position of the direction `angle_degrees` at `level` dB; a level outside the rings is
// held at the centre or on the outer ring. A non-finite angle or level gives the centre.
Polar_Position polar_position(const Polar_Scale& scale, double angle_degrees, double level);

// The direction, 0 to below 360 degrees, of a screen position seen from the centre (0 at the
// centre itself).
double polar_angle_at(const Polar_Scale& scale, double x, double y);

// The usable point whose angle (the point's x) is nearest to the mouse's direction, the distance
// taken around the circle (350 is 20 from 10); the first of equally near ones. -1 when no point
// is usable.
int polar_point_at_mouse(const Polar_Scale& scale, std::span<const Chart_Point> points,
                         double mouse_x, double mouse_y);
