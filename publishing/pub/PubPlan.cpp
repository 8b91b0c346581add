// Numbers the objects of a publication for the three streams.
#include "publishing/pub/PubPlan.h"

#include "publishing/pub/LinkedFrames.h"
#include "publishing/pub/PubConstants.h"

#include <cmath>
#include <map>

namespace fq::pub {

namespace {

std::int32_t emu(double pt) { return static_cast<std::int32_t>(std::lround(pt * kEmuPerPoint)); }

class Numbering {
public:
    std::uint32_t next() { return current_++; }
    std::uint32_t nextPage() {
        while (isReservedPageSeq(current_)) ++current_;
        return current_++;
    }
    std::uint32_t last() const { return current_ - 1; }

private:
    std::uint32_t current_ = kFirstSequenceNumber;
};

} // namespace

ShapeKind drawingKind(const model::DrawingFrame& d) {
    using model::PresetShape;
    const PresetShape p = d.geometry.preset;
    if (p == PresetShape::Line || p == PresetShape::StraightConnector) return ShapeKind::Line;
    const bool boxOutline = p == PresetShape::Rectangle || p == PresetShape::TextBox;
    if (boxOutline && (d.textBox || !d.paragraphs.empty())) return ShapeKind::TextBox;
    return ShapeKind::Drawing;
}

RectEmu anchorOf(const model::Rect& r, std::int32_t pageW, std::int32_t pageH) {
    RectEmu a;
    a.left = emu(r.xPt) - pageW / 2;
    a.top = emu(r.yPt) - pageH / 2;
    a.right = a.left + std::max<std::int32_t>(emu(r.widthPt), 1);
    a.bottom = a.top + std::max<std::int32_t>(emu(r.heightPt), 1);
    return a;
}

bool isReservedPageSeq(std::uint32_t seq) {
    return seq == 0x10D || seq == 0x110 || seq == 0x113 || seq == 0x117;
}

PubPlan makePlan(const model::Publication& pub, bool linkedFrames) {
    PubPlan plan;
    const double widthPt = pub.pages.empty() ? 612.0 : pub.pages.front().widthPt;
    const double heightPt = pub.pages.empty() ? 792.0 : pub.pages.front().heightPt;
    plan.pageWidthEmu = emu(widthPt > 0 ? widthPt : 612.0);
    plan.pageHeightEmu = emu(heightPt > 0 ? heightPt : 792.0);

    // Publisher's numbering of a new publication: 0x102, 0x104, 0x11E and
    // 0x122 stay unused; the first page comes right after the master.
    Numbering n;
    auto& f = plan.fixed;
    auto pageChunks = [&n]() { return PageChunks{n.next(), n.next(), n.next()}; };
    f.document = n.next();
    f.settings72 = n.next();
    n.next();
    f.settings73 = n.next();
    n.next();
    f.borderArt = n.next();
    f.settings54 = n.next();
    f.master = pageChunks();
    const PageChunks first = pageChunks();
    for (int i = 0; i < 3; ++i) f.dummies[i] = pageChunks();
    f.settings7F = n.next();
    f.dummies[3] = pageChunks();
    f.storyTable = n.next();
    f.frameTable = n.next();
    f.storyData = n.next();
    f.palette = n.next();
    n.next();
    f.layout4B = n.next();
    f.layout4F = n.next();
    f.guides4C = n.next();
    n.next();
    f.settings4A = n.next();
    f.settings8A = n.next();

    StoryCollector stories;
    const auto chains = linkedFrames ? flowChains(pub) : decltype(flowChains(pub)){};
    std::map<std::uint32_t, std::uint32_t> chainStory, chainSeen;   // by flow
    std::uint32_t shapeIndex = 0;   // shapes of the pages' drawing, patriarch excluded
    auto nextSpid = [&]() {
        ++shapeIndex;
        // Each id cluster holds 1024 shape ids; the patriarch takes the
        // first id of cluster 1.
        const std::uint32_t cluster = 1 + shapeIndex / 1024;
        plan.pageClusters = cluster;
        return cluster * 1024 + shapeIndex % 1024;
    };

    const model::Page emptyPage;
    const std::size_t pageCount = pub.pages.empty() ? 1 : pub.pages.size();
    for (std::size_t i = 0; i < pageCount; ++i) {
        const model::Page& page = pub.pages.empty() ? emptyPage : pub.pages[i];
        PlannedPage planned;
        const PageChunks chunks = i == 0 ? first : PageChunks{n.nextPage(), n.next(), n.next()};
        planned.seq = chunks.page;
        planned.settings60 = chunks.settings60;
        planned.form77 = chunks.form77;
        for (const model::Shape& shape : page.shapes) {
            if (const auto* table = std::get_if<model::TableFrame>(&shape.content)) {
                planTable(*table, shape.rect, {[&] { return n.next(); }, nextSpid}, stories, plan, planned);
                continue;
            }
            PlannedShape s;
            s.seq = n.next();
            s.spid = nextSpid();
            s.anchor = anchorOf(shape.rect, plan.pageWidthEmu, plan.pageHeightEmu);
            if (const auto* frame = std::get_if<model::TextFrame>(&shape.content)) {
                s.kind = ShapeKind::TextBox;
                const auto chain = chains.find(frame->flow);
                if (chain != chains.end()) {
                    auto [story, fresh] = chainStory.try_emplace(frame->flow, 0);
                    if (fresh) story->second = stories.add(joinedChain(chain->second), shape.rect);
                    s.textId = story->second;
                    s.chainIndex = chainSeen[frame->flow]++;
                } else {
                    s.textId = stories.add(*frame, shape.rect);
                }
            } else if (const auto* pic = std::get_if<model::PictureFrame>(&shape.content)) {
                s.description = utf8ToUtf16(pic->description);
                if (auto blip = makeBlip(pic->format, pic->data, shape.rect.widthPt, shape.rect.heightPt)) {
                    s.kind = ShapeKind::Picture;
                    plan.blips.push_back(std::move(*blip));
                    s.pib = static_cast<std::uint32_t>(plan.blips.size());
                } else {
                    s.kind = ShapeKind::Placeholder;
                    s.textId = stories.addPlain(placeholderText(pic->format), shape.rect);
                }
            } else if (const auto* drawing = std::get_if<model::DrawingFrame>(&shape.content)) {
                // A text box is one shape; another outline holding text is
                // the outline with a text box laid over it.
                s.drawing = drawing;
                s.kind = drawingKind(*drawing);
                s.description = utf8ToUtf16(drawing->description);
                if (drawing->fill.kind == model::ShapeFill::Kind::Picture) {
                    if (auto blip = makeBlip(drawing->fill.pictureFormat, drawing->fill.picture, shape.rect.widthPt,
                                             shape.rect.heightPt)) {
                        plan.blips.push_back(std::move(*blip));
                        s.fillPib = static_cast<std::uint32_t>(plan.blips.size());
                    }
                }
                const model::TextFrame text{.paragraphs = drawing->paragraphs, .role = model::FrameRole::Other};
                if (s.kind != ShapeKind::TextBox && !drawing->paragraphs.empty()) {
                    planned.shapes.push_back(s);
                    s.kind = ShapeKind::TextBox;
                    s.overlay = true;
                    s.fillPib = 0;
                    s.description.clear();
                    s.seq = n.next();
                    s.spid = nextSpid();
                }
                if (s.kind == ShapeKind::TextBox) s.textId = stories.add(text, shape.rect);
            }
            planned.shapes.push_back(s);
        }
        if (planned.shapes.empty()) {
            // Readers drop a page without shapes: an empty page keeps an
            // invisible page-sized rectangle.
            PlannedShape s;
            s.kind = ShapeKind::Filler;
            s.seq = n.next();
            s.spid = nextSpid();
            s.anchor = anchorOf(model::Rect{0, 0, widthPt, heightPt}, plan.pageWidthEmu, plan.pageHeightEmu);
            planned.shapes.push_back(s);
        }
        plan.pages.push_back(std::move(planned));
    }
    f.fontList = n.next();
    plan.masterSpid = (plan.pageClusters + 1) * 1024;
    plan.stories = stories.take();
    plan.lastSeq = n.last();
    return plan;
}

} // namespace fq::pub
