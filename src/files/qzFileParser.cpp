#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/qzFileParser.h"

#include <cstring>
#include <istream>
#include <string>
#include <vector>

#include "qzCore/files/BinaryInput.h"
#include "qzCore/files/FileHeader.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/AngleText.h"

namespace qzCore {

namespace {

/// Longest text a Stereonet token contributes.
constexpr std::size_t Token_Length = 5;

/// The blank-separated words of a line.
std::vector<std::string> words(const char* line) {
    std::vector<std::string> out;
    const char* p = line;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        const char* b = p;
        while (*p && *p != ' ' && *p != '\t') ++p;
        out.emplace_back(b, std::size_t(p - b));
    }
    return out;
}

std::string trimmed(const char* line) {
    std::string s(line);
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace

qzFileParser::qzFileParser(const qzIEColumnOptions& options) : FileParser(options) {}

qzFileParser::~qzFileParser() = default;

// A copy reads nothing binary until it has read a header itself.
qzFileParser::qzFileParser(const qzFileParser& o)
    : FileParser(o),
      m_stereonetType(o.m_stereonetType),
      m_stereonet(o.m_stereonet),
      m_faultKin(o.m_faultKin),
      m_headerPending(o.m_headerPending),
      m_titleRowsPending(o.m_titleRowsPending),
      m_faultKinMarker(o.m_faultKinMarker) {}

void qzFileParser::init(const qzIEColumnOptions& options, std::istream& in) {
    FileParser::init(options);
    m_stereonetType = Stereonet_None;
    m_stereonet = false;
    m_faultKin = false;
    m_headerPending = false;
    m_titleRowsPending = 0;
    m_faultKinMarker.clear();
    if (options.getIEOption(qzIEColumnOptions::IE_Stereonet_File)) {
        m_stereonet = true;
        if (grabLine(in)) parseStereonetType(getLineBuffer());
        return;
    }
    if (options.getIEOption(qzIEColumnOptions::IE_FaultKin_File)) {
        if (!grabLine(in)) throw Error::Unknown_File_Format;
        const char* first = getLineBuffer();
        if (!std::strstr(first, "MomentFormat") && !std::strstr(first, "FaultKin")) throw Error::Bad_FaultKin_File;
        m_faultKin = true;
        return;
    }
    m_headerPending = options.getColumnOption(ieColumnOptions::Column_Option_Header_Row);
    m_titleRowsPending = m_headerPending ? options.getTitleRows() : 0;
}

bool qzFileParser::takeTitleRow() {
    if (m_titleRowsPending <= 0) return false;
    --m_titleRowsPending;
    return true;
}

bool qzFileParser::takeHeaderRow() {
    const bool pending = m_headerPending;
    m_headerPending = false;
    return pending;
}

bool qzFileParser::parseStereonetType(const char* line) {
    static const struct {
        const char* code;
        int type;
    } codes[] = {{"TP", Stereonet_TP}, {"PT", Stereonet_PT}, {"PQ", Stereonet_PQ}, {"AD", Stereonet_AD},
                 {"AZ", Stereonet_AZ}, {"QD", Stereonet_QD}, {"DD", Stereonet_DD}};
    m_stereonetType = Stereonet_None;
    if (!line) return true;
    for (const auto& c : codes) {
        if (std::strstr(line, c.code)) {
            m_stereonetType = c.type;
            break;
        }
    }
    return true;
}

bool qzFileParser::isLayoutCode(const std::string& word) {
    for (const char* code : {"TP", "PT", "PQ", "AD", "AZ", "QD", "DD"}) {
        if (word == code) return true;
    }
    return false;
}

void qzFileParser::tokenizeStereonet(std::istream& in, TokenList& tokens) {
    tokens.reset();
    if (!grabLine(in)) return;
    // A line that holds only a layout code starts a block of that layout
    // (the writer follows its AD block of planes with a TP block of lines).
    const std::string code = trimmed(getLineBuffer());
    if (isLayoutCode(code)) {
        parseStereonetType(code.c_str());
        return;
    }
    std::vector<std::string> t = words(getLineBuffer());
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
}

void qzFileParser::tokenizeFaultKin(std::istream& in, TokenList& tokens) {
    tokens.reset();
    m_faultKinMarker.clear();
    bool reverse = false;
    for (;;) {
        if (!grabLine(in)) return;
        const std::string marker = trimmed(getLineBuffer());
        if (marker == "TR" || marker == "TL" || marker == "NR" || marker == "NL") {
            reverse = marker.find('T') != std::string::npos;
            m_faultKinMarker = marker;
            break;
        }
    }
    if (!grabLine(in)) return;
    // Data lines are blank-separated, whatever the column delimiter says.
    const std::vector<std::string> t = words(getLineBuffer());
    for (std::size_t i = 0; i < t.size() && i < tokens.capacity(); ++i) tokens.set(i, t[i]);
    std::string keyword;
    GDSlipTypes::instance().get(reverse ? GDSlipTypes::GDSlipType_ReverseSlip : GDSlipTypes::GDSlipType_NormalSlip,
                                keyword);
    tokens.set(4, keyword);
}

int qzFileParser::tokenizeDXF(std::istream& in, TokenList& tokens) {
    tokens.reset();
    while (grabLine(in)) {
    }
    return 1;
}

void qzFileParser::parseBinaryHeader(std::istream& in, FileHeader& header, AttrList& attributes,
                                     StationList& stations, unsigned int& count) {
    m_reader.reset();
    unsigned char b[4];
    in.read(reinterpret_cast<char*>(b), 4);
    if (in.gcount() != 4) throw Error::File_Read_Error;
    const std::uint32_t length =
        std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
    if (length > Max_Tag_Length) throw Error::Unknown_File_Format;
    std::string tag(length, '\0');
    if (length > 0) {
        in.read(&tag[0], static_cast<std::streamsize>(length));
        if (static_cast<std::uint32_t>(in.gcount()) != length) throw Error::File_Read_Error;
    }
    header.setTag(tag);
    std::unique_ptr<BinaryInput> reader;
    switch (header.getBinaryFileVersion()) {
        case FileHeader::Torsel_1_1: throw Error::Early_Beta_File;
        case FileHeader::Quarzel_2_0: reader = std::make_unique<BinaryInput_v2>(in); break;
        case FileHeader::Quarzel_3_0: reader = std::make_unique<BinaryInput_v3>(in); break;
        case FileHeader::Quarzel_3_1: reader = std::make_unique<BinaryInput_v3_1>(in); break;
        case FileHeader::Vimbrel_1_0: reader = std::make_unique<BinaryInput_v3_2>(in); break;
        case FileHeader::Vimbrel_1_1: reader = std::make_unique<BinaryInput_v3_3>(in); break;
        default: throw Error::Unknown_File_Format;
    }
    reader->readContentFlags(count);
    reader->readAttributes(attributes);
    reader->readStations(stations);
    m_reader = std::move(reader);
}

// The reader holds the stream it was made on (and reads ahead of this call).
int qzFileParser::readBinary(std::istream&, TokenStruct& tokens, DataStruct& data) {
    if (!m_reader) return Error::Input_File_Error;
    return m_reader->readRecord(tokens, data);
}

}  // namespace qzCore
