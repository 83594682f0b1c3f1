// qz: orientation data from the shell.
//
//   qz                      summary of the bundled sample data
//   qz info FILE...         load each file and print its summary and the
//                           report of rejected lines ("-" reads standard input)
#include <CLI/CLI.hpp>

#include <algorithm>
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

/// Loads one file and prints its summary.  0 on success, 1 when the file
/// cannot be read at all, 3 when rows were rejected and --strict is on.
int infoOne(const std::string& name, const LoadOptions& opts) {
    std::string content;
    if (name == "-") {
        std::ostringstream all;
        all << std::cin.rdbuf();
        content = all.str();
    } else {
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            std::cerr << "qz: cannot open '" << name << "'\n";
            return 1;
        }
        std::ostringstream all;
        all << in.rdbuf();
        content = all.str();
    }

    Format format = parseFormat(opts.format);
    if (format == Format::Auto) format = guessFormat(name, content);
    if (format == Format::Binary) {
        std::cerr << "qz: '" << name << "': binary dataset files are not supported yet\n";
        return 1;
    }

    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    options.setIEOption(qzIEColumnOptions::IE_Report_Errors);
    options.setIEOption(qzIEColumnOptions::IE_Read_Attributes);
    // Attribute labels from the file are taken without asking.
    unsigned int delim = krtIEConstants::Tab_Delim;
    std::string layout;
    switch (format) {
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
            layout = std::string(", ") + delimiterName(delim);
            if (!opts.columns.empty()) {
                options.resetColumnChoices();
                const std::vector<std::string> cols = splitList(opts.columns, ',');
                for (std::size_t i = 0; i < cols.size(); ++i) {
                    const int t = keywordType(cols[i]);
                    if (t < 0 || i >= std::size_t(qzIEColumnOptions::Max_Num_Columns)) {
                        std::cerr << "qz: unknown or surplus column '" << cols[i] << "'\n";
                        return 1;
                    }
                    options.setColumnChoice(int(i), t);
                }
            } else if (headerLayout(firstLine(content), delim, options)) {
                layout += ", columns from the header row";
            } else {
                options.setDefaultColumnChoices();
            }
            break;
        }
    }
    options.setColumnDelim(delim);
    if (opts.dipDirection) options.setIEOption(qzIEColumnOptions::IE_Strike_Is_Dip_Direction);

    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager(&errors, &files);
    unsigned char id = 0;
    const std::string datasetName = name == "-" ? std::string("stdin") : name;
    if (manager.createDataset(id, datasetName, false, nullptr) != 1) {
        std::cerr << "qz: cannot create a dataset\n";
        return 1;
    }
    const qzIEDataTypeOptions types;
    const qzCore::qzIEDataTypeOrder order(types, options);
    std::istringstream in(content);
    int r = 0;
    try {
        r = manager.addData(id, options, order, in);
    } catch (int code) {
        r = code;
    }
    if (r < 0) {
        std::cerr << "qz: '" << name << "': " << crlfToLf(errors.getMessage(r)) << '\n';
        return 1;
    }

    std::string info;
    manager.getDatasetInfoAsString(info, id);
    std::cout << "== " << name << " (" << formatName(format) << layout << ") ==\n" << info;
    if (errors.errorsOccurred()) {
        std::cout << "Rejected lines:\n" << crlfToLf(errors.getErrorReportBuffer());
        if (errors.getErrorReportBuffer().back() != '\n') std::cout << '\n';
    }
    std::cout << '\n';
    return opts.strict && errors.errorsOccurred() ? 3 : 0;
}

int info(const std::vector<std::string>& names, const LoadOptions& opts) {
    int status = 0;
    for (const std::string& n : names) status = std::max(status, infoOne(n, opts));
    return status;
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
    std::vector<std::string> files;
    CLI::App* infoCmd = app.add_subcommand("info", "Load data files and print a summary of each");
    infoCmd->add_option("files", files, "Data files (\"-\" for standard input)")->required();
    infoCmd->add_option("-f,--format", opts.format, "auto, text, stereonet, faultkin or dxf")
        ->check(CLI::IsMember({"auto", "text", "stereonet", "faultkin", "dxf", "binary"}));
    infoCmd->add_option("-c,--columns", opts.columns,
                        "Column layout of delimited text, e.g. Strike,Dip,Rake,Well,Comment ('-' skips a column)");
    infoCmd->add_option("-d,--delimiter", opts.delimiter, "auto, tab, comma, space, semicolon or colon")
        ->check(CLI::IsMember({"auto", "tab", "comma", "space", "semicolon", "colon"}));
    infoCmd->add_flag("--dip-direction", opts.dipDirection, "The Strike column holds the dip direction");
    infoCmd->add_flag("--strict", opts.strict, "Exit with status 3 when any line was rejected");

    CLI11_PARSE(app, argc, argv);

    if (infoCmd->parsed()) return info(files, opts);
    std::cout << "qz: no command given; showing the bundled sample data (see qz --help)\n\n";
    return info(sampleFiles(), opts);
}
