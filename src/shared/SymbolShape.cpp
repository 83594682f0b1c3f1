#include "qzCore/shared/SymbolShape.h"

#include <algorithm>
#include <cmath>

namespace qzCore {

SymbolShape symbolShape(Graphics_Symbol symbol, double x, double y, double s) {
    constexpr double Pi = 3.14159265358979323846;
    SymbolShape out;
    switch (symbol) {
        case Symbol_Square:
            out.add({x - s * 0.8, y - s * 0.8, x + s * 0.8, y - s * 0.8, x + s * 0.8, y + s * 0.8, x - s * 0.8,
                     y + s * 0.8},
                    true);
            break;
        case Symbol_Triangle:
            out.add({x, y - s, x + s * 0.866, y + s * 0.5, x - s * 0.866, y + s * 0.5}, true);
            break;
        case Symbol_Diamond: out.add({x, y - s, x + s, y, x, y + s, x - s, y}, true); break;
        case Symbol_Star: {
            std::vector<double> xy;
            for (int i = 0; i < 10; ++i) {
                const double r = (i % 2 == 0) ? s : s * 0.4;
                const double a = -Pi / 2 + i * Pi / 5;
                xy.push_back(x + r * std::cos(a));
                xy.push_back(y + r * std::sin(a));
            }
            out.add(xy, true);
            break;
        }
        case Symbol_Cross:
            out.add({x - s, y, x + s, y}, false);
            out.add({x, y - s, x, y + s}, false);
            break;
        case Symbol_X:
            out.add({x - s * 0.75, y - s * 0.75, x + s * 0.75, y + s * 0.75}, false);
            out.add({x - s * 0.75, y + s * 0.75, x + s * 0.75, y - s * 0.75}, false);
            break;
        case Symbol_Horizontal_Tick: out.add({x - s, y, x + s, y}, false); break;
        case Symbol_Vertical_Tick: out.add({x, y - s, x, y + s}, false); break;
        default: {  // a circle, and markers drawn as a point: chords of about 3 units
            const int n = std::max(12, int(std::ceil(2 * Pi * s / 3.0)));
            std::vector<double> xy;
            for (int i = 0; i < n; ++i) {
                xy.push_back(x + s * std::cos(2 * Pi * i / n));
                xy.push_back(y + s * std::sin(2 * Pi * i / n));
            }
            out.add(xy, true);
            break;
        }
    }
    return out;
}

}  // namespace qzCore
