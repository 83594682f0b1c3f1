#include "LineRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qzCore {

void LineRaster::bind(unsigned char* data, int width, int height, int stride) {
    m_data = data;
    m_width = width;
    m_height = height;
    m_stride = stride;
    const std::size_t n = std::size_t(width) * std::size_t(height);
    m_stamp.assign(n, 0);
    m_before.assign(n, 0);
    m_coverage.assign(n, 0.0f);
    m_current = 0;
}

void LineRaster::polyline(const double* xy, int n, double halfWidth, int r, int g, int b, double alpha, bool closed) {
    if (!m_data || n < 2 || !(halfWidth > 0.0)) return;
    if (++m_current == 0) {  // the stamps wrapped round: start afresh
        std::fill(m_stamp.begin(), m_stamp.end(), 0u);
        m_current = 1;
    }
    m_a = float(std::clamp(alpha, 0.0, 1.0));
    m_r = float(r) * m_a;
    m_g = float(g) * m_a;
    m_b = float(b) * m_a;
    for (int i = 0; i + 1 < n; ++i) segment(xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3], halfWidth);
    if (closed) segment(xy[2 * (n - 1)], xy[2 * (n - 1) + 1], xy[0], xy[1], halfWidth);
}

void LineRaster::segment(double x0, double y0, double x1, double y1, double halfWidth) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return;
    const double reach = halfWidth + 0.5;
    const double dx = x1 - x0, dy = y1 - y0;
    const double len = std::hypot(dx, dy);
    if (len < 1.0) {
        disc(x0, y0, x1, y1, reach);
        return;
    }
    // Step along the segment's longer axis; across it, each pixel's
    // coverage from its distance to the line (the offset across times the
    // cosine of the line's slope).  The joints of a polyline are covered by
    // both neighbours, and a pixel keeps the larger coverage.
    const bool steep = std::fabs(dy) > std::fabs(dx);
    const double a0 = steep ? y0 : x0, a1 = steep ? y1 : x1;  // along
    const double b0 = steep ? x0 : y0, b1 = steep ? x1 : y1;  // across
    const double slope = (b1 - b0) / (a1 - a0);
    const double cosine = std::fabs(a1 - a0) / len;
    const double across = reach / cosine;
    const int limitA = steep ? m_height : m_width, limitB = steep ? m_width : m_height;
    const int aFrom = std::max(0, int(std::floor(std::min(a0, a1) + 0.5)));
    const int aTo = std::min(limitA - 1, int(std::floor(std::max(a0, a1) - 0.5)));
    for (int a = aFrom; a <= aTo; ++a) {
        const double centre = b0 + (a + 0.5 - a0) * slope;
        const int bFrom = std::max(0, int(std::floor(centre - across)));
        const int bTo = std::min(limitB - 1, int(std::floor(centre + across)));
        for (int b = bFrom; b <= bTo; ++b) {
            const double c = reach - std::fabs(b + 0.5 - centre) * cosine;
            if (c <= 0.0) continue;
            const float k = float(c < 1.0 ? c : 1.0);
            if (steep) {
                plot(b, a, k);
            } else {
                plot(a, b, k);
            }
        }
    }
}

void LineRaster::disc(double x0, double y0, double x1, double y1, double reach) {
    const double reach2 = reach * reach;
    const int xa = std::max(0, int(std::floor(std::min(x0, x1) - reach)));
    const int xb = std::min(m_width - 1, int(std::ceil(std::max(x0, x1) + reach)));
    const int ya = std::max(0, int(std::floor(std::min(y0, y1) - reach)));
    const int yb = std::min(m_height - 1, int(std::ceil(std::max(y0, y1) + reach)));
    const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double t = len2 > 0.0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0) : 0.0;
            const double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            const double d2 = ex * ex + ey * ey;
            if (d2 < reach2) plot(x, y, float(std::min(1.0, reach - std::sqrt(d2))));
        }
    }
}

void LineRaster::plot(int x, int y, float coverage) {
    const std::size_t i = std::size_t(y) * std::size_t(m_width) + std::size_t(x);
    std::uint32_t* pixel = reinterpret_cast<std::uint32_t*>(m_data + std::size_t(y) * std::size_t(m_stride)) + x;
    if (m_stamp[i] != m_current) {
        m_stamp[i] = m_current;
        m_before[i] = *pixel;
        m_coverage[i] = coverage;
    } else if (coverage > m_coverage[i]) {
        m_coverage[i] = coverage;
    } else {
        return;
    }
    // Premultiplied "over": out = src c + dst (1 - a c).
    const std::uint32_t dst = m_before[i];
    const float k = m_coverage[i], keep = 1.0f - m_a * k;
    auto channel = [&](int shift, float src) {
        const float v = src * k + float((dst >> shift) & 0xFFu) * keep;
        return std::uint32_t(std::min(255.0f, v + 0.5f)) << shift;
    };
    *pixel = channel(24, 255.0f * m_a) | channel(16, m_r) | channel(8, m_g) | channel(0, m_b);
}

}  // namespace qzCore
