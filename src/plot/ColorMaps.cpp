#include "qzCore/plot/ColorMaps.h"

#include <cmath>

namespace qzCore {

const std::vector<ColorMap>& colorMaps() {
    // Stops sampled at nine evenly spaced points of matplotlib's maps
    // (viridis and cividis over 0.85 .. 0, magma over 0.85 .. 0.1).
    static const std::vector<ColorMap> maps{
        {"viridis", "light green to dark purple (matplotlib's viridis, reversed)",
         {RGBColor(155, 217, 60), RGBColor(90, 200, 100), RGBColor(44, 177, 126), RGBColor(31, 152, 139),
          RGBColor(39, 126, 142), RGBColor(50, 100, 142), RGBColor(63, 71, 136), RGBColor(72, 38, 119),
          RGBColor(68, 1, 84)}},
        {"cividis", "yellow to dark blue, for every kind of colour vision (matplotlib's cividis, reversed)",
         {RGBColor(214, 195, 93), RGBColor(186, 172, 109), RGBColor(158, 150, 118), RGBColor(132, 130, 121),
          RGBColor(108, 109, 114), RGBColor(84, 90, 109), RGBColor(57, 72, 108), RGBColor(15, 53, 112),
          RGBColor(0, 34, 78)}},
        {"magma", "orange through red and purple to black (matplotlib's magma, reversed)",
         {RGBColor(254, 183, 126), RGBColor(252, 138, 98), RGBColor(240, 95, 94), RGBColor(210, 66, 111),
          RGBColor(171, 51, 124), RGBColor(132, 38, 129), RGBColor(95, 24, 127), RGBColor(56, 16, 108),
          RGBColor(20, 14, 54)}},
        {"greys", "light grey to black", {RGBColor(204, 204, 204), RGBColor(0, 0, 0)}},
        {"classic", "blue to red, the library's default (lightness not ordered)",
         {ColorHelper::Default_Interpolate_Start_Color, ColorHelper::Default_Interpolate_End_Color}}};
    return maps;
}

const ColorMap* findColorMap(const std::string& name) {
    for (const ColorMap& m : colorMaps()) {
        if (name == m.name) return &m;
    }
    return nullptr;
}

std::vector<RGBColor> sampleColors(const std::vector<RGBColor>& stops, int n) {
    std::vector<RGBColor> out;
    if (n < 1 || stops.empty()) return out;
    out.reserve(std::size_t(n));
    const double segments = double(stops.size() - 1);
    for (int i = 0; i < n; ++i) {
        const double t = n == 1 ? 0.0 : double(i) / double(n - 1) * segments;
        const std::size_t k = std::min(stops.size() - 1, std::size_t(std::floor(t)));
        const std::size_t next = std::min(stops.size() - 1, k + 1);
        const double f = t - double(k);
        auto mix = [f](int a, int b) { return int(std::lround(a + f * (b - a))); };
        const RGBColor &a = stops[k], &b = stops[next];
        out.emplace_back(mix(a.getRed(), b.getRed()), mix(a.getGreen(), b.getGreen()), mix(a.getBlue(), b.getBlue()));
    }
    return out;
}

RGBColor categoryColour(std::size_t i) {
    static const RGBColor Colours[] = {{0, 114, 178},  {213, 94, 0},    {0, 158, 115}, {204, 121, 167}, {230, 159, 0},
                                       {86, 180, 233}, {148, 103, 189}, {140, 86, 75}, {23, 190, 207},  {0, 0, 0}};
    return Colours[i % (sizeof Colours / sizeof Colours[0])];
}

}  // namespace qzCore
