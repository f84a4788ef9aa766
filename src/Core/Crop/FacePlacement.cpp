#include "Core/Crop/FacePlacement.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace core {

namespace {

// Headroom above the top face, in face heights, measured from the face's lower edge.
constexpr double headroom = 1.4;
// What the detector's box leaves out of a head, in face sizes: the chin below it, the ears beside it.
constexpr double chinRoom = 0.25;
constexpr double sideRoom = 0.15;
// Lower edges less than half a pixel apart are level: they fall on the same row, and the arithmetic that
// scales a detector's box to pixels leaves errors far below that, which must not choose the top face.
constexpr double level = 0.5;

bool isLevelWith(double lowerEdge, double highestLowerEdge) {
    return lowerEdge <= highestLowerEdge + level;
}

struct Bounds {
    double minX, maxX, minY, maxY;
};

// The maxima start from 0, as the union of boxes in an image always does.
Bounds unionOf(const std::vector<cg::Rect>& rects, double emptyMin) {
    if (rects.empty()) return {emptyMin, 0, emptyMin, 0};
    Bounds b{rects.front().origin.x, 0, rects.front().origin.y, 0};
    for (const cg::Rect& r : rects) {
        b.minX = std::min(b.minX, r.origin.x);
        b.minY = std::min(b.minY, r.origin.y);
        b.maxX = std::max(b.maxX, r.origin.x + r.size.width);
        b.maxY = std::max(b.maxY, r.origin.y + r.size.height);
    }
    return b;
}

// The first rectangle that matches, or the first rectangle when none does.
template <typename Match>
const cg::Rect& firstMatching(const std::vector<cg::Rect>& rects, Match match) {
    const auto found = std::find_if(rects.begin(), rects.end(), match);
    return found != rects.end() ? *found : rects.front();
}

struct Span {
    double s, e;   // horizontal start and extent
    double v, ve;  // vertical top and extent
};

Span spanOf(const std::vector<cg::Rect>& faces, const Bounds& u, const cg::Rect& L, const cg::Rect& R,
            const FaceCropGeometry& g) {
    const double uW = u.maxX - u.minX, uH = u.maxY - u.minY;
    if (uW <= g.tw || faces.size() == 1) return {u.minX, uW, u.minY, uH};

    if (faces.size() == 2) {
        const double c = u.minX + (uW - g.tw) / 2;
        const double centredOnRight = c + (uW - R.size.width) / 2;
        double s;
        if (L.size.width < R.size.width) {
            s = centredOnRight;
        } else if (L.size.width > R.size.width) {
            s = c - (uW - L.size.width) / 2;
        } else {
            s = (c - L.origin.x < (R.origin.x + R.size.width) - (c + g.tw)) ? L.origin.x : centredOnRight;
        }
        return {s, g.tw, u.minY, g.th};
    }

    std::vector<cg::Rect> middle;
    std::copy_if(faces.begin(), faces.end(), std::back_inserter(middle),
                 [&](const cg::Rect& r) { return !(r == L) && !(r == R); });
    const Bounds m = unionOf(middle, -1);
    const double gapL = m.minX - L.origin.x;
    const double gapR = (R.origin.x + R.size.width) - m.maxX;
    const double v = m.minY, ve = m.maxY - m.minY;
    if (gapL < gapR) return {u.minX, m.maxX - u.minX, v, ve};
    return {m.minX, (R.origin.x + R.size.width) - m.minX, v, ve};
}

// The top of `window` (inside an image `H` high) moved so that it also shows the chins of the faces it
// holds: the detector's boxes end above them, and a window that ends at a box's lower edge cuts a chin
// a viewer sees. It moves down as far as the lowest chin asks, or until the highest of those faces meets
// its top edge: no face it holds is lost, and room above the heads is what gives way.
double withChinsHeld(const cg::Rect& window, const std::vector<cg::Rect>& faceBoxes, double H) {
    const double y = window.minY(), h = window.height();
    double chins = window.maxY(), tops = window.maxY();
    for (const cg::Rect& box : faceBoxes) {
        if (!window.insetBy(-1e-6, -1e-6).contains(box)) continue;
        chins = std::max(chins, std::min(H, box.maxY() + chinRoom * box.height()));
        tops = std::min(tops, box.minY());
    }
    return std::max(y, std::min(chins - h, tops));
}

double area(const cg::Rect& r) {
    return r.width() * r.height();
}

// The top face of the placement rules: the highest lower edge, the first of those level with it.
cg::Rect topFace(const std::vector<cg::Rect>& faceBoxes) {
    double highest = faceBoxes.front().maxY();
    for (const cg::Rect& box : faceBoxes) highest = std::min(highest, box.maxY());
    return firstMatching(faceBoxes, [&](const cg::Rect& box) { return isLevelWith(box.maxY(), highest); });
}

// The face a window that cannot hold them all is placed by: the largest (for two faces the wider, the one
// the rules centre on). Of faces as large as it, the top one, or one level with it that `window` holds: the
// rules may frame any of those.
cg::Rect largestFace(const std::vector<cg::Rect>& faceBoxes, const cg::Rect& window) {
    double most = 0;
    for (const cg::Rect& box : faceBoxes) most = std::max(most, area(box));
    std::vector<cg::Rect> largest;
    std::copy_if(faceBoxes.begin(), faceBoxes.end(), std::back_inserter(largest),
                 [&](const cg::Rect& box) { return area(box) >= most * (1 - 1e-9); });
    const cg::Rect top = topFace(largest);
    const cg::Rect reach = window.insetBy(-1e-6, -1e-6);
    const auto held = std::find_if(largest.begin(), largest.end(), [&](const cg::Rect& box) {
        return isLevelWith(box.maxY(), top.maxY()) && reach.contains(box);
    });
    return held != largest.end() ? *held : top;
}

}  // namespace

cg::Size faceCropFillSize(cg::Size image, cg::Size target, bool fill) {
    const double W0 = image.width, H0 = image.height, tw = target.width, th = target.height;
    if (fill) return target;
    if (tw == th) return H0 > W0 ? cg::Size{tw, tw * H0 / W0} : cg::Size{th * W0 / H0, th};
    const double rW = W0 / tw, rH = H0 / th;
    return rW < rH ? cg::Size{tw, H0 / rW} : cg::Size{W0 / rH, th};
}

cg::Rect faceRectangle(const cg::Rect& box, double W, double H) {
    return cg::Rect(box.origin.x * W, (1 - box.origin.y) * H, box.size.width * W, box.size.height * H);
}

cg::Rect faceBox(const cg::Rect& box, double W, double H) {
    return cg::Rect(box.origin.x * W, (1 - box.origin.y - box.size.height) * H, box.size.width * W,
                    box.size.height * H);
}

std::optional<cg::Rect> faceCropWindow(const std::vector<cg::Rect>& faces, const FaceCropGeometry& g) {
    if (faces.empty()) return std::nullopt;
    const Bounds u = unionOf(faces, 0);
    // The rules measure a face by its lower edge: the top face is the first of those level with the highest.
    const cg::Rect& T =
        firstMatching(faces, [&](const cg::Rect& r) { return isLevelWith(r.origin.y, u.minY); });
    const cg::Rect& L = firstMatching(faces, [&](const cg::Rect& r) { return r.origin.x == u.minX; });
    const cg::Rect& R =
        firstMatching(faces, [&](const cg::Rect& r) { return r.origin.x + r.size.width == u.maxX; });
    const Span span = spanOf(faces, u, L, R, g);

    const double centred = span.v + (span.ve - g.th) / 2;
    const double bottom = span.v + span.ve;
    const double Th = T.size.height;
    const double margin = Th <= g.fh ? headroom * Th : Th;
    double base;
    if (g.fw >= g.fh) {
        base = bottom < g.fh ? (g.fh - bottom) / 2 : centred;
    } else if (span.ve > g.fh) {
        base = centred;
    } else {
        base = bottom < g.fh ? span.v - headroom * Th : centred;
    }
    double y = std::min(T.origin.y - margin, base);
    double x = std::max(0.0, span.s + (span.e - g.tw) / 2);
    if (!g.fill) {
        if (x + g.tw > g.fw) x = g.fw - g.tw;
        if (y + g.th > g.fh) y = g.fh - g.th;
    }
    return cg::Rect(x, y, g.tw, g.th);
}

cg::Rect faceWithHeadroom(const cg::Rect& box) {
    const double w = box.width(), h = box.height();
    return cg::Rect(box.minX() - sideRoom * w, box.minY() - (headroom - 1) * h, w * (1 + 2 * sideRoom),
                    h * (headroom + chinRoom));
}

std::optional<cg::Rect> windowHoldingFaces(const cg::Rect& window, const std::vector<cg::Rect>& faceBoxes,
                                           double W, double H) {
    const double w = window.width(), h = window.height();
    if (w > W + 1e-6 || h > H + 1e-6) return std::nullopt;
    double x = window.minX(), y = window.minY();
    const auto fitsAcross = [&](const cg::Rect& r) { return r.width() <= w + 1e-6; };
    const auto fitsDown = [&](const cg::Rect& r) { return r.height() <= h + 1e-6; };
    const auto fits = [&](const cg::Rect& r) { return fitsAcross(r) && fitsDown(r); };
    // The least move that brings `r` inside the window along each axis on which it is no larger than it;
    // along the other the window stays where it is.
    const auto hold = [&](const cg::Rect& r) {
        if (fitsAcross(r)) x = std::clamp(x, r.maxX() - w, std::max(r.maxX() - w, r.minX()));
        if (fitsDown(r)) y = std::clamp(y, r.maxY() - h, std::max(r.maxY() - h, r.minY()));
    };
    if (!faceBoxes.empty()) {
        cg::Rect all = faceBoxes.front();
        for (const cg::Rect& box : faceBoxes) all = all.unionWith(box);
        const cg::Rect top = topFace(faceBoxes);
        const cg::Rect largest = largestFace(faceBoxes, cg::Rect(x, y, w, h));
        const cg::Rect head = faceWithHeadroom(largest);
        if (!fits(head)) {
            // A close portrait: the window cannot hold the face with its headroom, and the crops make it the
            // largest of its proportions the picture holds (see salientCropArea). The face itself comes
            // first: across, the window is centred on it (its side room is even); down, it holds the face
            // with its headroom where that fits, else the face with the room left given below it before
            // above it, as a photographer cuts the top of a head, never a chin. Only a face larger than the
            // window is cut, with the window centred on the face.
            x = largest.midX() - w / 2;
            if (fitsDown(head)) {
                y = head.midY() - h / 2;
            } else if (fitsDown(largest)) {
                const double chin = std::min(h - largest.height(), head.maxY() - largest.maxY());
                y = largest.maxY() + chin - h;
            } else {
                y = largest.midY() - h / 2;
            }
            hold(all);
        } else if (fits(all)) {
            hold(all);
        } else {
            // Not every face fits. The largest is the person the photo is of; a smaller face higher up may
            // be someone behind them, or a pattern in clouds or leaves that looks like one, and is kept only
            // beside the largest with its headroom: the top face first, then the others from the largest.
            cg::Rect kept = head.intersection(cg::Rect(0, 0, W, H));
            hold(kept);
            std::vector<cg::Rect> others;
            std::copy_if(faceBoxes.begin(), faceBoxes.end(), std::back_inserter(others),
                         [&](const cg::Rect& box) { return !(box == largest) && !(box == top); });
            std::stable_sort(others.begin(), others.end(),
                             [](const cg::Rect& a, const cg::Rect& b) { return area(a) > area(b); });
            if (!(top == largest)) others.insert(others.begin(), top);
            for (const cg::Rect& face : others) {
                const cg::Rect both = kept.unionWith(face);
                if (!fits(both)) continue;
                hold(both);
                kept = both;
            }
        }
    }
    const cg::Rect inside(std::clamp(x, 0.0, std::max(0.0, W - w)), std::clamp(y, 0.0, std::max(0.0, H - h)),
                          w, h);
    return cg::Rect(inside.minX(), withChinsHeld(inside, faceBoxes, H), w, h);
}

std::optional<cg::Rect> windowInsideImage(const cg::Rect& window, double W, double H) {
    // A hair of tolerance: a target computed as W0 × (tw / W0) may come back a rounding error short.
    const double w = std::floor(window.width() + 1e-6), h = std::floor(window.height() + 1e-6);
    const double imageW = std::floor(W + 1e-6), imageH = std::floor(H + 1e-6);
    if (w < 1 || h < 1 || w > imageW || h > imageH) return std::nullopt;
    const double x = std::clamp(std::round(window.minX()), 0.0, imageW - w);
    const double y = std::clamp(std::round(window.minY()), 0.0, imageH - h);
    return cg::Rect(x, y, w, h);
}

}  // namespace core
