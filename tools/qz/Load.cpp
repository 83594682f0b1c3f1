// Reading data files: the layout is what the user said, the rest guessed
// from the file's name and first lines (qzCore::guessFileLayout).
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <tuple>

#include "Common.h"

#ifndef QZ_SAMPLE_DIR
#define QZ_SAMPLE_DIR "examples/data"
#endif

namespace qz {

using qzCore::FileFormat;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string extensionOf(const std::string& name) { return lower(qzCore::ComplexFileName(name).getExtension()); }

bool slashNumbers(const std::string& text, std::size_t count, std::vector<double>& out) {
    const std::vector<std::string> parts = splitList(text, '/');
    out.clear();
    if (parts.size() != count) return false;
    for (const std::string& part : parts) {
        char* end = nullptr;
        const double v = std::strtod(part.c_str(), &end);
        if (part.empty() || *end || !std::isfinite(v)) return false;
        out.push_back(v);
    }
    return true;
}

bool stressOptions(const std::string& sigma1, const std::string& sigma3, const std::string& magnitudes,
                   qzCore::facade::Direction& s1, qzCore::facade::Direction& s3, std::array<double, 3>& m) {
    std::vector<double> v;
    for (const auto& [text, to, name] : {std::tuple{&sigma1, &s1, "sigma1"}, {&sigma3, &s3, "sigma3"}}) {
        if (text->empty()) continue;
        if (!slashNumbers(*text, 2, v)) {
            std::cerr << "qz: --" << name << " takes TREND/PLUNGE in degrees, not '" << *text << "'\n";
            return false;
        }
        *to = {v[0], v[1]};
    }
    if (magnitudes.empty()) return true;
    if (!slashNumbers(magnitudes, 3, v)) {
        std::cerr << "qz: --magnitudes takes S1/S2/S3, not '" << magnitudes << "'\n";
        return false;
    }
    m = {v[0], v[1], v[2]};
    return true;
}

bool slopeFace(const std::string& text, qzCore::SlopeFace& face) {
    std::vector<double> v;
    if (!slashNumbers(text, 2, v)) {
        std::cerr << "qz: --slope takes the face's DIPDIR/DIP in degrees, not '" << text << "'\n";
        return false;
    }
    face.dipDirection = v[0];
    face.dip = v[1];
    return true;
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

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        out += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    }
    return out;
}

std::vector<std::string> sampleFiles() {
    std::vector<std::string> out;
    for (const char* f : {"planes.txt", "lines.csv", "faults.txt", "bedding.net", "faults.fkn", "fold.csv"}) {
        out.push_back(std::string(QZ_SAMPLE_DIR) + "/" + f);
    }
    return out;
}

void addInputOptions(CLI::App* cmd, LoadOptions& opts) {
    std::vector<std::string> formats{"auto"};
    for (const std::string& f : qzCore::fileFormatNames(false)) formats.push_back(f);
    cmd->add_option("-f,--format", opts.format, "Input format: " + joined(formats) + " (auto: by the extension and content)")
        ->check(CLI::IsMember(formats));
    cmd->add_option("-c,--columns", opts.columns,
                    "Column layout of delimited text, e.g. Strike,Dip,Rake,Well,Comment ('-' skips a column)");
    cmd->add_option("-d,--delimiter", opts.delimiter, "auto, tab, comma, space, semicolon or colon")
        ->check(CLI::IsMember({"auto", "tab", "comma", "space", "semicolon", "colon"}));
    cmd->add_flag("--dip-direction", opts.dipDirection, "The Strike column holds the dip direction");
    cmd->add_flag("--strict", opts.strict, "Exit with status 3 when any line was rejected");
}

namespace {

/// Says once how the columns of a delimited file were understood, when
/// nobody said.
void tellLayout(const std::string& name, const qzCore::FileLayout& layout, const std::string& delimiterChoice) {
    if (layout.format != FileFormat::Text || !layout.columnsGuessed) return;
    std::string text = "qz: '" + name + "': ";
    if (delimiterChoice == "auto") {
        text += std::string(qzCore::FileLayout::delimiterName(layout.delimiter)) + "-separated";
        if (layout.decimalComma) text += " with decimal commas";
        text += "; ";
    }
    if (layout.headerRow && !layout.columns.empty()) {
        text += "columns from the header row: " + layout.columnsText();
        if (!layout.ignoredWords.empty()) {
            text += "; ignored:";
            for (const std::string& w : layout.ignoredWords) text += " " + w;
        }
    } else if (layout.headerRow) {
        text += "the header row names no column qz knows; columns guessed: " + layout.columnsText() +
                " (--columns says otherwise)";
    } else {
        text += "no header row; columns guessed: " + layout.columnsText() + " (--columns says otherwise)";
    }
    std::cerr << text << "\n";
}

}  // namespace

bool refused(const qzCore::facade::Refused& r) {
    std::cerr << "qz: --" << r.field() << " " << r.text() << '\n';
    return false;
}

bool load(const std::string& name, const LoadOptions& opts, Loaded& out) { return loadAll({name}, opts, out); }

bool loadAll(const std::vector<std::string>& names, const LoadOptions& opts, Loaded& out) {
    qzCore::facade::ReadOptions given;
    given.format = opts.format;
    given.columns = qzCore::facade::columnWords(opts.columns);
    given.delimiter = opts.delimiter;
    given.dipDirection = opts.dipDirection;
    try {
        for (const std::string& name : names) {
            const qzCore::facade::FileRead r = out.add(name, given);
            if (r.utf16) std::cerr << "qz: '" << name << "': UTF-16 text, read as UTF-8\n";
            if (r.layout.format != FileFormat::Brute && r.code != qzCore::Error::Dataset_Creation_Failed) {
                tellLayout(name, r.layout, opts.delimiter);
            }
            if (!r.ok()) {
                std::cerr << "qz: " << r.message << '\n';
                return false;
            }
        }
    } catch (const qzCore::facade::Refused& r) {
        return refused(r);
    }
    return !names.empty();
}

void printRejected(const Loaded& l) {
    // Rows loaded with a remark (a sense of slip that names no direction on
    // its fault, ...): each with its line and what was done.
    const auto& noted = l.errors().getNotedLines();
    if (!noted.empty()) {
        std::cout << "Remarks on rows loaded:\n";
        std::size_t shown = 0;
        for (const qzCore::RejectedLine& n : noted) {
            if (shown++ == qzCore::ErrorManager::Max_Reported_Errors) break;
            std::cout << n.text << "\n%<Line " << n.line << "> " << l.message(n.code) << "\n";
        }
        if (l.errors().getNumNoted() > qzCore::ErrorManager::Max_Reported_Errors) {
            std::cout << l.errors().getNumNoted() << " rows with remarks in all; the first "
                      << qzCore::ErrorManager::Max_Reported_Errors << " are listed\n";
        }
    }
    if (!l.errors().errorsOccurred()) return;
    const std::string report = l.rejectedReport();
    std::cout << "Rejected lines:\n" << report;
    if (!report.empty() && report.back() != '\n') std::cout << '\n';
    if (l.errors().getNumRejected() > qzCore::ErrorManager::Max_Reported_Errors) {
        std::cout << l.errors().getNumRejected() << " lines rejected in all; the first "
                  << qzCore::ErrorManager::Max_Reported_Errors << " are listed\n";
    }
}

std::string skippedText(const qzCore::SkippedLines& s) {
    std::string out;
    auto add = [&out](unsigned long n, const char* what) {
        if (n == 0) return;
        out += (out.empty() ? "" : ", ") + std::to_string(n) + " " + what;
    };
    add(s.header, s.header == 1 ? "header row" : "header rows");
    add(s.title, s.title == 1 ? "title row" : "title rows");
    add(s.blank, s.blank == 1 ? "blank line" : "blank lines");
    add(s.comment, s.comment == 1 ? "comment line" : "comment lines");
    return out;
}

bool nothingToDraw(const Loaded& l) {
    if (!l.empty()) return false;
    std::cerr << "qz: nothing to draw: no records were loaded\n";
    return true;
}

int strictStatus(const Loaded& l, const LoadOptions& opts) {
    return opts.strict && l.errors().getNumRejected() > 0 ? 3 : 0;
}

}  // namespace qz
