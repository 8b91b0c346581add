// Zones the body text avoids on a page.
#include "publishing/layout/Wrap.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kEpsilon = 0.01;
// A side narrower than this holds too few words to be worth filling.
constexpr double kMinimumSide = 72.0;

bool finite(const model::Rect& r) {
    return std::isfinite(r.xPt) && std::isfinite(r.yPt) && std::isfinite(r.widthPt) && std::isfinite(r.heightPt);
}

} // namespace

void WrapZones::add(const model::Rect& rect, const model::FloatingAnchor& anchor) {
    if (anchor.wrap == model::TextWrap::None || !finite(rect) || rect.widthPt <= 0.0 || rect.heightPt <= 0.0) return;
    auto distance = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 144.0) : 0.0; };
    Zone z;
    z.rect.xPt = rect.xPt - distance(anchor.wrapLeftPt);
    z.rect.yPt = rect.yPt - distance(anchor.wrapTopPt);
    z.rect.widthPt = rect.widthPt + distance(anchor.wrapLeftPt) + distance(anchor.wrapRightPt);
    z.rect.heightPt = rect.heightPt + distance(anchor.wrapTopPt) + distance(anchor.wrapBottomPt);
    z.sides = anchor.wrap != model::TextWrap::TopAndBottom;
    zones_.push_back(z);
}

bool WrapZones::sideColumn(const Zone& zone, const model::Rect& body, Column& out) const {
    if (!zone.sides) return false;
    const double bodyRight = body.xPt + body.widthPt;
    const double left = std::clamp(zone.rect.xPt, body.xPt, bodyRight) - body.xPt;
    const double right = bodyRight - std::clamp(zone.rect.xPt + zone.rect.widthPt, body.xPt, bodyRight);
    if (std::max(left, right) < kMinimumSide) return false;
    if (left >= right) out = {body.xPt, left};
    else out = {bodyRight - right, right};
    return true;
}

Column WrapZones::columnAt(double y, double h, const model::Rect& body) const {
    for (const Zone& z : zones_) {
        if (y + std::max(h, kEpsilon) <= z.rect.yPt + kEpsilon || y >= z.rect.yPt + z.rect.heightPt - kEpsilon) continue;
        Column side;
        if (sideColumn(z, body, side)) return side;
    }
    return {body.xPt, body.widthPt};
}

double WrapZones::clearBelow(double y, double h, const Column& column) const {
    // Moving below one zone may run into another: repeat until none is hit.
    for (std::size_t round = 0; round <= zones_.size(); ++round) {
        bool moved = false;
        for (const Zone& z : zones_) {
            const bool across = column.xPt < z.rect.xPt + z.rect.widthPt - kEpsilon &&
                                z.rect.xPt < column.xPt + column.widthPt - kEpsilon;
            const bool level = y < z.rect.yPt + z.rect.heightPt - kEpsilon && z.rect.yPt < y + h - kEpsilon;
            if (across && level) {
                y = z.rect.yPt + z.rect.heightPt;
                moved = true;
            }
        }
        if (!moved) break;
    }
    return y;
}

} // namespace fq::layout
