// Datasets for Python: reading any file qz reads, the records as numpy
// arrays, building a dataset from arrays, writing any format qz writes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <sstream>
#include <system_error>
#include <thread>
#include <vector>

#include "Common.h"

namespace qzpy {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// Columns of this many records and more are filled by two threads (a
// thread costs some tens of microseconds to start).
constexpr std::size_t Column_Split_At = 100000;

/// Column keywords or header words, as a list or one comma-separated text.
std::vector<std::string> columnWords(const py::object& columns) {
    if (columns.is_none()) return {};
    if (py::isinstance<py::str>(columns)) return qzCore::facade::columnWords(columns.cast<std::string>());
    std::vector<std::string> words;
    for (const py::handle h : columns) words.push_back(py::str(h).cast<std::string>());
    return words;
}

/// Reads `content` (the file `name`) into a new dataset.
DatasetPtr readText(const std::string& name, std::string content, const py::object& columns,
                    const py::object& delimiter, bool dipDirection, const py::object& format) {
    qzCore::facade::ReadOptions given;
    given.columns = columnWords(columns);
    if (!delimiter.is_none()) given.delimiter = delimiter.cast<std::string>();
    if (!format.is_none()) given.format = format.cast<std::string>();
    given.dipDirection = dipDirection;
    auto ds = std::make_shared<Dataset>(Dataset::fromText(name, std::move(content), given));
    const qzCore::facade::FileRead& r = ds->files().front();
    if (r.columnsGuessed()) {
        // As qz says it: a guess is never taken for a reading.
        py::module_::import("warnings")
            .attr("warn")("qzcore: '" + name + "': " +
                          (r.layout.headerRow ? "the header row names no known column" : "no header row") +
                          "; columns guessed: " + r.layout.columnsText() + " (columns= says otherwise)");
    }
    return ds;
}

/// One column of numbers, NaN where the record has no value.  Read from
/// the record's own values, not a copy of them; a long column is filled by
/// two threads, each half by one: the time goes in fetching the records
/// from memory, which one core alone does not keep busy.
py::array_t<double> numbers(const Dataset& ds, qzCore::facade::Column c) {
    const auto& list = ds.data().getDataList();
    const std::size_t n = list.size();
    py::array_t<double> out{py::ssize_t(n)};
    double* const column = out.mutable_data();
    // Only records and the output are touched: no Python object, so the
    // helper needs no interpreter lock.
    auto fill = [&list, column, c](std::size_t from, std::size_t to) {
        auto it = list.begin() + std::ptrdiff_t(from);
        for (std::size_t i = from; i < to; ++i, ++it) column[i] = *it ? Dataset::valueOf(c, **it) : NaN;
    };
    std::thread helper;
    if (n >= Column_Split_At) {
        try {
            helper = std::thread(fill, n / 2, n);
        } catch (const std::system_error&) {
            // No thread to be had: this one fills the column alone.
        }
    }
    fill(0, helper.joinable() ? n / 2 : n);
    if (helper.joinable()) helper.join();
    return out;
}

/// One column of short labels (a record's kind, a fault's sense) as a
/// numpy array of fixed-width text, as numpy itself holds such columns:
/// comparisons and masks (`ds.kind == "Fault"`) work on it directly.
template <typename F>
py::array labels(const Dataset& ds, F label) {
    const auto& list = ds.data().getDataList();
    std::vector<std::string> all;
    all.reserve(list.size());
    std::size_t width = 1;
    for (const qzCore::GeoData* g : list) {
        all.push_back(g ? label(*g) : std::string());
        width = std::max(width, all.back().size());
    }
    py::array out(py::dtype("<U" + std::to_string(width)), std::vector<py::ssize_t>{py::ssize_t(all.size())});
    // Fixed-width text is UCS-4, padded with zeros; labels are ASCII.
    auto* chars = static_cast<std::uint32_t*>(out.mutable_data());
    std::fill(chars, chars + all.size() * width, 0u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t k = 0; k < all[i].size(); ++k) chars[i * width + k] = static_cast<unsigned char>(all[i][k]);
    }
    return out;
}

/// One column of texts.
template <typename F>
py::list texts(const Dataset& ds, F text) {
    py::list out;
    for (const qzCore::GeoData* g : ds.data().getDataList()) out.append(g ? text(*g) : std::string());
    return out;
}


/// The text of a value column for a row built from arrays.
std::string cell(const py::object& column, py::ssize_t i, bool number) {
    if (column.is_none()) return std::string();
    const py::object v = column[py::int_(i)];
    if (v.is_none()) return std::string();
    if (number) {
        const double d = v.cast<double>();
        if (std::isnan(d)) return std::string();
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.12g", d);
        return buf;
    }
    std::string s = py::str(v).cast<std::string>();
    // A delimiter or line end inside a text cell would split the row.
    for (char& c : s) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return s;
}

/// (line number, text, reason) of each row.
py::list linesWithReasons(const std::vector<qzCore::facade::LineReport>& lines) {
    py::list out;
    for (const qzCore::facade::LineReport& r : lines) out.append(py::make_tuple(r.line, r.text, r.reason));
    return out;
}

}  // namespace

void addDataset(py::module_& m) {
    auto cls = py::class_<Dataset, DatasetPtr>(m, "Dataset",
                                    "Records of one or more files: planes, lines, faults, wells, markers, results.");
    // The value columns, each a numpy array, NaN where a record has none.
    using C = qzCore::facade::Column;
    const std::tuple<const char*, C, const char*> columns[] = {
        {"strike", C::Strike, "Strike (right-hand rule), degrees"},
        {"dip", C::Dip, "Dip, degrees"},
        {"dip_direction", C::DipDirection, "Dip direction of planar records (strike + 90), degrees"},
        {"trend", C::Trend, "Trend of lines and slip lines, degrees"},
        {"plunge", C::Plunge, "Plunge (down), degrees"},
        {"rake", C::Rake, "Rake of faults, degrees"},
        {"x", C::X, "Easting"},
        {"y", C::Y, "Northing"},
        {"z", C::Z, "Elevation"},
        {"md", C::MeasuredDepth, "Measured depth"}};
    for (const auto& [name, column, doc] : columns) {
        const C c = column;
        cls.def_property_readonly(
            name, [c](const DatasetPtr& ds) { return numbers(opened(ds), c); }, doc);
    }
    cls
        .def("__len__", [](const DatasetPtr& ds) { return ds->size(); })
        .def("__repr__",
             [](const DatasetPtr& ds) {
                 return "<qzcore.Dataset '" + ds->name() + "', " + std::to_string(ds->size()) + " records>";
             })
        .def_property_readonly("name", [](const DatasetPtr& ds) { return ds->name(); })
        .def_property_readonly(
            "kind",
            [](const DatasetPtr& ds) {
                return labels(opened(ds), [](const qzCore::GeoData& g) {
                    std::string l;
                    qzCore::GDTypes::instance().get(g.getGDType(), l);
                    return l;
                });
            },
            "Record kinds: 'Plane', 'Line', 'Fault', ...")
        .def_property_readonly(
            "sense",
            [](const DatasetPtr& ds) {
                return labels(opened(ds), [](const qzCore::GeoData& g) {
                    std::string l;
                    if (g.data() && g.data()->hasSlip()) qzCore::GDSlipTypes::instance().get(g.data()->getSlip(), l);
                    return l;
                });
            },
            "Slip senses of faults ('Norm', 'Rev', 'LLat', 'RLat', ...; '' for none)")
        .def_property_readonly(
            "comment",
            [](const DatasetPtr& ds) {
                return texts(opened(ds), [](const qzCore::GeoData& g) {
                    qzCore::TokenStruct t;
                    g.get(t);
                    return t.hasComment() ? t.getComment() : std::string();
                });
            })
        .def_property_readonly(
            "station",
            [](const DatasetPtr& ds) {
                const Dataset& d = opened(ds);
                return texts(d, [&d](const qzCore::GeoData& g) {
                    std::string id;
                    if (g.data() && g.data()->getStationIndex() >= 0) {
                        d.data().getStationIdFromIndex(g.data()->getStationIndex(), id);
                    }
                    return id;
                });
            },
            "Station (well, locality) of each record; '' for none")
        .def_property_readonly(
            "attributes",
            [](const DatasetPtr& ds) {
                std::list<std::string> labels;
                opened(ds).data().getAttributeStrings(labels, false);
                return std::vector<std::string>(labels.begin(), labels.end());
            },
            "The attribute labels of the dataset")
        .def_property_readonly(
            "rejected", [](const DatasetPtr& ds) { return linesWithReasons(ds->rejected()); },
            "Rows that were not read: (line number, text, reason)")
        .def_property_readonly(
            "remarks", [](const DatasetPtr& ds) { return linesWithReasons(ds->remarks()); },
            "Rows that were read, but not quite as written (a sense of slip that names no direction on its "
            "fault, loaded as 'Ambig'): (line number, text, remark)")
        .def_property_readonly(
            "skipped",
            [](const DatasetPtr& ds) {
                const qzCore::SkippedLines& s = ds->skipped();
                py::dict out;
                out["blank"] = s.blank;
                out["comment"] = s.comment;
                out["title"] = s.title;
                out["header"] = s.header;
                return out;
            },
            "Lines passed over without a report, by kind: blank, comment, title (rows of words above the "
            "header) and header")
        .def_property_readonly("layout", [](const DatasetPtr& ds) { return ds->files().front().layoutText(); },
                               "How the file was read: format, delimiter and columns, in words")
        .def_property_readonly("layout_guessed",
                               [](const DatasetPtr& ds) { return ds->files().front().columnsGuessed(); },
                               "True when no header row named the columns and none were given: the columns are "
                               "the default layout's, a guess")
        .def(
            "write",
            [](const DatasetPtr& ds, const std::string& path, const py::object& format) {
                const qzCore::WriteOutcome w =
                    opened(ds).write(path, format.is_none() ? std::string("auto") : format.cast<std::string>());
                return py::make_tuple(w.written, w.leftOut);
            },
            py::arg("path"), py::arg("format") = py::none(),
            "Writes the dataset (format by the extension, or 'text', 'binary', 'stereonet', 'faultkin', 'brute'); "
            "returns (records written, records the format cannot hold)")
        .def_static(
            "from_arrays",
            [](const py::object& strike, const py::object& dip, const py::object& trend, const py::object& plunge,
               const py::object& rake, const py::object& sense, const py::object& kind, const py::object& comment,
               const py::object& station, bool dipDirection) {
                struct Column {
                    const char* keyword;
                    const py::object* values;
                    bool number;
                };
                const Column all[] = {{"Type", &kind, false},     {"Strike", &strike, true}, {"Dip", &dip, true},
                                      {"Rake", &rake, true},      {"Trend", &trend, true},  {"Plunge", &plunge, true},
                                      {"Slip", &sense, false},    {"Well", &station, false},
                                      {"Comment", &comment, false}};
                std::vector<const Column*> used;
                py::ssize_t n = -1;
                for (const Column& c : all) {
                    if (c.values->is_none()) continue;
                    const py::ssize_t len = py::len(*c.values);
                    if (n >= 0 && len != n) throw py::value_error("the arrays differ in length");
                    n = len;
                    used.push_back(&c);
                }
                if (used.empty()) throw py::value_error("no values given");
                // Rows of text, read as a file is: every value checked and
                // every bad row reported the same way.
                std::string text;
                for (std::size_t k = 0; k < used.size(); ++k) text += (k ? "\t" : "") + std::string(used[k]->keyword);
                text += "\n";
                for (py::ssize_t i = 0; i < n; ++i) {
                    for (std::size_t k = 0; k < used.size(); ++k) {
                        if (k) text += '\t';
                        text += cell(*used[k]->values, i, used[k]->number);
                    }
                    text += '\n';
                }
                py::list words;
                for (const Column* c : used) words.append(c->keyword);
                return readText("arrays", text, words, py::str("tab"), dipDirection, py::str("text"));
            },
            py::kw_only(), py::arg("strike") = py::none(), py::arg("dip") = py::none(), py::arg("trend") = py::none(),
            py::arg("plunge") = py::none(), py::arg("rake") = py::none(), py::arg("sense") = py::none(),
            py::arg("kind") = py::none(), py::arg("comment") = py::none(), py::arg("station") = py::none(),
            py::arg("dip_direction") = false,
            "A dataset from arrays of equal length (NaN or None where a record has no value); rows are checked as "
            "a file's are, and bad ones listed in `rejected`");

    m.def(
        "read",
        [](const std::string& path, const py::object& columns, const py::object& delimiter, bool dipDirection,
           const py::object& format) {
            std::string content;
            if (!qzCore::readFileBytes(path, content)) {
                raise(qzCore::Error::File_Read_Error, "cannot open '" + path + "'");
            }
            return readText(path, std::move(content), columns, delimiter, dipDirection, format);
        },
        py::arg("path"), py::arg("columns") = py::none(), py::arg("delimiter") = py::none(),
        py::arg("dip_direction") = false, py::arg("format") = py::none(),
        "Reads a data file (delimited text, Stereonet, FaultKin, DXF text, binary dataset) as qz does: the format, "
        "delimiter and columns are guessed where not given; rejected rows are listed in `rejected`.");
}

}  // namespace qzpy
