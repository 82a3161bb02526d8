// SPDX-License-Identifier: MIT
#include "platform/graphics/GdiLines.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"
#include "platform/rtl/Format.h"

#include <cstdlib>
#include <set>
#include <span>
#include <utility>
#include <vector>

namespace fw {

namespace {

// On/off run lengths of the dashed pen styles, in pixels.
std::span<const int> DashPattern(int32_t aStyle) {
    static const int dash[] = {18, 6};
    static const int dot[] = {3, 3};
    static const int dashDot[] = {9, 6, 3, 6};
    static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (aStyle) {
    case PS_DASH:
        return dash;
    case PS_DOT:
        return dot;
    case PS_DASHDOT:
        return dashDot;
    case PS_DASHDOTDOT:
        return dashDotDot;
    default:
        return {};
    }
}

// The pixels of the line from (aX0, aY0) to (aX1, aY1) without the end pixel
// (Bresenham, stepping along the longer axis).
std::vector<QPoint> LinePixels(int aX0, int aY0, int aX1, int aY1) {
    std::vector<QPoint> pixels;
    const int dx = std::abs(aX1 - aX0);
    const int dy = std::abs(aY1 - aY0);
    const int sx = aX0 < aX1 ? 1 : -1;
    const int sy = aY0 < aY1 ? 1 : -1;
    const int steps = std::max(dx, dy);
    pixels.reserve(static_cast<size_t>(steps));
    int x = aX0;
    int y = aY0;
    int error = (dx >= dy ? dx : dy) / 2;
    for (int i = 0; i < steps; ++i) {
        pixels.emplace_back(x, y);
        if (dx >= dy) {
            x += sx;
            error -= dy;
            if (error < 0) {
                y += sy;
                error += dx;
            }
        } else {
            y += sy;
            error -= dx;
            if (error < 0) {
                x += sx;
                error += dy;
            }
        }
    }
    return pixels;
}

std::vector<QPoint> ApplyDashes(std::vector<QPoint> aPixels, std::span<const int> aPattern) {
    if (aPattern.empty())
        return aPixels;
    std::vector<QPoint> drawn;
    size_t run = 0;
    int left = aPattern[0];
    for (const QPoint& pixel : aPixels) {
        if (run % 2 == 0)
            drawn.push_back(pixel);
        if (--left == 0) {
            run = (run + 1) % aPattern.size();
            left = aPattern[run];
        }
    }
    return drawn;
}

// A wide pen covers a square of its width around each pixel of the line; each
// covered pixel is combined once, so raster operations stay reversible.
std::vector<QPoint> Widen(std::vector<QPoint> aPixels, int aWidth) {
    if (aWidth <= 1)
        return aPixels;
    auto less = [](const QPoint& a, const QPoint& b) {
        return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x());
    };
    std::set<QPoint, decltype(less)> covered(less);
    const int before = (aWidth - 1) / 2;
    for (const QPoint& pixel : aPixels)
        for (int dy = -before; dy < aWidth - before; ++dy)
            for (int dx = -before; dx < aWidth - before; ++dx)
                covered.insert(pixel + QPoint(dx, dy));
    return std::vector<QPoint>(covered.begin(), covered.end());
}

// The pixels a solid horizontal or vertical line covers, the same as its pixels widened
// square by square: one rectangle.
QRect StraightLineArea(QPoint aStart, QPoint aEnd, int aWidth) {
    const int before = (aWidth - 1) / 2;
    const int after = aWidth - 1 - before;
    // The end pixel is left out: the run stops one short of it.
    const QPoint last = aEnd - QPoint(aEnd.x() > aStart.x()   ? 1
                                      : aEnd.x() < aStart.x() ? -1
                                                              : 0,
                                      aEnd.y() > aStart.y()   ? 1
                                      : aEnd.y() < aStart.y() ? -1
                                                              : 0);
    return QRect(
        QPoint(std::min(aStart.x(), last.x()) - before, std::min(aStart.y(), last.y()) - before),
        QPoint(std::max(aStart.x(), last.x()) + after, std::max(aStart.y(), last.y()) + after));
}

// A solid line drawn with the pen's own colour along an axis is a plain fill, which the
// painter does at once; every other line is combined pixel by pixel.
bool IsPlainStraightLine(const TDeviceContext& aContext, QPoint aStart, QPoint aEnd) {
    return aContext.Rop2 == R2_COPYPEN && DashPattern(aContext.Pen->LogPen.Style).empty() &&
           (aStart.x() == aEnd.x()) != (aStart.y() == aEnd.y());
}

} // namespace

int32_t SetROP2(HDC aDC, int32_t aMode) {
    TDeviceContext& context = CheckDC(aDC, "SetROP2");
    if (aMode < R2_BLACK || aMode > R2_WHITE)
        throw EInvalidGraphicOperation(Format("SetROP2: unknown raster operation %d", {aMode}));
    return std::exchange(context.Rop2, aMode);
}

int32_t GetROP2(HDC aDC) {
    return CheckDC(aDC, "GetROP2").Rop2;
}

bool MoveToEx(HDC aDC, int32_t aX, int32_t aY, TPoint* aOld) {
    TDeviceContext& context = CheckDC(aDC, "MoveToEx");
    if (aOld != nullptr)
        *aOld = context.Position;
    context.Position = Point(aX, aY);
    return true;
}

bool LineTo(HDC aDC, int32_t aX, int32_t aY) {
    TDeviceContext& context = CheckDC(aDC, "LineTo");
    const TLogPen& pen = context.Pen->LogPen;
    const TPoint from = context.Position;
    context.Position = Point(aX, aY);
    if (pen.Style == PS_NULL || context.Rop2 == R2_NOP)
        return true;
    if (IsPlainStraightLine(context, QPoint(from.X, from.Y), QPoint(aX, aY))) {
        TContextPainter painter(context);
        if (painter.isActive())
            painter->fillRect(StraightLineArea(QPoint(from.X, from.Y), QPoint(aX, aY), pen.Width),
                              QColor(ToQRgb(pen.Color)));
        return true;
    }
    const QPoint start = context.ToDevice(from.X, from.Y);
    const QPoint end = context.ToDevice(aX, aY);
    const std::vector<QPoint> pixels = Widen(
        ApplyDashes(LinePixels(start.x(), start.y(), end.x(), end.y()), DashPattern(pen.Style)),
        pen.Width);
    PlotPixels(context.Image(), context.DeviceClip(), pixels, pen.Color, context.Rop2);
    return true;
}

TPoint GetCurrentPosition(HDC aDC) {
    return CheckDC(aDC, "GetCurrentPositionEx").Position;
}

} // namespace fw
