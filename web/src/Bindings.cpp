// The qzcore module for the browser: qzCore's readers, analyses and
// pictures through embind, as plain JavaScript values.  Every function
// returns a plain object; a request refused or failed returns
// {error: "...", field: "..."} instead of throwing, so a page can show it.
// Documented in web/README.md.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <memory>
#include <string>

#include "qzCore/facade/Analyses.h"
#include "qzCore/facade/Pictures.h"
#include "qzCore/ports/SvgFigure.h"
#include "qzCore/qzCore.h"

namespace {

using emscripten::val;
namespace facade = qzCore::facade;

/// A dataset JavaScript holds (embind copies the handle, not the data).
struct DatasetHandle {
    std::shared_ptr<facade::Dataset> ds;
};

std::string text(const val& options, const char* key, const std::string& otherwise) {
    if (options.isUndefined() || options.isNull()) return otherwise;
    const val v = options[key];
    return v.isUndefined() || v.isNull() ? otherwise : v.as<std::string>();
}
double number(const val& options, const char* key, double otherwise) {
    if (options.isUndefined() || options.isNull()) return otherwise;
    const val v = options[key];
    return v.isUndefined() || v.isNull() ? otherwise : v.as<double>();
}
bool flag(const val& options, const char* key, bool otherwise) {
    if (options.isUndefined() || options.isNull()) return otherwise;
    const val v = options[key];
    return v.isUndefined() || v.isNull() ? otherwise : v.as<bool>();
}

val failure(const std::string& message, const std::string& field) {
    val out = val::object();
    out.set("error", message);
    out.set("field", field);
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

val direction(const facade::Direction& d) {
    val out = val::object();
    out.set("trend", d.trend_deg);
    out.set("plunge", d.plunge_deg);
    return out;
}

val optional(const std::optional<double>& v) { return v ? val(*v) : val::null(); }

facade::Dataset& opened(const DatasetHandle& h) {
    if (!h.ds) throw facade::Refused("dataset", "is empty");
    return *h.ds;
}

// ------------------------------------------------------------ reading

facade::ReadOptions readOptions(const val& options) {
    facade::ReadOptions o;
    o.format = text(options, "format", "auto");
    o.delimiter = text(options, "delimiter", "auto");
    const std::string columns = text(options, "columns", "");
    if (!columns.empty()) o.columns = facade::columnWords(columns);
    o.dipDirection = flag(options, "dipDirection", false);
    return o;
}

val read(const std::string& content, const std::string& fileName, const val& options) {
    return guarded([&] {
        const facade::ReadOptions o = readOptions(options);
        auto ds = std::make_shared<facade::Dataset>(facade::Dataset::fromText(fileName, content, o));
        return val(DatasetHandle{ds});
    });
}

/// One more file into the dataset: {} or {error} (the dataset unchanged).
val add(DatasetHandle& h, const std::string& content, const std::string& fileName, const val& options) {
    return guarded([&] {
        const facade::FileRead r = opened(h).addText(fileName, content, readOptions(options));
        return r.ok() ? val::object() : failure(r.message, "file");
    });
}

std::size_t size(const DatasetHandle& h) { return h.ds ? h.ds->size() : 0; }

val rows(const std::vector<facade::LineReport>& reports) {
    val out = val::array();
    for (const facade::LineReport& r : reports) {
        val row = val::object();
        row.set("line", double(r.line));
        row.set("text", r.text);
        row.set("reason", r.reason);
        out.call<void>("push", row);
    }
    return out;
}
val rejected(const DatasetHandle& h) { return h.ds ? rows(h.ds->rejected()) : val::array(); }
val remarks(const DatasetHandle& h) { return h.ds ? rows(h.ds->remarks()) : val::array(); }

val column(const DatasetHandle& h, const std::string& name) {
    static const std::pair<const char*, facade::Column> names[] = {
        {"strike", facade::Column::Strike}, {"dip", facade::Column::Dip},
        {"dipDirection", facade::Column::DipDirection}, {"trend", facade::Column::Trend},
        {"plunge", facade::Column::Plunge}, {"rake", facade::Column::Rake}, {"x", facade::Column::X},
        {"y", facade::Column::Y}, {"z", facade::Column::Z}, {"md", facade::Column::MeasuredDepth}};
    for (const auto& [word, c] : names) {
        if (name != word) continue;
        const std::vector<double> v = h.ds ? h.ds->column(c) : std::vector<double>();
        // A copy JavaScript owns, not a view into the module's memory.
        return val::global("Float64Array").new_(emscripten::typed_memory_view(v.size(), v.data())).call<val>("slice");
    }
    return failure("column takes strike, dip, dipDirection, trend, plunge, rake, x, y, z or md", "column");
}

val layout(const DatasetHandle& h) {
    val out = val::array();
    if (!h.ds) return out;
    for (const facade::FileRead& f : h.ds->files()) {
        val file = val::object();
        file.set("name", f.path);
        file.set("layout", f.layoutText());
        file.set("guessed", f.columnsGuessed());
        file.set("message", f.message);
        out.call<void>("push", file);
    }
    return out;
}

// ------------------------------------------------------------ analyses

facade::Selection selection(const val& options) {
    facade::Selection s;
    s.faultPlanes = flag(options, "faults", false);
    s.slipLines = flag(options, "lineations", false);
    return s;
}

val fisher(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::FisherParams p;
        static_cast<facade::Selection&>(p) = selection(options);
        p.axial = flag(options, "axial", false);
        const facade::FisherResult r = facade::fisher(opened(h), p);
        val out = val::object();
        out.set("mean", direction(r.mean));
        out.set("k", r.k);
        out.set("R", r.R);
        out.set("cone95", optional(r.cone95_deg));
        out.set("n", r.n);
        out.set("text", r.text);
        return out;
    });
}

val tensor(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::TensorResult r = facade::tensor(opened(h), selection(options));
        val out = val::object();
        out.set("woodcockK", optional(r.shape.woodcockK));
        out.set("woodcockC", optional(r.shape.woodcockC));
        out.set("vollmerP", r.shape.vollmerP);
        out.set("vollmerG", r.shape.vollmerG);
        out.set("vollmerR", r.shape.vollmerR);
        out.set("n", r.n);
        out.set("text", r.text);
        return out;
    });
}

val bestfit(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::BestFitResult r = facade::bestFit(opened(h), selection(options));
        val out = val::object();
        out.set("axis", direction(r.axis));
        out.set("n", r.n);
        out.set("text", r.text);
        return out;
    });
}

/// Any analysis of the table by name, as qz analyse runs it: its text.
val analyse(const DatasetHandle& h, const std::string& name, const val& options) {
    return guarded([&] {
        const facade::AnalysisInfo* a = facade::analysisNamed(name);
        if (!a) throw facade::Refused("analysis", "'" + name + "' is not one of the analyses");
        facade::AnalysisRequest q;
        static_cast<facade::Selection&>(q) = selection(options);
        q.seed = long(number(options, "seed", 1));
        q.sets = int(number(options, "sets", 0));
        const facade::Outcome o = a->run(opened(h), q);
        val out = val::object();
        out.set("n", o.n);
        out.set("text", o.text);
        return out;
    });
}

val analysisNames() {
    val out = val::array();
    for (const facade::AnalysisInfo& a : facade::analyses()) {
        val row = val::object();
        row.set("name", std::string(a.name));
        row.set("help", std::string(a.help));
        out.call<void>("push", row);
    }
    return out;
}

// ------------------------------------------------------------ pictures

val picture(const std::function<void(qzCore::SvgFigure&)>& draw, const val& options, bool legend) {
    return guarded([&] {
        const int size = int(number(options, "size", 400));
        if (size < 100 || size > 4000) throw facade::Refused("size", "takes 100 to 4000");
        qzCore::SvgFigure figure(size, text(options, "title", ""), legend);
        draw(figure);
        figure.drawTitle();
        val out = val::object();
        out.set("svg", figure.svg());
        out.set("elements", double(figure.port().elements()));
        return out;
    });
}

val stereonetSvg(const DatasetHandle& h, const val& options) {
    facade::StereonetParams p;
    p.projection = text(options, "projection", "equal-area");
    p.hemisphere = text(options, "hemisphere", "lower");
    p.planes = text(options, "planes", "great-circles");
    p.net = flag(options, "net", false);
    p.fisher = flag(options, "fisher", false);
    p.bestFit = flag(options, "bestfit", false);
    p.pt = flag(options, "pt", false);
    p.key = flag(options, "key", true);
    p.exactGreatCircles = true;
    const std::string contour = text(options, "contour", "");
    if (!contour.empty()) {
        facade::DensityParams& c = p.contours.emplace();
        c.method = contour;
        c.filled = flag(options, "filled", false);
        c.colours = text(options, "colours", "viridis");
    }
    return picture([&](qzCore::SvgFigure& f) { facade::drawStereonet(opened(h), p, f.port(), f.plotSize()); },
                   options, !contour.empty() || p.key);
}

val roseSvg(const DatasetHandle& h, const val& options) {
    facade::RoseParams p;
    p.of = text(options, "of", "");
    p.classSize = int(number(options, "classSize", 10));
    return picture([&](qzCore::SvgFigure& f) { facade::drawRose(opened(h), p, f.port(), f.plotSize()); }, options,
                   false);
}

val tangentSvg(const DatasetHandle& h, const val& options) {
    facade::TangentParams p;
    p.planes = text(options, "planes", "dip-vectors");
    return picture([&](qzCore::SvgFigure& f) { facade::drawTangent(opened(h), p, f.port(), f.plotSize()); },
                   options, false);
}

std::string version() { return qzCore::libraryVersion(); }

}  // namespace

EMSCRIPTEN_BINDINGS(qzcore) {
    emscripten::class_<DatasetHandle>("Dataset")
        .function("add", &add)
        .function("size", &size)
        .function("rejected", &rejected)
        .function("remarks", &remarks)
        .function("column", &column)
        .function("layout", &layout);
    emscripten::function("read", &read);
    emscripten::function("fisher", &fisher);
    emscripten::function("tensor", &tensor);
    emscripten::function("bestfit", &bestfit);
    emscripten::function("analyse", &analyse);
    emscripten::function("analyses", &analysisNames);
    emscripten::function("stereonetSvg", &stereonetSvg);
    emscripten::function("roseSvg", &roseSvg);
    emscripten::function("tangentSvg", &tangentSvg);
    emscripten::function("version", &version);
}
