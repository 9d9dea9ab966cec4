// Cam law, cam profile and valve outlines of the planar engine animation.
#include "core/anim_valves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vm::anim {

namespace {
constexpr double kTwoPiFull = 2 * std::numbers::pi;  // one cam turn, for wrapping the phase
constexpr double kRiseEnd = kPiDegrees / 3;          // 60 deg of rise
constexpr double kDwellEnd = deg_to_rad(70);         // full lift held 10 deg
constexpr double kReturnEnd = deg_to_rad(130);
constexpr double kProfileStep = 0.01;  // rad between profile points
constexpr double kQuarterTurn = 1.5707963;

// A lift kept between the base circle and the full lift h, whatever sign h has.
double within_lift(double s, double h) {
    return std::clamp(s, std::min(0.0, h), std::max(0.0, h));
}

CamTrack track(double dx, double dy, double shift, double train_scale) {
    CamTrack c;
    c.centre_x = kCrankX + train_scale * dx;
    c.centre_y = kCrankY + train_scale * dy;
    c.base_r *= train_scale;
    c.lift_h *= train_scale;
    c.roller_r *= train_scale;
    const double marks_deg[5] = {31.8, 261.8, 321.8, 331.8, 391.8};
    for (size_t i = 0; i < 5; ++i) c.marks[i] = deg_to_rad(marks_deg[i]) + shift;
    c.phase = deg_to_rad(31.8) + shift;
    follower_update(c);
    return c;
}

Point add(Point p, Point q) {
    return {p.x + q.x, p.y + q.y};
}
Point sub(Point p, Point q) {
    return {p.x - q.x, p.y - q.y};
}
Point scale(Point p, double k) {
    return {p.x * k, p.y * k};
}
double length(Point p) {
    return std::hypot(p.x, p.y);
}

Mark line(Point a, Point b, int width) {
    return {Mark::Kind::Line, a, b, 0, width};
}
Mark ring(Point c, double radius) {
    return {Mark::Kind::Circle, c, c, radius, 1};
}
}  // namespace

CamTrack right_cam_track(double train_scale) {
    return track(195, 125, kQuarterTurn, train_scale);
}
CamTrack left_cam_track(double train_scale) {
    return track(-120, 162, 0, train_scale);
}

double follower_lift(double phase, double h) {
    double psi = std::fmod(phase, kTwoPiFull);
    if (psi < 0) psi += kTwoPiFull;
    double s = 0;
    if (psi <= kRiseEnd)
        s = h * psi / kRiseEnd;
    else if (psi <= kDwellEnd)
        s = h;
    else if (psi <= kReturnEnd)
        s = h * (kReturnEnd - psi) / (kReturnEnd - kDwellEnd);
    return within_lift(s, h);
}

void follower_update(CamTrack& cam) {
    cam.follower_s = follower_lift(cam.phase, cam.lift_h);
    cam.valve_s = cam.follower_s;
    cam.roller_y = cam.centre_y + cam.base_r + cam.valve_s + cam.roller_r;
}

void cam_advance(CamTrack& cam, double delta) {
    cam.phase += delta;
    for (double& m : cam.marks) m += delta;
    if (cam.phase >= kTwoPiFull) {
        const double turns = std::floor(cam.phase / kTwoPiFull);
        cam.phase -= turns * kTwoPiFull;
        for (double& m : cam.marks) m -= turns * kTwoPiFull;
    }
    follower_update(cam);
}

std::vector<Point> cam_profile(const CamTrack& cam) {
    std::vector<Point> pts;
    pts.reserve(640);
    const double h = cam.lift_h;
    for (size_t run = 0; run < 4; ++run) {
        const double from = cam.marks[run], to = cam.marks[run + 1];
        const long n = static_cast<long>(std::floor((to - from) / kProfileStep + 1e-9)) + 1;
        for (long j = 0; j < n; ++j) {
            const double psi = from + j * kProfileStep;
            // Rise and return are read as straight-line lift over their 60 deg.
            double profile_s = 0;
            if (run == 1) profile_s = h * (psi - from) / kRiseEnd;
            if (run == 2) profile_s = h;
            if (run == 3) profile_s = h * (to - psi) / kRiseEnd;
            const double rho = cam.base_r + within_lift(profile_s, h);
            pts.push_back({cam.centre_x + rho * std::sin(psi), cam.centre_y + rho * std::cos(psi)});
        }
    }
    return pts;
}

Point roller_centre(const CamTrack& cam) {
    return {cam.centre_x, cam.roller_y};
}

Sketch left_valve_sketch(const CamTrack& left, double y_high) {
    const double y2 = y_high;
    const double L = 10 * left.valve_s;
    const double yh = y2 + 4 + L / 6;
    // Guide blocks either side of the stem opening in the port floor.
    const double cx = left.centre_x;
    const double x1 = cx - 15, x2 = cx - 5, x3 = cx + 5, x4 = cx + 15;
    Sketch s;
    s.push_back(line({x4, yh}, {x1, yh}, 2));
    s.push_back(line({x3, y2 - 6}, {x4, y2 - 6}, 2));
    s.push_back(line({x3, y2 - 6}, {x3, y2 - 16}, 2));
    s.push_back(line({x3, y2 - 16}, {x4, y2 - 16}, 2));
    s.push_back(line({x2, y2 - 6}, {x1, y2 - 6}, 2));
    s.push_back(line({x2, y2 - 6}, {x2, y2 - 16}, 2));
    s.push_back(line({x2, y2 - 16}, {x1, y2 - 16}, 2));
    s.push_back(line({x4, y2 - 6}, {x3, y2 - 16}, 2));
    s.push_back(line({x2, y2 - 6}, {x1, y2 - 16}, 2));
    // Spring seat on the stem, moving with the valve.
    s.push_back(line({x1, yh - 50}, {x4, yh - 50}, 1));
    const double top = y2 - 16, bottom = yh - 50;
    const double third = (top - bottom) / 3, mid = (top + bottom) / 2;
    s.push_back(line({x1, top - third}, {x4, top}, 1));
    s.push_back(line({x1, top - third}, {x4, mid}, 1));
    s.push_back(line({x1, bottom + third}, {x4, mid}, 1));
    s.push_back(line({x1, bottom + third}, {x4, bottom}, 1));
    s.push_back(line({x2, y2 - 16}, {x3, y2 - 16}, 1));
    const Point roller = roller_centre(left);
    s.push_back(ring(roller, 3));
    s.push_back(line({left.centre_x, yh}, roller, 2));
    return s;
}

Sketch right_valve_sketch(const CamTrack& right, const Positions& p) {
    const double L = 20 * right.valve_s;
    Sketch s;
    // Valve head: the middle of the roof between P0 and P5, pushed inwards along
    // the roof's normal (cos 240 deg, sin 240 deg) by the square root of |L|.
    const Point roof = sub(p.P5, p.P0);
    const Point Q1 = add(p.P0, scale(roof, 1.0 / 6));
    const Point Q2 = add(p.P0, scale(roof, 2.0 / 3));
    const double push = std::fabs(L);
    const Point w{-std::sqrt(push) / 2, -std::sqrt(3 * push) / 2};
    const Point H1 = add(Q1, w), H2 = add(Q2, w);
    s.push_back(line(H1, H2, 2));

    const Point M = scale(add(H1, H2), 0.5);
    const double l = length(sub(Q2, Q1));
    const Point T = add(M, {std::sqrt(70 * l) / 2, std::sqrt(3 * 70 * l) / 2});
    s.push_back(line(M, T, 2));
    s.push_back(ring(T, 3));

    // Valve guide along the stem from the two opening edges of the roof.
    const Point n{std::sqrt(l) / 2, std::sqrt(3 * l) / 2};
    const Point f{std::sqrt(7 * l) / 2, std::sqrt(21 * l) / 2};
    const Point Ln = add(p.Pa, n), Lf = add(p.Pa, f), Rn = add(p.Pb, n), Rf = add(p.Pb, f);
    s.push_back(line(Lf, Ln, 2));
    s.push_back(line(Rn, Rf, 2));
    const Point u{-3 * std::sqrt(50.0) / 2, std::sqrt(50.0) / 2 + 3.1};
    const Point v{3 * std::sqrt(50.0) / 2, -std::sqrt(50.0) / 2 - 3.1};
    s.push_back(line(Ln, add(Ln, u), 2));
    s.push_back(line(Lf, add(Lf, u), 2));
    s.push_back(line(Rn, add(Rn, v), 2));
    s.push_back(line(Rf, add(Rf, v), 2));
    s.push_back(line(add(Lf, u), Ln, 2));
    s.push_back(line(Rf, add(Rn, v), 2));

    // Spring seat near the stem top, and the spring between guide and seat.
    const Point S = sub(T, scale(sub(T, M), 1.0 / 6));
    const Point SL = add(S, {-3 * std::sqrt(80.0) / 2, std::sqrt(80.0) / 2 + 3.1});
    const Point SR = add(S, {3 * std::sqrt(80.0) / 2, -std::sqrt(80.0) / 2 - 3.1});
    s.push_back(line(SL, SR, 1));
    s.push_back(line(Lf, Rf, 1));
    const Point A = add(Lf, u), B = add(Rf, v);
    const Point K1 = add(A, scale(sub(SL, A), 1.0 / 3));
    const Point K2 = add(A, scale(sub(SL, A), 2.0 / 3));
    const Point Km = scale(add(B, SR), 0.5);
    s.push_back(line(B, K1, 1));
    s.push_back(line(Km, K1, 1));
    s.push_back(line(Km, K2, 1));
    s.push_back(line(SR, K2, 1));

    // Rocker: pivot between the stem top and the push-rod line, one arm to the
    // stem, the other over the push rod, which the roller lifts.
    const double rod_x = right.centre_x;
    const Point P{(T.x + rod_x) / 2, T.y - (T.y - p.y_s) / 3};
    s.push_back(ring(P, 3));
    const Point N{(P.x + T.x) / 2, 2 * T.y - P.y};
    const double r1 = length(sub(P, N));
    const double hundred = 314.15926 / 180;
    const Point E = add(P, {r1 * std::cos(hundred), r1 * std::sin(hundred)});
    s.push_back(line(E, T, 2));
    s.push_back(line(E, P, 2));
    s.push_back(ring(E, 3));
    const double r2 = std::fabs(P.x - rod_x);
    const Point F{P.x + r2, P.y + right.valve_s};
    s.push_back(line(F, P, 2));
    s.push_back(ring(F, 3));
    const Point roller = roller_centre(right);
    s.push_back(line(F, roller, 2));
    s.push_back(ring(roller, 3));
    return s;
}

}  // namespace vm::anim
