#include "simulator/PictureCanvas.h"

namespace leapmark {
namespace {

double distanceToSegment(double x, double y, PixelPoint a, PixelPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double along = 0.0;
    if (lengthSquared > 0.0)
        along = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(x - (a.x + along * dx), y - (a.y + along * dy));
}

} // namespace

void PictureCanvas::fillDisc(PixelPoint centre, double radiusPixels, YuvColour colour, double opacity)
{
    fillCapsule(centre, centre, radiusPixels, colour, opacity);
}

void PictureCanvas::fillCapsule(PixelPoint a, PixelPoint b, double radiusPixels, YuvColour colour,
                                double opacity)
{
    if (!(radiusPixels > 0.0))
        return;
    const double reach = radiusPixels + 1.0;
    paint(std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach, std::max(a.x, b.x) + reach,
          std::max(a.y, b.y) + reach, colour, opacity,
          [&](double x, double y) { return radiusPixels + 0.5 - distanceToSegment(x, y, a, b); });
}

void PictureCanvas::fillConvexPolygon(std::span<const PixelPoint> corners, YuvColour colour, double opacity)
{
    if (corners.size() < 3)
        return;
    double twiceArea = 0.0;
    double left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const PixelPoint& p = corners[i];
        const PixelPoint& q = corners[(i + 1) % corners.size()];
        twiceArea += p.x * q.y - q.x * p.y;
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    if (twiceArea == 0.0)
        return;
    const double winding = twiceArea > 0.0 ? 1.0 : -1.0;
    paint(left - 1.0, top - 1.0, right + 1.0, bottom + 1.0, colour, opacity, [&](double x, double y) {
        // The signed distance to the nearest edge line, positive inside.
        double inside = 1e9;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const PixelPoint& p = corners[i];
            const PixelPoint& q = corners[(i + 1) % corners.size()];
            const double edgeLength = std::hypot(q.x - p.x, q.y - p.y);
            if (edgeLength == 0.0)
                continue;
            const double side = winding * ((q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x)) / edgeLength;
            inside = std::min(inside, side);
        }
        return inside + 0.5;
    });
}

void PictureCanvas::fillSoftEllipse(PixelPoint centre, PixelPoint axisA, PixelPoint axisB, YuvColour colour,
                                    double opacity)
{
    const double determinant = axisA.x * axisB.y - axisA.y * axisB.x;
    if (std::abs(determinant) < 1e-9)
        return;
    const double reachX = std::abs(axisA.x) + std::abs(axisB.x) + 1.0;
    const double reachY = std::abs(axisA.y) + std::abs(axisB.y) + 1.0;
    paint(centre.x - reachX, centre.y - reachY, centre.x + reachX, centre.y + reachY, colour, opacity,
          [&](double x, double y) {
              const double dx = x - centre.x;
              const double dy = y - centre.y;
              const double s = (dx * axisB.y - dy * axisB.x) / determinant;
              const double t = (axisA.x * dy - axisA.y * dx) / determinant;
              const double falloff = 1.0 - (s * s + t * t);
              return falloff > 0.0 ? falloff * falloff : 0.0;
          });
}

} // namespace leapmark
