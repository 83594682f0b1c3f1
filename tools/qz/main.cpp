// qz: orientation data from the shell.
//
//   qz                      summary of the bundled sample data
//   qz info FILE...         load each file and print its summary and the
//                           report of rejected lines ("-" reads standard input)
//   qz convert IN OUT       write IN in the format OUT's extension names
//   qz rotate IN OUT        rotate every record about an axis
//   qz subset IN OUT        keep the records that meet criteria
//   qz sort IN OUT          order the records by a column
//   qz analyse METHOD FILE  Fisher statistics, eigen analysis, best fit,
//                           T/L or P/T axes, least squares, intersection, angle
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <list>
#include <memory>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "qzCore/qzCore.h"

#ifndef QZ_SAMPLE_DIR
#define QZ_SAMPLE_DIR "examples/data"
#endif

namespace {

using qzCore::qzIEColumnOptions;
using qzCore::qzIEDataTypeOptions;
using qzCore::krtIEConstants;

enum class Format { Auto, Text, Stereonet, FaultKin, Dxf, Binary };

struct LoadOptions {
    std::string format = "auto";
    std::string columns;
    std::string delimiter = "auto";
    bool dipDirection = false;
    bool strict = false;
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string extensionOf(const std::string& name) { return lower(qzCore::ComplexFileName(name).getExtension()); }

std::string firstLine(const std::string& content) {
    std::string line = content.substr(0, content.find('\n'));
    if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

Format guessFormat(const std::string& name, const std::string& content) {
    const std::string ext = extensionOf(name);
    if (ext == "fkn" || ext == "fk" || ext == "faultkin") return Format::FaultKin;
    if (ext == "net" || ext == "stereonet") return Format::Stereonet;
    if (ext == "dxf") return Format::Dxf;
    if (ext == "gdf" || ext == "oaf") return Format::Binary;
    const std::string first = firstLine(content);
    if (first.find("MomentFormat") != std::string::npos || first.find("FaultKin") != std::string::npos) {
        return Format::FaultKin;
    }
    std::istringstream words(first);
    std::string w;
    words >> w;
    for (const char* code : {"TP", "PT", "PQ", "AD", "AZ", "QD", "DD"}) {
        if (w == code) return Format::Stereonet;
    }
    return Format::Text;
}

Format parseFormat(const std::string& f) {
    if (f == "text") return Format::Text;
    if (f == "stereonet") return Format::Stereonet;
    if (f == "faultkin") return Format::FaultKin;
    if (f == "dxf") return Format::Dxf;
    if (f == "binary") return Format::Binary;
    return Format::Auto;
}

const char* formatName(Format f) {
    switch (f) {
        case Format::Text: return "delimited text";
        case Format::Stereonet: return "Stereonet";
        case Format::FaultKin: return "FaultKin";
        case Format::Dxf: return "DXF text";
        case Format::Binary: return "binary dataset";
        default: return "unknown";
    }
}

unsigned int parseDelimiter(const std::string& d, const std::string& name, const std::string& content) {
    if (d == "tab") return krtIEConstants::Tab_Delim;
    if (d == "comma") return krtIEConstants::Comma_Delim;
    if (d == "space") return krtIEConstants::Space_Delim;
    if (d == "semicolon") return krtIEConstants::Semi_Colon_Delim;
    if (d == "colon") return krtIEConstants::Colon_Delim;
    if (extensionOf(name) == "csv") return krtIEConstants::Comma_Delim;
    const std::string first = firstLine(content);
    if (first.find('\t') != std::string::npos) return krtIEConstants::Tab_Delim;
    if (first.find(',') != std::string::npos) return krtIEConstants::Comma_Delim;
    if (first.find(';') != std::string::npos) return krtIEConstants::Semi_Colon_Delim;
    return krtIEConstants::Space_Delim;
}

const char* delimiterName(unsigned int d) {
    switch (d) {
        case krtIEConstants::Comma_Delim: return "comma";
        case krtIEConstants::Space_Delim: return "space";
        case krtIEConstants::Semi_Colon_Delim: return "semicolon";
        case krtIEConstants::Colon_Delim: return "colon";
        default: return "tab";
    }
}

/// The data type of a column keyword, matched without regard to case; "-"
/// stands for an ignored column.  -1 when unknown.
int keywordType(const std::string& word) {
    const qzIEDataTypeOptions types;
    if (word == "-") return qzIEDataTypeOptions::Null_Type;
    for (int t = 0; t < types.getMaxNumDataTypes(); ++t) {
        std::string k;
        types.getDataTypeString(t, k);
        if (lower(k) == lower(word)) return t;
    }
    return -1;
}

std::vector<std::string> splitList(const std::string& text, char sep) {
    std::vector<std::string> out;
    std::string item;
    std::istringstream in(text);
    while (std::getline(in, item, sep)) {
        const auto b = item.find_first_not_of(" \t\r");
        const auto e = item.find_last_not_of(" \t\r");
        out.push_back(b == std::string::npos ? std::string() : item.substr(b, e - b + 1));
    }
    return out;
}

/// Column layout from a header row whose every field is a keyword.
bool headerLayout(const std::string& line, unsigned int delim, qzIEColumnOptions& options) {
    qzCore::TokenList tokens(qzIEColumnOptions::Max_Num_Columns + 1);
    qzCore::ieColumnOptions splitter;
    splitter.setColumnDelim(delim);
    splitter.setColumnOption(qzCore::ieColumnOptions::Column_Option_Trim_Blanks);
    const int n = qzCore::FileParser(splitter).tokenize(line.c_str(), tokens);
    if (n < 1 || n > qzIEColumnOptions::Max_Num_Columns) return false;
    std::vector<int> types;
    for (int i = 0; i < n; ++i) {
        const int t = keywordType(tokens[std::size_t(i)].str());
        if (t < 0) return false;
        types.push_back(t);
    }
    options.resetColumnChoices();
    for (int i = 0; i < n; ++i) options.setColumnChoice(i, types[std::size_t(i)]);
    options.setColumnOption(qzCore::ieColumnOptions::Column_Option_Header_Row);
    return true;
}

std::string crlfToLf(std::string s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out += s[i];
    }
    return out;
}

/// A loaded file: its dataset in a manager, and the report of rejected lines.
struct Loaded {
    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager{&errors, &files};
    unsigned char id = 0;
    Format format = Format::Auto;
    std::string layout;
};

bool readAll(const std::string& name, std::string& content) {
    std::ostringstream all;
    if (name == "-") {
        all << std::cin.rdbuf();
    } else {
        std::ifstream in(name, std::ios::binary);
        if (!in) return false;
        all << in.rdbuf();
    }
    content = all.str();
    return true;
}

/// Loads one file into a new dataset of `out` (its id in `id`).  False
/// (after a message) when it cannot be read at all.
bool loadInto(const std::string& name, const LoadOptions& opts, Loaded& out, unsigned char& id) {
    std::string content;
    if (!readAll(name, content)) {
        std::cerr << "qz: cannot open '" << name << "'\n";
        return false;
    }

    Format format = parseFormat(opts.format);
    if (format == Format::Auto) format = guessFormat(name, content);
    out.format = format;

    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    options.setIEOption(qzIEColumnOptions::IE_Report_Errors);
    // Attribute labels from the file are taken without asking.
    options.setIEOption(qzIEColumnOptions::IE_Read_Attributes);
    unsigned int delim = krtIEConstants::Tab_Delim;
    switch (format) {
        case Format::Binary:
            options.setIEOption(qzIEColumnOptions::IE_Binary_File);
            options.setDefaultBinaryColumnChoices();
            break;
        case Format::Stereonet:
            options.setIEOption(qzIEColumnOptions::IE_Stereonet_File);
            options.setDefaultStereonetInputColumnChoices();
            delim = krtIEConstants::Space_Delim | krtIEConstants::Tab_Delim;
            break;
        case Format::FaultKin:
            options.setIEOption(qzIEColumnOptions::IE_FaultKin_File);
            options.setDefaultFaultKinInputColumnChoices();
            delim = krtIEConstants::Space_Delim | krtIEConstants::Tab_Delim;
            break;
        case Format::Dxf:
            options.setIEOption(qzIEColumnOptions::IE_DXF_Text);
            options.setDXFColumnChoices();
            break;
        default: {
            delim = parseDelimiter(opts.delimiter, name, content);
            out.layout = std::string(", ") + delimiterName(delim);
            if (!opts.columns.empty()) {
                options.resetColumnChoices();
                const std::vector<std::string> cols = splitList(opts.columns, ',');
                for (std::size_t i = 0; i < cols.size(); ++i) {
                    const int t = keywordType(cols[i]);
                    if (t < 0 || i >= std::size_t(qzIEColumnOptions::Max_Num_Columns)) {
                        std::cerr << "qz: unknown or surplus column '" << cols[i] << "'\n";
                        return false;
                    }
                    options.setColumnChoice(int(i), t);
                }
            } else if (headerLayout(firstLine(content), delim, options)) {
                out.layout += ", columns from the header row";
            } else {
                options.setDefaultColumnChoices();
            }
            break;
        }
    }
    options.setColumnDelim(delim);
    if (opts.dipDirection) options.setIEOption(qzIEColumnOptions::IE_Strike_Is_Dip_Direction);

    const std::string datasetName = name == "-" ? std::string("stdin") : name;
    if (out.manager.createDataset(id, datasetName, false, nullptr) != 1) {
        std::cerr << "qz: cannot create a dataset\n";
        return false;
    }
    const qzIEDataTypeOptions types;
    const qzCore::qzIEDataTypeOrder order(types, options);
    std::istringstream in(content);
    int r = 0;
    try {
        r = out.manager.addData(id, options, order, in);
    } catch (int code) {
        r = code;
    }
    if (r < 0) {
        std::cerr << "qz: '" << name << "': " << crlfToLf(out.errors.getMessage(r)) << '\n';
        return false;
    }
    return true;
}

/// Loads one file.  False (after a message) when it cannot be read at all.
bool load(const std::string& name, const LoadOptions& opts, Loaded& out) { return loadInto(name, opts, out, out.id); }

void printRejected(const Loaded& l) {
    if (!l.errors.errorsOccurred()) return;
    const std::string report = crlfToLf(l.errors.getErrorReportBuffer());
    std::cout << "Rejected lines:\n" << report;
    if (!report.empty() && report.back() != '\n') std::cout << '\n';
}

/// Loads one file and prints its summary.  0 on success, 1 when the file
/// cannot be read at all, 3 when rows were rejected and --strict is on.
int infoOne(const std::string& name, const LoadOptions& opts) {
    Loaded l;
    if (!load(name, opts, l)) return 1;
    std::string info;
    l.manager.getDatasetInfoAsString(info, l.id);
    std::cout << "== " << name << " (" << formatName(l.format) << l.layout << ") ==\n" << info;
    std::list<std::string> labels;
    l.manager.getDatasetFromID(l.id)->getAttributeStrings(labels, false);
    if (!labels.empty()) {
        std::cout << "Attributes:";
        for (const std::string& a : labels) std::cout << ' ' << a;
        std::cout << '\n';
    }
    printRejected(l);
    std::cout << '\n';
    return opts.strict && l.errors.errorsOccurred() ? 3 : 0;
}

int info(const std::vector<std::string>& names, const LoadOptions& opts) {
    int status = 0;
    for (const std::string& n : names) status = std::max(status, infoOne(n, opts));
    return status;
}


// ---------------------------------------------------------------- writing

enum class OutFormat { Text, Binary, Stereonet, FaultKin, Brute };

bool outFormatOf(const std::string& to, const std::string& name, OutFormat& f) {
    std::string key = to;
    if (key == "auto") {
        const std::string ext = extensionOf(name);
        if (ext == "gdf" || ext == "oaf") key = "binary";
        else if (ext == "net" || ext == "stereonet") key = "stereonet";
        else if (ext == "fkn" || ext == "fk" || ext == "faultkin") key = "faultkin";
        else if (ext == "brute" || ext == "lst") key = "brute";
        else key = "text";
    }
    if (key == "text") f = OutFormat::Text;
    else if (key == "binary") f = OutFormat::Binary;
    else if (key == "stereonet") f = OutFormat::Stereonet;
    else if (key == "faultkin") f = OutFormat::FaultKin;
    else if (key == "brute") f = OutFormat::Brute;
    else return false;
    return true;
}

/// Writes a dataset.  0 on success, 1 after a message otherwise.
int write(Loaded& l, unsigned char id, const std::string& name, const std::string& to) {
    OutFormat f = OutFormat::Text;
    if (!outFormatOf(to, name, f)) {
        std::cerr << "qz: unknown output format '" << to << "'\n";
        return 1;
    }
    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    switch (f) {
        case OutFormat::Binary: options.setIEOption(qzIEColumnOptions::IE_Binary_File); break;
        case OutFormat::Stereonet: options.setIEOption(qzIEColumnOptions::IE_Stereonet_File); break;
        case OutFormat::FaultKin: options.setIEOption(qzIEColumnOptions::IE_FaultKin_File); break;
        case OutFormat::Brute: options.setIEOption(qzIEColumnOptions::IE_Option_0x1000000); break;
        case OutFormat::Text: {
            // Every value, with right-hand-rule angles written as numbers.
            options.setIEOption(qzIEColumnOptions::IE_Option_16);
            options.setIEOption(qzIEColumnOptions::IE_Angles_From_Values);
            options.setIEOption(qzIEColumnOptions::IE_Rake_From_Value);
            using T = qzIEDataTypeOptions;
            int c = 0;
            for (const int t : {T::Type_Type, T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type,
                                T::Slip_Type, T::Well_Type, T::XLoc_Type, T::YLoc_Type, T::ZLoc_Type, T::MD_Type,
                                T::Comment_Type}) {
                options.setColumnChoice(c++, t);
            }
            options.setColumnDelim(extensionOf(name) == "csv" ? krtIEConstants::Comma_Delim : krtIEConstants::Tab_Delim);
            break;
        }
    }
    const qzIEDataTypeOptions types;
    qzCore::qzIEDataTypeOrder order(types, options);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "qz: cannot write '" << name << "'\n";
        return 1;
    }
    const int r = l.manager.exportDataset(id, options, order, types, out);
    out.close();
    if (r != 1 || !out) {
        std::cerr << "qz: '" << name << "': " << crlfToLf(l.errors.getMessage(r == 1 ? -7 : r)) << '\n';
        return 1;
    }
    std::cout << "qz: wrote " << l.manager.getDatasetFromID(id)->getNumData() << " records to " << name << '\n';
    return 0;
}

/// Loads IN, lets `change` produce the dataset to write, writes OUT.
int transformFile(const std::string& in, const std::string& outName, const LoadOptions& opts, const std::string& to,
              const std::function<int(Loaded&, unsigned char&)>& change) {
    Loaded l;
    if (!load(in, opts, l)) return 1;
    printRejected(l);
    unsigned char id = l.id;
    if (const int r = change(l, id); r != 0) return r;
    const int w = write(l, id, outName, to);
    if (w != 0) return w;
    return opts.strict && l.errors.errorsOccurred() ? 3 : 0;
}

bool parseRange(const std::string& text, double& low, double& high) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    const qzCore::Token a(text.substr(0, colon)), b(text.substr(colon + 1));
    return a.get(low) && b.get(high);
}

bool parseRange(const std::string& text, int& low, int& high) {
    double a = 0, b = 0;
    if (!parseRange(text, a, b) || a != std::floor(a) || b != std::floor(b) || std::fabs(a) > 1e6 ||
        std::fabs(b) > 1e6) {
        return false;
    }
    low = int(a);
    high = int(b);
    return true;
}

struct SubsetOptions {
    std::string planeStrike, planeDip, lineTrend, linePlunge, faultStrike, faultDip, faultRake, x, y, z, md;
    std::vector<std::string> slips, stations, attributes;
};

/// Builds the subset request; false (after a message) for a bad option.
bool subsetParams(const SubsetOptions& o, qzCore::Data& data, qzCore::SubsetParams& p) {
    using S = qzCore::SubsetParams;
    auto intRange = [](const std::string& text, S::IntRange& r, const char* what) {
        if (text.empty()) return true;
        if (!parseRange(text, r.low, r.high)) {
            std::cerr << "qz: --" << what << " takes LOW:HIGH in whole degrees, not '" << text << "'\n";
            return false;
        }
        return true;
    };
    auto doubleRange = [](const std::string& text, S::DoubleRange& r, const char* what) {
        if (text.empty()) return true;
        if (!parseRange(text, r.low, r.high)) {
            std::cerr << "qz: --" << what << " takes LOW:HIGH, not '" << text << "'\n";
            return false;
        }
        return true;
    };
    if (!intRange(o.planeStrike, p.m_planeStrike, "strike") || !intRange(o.planeDip, p.m_planeDip, "dip") ||
        !intRange(o.lineTrend, p.m_lineTrend, "trend") || !intRange(o.linePlunge, p.m_linePlunge, "plunge") ||
        !intRange(o.faultStrike, p.m_faultStrike, "fault-strike") || !intRange(o.faultDip, p.m_faultDip, "fault-dip") ||
        !intRange(o.faultRake, p.m_faultRake, "rake") || !doubleRange(o.x, p.m_x, "x") || !doubleRange(o.y, p.m_y, "y") ||
        !doubleRange(o.z, p.m_z, "z") || !doubleRange(o.md, p.m_md, "md")) {
        return false;
    }
    auto use = [&p](const std::string& text, S::Subset_Criteria c, bool& sw) {
        if (text.empty()) return;
        p.setCriteria(c);
        sw = true;
    };
    use(o.planeStrike, S::Subset_PlaneStrike, p.m_usePlaneRanges);
    use(o.planeDip, S::Subset_PlaneDip, p.m_usePlaneRanges);
    use(o.lineTrend, S::Subset_LineTrend, p.m_useLineRanges);
    use(o.linePlunge, S::Subset_LinePlunge, p.m_useLineRanges);
    use(o.faultStrike, S::Subset_FaultStrike, p.m_useFaultRanges);
    use(o.faultDip, S::Subset_FaultDip, p.m_useFaultRanges);
    use(o.faultRake, S::Subset_FaultRake, p.m_useFaultRanges);
    use(o.x, S::Subset_X, p.m_useX);
    use(o.y, S::Subset_Y, p.m_useY);
    use(o.z, S::Subset_Z, p.m_useZ);
    use(o.md, S::Subset_MD, p.m_useMD);
    if (!o.slips.empty()) {
        unsigned char mask = 0;
        qzCore::qzParser parser;
        for (const std::string& sense : o.slips) {
            char code = 0;
            if (!qzCore::GDSlipTypes::instance().get(sense, code)) {
                if (lower(sense) == "ll") code = qzCore::GDSlipTypes::GDSlipType_LeftLatSlip;
                else if (lower(sense) == "rl") code = qzCore::GDSlipTypes::GDSlipType_RightLatSlip;
                else {
                    std::cerr << "qz: unknown slip sense '" << sense << "' (Norm, Rev, RLat, LLat, Ambig)\n";
                    return false;
                }
            }
            mask = static_cast<unsigned char>(mask | static_cast<unsigned char>(code));
        }
        p.m_slipMask = mask;
        p.setCriteria(S::Subset_FaultSlip);
        p.m_useFaultRanges = true;
    }
    if (!o.stations.empty()) {
        p.m_stationIds = o.stations;
        p.m_useStations = true;
    }
    if (!o.attributes.empty()) {
        std::uint32_t mask = 0;
        for (const std::string& a : o.attributes) {
            const std::uint32_t bit = data.getAttrList().getAttrIndexMask(a);
            if (bit == qzCore::AttrList::Not_Found) {
                std::cerr << "qz: the data have no attribute '" << a << "'\n";
                return false;
            }
            mask |= bit;
        }
        p.m_attributeMask = mask;
        p.m_useAttributes = true;
    }
    return true;
}

int sortField(const std::string& by) {
    static const std::pair<const char*, int> fields[] = {
        {"type", 6}, {"dip", 7}, {"plunge", 8}, {"rake", 9}, {"slip", 10}, {"station", 11}, {"strike", 12},
        {"trend", 13}, {"x", 14}, {"y", 15}, {"z", 16}, {"md", 17}, {"entry", 18}};
    for (const auto& f : fields) {
        if (by == f.first) return f.second;
    }
    return -1;
}

// ---------------------------------------------------------------- analyses

struct AnalyseOptions {
    std::string method;
    bool faults = false;
    bool lineations = false;
    std::string compensate;
    std::string label;
    std::string report;
    std::string addResults;
    long seed = 0;
    int generations = 1000;
    bool progress = false;
};

int analyse(const std::vector<std::string>& files, const LoadOptions& opts, const AnalyseOptions& a) {
    Loaded l;
    if (!load(files.front(), opts, l)) return 1;
    for (std::size_t i = 1; i < files.size(); ++i) {
        unsigned char more = 0;
        if (!loadInto(files[i], opts, l, more)) return 1;
        l.manager.mergeDatasets(l.id, more);
        l.manager.deleteDataset(more);
    }
    l.manager.setCurrDataset(l.id);
    printRejected(l);
    qzCore::Data& data = *l.manager.getDatasetFromID(l.id);
    std::deque<qzCore::GeoData*> records(data.getDataList().begin(), data.getDataList().end());
    std::list<qzCore::SpecialData> out;
    qzCore::AnalyzeResults results(out);
    std::unique_ptr<qzCore::AnalyzeParams> params;
    if (a.method == "pt") {
        params = std::make_unique<qzCore::AnalyzeFaultParams>(records);
    } else {
        params = std::make_unique<qzCore::AnalyzeParams>(records, a.faults, a.lineations);
    }
    params->setAnalyzeLines(true);
    params->setAnalyzePlanes(true);
    params->setResultLabel(a.label);
    if (!a.report.empty()) {
        params->setExportToFile(true);
        params->setExportFileName(a.report.c_str());
    }
    qzCore::Analyzer analyzer(*params, results);
    const std::string& m = a.method;
    if (m == "fisher") {
        qzCore::FisherStatsParams f;
        if (!a.compensate.empty()) {
            const std::vector<std::string> parts = splitList(a.compensate, ',');
            if (parts.size() != 2 || !f.setParams(parts[0], parts[1], 85, true)) {
                std::cerr << "qz: --compensate takes AZIMUTH,PLUNGE of the line of observation, not '" << a.compensate
                          << "'\n";
                return 1;
            }
        }
        analyzer.computeFisher(&f);
    } else if (m == "tensor") {
        analyzer.computeTensor(nullptr);
    } else if (m == "bestfit") {
        analyzer.computeBestFit(true);
    } else if (m == "tl") {
        analyzer.computeTAndL();
    } else if (m == "pt") {
        analyzer.computePTAxes();
    } else if (m == "lsq" || m == "de") {
        qzCore::LeastSquaresParams ls;
        ls.setUseDESearch(m == "de");
        ls.setUseBruteForce(m == "lsq");
        ls.getDESolverParams().setSeed(a.seed);
        ls.getDESolverParams().setGenerations(a.generations);
        // The solver reports every generation on standard error; shown only
        // when asked for.
        std::ostringstream quiet;
        std::streambuf* saved = a.progress ? nullptr : std::cerr.rdbuf(quiet.rdbuf());
        analyzer.computeLeastSquares(&ls);
        if (saved) std::cerr.rdbuf(saved);
    } else if (m == "intersect") {
        analyzer.computeIntersection();
    } else if (m == "angle") {
        analyzer.computeAngleBetweenObjects();
    }
    if (results.isError()) {
        std::cerr << "qz: " << crlfToLf(l.errors.getMessage(results.getError())) << '\n';
        return 2;
    }
    std::string text = results.getResultString();
    if (m == "angle") text = "Angle between the objects : " + std::to_string(results.getResult().x()) + " degrees\n";
    if (m == "intersect") {
        text = "Line of intersection (az, pl) : (" + std::to_string(results.getResult().x()) + ", " +
               std::to_string(results.getResult().y()) + ")\n";
    }
    if (m == "pt") {
        for (const qzCore::SpecialData& s : out) {
            std::string kind;
            qzCore::GDTypes::instance().get(s.getGDType(), kind);
            text += kind + " (az, pl) : (" + std::to_string(s.getAz()) + ", " + std::to_string(s.getPl()) + ")\n";
        }
        if (out.empty()) text = "No fault with a usable sense of slip\n";
    }
    std::cout << text;
    if (!text.empty() && text.back() != '\n') std::cout << '\n';
    if (!a.addResults.empty()) {
        if (data.addData(out) != 1) {
            std::cerr << "qz: the result records could not be added\n";
            return 1;
        }
        return write(l, l.id, a.addResults, "auto");
    }
    return 0;
}

std::vector<std::string> sampleFiles() {
    std::vector<std::string> out;
    for (const char* f : {"planes.txt", "lines.csv", "faults.txt", "bedding.net", "faults.fkn"}) {
        out.push_back(std::string(QZ_SAMPLE_DIR) + "/" + f);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"qz: orientation data for structural geology"};
    app.require_subcommand(0, 1);

    LoadOptions opts;
    auto inputOptions = [&opts](CLI::App* cmd) {
        cmd->add_option("-f,--format", opts.format, "Input format: auto, text, stereonet, faultkin, dxf or binary")
            ->check(CLI::IsMember({"auto", "text", "stereonet", "faultkin", "dxf", "binary"}));
        cmd->add_option("-c,--columns", opts.columns,
                        "Column layout of delimited text, e.g. Strike,Dip,Rake,Well,Comment ('-' skips a column)");
        cmd->add_option("-d,--delimiter", opts.delimiter, "auto, tab, comma, space, semicolon or colon")
            ->check(CLI::IsMember({"auto", "tab", "comma", "space", "semicolon", "colon"}));
        cmd->add_flag("--dip-direction", opts.dipDirection, "The Strike column holds the dip direction");
        cmd->add_flag("--strict", opts.strict, "Exit with status 3 when any line was rejected");
    };
    std::vector<std::string> files;
    CLI::App* infoCmd = app.add_subcommand("info", "Load data files and print a summary of each");
    infoCmd->add_option("files", files, "Data files (\"-\" for standard input)")->required();
    inputOptions(infoCmd);

    std::string in, out, to = "auto";
    auto transformCmd = [&](const char* name, const char* help) {
        CLI::App* cmd = app.add_subcommand(name, help);
        cmd->add_option("input", in, "Data file (\"-\" for standard input)")->required();
        cmd->add_option("output", out, "File to write; its extension chooses the format (.txt, .csv, .gdf, .net, .fkn, .brute)")
            ->required();
        cmd->add_option("-t,--to", to, "Output format: auto, text, binary, stereonet, faultkin or brute")
            ->check(CLI::IsMember({"auto", "text", "binary", "stereonet", "faultkin", "brute"}));
        inputOptions(cmd);
        return cmd;
    };
    CLI::App* convertCmd = transformCmd("convert", "Write a data file in another format");

    CLI::App* rotateCmd = transformCmd("rotate", "Rotate every record about an axis (clockwise looking along it)");
    int axisTrend = 0, axisPlunge = 0, angle = 0;
    std::string axis = "given";
    rotateCmd->add_option("--axis-trend", axisTrend, "Trend of the rotation axis, degrees")->check(CLI::Range(0, 360));
    rotateCmd->add_option("--axis-plunge", axisPlunge, "Plunge of the rotation axis, degrees")->check(CLI::Range(-90, 90));
    rotateCmd->add_option("--angle", angle, "Rotation angle, degrees")->required();
    rotateCmd->add_option("--axis", axis, "given (by trend and plunge), north-south, east-west or vertical")
        ->check(CLI::IsMember({"given", "north-south", "east-west", "vertical"}));

    CLI::App* subsetCmd = transformCmd("subset", "Keep the records that meet every criterion given");
    SubsetOptions sub;
    subsetCmd->add_option("--strike", sub.planeStrike, "Strike range LOW:HIGH");
    subsetCmd->add_option("--dip", sub.planeDip, "Dip range LOW:HIGH");
    subsetCmd->add_option("--trend", sub.lineTrend, "Trend range LOW:HIGH");
    subsetCmd->add_option("--plunge", sub.linePlunge, "Plunge range LOW:HIGH");
    subsetCmd->add_option("--fault-strike", sub.faultStrike, "Fault strike range LOW:HIGH");
    subsetCmd->add_option("--fault-dip", sub.faultDip, "Fault dip range LOW:HIGH");
    subsetCmd->add_option("--rake", sub.faultRake, "Rake range LOW:HIGH");
    subsetCmd->add_option("--slip", sub.slips, "Slip senses to keep (Norm, Rev, RLat, LLat, Ambig)");
    subsetCmd->add_option("--station", sub.stations, "Station ids to keep");
    subsetCmd->add_option("--attribute", sub.attributes, "Attributes to keep");
    subsetCmd->add_option("--x", sub.x, "X range LOW:HIGH");
    subsetCmd->add_option("--y", sub.y, "Y range LOW:HIGH");
    subsetCmd->add_option("--z", sub.z, "Z range LOW:HIGH");
    subsetCmd->add_option("--md", sub.md, "Measured-depth range LOW:HIGH");

    CLI::App* sortCmd = transformCmd("sort", "Order the records by a column");
    std::string by = "entry";
    bool descending = false;
    sortCmd->add_option("--by", by, "strike, dip, rake, trend, plunge, slip, station, type, x, y, z, md or entry")
        ->check(CLI::IsMember({"strike", "dip", "rake", "trend", "plunge", "slip", "station", "type", "x", "y", "z",
                               "md", "entry"}));
    sortCmd->add_flag("--descending", descending, "Largest first");

    CLI::App* analyseCmd = app.add_subcommand("analyse", "Analyse the records of data files");
    analyseCmd->alias("analyze");
    AnalyseOptions an;
    std::vector<std::string> analyseFiles;
    analyseCmd->add_option("method", an.method, "fisher, tensor, bestfit, tl, pt, lsq, de, intersect or angle")
        ->required()
        ->check(CLI::IsMember({"fisher", "tensor", "bestfit", "tl", "pt", "lsq", "de", "intersect", "angle"}));
    analyseCmd->add_option("files", analyseFiles, "Data files (\"-\" for standard input)")->required();
    inputOptions(analyseCmd);
    analyseCmd->add_flag("--faults", an.faults, "Use the planes of faults");
    analyseCmd->add_flag("--lineations", an.lineations, "Use the slip lines of faults");
    analyseCmd->add_option("--compensate", an.compensate,
                           "Fisher: weight for a line of observation AZIMUTH,PLUNGE (scanline or borehole)");
    analyseCmd->add_option("--label", an.label, "Label for the results");
    analyseCmd->add_option("--report", an.report, "Write the tab-separated report to this file");
    analyseCmd->add_option("--add-results", an.addResults, "Save the input with the result records added");
    analyseCmd->add_option("--seed", an.seed, "Seed of the DE search (repeatable runs; 0 uses the clock)");
    analyseCmd->add_option("--generations", an.generations, "Generations of the DE search")->check(CLI::Range(1, 100000));
    analyseCmd->add_flag("--progress", an.progress, "Show the DE search's progress on standard error");

    CLI11_PARSE(app, argc, argv);

    if (analyseCmd->parsed()) return analyse(analyseFiles, opts, an);

    if (infoCmd->parsed()) return info(files, opts);
    if (convertCmd->parsed()) return transformFile(in, out, opts, to, [](Loaded&, unsigned char&) { return 0; });
    if (rotateCmd->parsed()) {
        return transformFile(in, out, opts, to, [&](Loaded& l, unsigned char& id) {
            qzCore::ThreeD_Rotation_Axis a = qzCore::Rotation_Axis_Trend_Plunge;
            if (axis == "north-south") a = qzCore::Rotation_Axis_North_South;
            if (axis == "east-west") a = qzCore::Rotation_Axis_East_West;
            if (axis == "vertical") a = qzCore::Rotation_Axis_Vertical;
            const qzCore::RotateParams p(true, a, angle, axisTrend, axisPlunge, false);
            unsigned char fresh = 0;
            return l.manager.applyRotation(id, fresh, p, nullptr) == 1 ? 0 : 1;
        });
    }
    if (subsetCmd->parsed()) {
        return transformFile(in, out, opts, to, [&](Loaded& l, unsigned char& id) {
            qzCore::SubsetParams p;
            if (!subsetParams(sub, *l.manager.getDatasetFromID(id), p)) return 1;
            l.manager.getDatasetFromID(id)->subset(p, nullptr);
            return 0;
        });
    }
    if (sortCmd->parsed()) {
        return transformFile(in, out, opts, to, [&](Loaded& l, unsigned char& id) {
            l.manager.sortData(id, qzCore::SortByField(sortField(by), !descending, true));
            return 0;
        });
    }
    std::cout << "qz: no command given; showing the bundled sample data (see qz --help)\n\n";
    return info(sampleFiles(), opts);
}
