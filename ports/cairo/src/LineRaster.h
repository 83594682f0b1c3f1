// Anti-aliased thin polylines drawn straight into a cairo image (ARGB32,
// premultiplied): the strokes of a raster picture (great circles, poles)
// at a fraction of what a cairo stroke costs, whose price is set by the
// stroke's bounding box rather than its length.
//
// A pixel's coverage is how much of it lies within the half width of the
// nearest segment, by its centre's distance d: 1 up to h - 0.5, falling to
// 0 at h + 0.5.  Along one polyline a pixel takes the largest coverage of
// its segments once, so joints are not darker than the line.
#ifndef QZCORE_PORTS_CAIRO_LINERASTER_H
#define QZCORE_PORTS_CAIRO_LINERASTER_H

#include <cstdint>
#include <vector>

namespace qzCore {

class LineRaster {
public:
    /// Binds to an image of `width` x `height` pixels, `stride` bytes a row.
    void bind(unsigned char* data, int width, int height, int stride);
    /// Draws the polyline of `n` points (x, y pairs, device pixels) with
    /// `halfWidth` pixels either side, in colour (r, g, b: 0-255) at
    /// opacity `alpha` (0-1).  `closed` joins the last point to the first.
    void polyline(const double* xy, int n, double halfWidth, int r, int g, int b, double alpha, bool closed);

private:
    void segment(double x0, double y0, double x1, double y1, double halfWidth);
    /// A short segment (or a point: a disc) by each pixel's distance to it.
    void disc(double x0, double y0, double x1, double y1, double reach);
    void plot(int x, int y, float coverage);

    unsigned char* m_data = nullptr;
    int m_width = 0, m_height = 0, m_stride = 0;
    // Per pixel: which polyline last touched it, its value before that one,
    // and the coverage it got from it.
    std::vector<std::uint32_t> m_stamp;
    std::vector<std::uint32_t> m_before;
    std::vector<float> m_coverage;
    std::uint32_t m_current = 0;
    // The colour being drawn, premultiplied by its opacity.
    float m_r = 0, m_g = 0, m_b = 0, m_a = 1;
};

}  // namespace qzCore

#endif  // QZCORE_PORTS_CAIRO_LINERASTER_H
