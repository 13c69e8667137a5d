// A roller-coaster track seen from the side, built from lines, Bezier curves
// and vertical loops, plus the painters for its rails, supports and train.
// Coordinates are canvas pixels, y pointing down; the track runs left to right.
#pragma once

#include "scenery.h"

#include <cairo.h>

#include <functional>
#include <vector>

namespace assetgen {

class CoasterTrack {
public:
    explicit CoasterTrack(Point start);

    void lineTo(Point end);
    void curveTo(Point control1, Point control2, Point end);
    // A teardrop loop entered heading right at the current point. It rises
    // `height` pixels, bulges `width / 2` either side and leaves `drift`
    // pixels further right, where the entry and exit overlap in side view.
    void loop(double width, double height, double drift);

    Point end() const { return points_.back(); }
    double length() const { return distances_.back(); }
    // Position and unit direction of travel `distance` pixels along the track.
    Point pointAt(double distance) const;
    Point directionAt(double distance) const;
    // Appends the track's centre line to the current path.
    void addPath(cairo_t* cr) const;
    // True when some part of the track further than `gap` pixels along it from
    // `distance` passes below that point, within `tolerance` pixels sideways.
    bool hasTrackBelow(double distance, double gap, double tolerance) const;

private:
    void append(Point point);
    std::size_t segmentAt(double distance) const;

    std::vector<Point> points_;
    std::vector<double> distances_;
};

struct TrackLook {
    Rgb rail;
    Rgb tie;
    double railWidth;
    // Distance between the running rail and the lower rail, in pixels.
    double gauge;
    double tieSpacing;
};

void drawRails(cairo_t* cr, const CoasterTrack& track, const TrackLook& look);

struct SupportLook {
    Rgb colour;
    double width;
    double spacing;
    // Cross-braces between neighbouring posts taller than this; 0 for none.
    double braceAbove;
};

// Vertical posts from the track down to groundAt(x), skipping spots where
// another part of the track is in the way (the top of a loop).
void drawSupports(cairo_t* cr, const CoasterTrack& track, const std::function<double(double)>& groundAt,
                  const SupportLook& look);

struct TrainLook {
    int cars;
    double carLength;
    Rgb body;
    Rgb trim;
    Rgb rider;
};

// The train's front car sits `frontDistance` pixels along the track.
void drawTrain(cairo_t* cr, const CoasterTrack& track, double frontDistance, const TrainLook& look);

} // namespace assetgen
