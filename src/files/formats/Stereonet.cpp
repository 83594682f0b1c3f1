// Stereonet's text files.  The first line names the layout by a code,
// searched for in this order: "TP" (trend, plunge), "PT" (plunge, trend),
// "PQ" (plunge, quadrant trend in three tokens), "AD" (strike, dip, dip-
// direction letters), "AZ" (strike, dip), "QD" (quadrant strike in three
// tokens, dip, letters), "DD" (dip, dip direction).  Data lines are
// blank-separated; numbers with decimals are rounded to whole degrees.  A
// later line holding only a code starts a block of that layout (the writer
// follows its AD block of planes with a TP block of lines).
#include <cstring>
#include <istream>
#include <ostream>
#include <sstream>

#include "files/formats/FormatUnit.h"
#include "files/formats/LineWords.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/AngleText.h"

namespace qzCore {

namespace {

/// Longest text a Stereonet token contributes.
constexpr std::size_t Token_Length = 5;

const char* const Codes[] = {"TP", "PT", "PQ", "AD", "AZ", "QD", "DD"};

}  // namespace

bool qzFileParser::parseStereonetType(const char* line) {
    static const int types[] = {Stereonet_TP, Stereonet_PT, Stereonet_PQ, Stereonet_AD,
                                Stereonet_AZ, Stereonet_QD, Stereonet_DD};
    m_stereonetType = Stereonet_None;
    if (!line) return true;
    for (std::size_t i = 0; i < std::size(Codes); ++i) {
        if (std::strstr(line, Codes[i])) {
            m_stereonetType = types[i];
            break;
        }
    }
    return true;
}

bool qzFileParser::isLayoutCode(const std::string& word) {
    for (const char* code : Codes) {
        if (word == code) return true;
    }
    return false;
}

int qzFileParser::tokenizeStereonet(std::istream& in, TokenList& tokens) {
    tokens.reset();
    if (!grabLine(in)) return Error::Parsing_Incomplete;
    // The first line names the layout anywhere in it; a later line that is
    // only a code starts a block.  Either is the file's header, counted as
    // such.  A first line without a code goes on as a row: with no layout,
    // refuseRow reports it, as every row after it.
    const bool first = m_firstLinePending;
    m_firstLinePending = false;
    const std::string code = detail::trimmed(getLineBuffer());
    if (first || isLayoutCode(code)) {
        parseStereonetType(first ? getLineBuffer() : code.c_str());
        if (m_stereonetType != Stereonet_None) {
            m_layoutLine = true;
            return Error::Null_Input_Line;
        }
    }
    std::vector<std::string> t = detail::words(getLineBuffer());
    t.resize(5);
    // A word is never cut (a cut "0045.9" would read as 45): numbers are
    // rounded to whole degrees before words are joined ("N 30.4 E" is
    // N30E), and a word still too long for its column is refused when the
    // row is converted.
    for (std::string& w : t) roundAngleText(w, false, Token_Length);
    // Columns: 0 Strike, 1 Dip, 2 Rake, 3 Trend, 4 Plunge.
    switch (m_stereonetType) {
        case Stereonet_TP: tokens.set(3, t[0]); tokens.set(4, t[1]); break;
        case Stereonet_PT: tokens.set(3, t[1]); tokens.set(4, t[0]); break;
        case Stereonet_PQ: tokens.set(3, t[1] + t[2] + t[3]); tokens.set(4, t[0]); break;
        case Stereonet_AD: tokens.set(0, t[0]); tokens.set(1, t[1] + t[2]); break;
        case Stereonet_AZ: tokens.set(0, t[0]); tokens.set(1, t[1]); break;
        case Stereonet_QD: tokens.set(0, t[0] + t[1] + t[2]); tokens.set(1, t[3] + t[4]); break;
        case Stereonet_DD: tokens.set(0, t[1]); tokens.set(1, t[0]); break;
        default: break;
    }
    return 1;
}

namespace detail {

const FormatUnit& stereonetFormat() {
    static const FormatUnit unit = [] {
        FormatUnit u;
        u.info = {FileFormat::Stereonet, "stereonet", "Stereonet's text files (first-line codes TP, PT, PQ, AD, AZ, QD, DD)",
                  {"net", "stereonet"}, true, true};
        u.displayName = "Stereonet";
        u.optionBit = qzIEColumnOptions::IE_Stereonet_File;
        // A first word that is a layout code.
        u.recognise = [](const std::string&, const std::string& firstLine) {
            std::istringstream in(firstLine);
            std::string word;
            in >> word;
            return qzFileParser::isLayoutCode(word);
        };
        u.readOptions = [](qzIEColumnOptions& o) {
            o.setIEOption(qzIEColumnOptions::IE_Stereonet_File);
            o.setDefaultStereonetInputColumnChoices();
            o.setColumnDelim(krtIEConstants::Space_Delim | krtIEConstants::Tab_Delim);
        };
        u.start = [](qzFileParser& r, std::istream&) { r.markFirstLinePending(); };
        u.nextRecord = [](qzFileParser& r, std::istream& in, TokenList& cells) { return r.tokenizeStereonet(in, cells); };
        // A file without a layout code: no row can be read, and each says so.
        u.refuseRow = [](const qzFileParser& r, const std::string& lineText) {
            return r.getStereonetType() == qzFileParser::Stereonet_None &&
                           lineText.find_first_not_of(" \t") != std::string::npos
                       ? int(Error::Bad_Stereonet_File)
                       : 0;
        };
        // A DD block lists dip and dip direction.
        u.rowHoldsDipDirections = [](const qzFileParser& r) {
            return r.getStereonetType() == qzFileParser::Stereonet_DD;
        };
        // An AD block of planes, then a TP block of lines; records without
        // the angles of a block (a marker without its orientation) are left
        // out of it rather than written as -1.
        u.write = [](const Emitter& e, std::ostream& out) {
            out << "AD\n";
            for (const GeoData* g : e.records()) {
                if (Emitter::inStereonetPlanes(g)) out << ' ' << g->data()->getStrike() << ' ' << g->data()->getDip() << '\n';
            }
            out << "TP\n";
            for (const GeoData* g : e.records()) {
                if (Emitter::inStereonetLines(g)) out << ' ' << g->data()->getTrend() << ' ' << g->data()->getPlunge() << '\n';
            }
            return out.good() ? 1 : int(Error::File_Write_Error);
        };
        u.holds = [](const GeoData* g) { return Emitter::inStereonetPlanes(g) || Emitter::inStereonetLines(g); };
        return u;
    }();
    return unit;
}

}  // namespace detail
}  // namespace qzCore
