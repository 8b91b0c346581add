// The room the body text leaves around the floating pictures and shapes of
// one page. Each wrapped object keeps a zone (its rectangle and the
// distances it asks for). The text makes room in two ways, chosen because
// the body is filled frame by frame, one paragraph at a time:
// - beside the zone (square, tight and through wrap): the lines level with
//   the zone are set in a narrower frame on the larger side of it, when
//   that side is wide enough to hold text (the rest of a paragraph is
//   measured again at that width, and at the full width below the zone);
// - above and below it (top-and-bottom wrap, or no side wide enough): a
//   line that would run into the zone moves below it, leaving the zone's
//   height free.
#pragma once

#include "publishing/model/Publication.h"

#include <vector>

namespace fq::layout {

// A horizontal stretch of the body that a paragraph is set in.
struct Column {
    double xPt = 0.0;
    double widthPt = 0.0;
    friend bool operator==(const Column&, const Column&) = default;
};

class WrapZones {
public:
    // Forgets the zones (a new page).
    void clear() { zones_.clear(); }
    // Adds the zone of an object standing at rect; objects the text does
    // not avoid add none.
    void add(const model::Rect& rect, const model::FloatingAnchor& anchor);
    bool empty() const { return zones_.empty(); }

    // The stretch of the body a line from y to y + h is set in: the whole
    // body, or the larger side of a zone the line runs level with.
    Column columnAt(double y, double h, const model::Rect& body) const;

    // Where a line of height h that would begin at y within column can
    // begin: y itself, or below every zone it would run into.
    double clearBelow(double y, double h, const Column& column) const;

private:
    struct Zone {
        model::Rect rect;                   // the object with its distances
        bool sides = true;                  // text may stand beside it
    };
    // The larger room beside the zone within the body, if it can hold text.
    bool sideColumn(const Zone& zone, const model::Rect& body, Column& out) const;

    std::vector<Zone> zones_;
};

} // namespace fq::layout
