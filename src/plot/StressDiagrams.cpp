#include "qzCore/plot/StressDiagrams.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "qzCore/plot/FigureDecorations.h"

namespace qzCore {

namespace {

// Mohr's diagram: sigma_n 0 to 1 across 1.8 plot units from -0.9, tau 0 to
// 0.5 up 0.9 from -0.45 (one scale both ways, so the circles are round).
constexpr float Left = -0.9f, Base = -0.45f, Scale = 1.8f;
const double Bounds[] = {10.0, 20.0, 30.0};
const RGBColor Classes[] = {{0, 120, 60}, {120, 180, 0}, {240, 150, 0}, {210, 0, 0}};
const RGBColor Grey(150, 150, 150), Black(0, 0, 0);
const char* const Class_Words[] = {"misfit under 10", "10 to 20", "20 to 30", "30 or more"};

GraphicsStyle ink(const RGBColor& c) { return GraphicsStyle(c, Style_Solid, Size_Smallest, Symbol_Dot); }

}  // namespace

std::vector<KeyEntry> misfitKey(const GraphicsStyle& symbol, KeyEntry::Mark mark, bool anyLeftOut) {
    std::vector<KeyEntry> key;
    for (int c = 0; c < 5; ++c) {
        if (c == 4 && !anyLeftOut) break;
        GraphicsStyle s = symbol;
        s.setColor(c < 4 ? Classes[c] : Grey);
        key.push_back({s, c < 4 ? Class_Words[c] : "left out", mark});
    }
    return key;
}

namespace {

void drawClassKey(GraphicsPort& port, const std::vector<bool>& leftOut, Graphics_Symbol symbol) {
    const bool any = std::find(leftOut.begin(), leftOut.end(), true) != leftOut.end();
    drawKey(port, misfitKey(GraphicsStyle(Black, Style_Solid, Size_Default, symbol), KeyEntry::Marker, any), 0.95f);
}

}  // namespace

RGBColor misfitColour(double misfit, bool leftOut) {
    if (leftOut) return Grey;
    int c = 0;
    while (c < 3 && misfit >= Bounds[c]) ++c;
    return Classes[c];
}

TwoDPoint<float> mohrPoint(double normal, double shear) {
    return TwoDPoint<float>(Left + Scale * float(normal), Base + Scale * float(shear));
}

void drawMohrDiagram(GraphicsPort& port, double phi, const std::vector<double>& normal,
                     const std::vector<double>& shear, const std::vector<double>& misfit,
                     const std::vector<bool>& leftOut) {
    const GraphicsStyle frame = ink(Black), text = ink(Black);
    port.beginGroup();
    port.drawLine(mohrPoint(0, 0), mohrPoint(1.05, 0), frame);
    port.drawLine(mohrPoint(0, 0), mohrPoint(0, 0.55), frame);
    // The three circles (upper halves): sigma1-sigma3, sigma1-sigma2,
    // sigma2-sigma3.
    const double circles[3][2] = {{0.0, 1.0}, {phi, 1.0}, {0.0, phi}};
    for (const auto& c : circles) {
        const double centre = 0.5 * (c[0] + c[1]), radius = 0.5 * (c[1] - c[0]);
        if (!(radius > 0.0)) continue;
        GraphicsPath arc(frame);
        for (int k = 0; k <= 180; ++k) {
            const double a = M_PI * k / 180.0;
            arc.add(mohrPoint(centre + radius * std::cos(a), radius * std::sin(a)), GraphicsPath::Path_End);
        }
        port.drawPath(arc, frame, false, false, true);
    }
    // sigma2 within a label's width of sigma3 or sigma1 shares its label.
    constexpr double Label_Room = 0.06;
    const bool low = phi < Label_Room, high = phi > 1.0 - Label_Room;
    const std::pair<double, const char*> marks[] = {
        {0.0, low ? "\u03c32 = \u03c33" : "\u03c33"}, {phi, low || high ? "" : "\u03c32"},
        {1.0, high ? "\u03c31 = \u03c32" : "\u03c31"}};
    for (const auto& [at, words] : marks) {
        port.drawLine(mohrPoint(at, 0), mohrPoint(at, -0.015), frame);
        port.drawText(words, mohrPoint(at, -0.06), 2, text, 10);
    }
    port.drawText("\u03c3n", mohrPoint(1.08, -0.015), 1, text, 11);
    port.drawText("\u03c4", mohrPoint(-0.02, 0.56), 1, text, 11);
    char label[32];
    std::snprintf(label, sizeof label, "\u03a6 = %.2f", phi);
    port.drawText(label, mohrPoint(0.5, 0.58), 2, text, 11);
    // Worst fits first, so the well fitted stand on top.
    std::vector<std::size_t> order(normal.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return misfit[a] > misfit[b]; });
    for (const std::size_t i : order) {
        const GraphicsStyle dot(misfitColour(misfit[i], leftOut[i]), Style_Solid, Size_Default, Symbol_Circle);
        port.drawSymbol(mohrPoint(normal[i], shear[i]), dot, float(Size_Default), dot, true);
    }
    port.endGroup();
    drawClassKey(port, leftOut, Symbol_Circle);
}

void drawMisfitHistogram(GraphicsPort& port, const std::vector<double>& misfit, const std::vector<bool>& leftOut) {
    // 10-degree classes up to 90, or 180 when a fault misfits beyond 90.
    const double top = std::any_of(misfit.begin(), misfit.end(), [](double m) { return m > 90.0; }) ? 180.0 : 90.0;
    const int bins = int(top / 10.0);
    std::vector<int> kept(std::size_t(bins), 0), dropped(std::size_t(bins), 0);
    for (std::size_t i = 0; i < misfit.size(); ++i) {
        const int b = std::min(bins - 1, int(misfit[i] / 10.0));
        ++(leftOut[i] ? dropped : kept)[std::size_t(b)];
    }
    int most = 1;
    for (int b = 0; b < bins; ++b) most = std::max(most, kept[std::size_t(b)] + dropped[std::size_t(b)]);
    const float x0 = -0.9f, width = 1.8f, y0 = -0.8f, height = 1.6f;
    const GraphicsStyle frame = ink(Black), text = ink(Black);
    auto at = [&](double x, double y) {
        return TwoDPoint<float>(x0 + width * float(x / top), y0 + height * float(y / most));
    };
    port.beginGroup();
    for (int b = 0; b < bins; ++b) {
        const double lo = 10.0 * b, hi = lo + 10.0;
        const int k = kept[std::size_t(b)], d = dropped[std::size_t(b)];
        if (k > 0) {
            const GraphicsStyle fill(misfitColour(lo, false), Style_Solid, Size_Smallest, Symbol_Dot);
            port.drawBox(at(lo, 0), at(hi, k), frame, fill, false, true);
        }
        if (d > 0) {
            const GraphicsStyle fill(Grey, Style_Solid, Size_Smallest, Symbol_Dot);
            port.drawBox(at(lo, k), at(hi, k + d), frame, fill, false, true);
        }
    }
    port.drawLine(at(0, 0), at(top, 0), frame);
    port.drawLine(at(0, 0), at(0, most), frame);
    for (double t = 0.0; t <= top; t += top > 90.0 ? 30.0 : 10.0) {
        port.drawText(std::to_string(int(t)), at(t, 0) + TwoDPoint<float>(0.0f, -0.07f), 2, text, 9);
    }
    const int step = std::max(1, most / 5);
    for (int c = 0; c <= most; c += step) {
        port.drawText(std::to_string(c), at(0, c) + TwoDPoint<float>(-0.03f, -0.015f), 4, text, 9);
    }
    port.drawText("misfit (degrees)", TwoDPoint<float>(0.0f, y0 - 0.15f), 2, text, 10);
    port.drawText("faults", TwoDPoint<float>(x0 - 0.05f, y0 + height + 0.05f), 1, text, 10);
    port.endGroup();
    drawClassKey(port, leftOut, Symbol_Square);
}

}  // namespace qzCore
