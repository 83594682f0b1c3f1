// The tokens of one file row, filled from a record when writing.
#ifndef QZCORE_PARSING_QZTOKENLIST_H
#define QZCORE_PARSING_QZTOKENLIST_H

#include "qzCore/Export.h"

#include <functional>
#include <string>

#include "qzCore/parsing/CompactStructs.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/shared/Token.h"

namespace qzCore {

class AttributeManager;
class DataDisplayParams;

class QZCORE_EXPORT qzTokenList : public TokenList {
public:
    /// Columns a parser's list holds.
    static constexpr std::size_t Default_Capacity = 20;

    explicit qzTokenList(std::size_t capacity = Default_Capacity) : TokenList(capacity) {}

    /// Fills the output row of one record: for each data type that has a
    /// column, the record's type keyword, the row number (when > 0), the
    /// station id (when not empty), the slip keyword (non-zero slip), the
    /// comment (when attached), the coordinates and measured depth (when
    /// present, exact decimal text), strike and dip, the rake (then trend and
    /// plunge only with IE option 1024), trend and plunge; angles from the
    /// values with IE option 0x20000000, else from the tokens.
    void init(const qzIEColumnOptions& options, const DataStruct& data,
              const LightweightTokenStruct& tokens, const qzIEDataTypeOrder& order,
              const std::string& stationId, int rowNumber);
    /// The display row of a record for a data table: filled the same way,
    /// the columns from the display's order and its display options (1
    /// angles from the values, 16 rake from the token, 256 rake from the
    /// value, 4096 trend and plunge beside a rake) in place of the IE
    /// options; an attribute-group column holds the record's attribute
    /// labels of that group, joined by ", ".  (Defined with the display
    /// records, in the plotting layer.)
    void init(const AttributeManager* attributes, const DataStruct& data, const LightweightTokenStruct& tokens,
              const DataDisplayParams& display, const std::string& stationId, int rowNumber);

private:
    /// Which way angles and rakes are written.
    struct Rules {
        bool anglesFromValues;
        bool rakeFromToken;
        bool rakeFromValue;
        bool trendPlungeWithRake;
    };
    /// Fills the row; `columnOf` gives the column of a data type, or -1.
    void fill(const std::function<int(int)>& columnOf, const Rules& rules, const DataStruct& data,
              const LightweightTokenStruct& tokens, const std::string& stationId, int rowNumber);
};

/// A typed entry of two angles: a plane (strike, dip) or a line (trend,
/// plunge), with the dataset it goes to and a comment.
class QZCORE_EXPORT InteractiveDataParams {
public:
    InteractiveDataParams() = default;

    int getFirst() const { return m_first; }
    int getSecond() const { return m_second; }
    void setFirst(int v) { m_first = v; }
    void setSecond(int v) { m_second = v; }
    bool getIsPlane() const { return m_isPlane; }
    void setIsPlane(bool on) { m_isPlane = on; }
    const std::string& getDataset() const { return m_dataset; }
    void setDataset(const std::string& name) { m_dataset = name; }
    const std::string& getComment() const { return m_comment; }
    void setComment(const std::string& text) { m_comment = text; }

    /// Compares the dataset name, the plane flag and the comment.
    friend bool operator==(const InteractiveDataParams& a, const InteractiveDataParams& b) {
        return a.m_dataset == b.m_dataset && a.m_isPlane == b.m_isPlane && a.m_comment == b.m_comment;
    }
    friend bool operator!=(const InteractiveDataParams& a, const InteractiveDataParams& b) { return !(a == b); }

private:
    int m_first = -1;
    int m_second = -1;
    std::string m_dataset;
    bool m_isPlane = false;
    std::string m_comment;
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_QZTOKENLIST_H
