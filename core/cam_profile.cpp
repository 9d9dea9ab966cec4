// Cam profile points and the arcs that close the outline.
#include "core/cam_profile.h"

#include <cmath>

#include "core/cam_motion.h"
#include "core/number_text.h"

namespace vm {

std::optional<CamInputs> cam_inputs_of(const std::array<std::string, 4>& texts, std::size_t* bad) {
    double v[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (!to_number(texts[i])) {
            if (bad) *bad = i;
            return std::nullopt;
        }
        v[i] = val(texts[i]);
    }
    return CamInputs{v[0], v[1], v[2], v[3]};
}

namespace {
// Angle in (0, 2*pi] from `from` to `to`, turning counter-clockwise.
double ccw_turn(double from, double to) {
    double t = std::fmod(to - from, 2 * kPiCam);
    if (t <= 0) t += 2 * kPiCam;
    return t;
}

double polar(const CamPoint& p) { return std::atan2(p.y, p.x); }
double distance(const CamPoint& a, const CamPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }
}  // namespace

CamInputError check_cam_inputs(const CamInputs& in) {
    if (in.h < 1 || in.h > 10) return CamInputError::Lift;
    if (in.r0 < 1 || in.r0 > 60) return CamInputError::BaseRadius;
    if (in.e < 0 || in.e > 7) return CamInputError::Offset;
    if (in.rr < 1 || in.rr > 15) return CamInputError::RollerRadius;
    if (in.r0 <= in.e) return CamInputError::BaseNotAboveOffset;
    if (in.rr >= in.r0) return CamInputError::RollerNotBelowBase;
    return CamInputError::None;
}

std::string cam_input_message(CamInputError error) {
    switch (error) {
        case CamInputError::None: return "";
        case CamInputError::Lift: return "请输入1～10之间的升程";
        case CamInputError::BaseRadius: return "请输入1～60之间的基圆半径";
        case CamInputError::Offset: return "请输入0～7之间的偏心距";
        case CamInputError::RollerRadius: return "请输入1～15之间的滚子半径";
        case CamInputError::BaseNotAboveOffset: return "基圆半径必须大于偏心距";
        case CamInputError::RollerNotBelowBase: return "滚子半径必须小于基圆半径";
    }
    return "";
}

CamPoint OutlinePiece::start() const { return is_arc ? on_arc(from) : points.front(); }

CamPoint OutlinePiece::end() const { return is_arc ? on_arc(from + sweep) : points.back(); }

CamPoint OutlinePiece::on_arc(double angle) const {
    return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

CamProfile::CamProfile(const CamInputs& in) : in_(in), s0_(std::sqrt(in.r0 * in.r0 - in.e * in.e)) {
    const int count = static_cast<int>(kLast / kStep) + 1;
    samples_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) samples_.push_back(sample_at(i * kStep));
}

ProfileSample CamProfile::sample_at(double delta) const {
    const FollowerMotion motion{in_.h};
    ProfileSample p;
    p.delta = delta;
    const double d = cam_radians(p.delta), c = std::cos(d), s = std::sin(d);
    const double radial = s0_ + motion.lift(p.delta);
    const double slope = motion.slope(p.delta);
    p.pitch = pitch_point(p.delta);
    // Tangent of the pitch curve (d/d delta); the inward normal is its left
    // turn, since the curve runs counter-clockwise. s0 > 0 and the lift is
    // never negative, so the tangent never vanishes.
    const double dx = (slope - in_.e) * c - radial * s;
    const double dy = radial * c + (slope - in_.e) * s;
    const double n = std::hypot(dx, dy);
    p.normal = {-dy / n, dx / n};
    p.actual = {p.pitch.x + in_.rr * p.normal.x, p.pitch.y + in_.rr * p.normal.y};
    return p;
}

CamPoint CamProfile::pitch_point(double delta) const {
    const double d = cam_radians(delta), c = std::cos(d), s = std::sin(d);
    const double radial = s0_ + FollowerMotion{in_.h}.lift(delta);
    return {radial * c - in_.e * s, radial * s + in_.e * c};
}

const ProfileSample& CamProfile::at(double delta) const {
    return samples_.at(static_cast<size_t>(std::lround(delta / kStep)));
}

std::vector<OutlinePiece> CamProfile::outline(bool actual) const {
    auto point = [actual](const ProfileSample& p) { return actual ? p.actual : p.pitch; };
    auto polyline = [&](double first, double last) {
        OutlinePiece piece;
        for (const ProfileSample& p : samples_)
            if (p.delta >= first && p.delta <= last) piece.points.push_back(point(p));
        return piece;
    };
    // Arc about the cam centre joining two profile points that lie at the same
    // distance from it, turning with the cam angle.
    auto dwell_arc = [](const CamPoint& a, const CamPoint& b) {
        OutlinePiece piece;
        piece.is_arc = true;
        piece.radius = std::hypot(a.x, a.y);
        piece.from = polar(a);
        piece.sweep = ccw_turn(piece.from, polar(b));
        return piece;
    };

    const ProfileSample& first = at(0);
    const ProfileSample& last = at(kLast);
    // On the near dwell the roller sits radially inward of the rise's first
    // pitch point; this is where the near-dwell arc of the actual profile ends.
    const double r0 = std::hypot(first.pitch.x, first.pitch.y);
    const CamPoint near_end = actual ? CamPoint{first.pitch.x * (1 - in_.rr / r0), first.pitch.y * (1 - in_.rr / r0)}
                                     : first.pitch;

    std::vector<OutlinePiece> pieces;
    pieces.push_back(polyline(0, FollowerMotion::kRiseEnd));
    pieces.push_back(dwell_arc(point(at(FollowerMotion::kRiseEnd)), point(at(FollowerMotion::kFarDwellEnd))));
    pieces.push_back(polyline(FollowerMotion::kFarDwellEnd, kLast));
    pieces.push_back(dwell_arc(point(last), near_end));
    if (actual) {
        // The pitch curve turns outward where the rise begins, so the roller
        // rolls about that corner: an arc of radius rr from the near-dwell
        // contact to the first contact of the rise, the short way round.
        OutlinePiece corner;
        corner.is_arc = true;
        corner.centre = first.pitch;
        corner.radius = distance(near_end, first.pitch);
        corner.from = std::atan2(near_end.y - first.pitch.y, near_end.x - first.pitch.x);
        double turn = ccw_turn(corner.from, std::atan2(first.normal.y, first.normal.x));
        if (turn > kPiCam) turn -= 2 * kPiCam;
        corner.sweep = turn;
        pieces.push_back(corner);
    }
    return pieces;
}

}  // namespace vm
