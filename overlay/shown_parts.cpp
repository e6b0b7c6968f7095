#include "overlay/shown_parts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int tileSide = 64;
// Sampled texture coordinates are within rounding of their exact values:
// a tenth of a texel covers that many times over.
constexpr double texelMargin = 0.1;
// Below this area in pixels the quad covers no pixel centre at all.
constexpr double smallestArea = 1e-6;

struct Span {
    double low;
    double high;
};

Span spanOf(double a, double b, double c, double d)
{
    return {std::min({a, b, c, d}), std::max({a, b, c, d})};
}

// The texels of one axis that coordinates low..high (0..1 across the quad)
// can sample: widened by the margin, and no further than the one texel
// that wraps in from the other edge, since every pixel of the quad samples
// within 0..1. False when none of them lies on the quad.
bool texelsOf(Span coordinates, int side, int& first, int& last)
{
    const double low = coordinates.low * side - texelMargin;
    const double high = coordinates.high * side + texelMargin;
    if (high < 0 || low > side) {
        return false;
    }
    first = std::max(static_cast<int>(std::floor(low)), -1);
    last = std::min(static_cast<int>(std::floor(high)), side);
    return true;
}

class Judge {
public:
    Judge(const WindowMap& map, const Coverage& coverage, double area)
        : map_(map),
          coverage_(coverage),
          inverse_{map.alongTY / area, -map.alongTX / area, -map.alongSY / area, map.alongSX / area}
    {
    }

    // What the pixels of window box x0..x1 by y0..y1 (pixel edges) can show.
    Cover operator()(double x0, double x1, double y0, double y1) const
    {
        double s[4];
        double t[4];
        const double xs[4] = {x0, x1, x0, x1};
        const double ys[4] = {y0, y0, y1, y1};
        for (int corner = 0; corner < 4; ++corner) {
            const double dx = xs[corner] - map_.originX;
            const double dy = ys[corner] - map_.originY;
            s[corner] = inverse_[0] * dx + inverse_[1] * dy;
            t[corner] = inverse_[2] * dx + inverse_[3] * dy;
        }
        int firstColumn = 0;
        int lastColumn = 0;
        int firstRow = 0;
        int lastRow = 0;
        if (!texelsOf(spanOf(s[0], s[1], s[2], s[3]), coverage_.textureWidth(), firstColumn, lastColumn) ||
            !texelsOf(spanOf(t[0], t[1], t[2], t[3]), coverage_.textureHeight(), firstRow, lastRow)) {
            return Cover::None;
        }
        return coverage_.ofTexels(firstColumn, lastColumn, firstRow, lastRow);
    }

private:
    const WindowMap& map_;
    const Coverage& coverage_;
    double inverse_[4];
};

struct Run {
    int x0;
    int x1;
    Cover cover;
};

bool sameRun(const ShownPart& part, const Run& run)
{
    return part.box.x == run.x0 && part.box.x + part.box.width == run.x1 && part.cover == run.cover;
}

}  // namespace

std::vector<ShownPart> shownParts(const WindowMap& map, const Coverage& coverage, WindowBox clip)
{
    std::vector<ShownPart> parts;
    const double area = map.alongSX * map.alongTY - map.alongTX * map.alongSY;
    if (std::abs(area) < smallestArea || coverage.textureWidth() == 0) {
        return parts;
    }
    // The quad's footprint, a pixel wider all round, within the clip.
    const Span xs = spanOf(map.originX, map.originX + map.alongSX, map.originX + map.alongTX,
                           map.originX + map.alongSX + map.alongTX);
    const Span ys = spanOf(map.originY, map.originY + map.alongSY, map.originY + map.alongTY,
                           map.originY + map.alongSY + map.alongTY);
    const int left = std::max(clip.x, static_cast<int>(std::floor(xs.low)) - 1);
    const int right = std::min(clip.x + clip.width, static_cast<int>(std::ceil(xs.high)) + 1);
    const int bottom = std::max(clip.y, static_cast<int>(std::floor(ys.low)) - 1);
    const int top = std::min(clip.y + clip.height, static_cast<int>(std::ceil(ys.high)) + 1);
    if (left >= right || bottom >= top) {
        return parts;
    }

    const Judge judge(map, coverage, area);
    // Boxes still open at the top of the row below, as indices into parts.
    std::vector<std::size_t> open;
    std::vector<std::size_t> stillOpen;
    std::vector<Run> runs;
    for (int y0 = bottom; y0 < top;) {
        const int y1 = std::min(top, (y0 / tileSide + 1) * tileSide);
        runs.clear();
        for (int x0 = left; x0 < right;) {
            const int x1 = std::min(right, (x0 / tileSide + 1) * tileSide);
            const Cover cover = judge(x0, x1, y0, y1);
            if (cover != Cover::None && !runs.empty() && runs.back().x1 == x0 && runs.back().cover == cover) {
                runs.back().x1 = x1;
            } else if (cover != Cover::None) {
                runs.push_back({x0, x1, cover});
            }
            x0 = x1;
        }
        stillOpen.clear();
        for (const Run& run : runs) {
            const auto below = std::find_if(open.begin(), open.end(),
                                            [&](std::size_t index) { return sameRun(parts[index], run); });
            if (below != open.end()) {
                parts[*below].box.height += y1 - y0;
                stillOpen.push_back(*below);
            } else {
                parts.push_back({{run.x0, y0, run.x1 - run.x0, y1 - y0}, run.cover});
                stillOpen.push_back(parts.size() - 1);
            }
        }
        open.swap(stillOpen);
        y0 = y1;
    }
    return parts;
}
