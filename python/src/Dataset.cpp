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

using qzCore::FileFormat;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// A record's own values, as the column functions read them.
using Values = qzCore::LightweightDataStruct;
// Columns of this many records and more are filled by two threads (a
// thread costs some tens of microseconds to start).
constexpr std::size_t Column_Split_At = 100000;

FileFormat formatNamed(const std::string& name, bool writing) {
    const qzCore::FileFormatInfo* info = qzCore::fileFormatNamed(name);
    if (info && (writing ? info->writable : info->readable)) return info->format;
    std::string names;
    for (const std::string& n : qzCore::fileFormatNames(writing)) names += (names.empty() ? "" : ", ") + n;
    throw py::value_error("unknown format '" + name + "' (" + (writing ? "written" : "read") + ": " + names + ")");
}

unsigned int delimiterNamed(const std::string& name) {
    using C = qzCore::krtIEConstants;
    static const std::pair<const char*, unsigned int> names[] = {
        {"tab", C::Tab_Delim}, {"comma", C::Comma_Delim}, {"space", C::Space_Delim},
        {"semicolon", C::Semi_Colon_Delim}, {"colon", C::Colon_Delim}, {"\t", C::Tab_Delim},
        {",", C::Comma_Delim}, {" ", C::Space_Delim}, {";", C::Semi_Colon_Delim}, {":", C::Colon_Delim}};
    for (const auto& n : names) {
        if (name == n.first) return n.second;
    }
    throw py::value_error("unknown delimiter '" + name + "': tab, comma, space, semicolon or colon");
}

/// Column keywords or header words, as a list or one comma-separated text.
std::vector<std::string> columnWords(const py::object& columns) {
    std::vector<std::string> words;
    if (py::isinstance<py::str>(columns)) {
        std::stringstream in(columns.cast<std::string>());
        std::string w;
        while (std::getline(in, w, ',')) words.push_back(w);
    } else {
        for (const py::handle h : columns) words.push_back(py::str(h).cast<std::string>());
    }
    return words;
}


/// Reads `content` into `ds` as a new dataset named `name`.
void readInto(Dataset& ds, const std::string& name, std::string content, const py::object& columns,
              const py::object& delimiter, bool dipDirection, const py::object& format) {
    qzCore::LayoutChoices given;
    given.dipDirection = dipDirection;
    if (!format.is_none()) given.format = formatNamed(format.cast<std::string>(), false);
    if (!delimiter.is_none()) given.delimiter = delimiterNamed(delimiter.cast<std::string>());
    if (!columns.is_none()) {
        for (std::string w : columnWords(columns)) {
            const auto b = w.find_first_not_of(" \t"), e = w.find_last_not_of(" \t");
            w = b == std::string::npos ? std::string() : w.substr(b, e - b + 1);
            int type = qzCore::qzIEDataTypeOptions::Null_Type;
            bool dd = false;
            if (w != "-" && !qzCore::headerWordType(w, type, dd)) throw py::value_error("unknown column '" + w + "'");
            if (given.columns.size() >= std::size_t(qzCore::qzIEColumnOptions::Max_Num_Columns)) {
                throw py::value_error("too many columns");
            }
            given.columns.push_back(type);
            given.dipDirection = given.dipDirection || dd;
        }
    }
    const qzCore::ReadOutcome r = qzCore::readIntoNewDataset(ds.manager, name, std::move(content), given, ds.id);
    if (r.layout.format == FileFormat::Brute) raise(r.code, "a brute listing is written for other programs, not read");
    if (r.code < 0) raise(r.code, ds.message(r.code));
    ds.open = true;
    ds.name = name;
    const qzCore::FileLayout& l = r.layout;
    ds.layout = qzCore::FileLayout::formatName(l.format);
    ds.layoutGuessed = l.format == FileFormat::Text && l.columnsGuessed && l.columns.empty();
    if (l.format == FileFormat::Text) {
        ds.layout += std::string(", ") + qzCore::FileLayout::delimiterName(l.delimiter) + ", columns " +
                     (ds.layoutGuessed ? "guessed" : l.columnsGuessed ? "from the header row" : "given") + ": " +
                     l.columnsText();
        if (ds.layoutGuessed) {
            // As qz says it: a guess is never taken for a reading.
            py::module_::import("warnings")
                .attr("warn")("qzcore: '" + name + "': " +
                              (l.headerRow ? "the header row names no known column" : "no header row") +
                              "; columns guessed: " + l.columnsText() + " (columns= says otherwise)");
        }
    }
}

std::string fileContent(const std::string& path) {
    std::string content;
    if (!qzCore::readFileBytes(path, content)) raise(qzCore::Error::File_Read_Error, "cannot open '" + path + "'");
    return content;
}

Dataset& opened(const DatasetPtr& ds) {
    if (!ds || !ds->open) throw py::value_error("the dataset holds no data");
    return *ds;
}

/// One column of numbers, NaN where the record has no value.  Read from
/// the record's own values, not a copy of them; a long column is filled by
/// two threads, each half by one: the time goes in fetching the records
/// from memory, which one core alone does not keep busy.
template <typename F>
py::array_t<double> numbers(const Dataset& ds, F value) {
    const auto& list = ds.data().getDataList();
    const std::size_t n = list.size();
    py::array_t<double> out{py::ssize_t(n)};
    double* const column = out.mutable_data();
    // Only records and the output are touched: no Python object, so the
    // helper needs no interpreter lock.
    auto fill = [&list, column, &value](std::size_t from, std::size_t to) {
        auto it = list.begin() + std::ptrdiff_t(from);
        for (std::size_t i = from; i < to; ++i, ++it) {
            const qzCore::GeoData* g = *it;
            const Values* d = g ? g->data() : nullptr;
            column[i] = d ? value(*d) : NaN;
        }
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

double angle(int v) { return v == -1 ? NaN : double(v); }

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

/// Lines with their code's message (its detail line, and what exactly
/// was wrong where the reader said).
py::list linesWithReasons(const Dataset& ds, const std::vector<qzCore::RejectedLine>& lines) {
    py::list out;
    for (const qzCore::RejectedLine& r : lines) {
        std::string reason = ds.message(r.code);
        const auto nl = reason.find('\n');
        if (nl != std::string::npos) reason = reason.substr(nl + 1);
        if (!r.detail.empty()) reason += ": " + r.detail;
        out.append(py::make_tuple(r.line, r.text, reason));
    }
    return out;
}

}  // namespace

void addDataset(py::module_& m) {
    py::class_<Dataset, DatasetPtr>(m, "Dataset",
                                    "Records of one or more files: planes, lines, faults, wells, markers, results.")
        .def("__len__", [](const DatasetPtr& ds) { return ds && ds->open ? ds->data().getNumData() : 0; })
        .def("__repr__",
             [](const DatasetPtr& ds) {
                 return "<qzcore.Dataset '" + ds->name + "', " +
                        std::to_string(ds->open ? ds->data().getNumData() : 0) + " records>";
             })
        .def_property_readonly("name", [](const DatasetPtr& ds) { return ds->name; })
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
            "strike",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return angle(d.getStrike());
                });
            },
            "Strike (right-hand rule), degrees")
        .def_property_readonly(
            "dip",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds),
                               [](const Values& d) { return angle(d.getDip()); });
            },
            "Dip, degrees")
        .def_property_readonly(
            "dip_direction",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return d.isPlanar() && d.hasStrike() ? double((d.getStrike() + 90) % 360) : NaN;
                });
            },
            "Dip direction of planar records (strike + 90), degrees")
        .def_property_readonly(
            "trend",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds),
                               [](const Values& d) { return angle(d.getTrend()); });
            },
            "Trend of lines and slip lines, degrees")
        .def_property_readonly(
            "plunge",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return angle(d.getPlunge());
                });
            },
            "Plunge (down), degrees")
        .def_property_readonly(
            "rake",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds),
                               [](const Values& d) { return angle(d.getRake()); });
            },
            "Rake of faults, degrees")
        .def_property_readonly(
            "x",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return d.hasX() ? d.getX() : NaN;
                });
            })
        .def_property_readonly(
            "y",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return d.hasY() ? d.getY() : NaN;
                });
            })
        .def_property_readonly(
            "z",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return d.hasZ() ? d.getZ() : NaN;
                });
            })
        .def_property_readonly(
            "md",
            [](const DatasetPtr& ds) {
                return numbers(opened(ds), [](const Values& d) {
                    return d.hasMD() ? d.md() : NaN;
                });
            },
            "Measured depth")
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
            "rejected", [](const DatasetPtr& ds) { return linesWithReasons(*ds, ds->errors.getRejectedLines()); },
            "Rows that were not read: (line number, text, reason)")
        .def_property_readonly(
            "remarks", [](const DatasetPtr& ds) { return linesWithReasons(*ds, ds->errors.getNotedLines()); },
            "Rows that were read, but not quite as written (a sense of slip that names no direction on its "
            "fault, loaded as 'Ambig'): (line number, text, remark)")
        .def_property_readonly(
            "skipped",
            [](const DatasetPtr& ds) {
                const qzCore::SkippedLines& s = ds->errors.getSkippedLines();
                py::dict out;
                out["blank"] = s.blank;
                out["comment"] = s.comment;
                out["title"] = s.title;
                out["header"] = s.header;
                return out;
            },
            "Lines passed over without a report, by kind: blank, comment, title (rows of words above the "
            "header) and header")
        .def_property_readonly("layout", [](const DatasetPtr& ds) { return ds->layout; },
                               "How the file was read: format, delimiter and columns, in words")
        .def_property_readonly("layout_guessed", [](const DatasetPtr& ds) { return ds->layoutGuessed; },
                               "True when no header row named the columns and none were given: the columns are "
                               "the default layout's, a guess")
        .def(
            "write",
            [](const DatasetPtr& ds, const std::string& path, const py::object& format) {
                Dataset& d = opened(ds);
                const FileFormat f = format.is_none() ? FileFormat::Auto : formatNamed(format.cast<std::string>(), true);
                const qzCore::WriteOutcome w = qzCore::writeDatasetFile(d.manager, d.id, path, f);
                if (w.code == qzCore::Error::File_Write_Error) raise(w.code, "cannot write '" + path + "'");
                if (w.code != 1) raise(w.code, d.message(w.code));
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
                auto ds = std::make_shared<Dataset>();
                py::list words;
                for (const Column* c : used) words.append(c->keyword);
                readInto(*ds, "arrays", text, words, py::str("tab"), dipDirection, py::str("text"));
                return ds;
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
            auto ds = std::make_shared<Dataset>();
            readInto(*ds, path, fileContent(path), columns, delimiter, dipDirection, format);
            return ds;
        },
        py::arg("path"), py::arg("columns") = py::none(), py::arg("delimiter") = py::none(),
        py::arg("dip_direction") = false, py::arg("format") = py::none(),
        "Reads a data file (delimited text, Stereonet, FaultKin, DXF text, binary dataset) as qz does: the format, "
        "delimiter and columns are guessed where not given; rejected rows are listed in `rejected`.");
}

}  // namespace qzpy
