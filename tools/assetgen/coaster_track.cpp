// Geometry of side-view coaster tracks and the painters that draw them.
#include "coaster_track.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

// Bezier handle length for a quarter ellipse, as a fraction of its radius.
constexpr double kQuarterHandle = 0.5523;
constexpr int kCurveSamples = 24;

Point bezierPoint(Point p0, Point p1, Point p2, Point p3, double t)
{
    const double u = 1.0 - t;
    const double a = u * u * u;
    const double b = 3.0 * u * u * t;
    const double c = 3.0 * u * t * t;
    const double d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

// Left of the direction of travel, which is "up" on a track heading right.
Point upNormal(Point direction)
{
    return {direction.y, -direction.x};
}

void pathMoveTo(cairo_t* cr, Point p)
{
    cairo_move_to(cr, p.x, p.y);
}

void pathLineTo(cairo_t* cr, Point p)
{
    cairo_line_to(cr, p.x, p.y);
}

Point offset(Point p, Point direction, double amount)
{
    return {p.x + direction.x * amount, p.y + direction.y * amount};
}

} // namespace

CoasterTrack::CoasterTrack(Point start) : points_{start}, distances_{0.0} {}

void CoasterTrack::append(Point point)
{
    const Point last = points_.back();
    const double step = std::hypot(point.x - last.x, point.y - last.y);
    if (step < 1e-9) {
        return;
    }
    points_.push_back(point);
    distances_.push_back(distances_.back() + step);
}

void CoasterTrack::lineTo(Point end)
{
    append(end);
}

void CoasterTrack::curveTo(Point control1, Point control2, Point end)
{
    const Point start = points_.back();
    for (int i = 1; i <= kCurveSamples; ++i) {
        append(bezierPoint(start, control1, control2, end, static_cast<double>(i) / kCurveSamples));
    }
}

void CoasterTrack::loop(double width, double height, double drift)
{
    const Point entry = points_.back();
    const double half = width / 2.0;
    const double k = kQuarterHandle;
    // Four quarter ellipses: bottom to right side, to top, to left side, to exit.
    const Point right{entry.x + half, entry.y - height * 0.5};
    const Point top{entry.x + drift * 0.5, entry.y - height};
    const Point left{entry.x + drift - half, entry.y - height * 0.5};
    const Point exit{entry.x + drift, entry.y};
    curveTo({entry.x + k * half, entry.y}, {right.x, right.y + k * height * 0.5}, right);
    curveTo({right.x, right.y - k * height * 0.5}, {top.x + k * (right.x - top.x), top.y}, top);
    curveTo({top.x - k * (top.x - left.x), top.y}, {left.x, left.y - k * height * 0.5}, left);
    curveTo({left.x, left.y + k * height * 0.5}, {exit.x - k * half, exit.y}, exit);
}

std::size_t CoasterTrack::segmentAt(double distance) const
{
    const auto it = std::upper_bound(distances_.begin(), distances_.end(), distance);
    const auto index = static_cast<std::size_t>(std::distance(distances_.begin(), it));
    return std::clamp<std::size_t>(index, 1, points_.size() - 1);
}

Point CoasterTrack::pointAt(double distance) const
{
    if (points_.size() < 2) {
        return points_.front();
    }
    const std::size_t i = segmentAt(distance);
    const double span = distances_[i] - distances_[i - 1];
    const double t = std::clamp((distance - distances_[i - 1]) / span, 0.0, 1.0);
    return {points_[i - 1].x + (points_[i].x - points_[i - 1].x) * t,
            points_[i - 1].y + (points_[i].y - points_[i - 1].y) * t};
}

Point CoasterTrack::directionAt(double distance) const
{
    if (points_.size() < 2) {
        return {1.0, 0.0};
    }
    // Averaged over a few pixels so cars do not snap between sampled segments.
    constexpr double kReach = 4.0;
    const Point ahead = pointAt(distance + kReach);
    const Point behind = pointAt(distance - kReach);
    const double length = std::hypot(ahead.x - behind.x, ahead.y - behind.y);
    if (length < 1e-9) {
        return {1.0, 0.0};
    }
    return {(ahead.x - behind.x) / length, (ahead.y - behind.y) / length};
}

void CoasterTrack::addPath(cairo_t* cr) const
{
    pathMoveTo(cr, points_.front());
    for (std::size_t i = 1; i < points_.size(); ++i) {
        pathLineTo(cr, points_[i]);
    }
}

bool CoasterTrack::hasTrackBelow(double distance, double gap, double tolerance) const
{
    const Point here = pointAt(distance);
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const bool far = std::abs(distances_[i] - distance) > gap;
        if (far && std::abs(points_[i].x - here.x) < tolerance && points_[i].y > here.y + 1.0) {
            return true;
        }
    }
    return false;
}

void drawRails(cairo_t* cr, const CoasterTrack& track, const TrackLook& look)
{
    // Ties first so the rails run over them.
    setColour(cr, look.tie);
    cairo_set_line_width(cr, std::max(1.0, look.railWidth * 0.6));
    for (double d = look.tieSpacing * 0.5; d < track.length(); d += look.tieSpacing) {
        const Point p = track.pointAt(d);
        const Point up = upNormal(track.directionAt(d));
        pathMoveTo(cr, offset(p, up, look.railWidth * 0.5));
        pathLineTo(cr, offset(p, up, -look.gauge - look.railWidth * 0.5));
    }
    cairo_stroke(cr);

    setColour(cr, look.rail);
    cairo_set_line_width(cr, look.railWidth);
    track.addPath(cr);
    cairo_stroke(cr);
    cairo_set_line_width(cr, look.railWidth * 0.75);
    constexpr double kStep = 2.0;
    for (double d = 0.0; d <= track.length(); d += kStep) {
        const Point lower = offset(track.pointAt(d), upNormal(track.directionAt(d)), -look.gauge);
        if (d == 0.0) {
            pathMoveTo(cr, lower);
        } else {
            pathLineTo(cr, lower);
        }
    }
    cairo_stroke(cr);
}

void drawSupports(cairo_t* cr, const CoasterTrack& track, const std::function<double(double)>& groundAt,
                  const SupportLook& look)
{
    struct Post {
        Point top;
        double groundY;
    };
    std::vector<Post> posts;
    for (double d = look.spacing * 0.5; d < track.length(); d += look.spacing) {
        const Point top = track.pointAt(d);
        const double groundY = groundAt(top.x);
        if (groundY - top.y > 6.0 && !track.hasTrackBelow(d, look.spacing * 1.5, look.spacing * 0.3)) {
            posts.push_back({top, groundY});
        }
    }
    setColour(cr, look.colour);
    cairo_set_line_width(cr, look.width);
    for (const auto& post : posts) {
        cairo_move_to(cr, post.top.x, post.top.y);
        cairo_line_to(cr, post.top.x, post.groundY + 2.0);
    }
    cairo_stroke(cr);
    if (look.braceAbove <= 0.0) {
        return;
    }
    // X-bracing between neighbouring tall posts, the way timber structures are built.
    cairo_set_line_width(cr, look.width * 0.5);
    for (std::size_t i = 1; i < posts.size(); ++i) {
        const Post& a = posts[i - 1];
        const Post& b = posts[i];
        const bool neighbours = b.top.x - a.top.x < look.spacing * 1.2 && b.top.x > a.top.x;
        const double top = std::max(a.top.y, b.top.y) + 4.0;
        const double bottom = std::min(a.groundY, b.groundY);
        if (!neighbours || bottom - top < look.braceAbove) {
            continue;
        }
        const double panel = b.top.x - a.top.x;
        for (double y = top; y + panel * 0.5 < bottom; y += panel) {
            const double lower = std::min(y + panel, bottom);
            cairo_move_to(cr, a.top.x, y);
            cairo_line_to(cr, b.top.x, lower);
            cairo_move_to(cr, b.top.x, y);
            cairo_line_to(cr, a.top.x, lower);
        }
    }
    cairo_stroke(cr);
}

void drawTrain(cairo_t* cr, const CoasterTrack& track, double frontDistance, const TrainLook& look)
{
    const double carHeight = look.carLength * 0.42;
    const double gap = look.carLength * 0.12;
    for (int car = 0; car < look.cars; ++car) {
        const double centre = frontDistance - car * (look.carLength + gap) - look.carLength * 0.5;
        const Point p = track.pointAt(centre);
        const Point dir = track.directionAt(centre);
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y);
        cairo_rotate(cr, std::atan2(dir.y, dir.x));
        const double half = look.carLength * 0.5;
        // Riders' heads peek over the car's rim.
        setColour(cr, look.rider);
        for (const double seat : {-0.22, 0.22}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, seat * look.carLength, -carHeight - 3.5, 3.6, 0.0, 2.0 * std::numbers::pi);
        }
        cairo_fill(cr);
        // Body: a rounded tub with a raked nose on the front car.
        const double nose = car == 0 ? carHeight * 0.6 : 0.0;
        const double r = carHeight * 0.35;
        cairo_move_to(cr, -half + r, -carHeight);
        cairo_line_to(cr, half - nose, -carHeight);
        cairo_line_to(cr, half, -carHeight + nose);
        cairo_line_to(cr, half, -2.0);
        cairo_line_to(cr, -half, -2.0);
        cairo_line_to(cr, -half, -carHeight + r);
        cairo_arc(cr, -half + r, -carHeight + r, r, std::numbers::pi, 1.5 * std::numbers::pi);
        cairo_close_path(cr);
        setColour(cr, look.body);
        cairo_fill_preserve(cr);
        setColour(cr, look.trim);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_rectangle(cr, -half + 2.0, -carHeight * 0.55, look.carLength - 4.0, carHeight * 0.18);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

} // namespace assetgen
