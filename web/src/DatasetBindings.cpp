// Datasets in the browser: text read as a named file, more files added,
// the rows not read, the columns as typed arrays and the records written
// back out in any format qz writes.
#include <emscripten/bind.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "Values.h"
#include "qzCore/qzCore.h"

namespace qzweb {
namespace {

facade::ReadOptions readOptions(const val& options) {
    facade::ReadOptions o;
    o.format = text(options, "format", "auto");
    o.delimiter = text(options, "delimiter", "auto");
    const std::string columns = text(options, "columns", "");
    if (!columns.empty()) o.columns = facade::columnWords(columns);
    o.dipDirection = flag(options, "dipDirection", false);
    return o;
}

/// A file's content as the library reads it: a string (text JavaScript
/// has decoded) or the file's own bytes (a Uint8Array or ArrayBuffer, as
/// File.arrayBuffer() gives them), which keep binary files whole and let
/// the readers see UTF-16 and Latin-1 text as it is.
std::string bytesOf(const val& content) {
    if (content.isString()) return content.as<std::string>();
    val bytes = content;
    if (content.instanceof(val::global("ArrayBuffer"))) bytes = val::global("Uint8Array").new_(content);
    if (!bytes.instanceof(val::global("Uint8Array"))) {
        throw facade::Refused("content", "takes a string, a Uint8Array or an ArrayBuffer");
    }
    std::string out(bytes["length"].as<std::size_t>(), '\0');
    // Copied straight into the string's memory.
    val view(emscripten::typed_memory_view(out.size(), reinterpret_cast<unsigned char*>(&out[0])));
    view.call<void>("set", bytes);
    return out;
}

val read(const val& content, const std::string& fileName, const val& options) {
    return guarded([&] {
        const facade::ReadOptions o = readOptions(options);
        auto ds = std::make_shared<facade::Dataset>(facade::Dataset::fromText(fileName, bytesOf(content), o));
        return val(DatasetHandle{ds});
    });
}

/// One more file into the dataset: {} or {error} (the dataset unchanged).
val add(DatasetHandle& h, const val& content, const std::string& fileName, const val& options) {
    return guarded([&] {
        const facade::FileRead r = opened(h).addText(fileName, bytesOf(content), readOptions(options));
        return r.ok() ? val::object() : failure(r.message, "file");
    });
}

/// Every file format: [{name, description, extensions, read, written}].
val formats() {
    val out = val::array();
    for (const qzCore::FileFormatInfo& f : qzCore::fileFormats()) {
        val row = val::object();
        row.set("name", std::string(f.name));
        row.set("description", std::string(f.description));
        val ext = val::array();
        for (const char* e : f.extensions) ext.call<void>("push", std::string(e));
        row.set("extensions", ext);
        row.set("read", f.readable);
        row.set("written", f.writable);
        out.call<void>("push", row);
    }
    return out;
}

std::size_t size(const DatasetHandle& h) { return h.ds ? h.ds->size() : 0; }

val rows(const std::vector<facade::LineReport>& reports) {
    val out = val::array();
    for (const facade::LineReport& r : reports) {
        val row = val::object();
        row.set("line", double(r.line));
        row.set("text", utf8(r.text));
        row.set("reason", utf8(r.reason));
        out.call<void>("push", row);
    }
    return out;
}
val rejected(const DatasetHandle& h) { return h.ds ? rows(h.ds->rejected()) : val::array(); }
val remarks(const DatasetHandle& h) { return h.ds ? rows(h.ds->remarks()) : val::array(); }

/// How many rows were refused in all (rejected() lists the first ones)
/// and the lines passed over without a report, so that every line of the
/// files is accounted for.
val counts(const DatasetHandle& h) {
    val out = val::object();
    out.set("records", double(size(h)));
    out.set("rejected", double(h.ds ? h.ds->rejectedCount() : 0));
    out.set("remarks", double(h.ds ? h.ds->remarkCount() : 0));
    const qzCore::SkippedLines s = h.ds ? h.ds->skipped() : qzCore::SkippedLines();
    out.set("blank", double(s.blank));
    out.set("comment", double(s.comment));
    out.set("title", double(s.title));
    out.set("header", double(s.header));
    return out;
}

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

/// A text of each record: its kind ("Plane", "Line", "Fault", ...), a
/// fault's sense of slip ("Norm", "Rev", ...; "" for none), its comment
/// or its station.
val labels(const DatasetHandle& h, const std::string& name) {
    return guarded([&] {
        const facade::Dataset& ds = opened(h);
        std::string (*label)(const facade::Dataset&, const qzCore::GeoData&) = nullptr;
        if (name == "kind") {
            label = [](const facade::Dataset&, const qzCore::GeoData& g) {
                std::string l;
                qzCore::GDTypes::instance().get(g.getGDType(), l);
                return l;
            };
        } else if (name == "sense") {
            label = [](const facade::Dataset&, const qzCore::GeoData& g) {
                std::string l;
                if (g.data() && g.data()->hasSlip()) qzCore::GDSlipTypes::instance().get(g.data()->getSlip(), l);
                return l;
            };
        } else if (name == "comment") {
            label = [](const facade::Dataset&, const qzCore::GeoData& g) {
                qzCore::TokenStruct t;
                g.get(t);
                return t.hasComment() ? t.getComment() : std::string();
            };
        } else if (name == "station") {
            label = [](const facade::Dataset& d, const qzCore::GeoData& g) {
                std::string id;
                if (g.data() && g.data()->getStationIndex() >= 0) {
                    d.data().getStationIdFromIndex(g.data()->getStationIndex(), id);
                }
                return id;
            };
        } else {
            throw facade::Refused("labels", "takes kind, sense, comment or station, not '" + name + "'");
        }
        val out = val::array();
        for (const qzCore::GeoData* g : ds.data().getDataList()) {
            out.call<void>("push", g ? utf8(label(ds, *g)) : std::string());
        }
        return out;
    });
}

val layout(const DatasetHandle& h) {
    val out = val::array();
    if (!h.ds) return out;
    for (const facade::FileRead& f : h.ds->files()) {
        val file = val::object();
        file.set("name", utf8(f.path));
        file.set("layout", utf8(f.layoutText()));
        file.set("guessed", f.columnsGuessed());
        file.set("message", utf8(f.message));
        out.call<void>("push", file);
    }
    return out;
}

/// The records written as the file `fileName` would be (its extension
/// chooses the format, as qz convert does; .csv is comma-separated text):
/// {bytes, written, leftOut}.  Written into the module's memory-backed
/// file system and read back, so binary formats come out whole.
val write(DatasetHandle& h, const std::string& fileName, const val& options) {
    return guarded([&] {
        // Only the name's last part: the page names a download, not a path.
        const std::string base = fileName.substr(fileName.find_last_of('/') + 1);
        if (base.empty() || base == "." || base == "..") throw facade::Refused("fileName", "names no file");
        const std::string path = "/tmp/" + base;
        const qzCore::WriteOutcome w = opened(h).write(path, text(options, "format", "auto"));
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        in.close();
        std::remove(path.c_str());
        val out = val::object();
        out.set("bytes", val::global("Uint8Array")
                             .new_(emscripten::typed_memory_view(bytes.size(),
                                                                 reinterpret_cast<const unsigned char*>(bytes.data())))
                             .call<val>("slice"));
        out.set("written", w.written);
        out.set("leftOut", w.leftOut);
        return out;
    });
}

}  // namespace
}  // namespace qzweb

EMSCRIPTEN_BINDINGS(qzcore_dataset) {
    using namespace qzweb;
    emscripten::class_<DatasetHandle>("Dataset")
        .function("add", &add)
        .function("size", &size)
        .function("counts", &counts)
        .function("rejected", &rejected)
        .function("remarks", &remarks)
        .function("column", &column)
        .function("labels", &labels)
        .function("layout", &layout)
        .function("write", &write);
    emscripten::function("read", &read);
    emscripten::function("formats", &formats);
}
