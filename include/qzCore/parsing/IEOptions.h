// Column layouts and import/export options of data files.
#ifndef QZCORE_PARSING_IEOPTIONS_H
#define QZCORE_PARSING_IEOPTIONS_H

#include "qzCore/Export.h"

#include <cstdint>
#include <initializer_list>
#include <string>

#include "qzCore/shared/ieOptions.h"

namespace qzCore {

/// The data types a column can hold, with their keywords.
class QZCORE_EXPORT qzIEDataTypeOptions : public ieDataTypeOptions {
public:
    enum Data_Type : int {
        Null_Type = 0,     ///< "Null": column ignored
        Attr1_Type = 1,    ///< "Attr1" .. "Attr4": attribute labels
        Attr2_Type = 2,
        Attr3_Type = 3,
        Attr4_Type = 4,
        Comment_Type = 5,  ///< "Comment"
        Type_Type = 6,     ///< "Type": record kind keyword or letter
        Dip_Type = 7,      ///< "Dip"
        Plunge_Type = 8,   ///< "Plunge"
        Rake_Type = 9,     ///< "Rake"
        Slip_Type = 10,    ///< "Slip": slip sense keyword
        Well_Type = 11,    ///< "Well": station (well) id
        Strike_Type = 12,  ///< "Strike" (or dip direction with IE option 32)
        Trend_Type = 13,   ///< "Trend"
        XLoc_Type = 14,    ///< "XLoc"
        YLoc_Type = 15,    ///< "YLoc"
        ZLoc_Type = 16,    ///< "ZLoc"
        MD_Type = 17,      ///< "MD": measured depth
        Row_Type = 18,     ///< "#": row number
        /// "NX", "NY", "NZ": a plane as the three components of its normal,
        /// x east, y north, z up, as point-cloud programs write them; read
        /// only where no Strike and Dip column gives the plane.
        NX_Type = 19,
        NY_Type = 20,
        NZ_Type = 21,
        Num_Data_Types = 22
    };

    qzIEDataTypeOptions() { initDataTypeStrings(); }
    void initDataTypeStrings() override;
};

/// Which data type sits in which column, the delimiter, and the import/
/// export option word.
class QZCORE_EXPORT qzIEColumnOptions : public ieColumnOptions {
public:
    /// Option bits of the import/export word.
    enum IE_Option : std::uint32_t {
        IE_None = 0,
        // Numbered bits are the published word's; those marked so are kept
        // for callers and not read by the library.
        IE_Option_1 = 0x1,  ///< not read by the library
        IE_Option_2 = 0x2,  ///< not read by the library
        IE_Rake_From_Token = 0x4,
        IE_Option_16 = 0x10,
        IE_Strike_Is_Dip_Direction = 0x20,
        IE_Rake_From_Value = 0x40,
        IE_Binary_File = 0x100,
        IE_Report_Errors = 0x200,
        IE_Trend_Plunge_With_Rake = 0x400,
        IE_FaultKin_File = 0x1000,
        IE_Option_8192 = 0x2000,  ///< not read by the library
        IE_Option_16384 = 0x4000,  ///< not read by the library
        IE_Option_0x10000 = 0x10000,  ///< not read by the library
        IE_Read_Attributes = 0x20000,
        IE_Option_0x40000 = 0x40000,
        /// A word of the Type column that names no kind of record (a
        /// structure name such as S1, L2, bedding) is the record's label:
        /// an attribute, with the kind decided by the values.  Kind labels
        /// ("Plane", "Fault", ...) and single kind letters keep their
        /// meaning.
        IE_Type_Labels = IE_Option_0x40000,
        IE_Stereonet_File = 0x100000,
        IE_Attribute_Link_1 = 0x200000,
        IE_Option_0x400000 = 0x400000,  ///< not read by the library
        IE_Option_0x1000000 = 0x1000000,
        IE_Attribute_Link_2 = 0x2000000,
        IE_Option_0x4000000 = 0x4000000,  ///< not read by the library
        IE_DXF_Text = 0x10000000,
        IE_Angles_From_Values = 0x20000000,
        // Names that say what the numbered options do (the numbered names
        // stay for callers).
        IE_Write_Text = IE_Option_16,               ///< the writer writes delimited text
        IE_Write_Brute_Listing = IE_Option_0x1000000,  ///< the writer writes the brute listing
        /// Ask the host (query) before entering a file's attribute labels.
        IE_Ask_About_Attributes = IE_Attribute_Link_1,
        /// Read a file's attribute labels into the table without linking
        /// them to the records.
        IE_Do_Not_Assign_Attributes = IE_Attribute_Link_2
    };
    /// Every bit of the word that exists (set or not, read or not).
    static constexpr std::uint32_t Known_IE_Options =
        IE_Option_1 | IE_Option_2 | IE_Rake_From_Token | IE_Option_16 | IE_Strike_Is_Dip_Direction |
        IE_Rake_From_Value | IE_Binary_File | IE_Report_Errors | IE_Trend_Plunge_With_Rake | IE_FaultKin_File |
        IE_Option_8192 | IE_Option_16384 | IE_Option_0x10000 | IE_Read_Attributes | IE_Option_0x40000 |
        IE_Stereonet_File | IE_Attribute_Link_1 | IE_Option_0x400000 | IE_Option_0x1000000 | IE_Attribute_Link_2 |
        IE_Option_0x4000000 | IE_DXF_Text | IE_Angles_From_Values;

    qzIEColumnOptions() { init(); }

    /// Every column to Bad_Data_Type_Index, delimiter tab (1), option word 0.
    void init();
    static bool isValidIEOption(std::uint32_t option) {
        // 0, or one bit of the options that exist.
        return option == 0 || ((option & (option - 1)) == 0 && (option & Known_IE_Options) != 0);
    }
    /// Sets a valid option bit; false (nothing changed) for any other value.
    bool setIEOption(std::uint32_t option);
    bool unsetIEOption(std::uint32_t option);
    /// False for an invalid value, else whether the bit is set (true for 0).
    bool getIEOption(std::uint32_t option) const {
        return isValidIEOption(option) && (m_ieOptions & option) == option;
    }
    std::uint32_t getIEOptionWord() const { return m_ieOptions; }

    /// Strike, Dip, Rake, Trend, Plunge, Well, Attr1, then Null in 7..11.
    void setDefaultColumnChoices();
    /// Type, Strike, Dip, Comment.
    void setDXFColumnChoices();
    /// No column.
    void setDefaultBinaryColumnChoices();
    /// #, Type, Strike, Dip, Rake, Trend, Plunge, Slip, XLoc, YLoc, ZLoc, MD, Well, Comment.
    void setDefaultClipboardColumnChoices();
    /// A delimited-text export of every value a text file holds: columns
    /// Type, Strike, Dip, Rake, Trend, Plunge, Slip, Well, XLoc, YLoc, ZLoc,
    /// MD, Comment; angles written from the values (right-hand-rule
    /// numbers), the rake from its value; the text writer chosen (option
    /// 16); the given delimiter bits.  It reads back with its header row.
    void setValueTextExport(unsigned int delimiter);
    /// Strike, Dip, Trend, Plunge, Slip in columns 0..4 (other columns kept).
    void setDefaultFaultKinInputColumnChoices();
    /// Strike, Dip, Rake, Trend, Plunge in columns 0..4 (other columns kept).
    void setDefaultStereonetInputColumnChoices();
    /// Column options reset, tab delimiter, blanks trimmed around fields,
    /// and option 32 (dip direction in the strike column) cleared.
    void setDefaultColumnOptions();

    friend bool operator==(const qzIEColumnOptions& a, const qzIEColumnOptions& b) {
        return static_cast<const ieColumnOptions&>(a) == static_cast<const ieColumnOptions&>(b) &&
               a.m_ieOptions == b.m_ieOptions;
    }

private:
    void setColumns(std::initializer_list<int> types);

    std::uint32_t m_ieOptions = 0;
};

/// The column of each data type of a layout.
class QZCORE_EXPORT qzIEDataTypeOrder : public ieDataTypeOrder {
public:
    qzIEDataTypeOrder(const qzIEDataTypeOptions& types, const qzIEColumnOptions& columns)
        : ieDataTypeOrder(types, columns) {}
};

/// Base of the writers; init sets the state word to -1.
class QZCORE_EXPORT qzIEHandler : public IEHandler {
public:
    explicit qzIEHandler(const qzIEColumnOptions& options) : m_options(options) { init(); }
    void init() override { m_state = -1; }
    const qzIEColumnOptions& getColumnOptions() const { return m_options; }

protected:
    qzIEColumnOptions m_options;
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_IEOPTIONS_H
