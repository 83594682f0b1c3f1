// Turns the text of one orientation value into whole degrees.
//
// Accepted notation:
//  * strike or trend: an azimuth 0..360 ("045", "45.6"; 360 stays 360) or a
//    quadrant bearing ("N30E", "s45w"): N..E = v, S..E = 180 - v,
//    N..W = 360 - v, S..W = 180 + v, with v 0..90;
//  * dip: 0..90, optionally followed by the dip direction in one or two
//    compass letters ("30", "30SE", "30w").  Letters on the wrong side of
//    the strike turn the strike by 180 to the right-hand-rule strike (dip
//    direction = strike + 90); letters at right angles are an error;
//  * rake: 0..180 from the strike direction, or 0..90 followed by the
//    letters of the end of the strike line it is measured from ("40N");
//  * plunge: 0..90, optionally followed by letters that must agree with the
//    trend;
//  * slip sense: a slip keyword ("Norm", "Rev", "RLat", "LLat", "Ambig",
//    "None", "All") or "LL" / "RL" in either case.
// Numbers are unsigned decimal digits with an optional fraction, rounded to
// the nearest degree.  A number longer than Max_Number_Length characters is
// rejected with the operation's code.  Every operation returns 1 or a
// negative error code; none reads past the end of its text.
#ifndef QZCORE_PARSING_QZPARSER_H
#define QZCORE_PARSING_QZPARSER_H

#include "qzCore/Export.h"

#include <array>
#include <iosfwd>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/errors/ErrorManager.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

class AttrList;
class DataStruct;
class FileHeader;
class StationList;
class TokenStruct;
class RowSource;

class QZCORE_EXPORT qzParser {
public:
    /// Longest number (digits, point and fraction) a value may hold.  Token
    /// texts have at most 5 characters; typed values get a little more room
    /// for leading zeros and decimals.
    static constexpr std::size_t Max_Number_Length = 12;

    qzParser();
    ~qzParser();
    /// Copies are independent: the owned helpers are duplicated.
    qzParser(const qzParser& o);
    qzParser& operator=(const qzParser& o);

    /// Strike or trend.  @return 1, or -5 ("Invalid strike value").
    /// An azimuth out of range also writes -5 into `strike`.
    int ParseStrike(int& strike, const char* text);
    /// ParseStrike, then the dip (which may turn the strike).
    /// @return 1, or the first failing code (-5, -1, -2).
    int ParseStrikeDip(int& strike, int& dip, const char* strikeText, const char* dipText);
    /// Plunge (0..90) of a line of trend `trend`.  Letters after the number
    /// must name the quadrant of the trend (any letters for a trend outside
    /// 0..360).  @return 1, or -17; the plunge is unchanged on failure.
    int ParsePlunge(int trend, int& plunge, const char* text);
    /// A plain decimal number: leading blanks, an optional minus sign,
    /// digits, an optional fraction, nothing after.  An empty text (or only
    /// blanks, or a lone minus) gives 0.  @return 1, or -6 with `value`
    /// unchanged (also for a null text and an integer out of the int range).
    int ParseNumberGeneric(const char* text, int& value);
    int ParseNumberGeneric(const char* text, double& value);

    /// True when the last ParseDip kept the strike (no letters, or letters
    /// that agreed with it).
    bool getDipAgreed() const { return m_dipAgreed; }

    // ---- records and file rows --------------------------------------------

    /// Longest texts a file row may give each column; a longer field is
    /// refused with the column's code, never cut (a cut value or label
    /// could be read as another one).
    static constexpr std::size_t Max_Token_Length = 5;
    static constexpr std::size_t Max_Attribute_Length = 31;
    static constexpr std::size_t Max_Station_Length = 15;
    static constexpr std::size_t Max_Location_Length = 63;

    /// Takes copies of the layout and prepares the file parser for the
    /// stream (a Stereonet or FaultKin file has its first line read here).
    /// @return 1 or -11.  @throw -31, -60 from the FaultKin check.
    int Initialize(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::istream& in);
    /// Reads X, Y and Z (each may be empty: unset).  A text is read as a
    /// leading decimal number (the rest ignored); a text without one, or a
    /// zero not written with a leading digit 0, gives -51.  @return 1 or -51.
    int ParseLocation(const char* x, const char* y, const char* z, DataStruct& data, bool unused = false);
    /// Converts the tokens of one record into values.  The type token's
    /// first letter (m, w, p, f, l, s, u in either case) names the kind;
    /// without one the kind follows from the tokens present: a strike makes
    /// a plane, a plane with a rake or a trend a fault, a trend alone a line.
    /// @return 1 or the code of the failing value; -35 for a rake together
    ///   with a trend, -38 for a rake without a plane, -18 for no values.
    int ParseSingle(TokenStruct& tokens, DataStruct& data);
    /// Checks that a typed record has the tokens its type letter needs.
    /// @return 1, -38 (fault), -39 (line, special) or -40 (plane).
    int VerifyTokens(const TokenStruct& tokens) const;
    /// Reads and converts one row of the stream prepared by Initialize.
    /// @param attributes receives the labels of the attribute columns.
    /// @param stationId receives the station column.
    /// @param line receives the physical line number of the row (blank
    ///   lines counted, as an editor shows it).
    /// @param lineText receives the text of the row (at most
    ///   krtIEConstants::Max_Line_Length characters; a NUL shown as "\0").
    /// @return 1; -13 at the end of input; -14 when the stream failed; -18
    ///   for a blank row, a comment or the header; -12 for a row that holds
    ///   something but no value; -57 for a row longer than
    ///   krtIEConstants::Max_Line_Length characters; -58 for a row holding a
    ///   NUL byte; -61 for a row of a Stereonet file without a layout code;
    ///   or the code of the failing value.
    int AutoFileParse(DataStruct& data, TokenStruct& tokens, std::istream& in, std::list<std::string>& attributes,
                      std::string& stationId, bool binary, unsigned int& line, std::string& lineText);
    /// Reads the header of a binary dataset file.  @throw the error code.
    /// A row of a delimited text file in two halves, so that a long file
    /// can be read on two threads.  takeRow reads the next line (the part
    /// that must go in file order) and gives Row_Taken when the rest of the
    /// row can be done apart from the reading, by finishRow on this parser
    /// or on a copy of it; any other value is the row's result, as
    /// AutoFileParse gives it.  AutoFileParse of such a file is the two.
    int takeRow(std::istream& in, unsigned int& line, std::string& lineText, bool& tooLong);
    int finishRow(const std::string& lineText, bool tooLong, DataStruct& data, TokenStruct& tokens,
                  std::list<std::string>& attributes, std::string& stationId);
    /// The rows still to come can be finished apart from their reading, on
    /// a copy of this parser: a delimited text file whose header row, if
    /// any, has been passed.
    bool rowsFinishApart() const;
    /// takeRow's answer for a row that finishRow completes.
    static constexpr int Row_Taken = 0x7FFF0001;

    /// What the reader says of the last row beside its result.
    struct RowRemark {
        /// Why a row that gave Null_Input_Line (-18) was passed over.
        SkippedLine skipped = SkippedLine::Blank;
        /// A remark on a row that was loaded: a code of the error table
        /// (Error::Ambiguous_Slip_Word, ...), 0 for none.
        int note = 0;
        /// What exactly was wrong with a rejected row ("out of range (0 to
        /// 90)"), or empty.
        std::string detail;

        /// As new, keeping the detail's room.
        void clear() {
            skipped = SkippedLine::Blank;
            note = 0;
            detail.clear();
        }
    };
    /// Why a record's value was refused with `code` (a value code: -1, -3,
    /// -5, -17, -20, -42), from the record's tokens: "out of range (0 to
    /// 90)", "not a number", "missing", or "" when the code's message says
    /// it all.
    static std::string whyRejected(int code, const TokenStruct& tokens);

    /// The remark on the row read last (by AutoFileParse, takeRow or
    /// finishRow on this parser).
    const RowRemark& rowRemark() const { return m_remark; }

    void ParseBinaryHeader(std::istream& in, FileHeader& header, AttrList& attributes, StationList& stations,
                           unsigned int& count);

private:
    // Record conversion reaches these through the parser's own operations.
    friend class qzParserTestAccess;

    /// @return 1, -1 ("Invalid dip value") or -2 ("Invalid dip direction").
    int ParseDip(int& strike, int& dip, const char* text);
    /// Rake on the plane (strike, dip) after ParseDip; sets the slip line's
    /// trend and plunge.  @return the rake from the final strike (0..180), or -3.
    int ParseRake(int strike, int dip, int& trend, int& plunge, const char* text);
    /// @return 1, or -43 with `slip` set to no slip.
    int ParseSlip(char& slip, const char* text);
    /// The sense of slip of a fault from its slip token: a keyword, or a
    /// word of SlipWords.h decided on the fault's plane and slip line (the
    /// token then holds the keyword of the sense found; a remark on it goes
    /// to the row's remark).  @return 1 or Error::Unknown_Slip_Sense.
    int convertSlip(TokenStruct& tokens, DataStruct& data);
    /// A sense-of-slip cell into the slip token: a keyword as written, a
    /// word of another tool in its compact form.  @return 1 or
    /// Error::Unknown_Slip_Sense.
    int slipCell(const std::string& text, TokenStruct& tokens);
    /// The plane of a normal vector (x east, y north, z up) into the strike
    /// and dip tokens.  @return 1 or Error::Bad_Normal_Vector.
    int planeOfNormal(const std::string* const normal[3], TokenStruct& tokens);
    /// Measured depth.  @return 1, or -51 with the depth set to no value.
    int ParseMD(const char* text, DataStruct& data);

    int AutoConvertPlane(TokenStruct& tokens, DataStruct& data);
    int AutoConvertLine(TokenStruct& tokens, DataStruct& data);
    int AutoConvertSpecial(TokenStruct& tokens, DataStruct& data);
    int AutoConvertTP(TokenStruct& tokens, DataStruct& data);
    /// The slip line from the rake token on the converted plane.
    int convertRake(TokenStruct& tokens, DataStruct& data);
    /// Takes the options, the column order and the reader of the file (the
    /// format's, made by Initialize).  @return 1 or -12.
    int useReader(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::unique_ptr<RowSource> reader);
    /// Works out m_plan from m_columnOf and the column options.
    void planColumns();
    /// A row of whole numbers and single delimiters that holds only a
    /// plane's strike and dip or a line's trend and plunge, in range: the
    /// record made straight from the text, exactly as the general steps
    /// would make it.  0 for any other row, which goes the general way.
    int finishPlainRow(const std::string& lineText, bool tooLong, DataStruct& data, TokenStruct& tokens);
    /// Copies the typed columns of tokenList into the record.
    int distribute(DataStruct& data, TokenStruct& tokens, std::list<std::string>& attributes, std::string& stationId);
    /// The rest of distribute: comment, attributes, station, location, depth.
    int distributeOthers(DataStruct& data, TokenStruct& tokens, std::list<std::string>& attributes,
                         std::string& stationId);
    /// A comment line: the header row it may be, or a row of data it may
    /// hold.
    int finishCommentRow(const std::string& lineText, bool tooLong);
    /// The end of every text row once its cells are in the token list.
    int finishTokens(bool delimited, bool tooLong, DataStruct& data, TokenStruct& tokens,
                     std::list<std::string>& attributes, std::string& stationId);

    using NumberBuffer = std::array<char, Max_Number_Length + 1>;
    /// Copies the leading digits (and, when allowed, a decimal point and
    /// more digits) of `text`; advances `text`.  False when there are no
    /// digits or the number is too long.
    bool copyNumber(const char*& text, NumberBuffer& buf, bool allowPoint);
    int readNumber(const NumberBuffer& buf);
    int FinishParseStrike(const NumberBuffer& buf, bool quadrant);
    int FinishParseDip(const NumberBuffer& buf);
    int FinishParseRake(const NumberBuffer& buf, bool quadrant);
    /// Reads the direction letters after a number into dirLetters.
    void takeLetters(const char* text);

    bool IsN() const;
    bool IsS() const;
    bool IsE() const;
    bool IsW() const;
    bool IsNNE() const;
    bool IsENE() const;
    bool IsESE() const;
    bool IsSSE() const;
    bool IsSSW() const;
    bool IsWSW() const;
    bool IsWNW() const;
    bool IsNNW() const;
    bool isTwo(char a, char b) const;
    /// Whether dirLetters name the quadrant (or the exact point) of the
    /// azimuth: the end of a strike line, or the side a line plunges to.
    bool lettersPointTo(int azimuth) const;

    std::unique_ptr<RowSource> fileParser;
    std::unique_ptr<MyMath> math;
    std::array<char, 3> dirLetters{};
    bool m_dipAgreed = false;
    bool m_integerValue = true;
    /// The reader says the row read last lists dip directions in its strike
    /// column (RowSource::rowHoldsDipDirections).
    bool m_dipDirectionBlock = false;
    std::unique_ptr<qzIEColumnOptions> columnOptions;
    std::unique_ptr<qzIEDataTypeOrder> typeOrder;
    std::unique_ptr<qzTokenList> tokenList;
    /// The column of each data type from typeOrder, -1 where it has none
    /// the token list can hold (set by Initialize, read for every row).
    std::array<int, qzIEDataTypeOptions::Num_Data_Types> m_columnOf{};
    RowRemark m_remark;
    /// The same, arranged for the row loop: the value columns a layout has
    /// (index into the parser's table of value types, and the column), and
    /// the first column of any other type.  Rows of most files fill two or
    /// three columns, so a row looks at those only.
    struct ColumnPlan {
        static constexpr std::size_t Max_Values = 7;
        std::array<std::pair<unsigned char, int>, Max_Values> values{};
        std::size_t valueCount = 0;
        std::size_t othersFrom = 0;
        bool decimalComma = false;
        /// IE_Type_Labels: structure names in the Type column are labels.
        bool typeLabels = false;
        // The plain rows finishPlainRow takes: the columns of the first
        // and second value (strike and dip, or trend and plunge), and the
        // first column of any other type; -1 when the layout has no such
        // pair before its other columns.
        int plainFirst = -1;
        int plainSecond = -1;
        std::size_t plainLimit = 0;
        bool plainLine = false;
    };
    ColumnPlan m_plan;
    /// Columns of senses of slip beyond the first (read when it is empty).
    std::vector<int> m_moreSlipColumns;
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_QZPARSER_H
