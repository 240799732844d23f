// SPDX-License-Identifier: GPL-3.0-or-later
// The device context's state, the object table and clipping.
#include "formats/textcodec.h"
#include "formats/wmf/player.h"

namespace wmf {
namespace {

constexpr int kMaxSavedStates = 256;
// Qt keeps what it learns of every font family it is asked for; a file naming thousands of
// made-up faces would make it keep them all. Faces past this many fall back to Arial.
constexpr qsizetype kMaxFaces = 32;
// Every clip applied is rasterised afresh, at a cost in its rectangles (about 20 us each at 800
// px): a file selecting a large region on every record would cost rectangles times records. Past
// this many rectangles applied in one picture, large clips are applied as their bounding boxes.
constexpr qint64 kClipWorkBudget = 64 * 1024;
constexpr qsizetype kSmallClip = 16;  // clips this small are not counted: they cost next to nothing

}  // namespace

void ObjectTable::create(Object o)
{
    if (!free_.empty()) {
        objects_[*free_.begin()] = std::move(o);
        free_.erase(free_.begin());
    } else if (objects_.size() < 65535) {
        objects_.push_back(std::move(o));
    }
}

const Object *ObjectTable::at(int index) const
{
    if (index < 0 || std::size_t(index) >= objects_.size() || !objects_[std::size_t(index)])
        return nullptr;
    return &*objects_[std::size_t(index)];
}

void ObjectTable::remove(int index)
{
    if (!at(index))
        return;
    objects_[std::size_t(index)].reset();
    free_.insert(std::size_t(index));
}

void Player::window(quint16 function, const Params &p)
{
    if (function == SETMAPMODE) {
        dc_.mapMode = p.u(0);
    } else if (function == SETWINDOWORG) {
        dc_.windowOrg = QPointF(p.s(1), p.s(0));
    } else if (function == SETWINDOWEXT && p.s(0) != 0 && p.s(1) != 0) {
        dc_.windowExt = QSizeF(p.s(1), p.s(0));
    } else if (function == OFFSETWINDOWORG) {
        dc_.windowOrg += QPointF(p.s(1), p.s(0));
    } else if (function == SCALEWINDOWEXT && p.s(0) && p.s(2)) {
        const double w = dc_.windowExt.width() * p.s(3) / p.s(2), h = dc_.windowExt.height() * p.s(1) / p.s(0);
        if (w != 0 && h != 0 && std::abs(w) < 1e9 && std::abs(h) < 1e9)
            dc_.windowExt = QSizeF(w, h);
    }
}

void Player::modes(quint16 function, const Params &p)
{
    switch (function) {
    case SETBKMODE: dc_.backMode = p.u(0); break;
    case SETBKCOLOR: dc_.backColour = colorRef(p.u32(0)); break;
    case SETTEXTCOLOR: dc_.textColour = colorRef(p.u32(0)); break;
    case SETTEXTALIGN: dc_.textAlign = p.u(0); break;
    case SETPOLYFILLMODE: dc_.fillMode = p.u(0); break;
    case SETTEXTCHAREXTRA: dc_.charExtra = std::clamp<int>(p.s(0), -1000, 1000); break;
    default: break;
    }
}

void Player::saveDC(quint16, const Params &)
{
    if (saved_.size() < kMaxSavedStates)
        saved_.push_back(dc_);
    else
        ++lostSaves_;
}

void Player::restoreDC(quint16, const Params &p)
{
    const int n = p.s(0);
    // Negative: that many states back. Positive: back to the state saved at that depth.
    std::size_t keep;
    if (n < 0) {
        std::size_t back = std::size_t(-n);
        const std::size_t lost = std::min<std::size_t>(back, lostSaves_);
        lostSaves_ -= lost;
        back -= lost;
        if (back == 0 || back > saved_.size())
            return;
        keep = saved_.size() - back;
    } else {
        if (n == 0 || std::size_t(n) > saved_.size())
            return;
        keep = std::size_t(n) - 1;
        lostSaves_ = 0;
    }
    dc_ = saved_[keep];
    saved_.resize(keep);
    applyClip();
}

void Player::createPen(quint16, const Params &p)
{
    Object o;
    o.kind = Object::Pen;
    if (p.has(5))
        o.pen = {p.u(0), double(p.s(1)), colorRef(p.u32(3))};
    objects_.create(o);
}

void Player::createBrush(quint16, const Params &p)
{
    Object o;
    o.kind = Object::Brush;
    if (p.has(4)) {
        o.brush.style = p.u(0);
        o.brush.colour = colorRef(p.u32(1));
        o.brush.hatch = p.u(3);
    }
    objects_.create(o);
}

void Player::createFont(quint16, const Params &p)
{
    Object o;
    o.kind = Object::Font;
    if (p.has(9)) {
        o.font.height = p.s(0);
        o.font.width = p.s(1);
        o.font.escapement = p.s(2);
        o.font.weight = p.s(4);
        o.font.italic = p.u(5) & 0xFF;
        o.font.underline = p.u(5) >> 8;
        o.font.strikeOut = p.u(6) & 0xFF;
        o.font.charset = p.u(6) >> 8;
        const QByteArray face = p.bytes(9, std::min<qsizetype>(32, p.byteCount() - 18));
        const qsizetype nul = face.indexOf('\0');
        const QString name = textcodec::fromWindows1252(nul >= 0 ? face.left(nul) : face).trimmed();
        if (!name.isEmpty() && (faces_.contains(name) || faces_.size() < kMaxFaces)) {
            faces_.insert(name);
            o.font.face = name;
        }
    }
    objects_.create(o);
}

void Player::createPalette(quint16, const Params &p)
{
    Object o;
    o.kind = Object::Palette;
    const int entries = std::min<int>(p.u(1), (p.count() - 2) / 2);
    for (int i = 0; i < entries; ++i)
        o.palette.push_back(qRgb(p.u(2 + 2 * i) & 0xFF, p.u(2 + 2 * i) >> 8, p.u(3 + 2 * i) & 0xFF));
    objects_.create(o);
}

void Player::createRegion(quint16, const Params &p)
{
    // nextInChain, objectType, objectCount (2 words), regionSize, scanCount, maxScan,
    // bounding box (4 words), then scans: count, top, bottom, count/2 pairs, count.
    Object o;
    o.kind = Object::Region;
    const int scans = p.has(11) ? p.u(5) : 0;
    int at = 11;
    for (int s = 0; s < scans && at + 3 <= p.count(); ++s) {
        const int count = p.u(at), top = p.s(at + 1), bottom = p.s(at + 2);
        if (count % 2 || at + 4 + count > p.count())
            break;
        for (int k = 0; k < count; k += 2)
            o.region.append(QRectF(QPointF(p.s(at + 3 + k), top), QPointF(p.s(at + 4 + k), bottom)));
        at += 4 + count;
    }
    if (o.region.isEmpty() && p.has(11))
        o.region.append(QRectF(QPointF(p.s(7), p.s(8)), QPointF(p.s(9), p.s(10))));
    if (o.region.size() > kMaxClipRects)  // kept as its bounding box, as a clip would be
        o.region = ClipArea::unionOf(o.region).rects();
    objects_.create(o);
}

void Player::selectObject(quint16 function, const Params &p)
{
    const Object *o = objects_.at(p.u(0));
    if (!o || (function == SELECTPALETTE && o->kind != Object::Palette))
        return;
    switch (o->kind) {
    case Object::Pen: dc_.pen = o->pen; break;
    case Object::Brush: dc_.brush = o->brush; break;
    case Object::Font: dc_.font = o->font; break;
    case Object::Palette: dc_.palette = o->palette; break;
    case Object::Region: selectRegion(o->region); break;
    }
}

void Player::deleteObject(quint16, const Params &p) { objects_.remove(p.u(0)); }

void Player::selectRegion(const QList<QRectF> &logical)
{
    QList<QRectF> device;
    device.reserve(logical.size());
    for (const QRectF &r : logical)
        device.append(mapRect(r.left(), r.top(), r.right(), r.bottom()));
    dc_.clip = ClipArea::unionOf(device);
    applyClip();
}

void Player::clipRegion(quint16, const Params &p)
{
    if (const Object *o = objects_.at(p.u(0)); o && o->kind == Object::Region) {
        selectRegion(o->region);
        return;
    }
    dc_.clip.reset();
    applyClip();
}

void Player::clipRect(quint16 function, const Params &p)
{
    const QRectF r = mapRect(p.s(3), p.s(2), p.s(1), p.s(0));
    // With no clip everything may be drawn: start from well beyond the picture.
    const ClipArea current = dc_.clip ? *dc_.clip : ClipArea(target_.adjusted(-diagonal(), -diagonal(), diagonal(), diagonal()));
    dc_.clip = function == INTERSECTCLIPRECT ? current.intersected(r) : current.subtracted(r);
    applyClip();
}

void Player::offsetClip(quint16, const Params &p)
{
    if (dc_.clip)
        dc_.clip = dc_.clip->translated(p.s(1) * sx(), p.s(0) * sy());
    applyClip();
}

void Player::applyClip()
{
    if (dc_.clip)
        showClip(*dc_.clip);
    else
        out_.setClip(nullptr);
}

void Player::showClip(const ClipArea &area)
{
    if (area.rects().size() > kSmallClip)
        clipWork_ += area.rects().size();
    const QPainterPath path = clipWork_ > kClipWorkBudget ? ClipArea(area.boundingRect()).toPath() : area.toPath();
    out_.setClip(&path);
}

}  // namespace wmf
