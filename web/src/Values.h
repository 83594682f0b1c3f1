// What the module's bindings share: the dataset handle JavaScript holds,
// options read from a plain object with defaults, and the facade's
// refusals turned into {error, field} values a page can show.
#ifndef QZCORE_WEB_VALUES_H
#define QZCORE_WEB_VALUES_H

#include <emscripten/val.h>

#include <cctype>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <string>

#include "qzCore/facade/Analyses.h"
#include "qzCore/facade/Dataset.h"
#include "qzCore/facade/Density.h"
#include "qzCore/facade/Failures.h"

namespace qzweb {

using emscripten::val;
namespace facade = qzCore::facade;

/// A dataset JavaScript holds (embind copies the handle, not the data).
struct DatasetHandle {
    std::shared_ptr<facade::Dataset> ds;
};

inline facade::Dataset& opened(const DatasetHandle& h) {
    if (!h.ds) throw facade::Refused("dataset", "is empty");
    return *h.ds;
}

/// The option `key` of `options`, or `otherwise` when it is absent (an
/// options object may be left out, null or {}).
inline val option(const val& options, const char* key) {
    if (options.isUndefined() || options.isNull()) return val::undefined();
    return options[key];
}
inline std::string text(const val& options, const char* key, const std::string& otherwise) {
    const val v = option(options, key);
    return v.isUndefined() || v.isNull() ? otherwise : v.as<std::string>();
}
inline double number(const val& options, const char* key, double otherwise) {
    const val v = option(options, key);
    return v.isUndefined() || v.isNull() ? otherwise : v.as<double>();
}
/// A whole number option: a number that is not finite, not whole or
/// beyond an int is refused rather than cast (JavaScript hands over any
/// double).
inline int whole(const val& options, const char* key, int otherwise) {
    const double v = number(options, key, otherwise);
    if (!(v >= -2147483648.0 && v <= 2147483647.0) || v != double(long(v))) {
        throw facade::Refused(key, "takes a whole number");
    }
    return int(v);
}
inline bool flag(const val& options, const char* key, bool otherwise) {
    const val v = option(options, key);
    return v.isUndefined() || v.isNull() ? otherwise : v.as<bool>();
}

/// `text` as valid UTF-8 for JavaScript: bytes that are not UTF-8 (a
/// comment typed in Latin-1 or Windows-1252, as older spreadsheets save
/// them) are read as Latin-1, one character each, rather than decoded
/// into nonsense or lost.
inline std::string utf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool valid = n > 0 && i + n <= text.size() && !(n == 2 && c < 0xC2);
        for (std::size_t k = 1; valid && k < n; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (valid) {
            out.append(text, i, n);
            i += n;
            continue;
        }
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
        ++i;
    }
    return out;
}

/// The option a field of the library names, as this interface spells it:
/// the library names its fields as qz's options ("class-size", "cone",
/// convert's "to"), JavaScript's are camel case ("classSize", "cones",
/// write's "format").
inline std::string optionName(const std::string& field) {
    if (field == "cone") return "cones";
    if (field == "to") return "format";
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '-' && i + 1 < field.size()) {
            out += char(std::toupper(static_cast<unsigned char>(field[++i])));
        } else {
            out += field[i];
        }
    }
    return out;
}

/// {error, field}: the message (naming the option as qz does) and the
/// option of this interface it is about.
inline val failure(const std::string& message, const std::string& field) {
    val out = val::object();
    out.set("error", utf8(message));
    out.set("field", optionName(field));
    return out;
}

/// Runs `f`, turning the facade's refusals and failures into {error}.
template <typename F>
val guarded(F f) {
    try {
        return f();
    } catch (const facade::Refused& r) {
        return failure(r.field() + " " + r.text(), r.field());
    } catch (const facade::Failed& e) {
        std::string message = e.what();
        if (!e.hint().empty()) message += " (" + e.hint() + ")";
        return failure(message, e.field());
    } catch (const std::exception& e) {
        return failure(e.what(), "");
    }
}

/// {trend, plunge}, degrees.
inline val direction(const facade::Direction& d) {
    val out = val::object();
    out.set("trend", d.trend_deg);
    out.set("plunge", d.plunge_deg);
    return out;
}
inline val direction(const std::optional<facade::Direction>& d) { return d ? direction(*d) : val::null(); }
inline val optional(const std::optional<double>& v) { return v ? val(*v) : val::null(); }

/// The planes of faults and the slip lines alone, as qz's --faults and
/// --lineations ask.
inline facade::Selection selection(const val& options) {
    facade::Selection s;
    s.faultPlanes = flag(options, "faults", false);
    s.slipLines = flag(options, "lineations", false);
    return s;
}

/// The option `key` as exactly `n` numbers ([a, b, ...]); empty when
/// absent.  @throw Refused naming `key` for anything else.
inline std::vector<double> numbers(const val& options, const char* key, int n, const char* what) {
    const val v = option(options, key);
    if (v.isUndefined() || v.isNull()) return {};
    if (!v.isArray() || v["length"].as<int>() != n) throw facade::Refused(key, std::string("takes ") + what);
    std::vector<double> out;
    for (int i = 0; i < n; ++i) out.push_back(v[i].as<double>());
    return out;
}

/// A slope face from the options slope ([dip direction, dip]), friction,
/// lateralLimit and curvedLimits, over `face`'s values; the facade checks
/// the angles.
inline void slopeFace(const val& options, qzCore::SlopeFace& face) {
    const std::vector<double> slope = numbers(options, "slope", 2, "[dip direction, dip]");
    if (!slope.empty()) {
        face.dipDirection = slope[0];
        face.dip = slope[1];
    }
    face.friction = number(options, "friction", face.friction);
    face.lateralLimit = number(options, "lateralLimit", face.lateralLimit);
    face.curvedLimits = flag(options, "curvedLimits", face.curvedLimits);
}

/// How a density is counted and contoured, from the options method
/// ("kamb", "1percent", "seismic"), smoothing, grid, sigma, levels
/// ([first, interval]; absent: chosen from the densest node), filled and
/// colours; the facade checks them.
inline facade::DensityParams densityParams(const val& options, const std::string& method) {
    facade::DensityParams p;
    p.method = method;
    p.smoothing = text(options, "smoothing", p.smoothing);
    p.grid = whole(options, "grid", p.grid);
    p.sigma = number(options, "sigma", p.sigma);
    const std::vector<double> levels = numbers(options, "levels", 2, "[first level, interval]");
    if (!levels.empty()) p.levels = std::make_pair(levels[0], levels[1]);
    const std::string count = text(options, "count", "");
    if (!count.empty()) p.count = facade::columnWords(count);
    const std::vector<double> compensate = numbers(options, "compensate", 2, "[trend, plunge]");
    if (!compensate.empty()) p.compensate = facade::Direction{compensate[0], compensate[1]};
    p.filled = flag(options, "filled", false);
    p.colours = text(options, "colours", p.colours);
    return p;
}

}  // namespace qzweb

#endif  // QZCORE_WEB_VALUES_H
