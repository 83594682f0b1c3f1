// Named colour maps for density contours, one table: each map is a list of
// colour stops from the lowest level to the highest, and a drawing's n
// levels take n colours evenly spaced along it (linear in sRGB between
// neighbouring stops).
//
// The perceptually ordered maps get steadily darker from the lowest level
// to the highest (CIE L* about 80 down to 15, monotone), so neighbouring
// levels rank by lightness alone, in grey print and for colour-blind
// readers: viridis, cividis and magma are matplotlib's maps of those names
// (van der Walt and Smith 2015; Nuñez et al. 2018 for cividis), reversed
// so that the densest level is darkest and their lightest tenth or so left
// out so that the lowest contour line still shows on white paper.  "greys"
// runs from light grey to black.  "classic" is the library's own default,
// blue to red, whose lightness is not monotone.
#ifndef QZCORE_PLOT_COLORMAPS_H
#define QZCORE_PLOT_COLORMAPS_H

#include "qzCore/Export.h"

#include <cstddef>
#include <string>
#include <vector>

#include "qzCore/shared/Graphics.h"

namespace qzCore {

struct QZCORE_EXPORT ColorMap {
    const char* name;
    const char* description;
    /// From the lowest level's colour to the highest's; at least one.
    std::vector<RGBColor> stops;
};

/// Every named map, the default of our hosts ("viridis") first.
QZCORE_EXPORT const std::vector<ColorMap>& colorMaps();

/// The map of that name (exact, lower case); null for none.
QZCORE_EXPORT const ColorMap* findColorMap(const std::string& name);

/// Exactly n colours evenly spaced along `stops` (the first stop for
/// n == 1; none for n < 1 or no stops), components rounded to whole
/// numbers.
QZCORE_EXPORT std::vector<RGBColor> sampleColors(const std::vector<RGBColor>& stops, int n);

/// Colours of categories (sets, datasets), each unlike the others and
/// safe for the colour-blind first (Okabe and Ito 2008's seven, then three
/// of Tableau's); the `i`-th, repeating after ten.
QZCORE_EXPORT RGBColor categoryColour(std::size_t i);

}  // namespace qzCore

#endif  // QZCORE_PLOT_COLORMAPS_H
