// One dataset: its records, attribute table and stations.
//
// Every record gets a data reference unique among open datasets: the
// dataset id in bits 24..31 and a sequence number (from 1, never reused,
// below Max_Data_Reference) in bits 0..23.  The data list holds every record
// in entry order and owns them; six kind lists give quick access.
#ifndef QZCORE_DATASETS_DATA_H
#define QZCORE_DATASETS_DATA_H

#include "qzCore/Export.h"

#include <array>
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "qzCore/attributes/AttrList.h"
#include "qzCore/datasets/Reshape.h"
#include "qzCore/parsing/GeoDataParams.h"
#include "qzCore/datasets/StationList.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/records/zolWellData.h"
#include "qzCore/shared/ComplexFileName.h"

namespace qzCore {

class ErrorManager;
class qzIEColumnOptions;
class qzIEDataTypeOrder;
class qzParser;

class QZCORE_EXPORT Data {
public:
    using RecordList = std::deque<GeoData*>;

    static constexpr unsigned char Bad_Dataset_Id = 0;
    static constexpr unsigned char Max_Dataset_Id = 254;
    /// 2^24 - 2: the sequence number at which no further reference is given.
    static const unsigned int Max_Data_Reference;
    /// The station index of "no station" as an unsigned byte.
    static constexpr unsigned char No_Station = 255;

    /// An empty dataset.  @param errors not owned; may be null (messages
    ///   then go to the default message handler).
    Data(const ComplexFileName& name, ErrorManager* errors, unsigned char id);
    /// A dataset derived from `source`: its error manager, its next
    /// reference number, copies of its attribute table and stations, and
    /// (with `copyRecords`) copies of all its records, or of those whose
    /// references are in `refs`, in the list's order.
    Data(const Data* source, const ComplexFileName& name, unsigned char id, bool copyRecords,
         const std::list<unsigned int>* refs);
    ~Data();
    Data(const Data&) = delete;
    Data& operator=(const Data&) = delete;

    // ---- access -------------------------------------------------------------
    ComplexFileName& getName() { return m_name; }
    const ComplexFileName& getName() const { return m_name; }
    unsigned char getDatasetID() const { return m_id; }
    void setDatasetID(unsigned char id) { m_id = id; }
    ErrorManager* getErrorManager() const { return m_errors; }
    qzParser& getParser() { return *m_parser; }
    RecordList& getDataList() { return m_dataList; }
    const RecordList& getDataList() const { return m_dataList; }
    RecordList& getSpecialDataList() { return m_specialList; }
    const RecordList& getSpecialDataList() const { return m_specialList; }
    const RecordList& getFaultList() const { return m_faultList; }
    const RecordList& getLineList() const { return m_lineList; }
    const RecordList& getPlaneList() const { return m_planeList; }
    const RecordList& getMarkerList() const { return m_markerList; }
    const RecordList& getWellList() const { return m_wellList; }

    int getNumData() const { return static_cast<int>(m_dataList.size()); }
    int getNumSpecial() const { return static_cast<int>(m_specialList.size()); }
    int getNumFaults() const { return static_cast<int>(m_faultList.size()); }
    int getNumLines() const { return static_cast<int>(m_lineList.size()); }
    int getNumPlanes() const { return static_cast<int>(m_planeList.size()); }
    int getNumZolMarkers() const { return static_cast<int>(m_markerList.size()); }
    int getNumZolWells() const { return static_cast<int>(m_wellList.size()); }
    /// Faults that have a slip line (their trend is present).
    int getNumLineations() const;

    GeoData* getLastDataListMember() const { return m_dataList.empty() ? nullptr : m_dataList.back(); }
    /// The record at a position of the data list, or null.
    GeoData* getSpecificData(unsigned int index) const;
    /// The reference of the record at a position, or 0.
    unsigned int getSpecificDataFromIndex(unsigned int index) const;
    /// The record with that reference, or null.
    GeoData* getDataFromReference(unsigned int ref) const;
    /// The sequence number the next record will get.
    unsigned int getNextDataReferenceNumber() const { return m_nextReference; }

    // ---- adding records -------------------------------------------------------
    /// Creates a record of the class its kind calls for (plane, line, fault,
    /// marker, well dip, universal stage, otherwise a result record) with
    /// the next reference.  @return 1; -37 for kinds 2, 99, 100 and 255 or
    /// when no reference is left; -55 for universal-stage axes not at right
    /// angles within 5 degrees.
    int insertData(const DataStruct& d, const TokenStruct& t);
    /// A universal-stage record, refused with -55 unless its axes are at
    /// right angles within 5 degrees.
    int insertUStageData(const DataStruct& d, const TokenStruct& t);
    /// Enters a copy of the record (chosen by its kind; universal-stage
    /// copies have their axes checked).  @return 1, -37 (null, kind 99, no
    /// reference left) or -55.
    int addData(const GeoData* record);
    /// Enters copies of result records; stops at the first that is not one
    /// or fails.  @return 1 or -37.
    int addData(const std::deque<GeoData*>& records);
    int addData(const std::list<SpecialData>& records);
    /// Merges another dataset: attributes by label, groups, stations, then
    /// copies of its records.  @return 1; -62 when given this dataset.
    int addData(const Data* other);
    /// Copies records of `source`, in order.  With `carry` their attribute
    /// labels and stations come along through the same tables a merge uses
    /// (only those the records use are created here); without, they are
    /// dropped.  A record whose station cannot be linked here is skipped.
    /// @return 1.
    int addRecordsOf(const Data& source, const std::vector<const GeoData*>& records, bool carry);

    /// Reads a data file (delimited text, Stereonet, FaultKin, DXF text,
    /// binary) into the dataset, row by row.  A rejected row is skipped and,
    /// with IE option 512, reported to the error manager with its line
    /// number and message.  @return 1 at the end of input, -14 when the
    ///   stream fails, -37 when no reference is left (rows read so far
    ///   stay), or the code of Initialize.  @throw the codes the header
    ///   readers raise (-31, -60, ...).
    /// Past its first few thousand rows a file is parsed ahead on a
    /// second thread while this one enters the records (in file order,
    /// with the same reports); the stream is then read ahead of the row
    /// that ended reading.  Host callbacks run on the calling thread.
    int addData(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::istream& in);

    /// Enters one record typed by a user.  @return 1; -21 when nothing was
    ///   typed; the parser's codes; -51, -59 for a location or depth that
    ///   cannot be read; -37, -55 from entering.
    int addData(const GeoDataParams& params);

    // ---- reshaping --------------------------------------------------------------
    /// Sorts the data list by one column; records lacking the key follow
    /// all others in their old order.  The kind lists keep entry order.
    void sortData(SortByField by);
    /// With `out`, appends the references of the records that meet the
    /// criteria; with null, keeps only those (planes, lines, faults, markers
    /// and well dips, entered anew with new references).
    void subset(const SubsetParams& params, std::list<unsigned int>* out);
    /// Rotates every record (null list) or the listed ones in place.
    void rotate(const RotateParams& params, const std::list<unsigned int>* refs);
    /// Replaces the values of a record by typed values.  @return the record
    ///   now holding them (a new one when the kind changed).  @throw the
    ///   parser's code, -51, -59, -37, or -41 for a kind that cannot replace it.
    GeoData* modifyData(GeoData* record, GeoDataParams& params, const GeoDataChanged& changed, bool merge,
                        bool replaceAttributes);

    // ---- removing -------------------------------------------------------------
    /// Removes (and destroys) every record whose reference is listed; the
    /// rest keep their order.  The kind lists are rebuilt.
    void deleteData(const std::list<unsigned int>& refs);

    // ---- stations -------------------------------------------------------------
    /// The index of a station id; 255 for an empty id, for an id not in the
    /// list unless `append`, and for a station a record cannot refer to
    /// (index 128 or beyond; no such station is appended).
    unsigned char initStationId(const std::string& id, bool append);
    /// Finds or appends the station and links the record to it (no station
    /// for a null or empty id).  @return true when a station was appended.
    bool initStationId(const char* id, GeoData* record);
    bool initStationId(const char* id, DataStruct& d);
    /// As initStationId(id, d), and reports whether the record could be
    /// linked.  @return 1, or -37 when the id names a station beyond the
    /// 128 a record can refer to (the record is then left without a
    /// station and must not be entered).
    int attachStation(const char* id, DataStruct& d, bool& appended);
    int getNumStations() const { return m_stations.getNumStations(); }
    /// The id of a station index; empty for an invalid index.
    void getStationIdFromIndex(char index, std::string& id) const;
    /// Writes at most `size` - 1 characters and a terminating NUL.
    void getStationIdFromIndex(char index, char* id, std::size_t size) const;
    void getStationIds(std::vector<std::string>& ids) const { ids = m_stations.ids(); }
    const StationList& getStationList() const { return m_stations; }

    // ---- attributes -----------------------------------------------------------
    const AttrList& getAttrList() const { return m_attributes; }
    /// Creates an attribute.  Failures are shown ("Error creating attribute
    /// :\n" label, "Attribute Error") and give false.
    bool createAttribute(const std::string& label);
    bool createAttributeGroup(const std::string& name, std::uint32_t mask = 0);
    /// Destroys an attribute (its bit is cleared in every record) or a group.
    bool destroyAttribute(const std::string& label, bool isGroup = false);
    /// Renames an attribute or group.  Renaming an attribute onto a label in
    /// use asks the user; on yes the records move to that attribute and the
    /// old one is destroyed.
    bool modifyAttribute(const std::string& oldLabel, const std::string& newLabel, bool isGroup);
    /// Gives the records with these references exactly the labels' mask.
    bool assignAttributes(const std::list<unsigned int>& refs, const std::list<std::string>& labels);
    /// Gives one record exactly the labels' mask.
    bool assignAttributesToSingle(GeoData* record, const std::list<std::string>& labels);
    /// The same on the record last appended.
    bool assignAttributesToCurrent(const std::list<std::string>& labels);
    /// Adds one attribute to the record last appended.
    bool assignAttributeToCurrent(const std::string& label);
    /// ORs a mask into a record's attributes.
    bool linkAttributes(GeoData* record, std::uint32_t mask);
    /// Links labels read from a file to the record last appended: known
    /// labels are used; unknown ones are created, after asking when `ask`
    /// (a refused label joins `rejected` and is not asked again).
    /// @return the mask built; with `assign` a non-zero mask is given to
    ///   the record.
    std::uint32_t linkAttributesToCurrent(const std::list<std::string>& labels, std::list<std::string>& rejected,
                                          bool assign, bool ask);
    /// The mask of the labels, or AttrList::Not_Found (reported) when one
    /// is unknown.
    std::uint32_t getAttributeIndexMask(const std::list<std::string>& labels);
    std::uint32_t getAttributeGroupIndexMask(const std::string& group) const;
    void getAttributeStrings(std::list<std::string>& out, bool groups) const;
    void getAttributeStrings(std::list<std::string>& out, std::uint32_t mask) const;
    void getAttributesInGroup(std::list<std::string>& out, const std::string& group) const;
    /// Whether the record carries the attribute.
    bool hasAttribute(const GeoData* record, const std::string& label);
    unsigned int getAttributeCount() const { return m_attributes.getAttrCount(); }
    unsigned int getAttributeGroupCount() const { return m_attributes.getAttrGroupCount(); }
    bool setAttributeGroup(const std::string& group, const std::list<std::string>& labels);

protected:
    int insertPlaneData(const DataStruct& d, const TokenStruct& t);
    int insertLineData(const DataStruct& d, const TokenStruct& t);
    int insertFaultData(const DataStruct& d, const TokenStruct& t);
    int insertZolMarkerData(const DataStruct& d, const TokenStruct& t);
    int insertZolWellData(const DataStruct& d, const TokenStruct& t);
    int insertSpecialData(const DataStruct& d, const TokenStruct& t);
    int insertSpecialData(const SpecialData& s);
    /// Empties the six kind lists and refills them from the data list.
    void rebuildDataLists();
    /// Empties all seven lists without destroying records.
    void initStorage();
    /// The next reference, or 0 when none is left.
    unsigned int generateDataReference();
    /// Gives the record a reference and appends it (taking ownership);
    /// false (record destroyed) when no reference is left.
    bool addToDataList(std::unique_ptr<GeoData> record);
    /// Removes a station appended for a record that could not be entered.
    void uninitializeStationId(const char* id);

private:
    /// Where the attribute bits and station indexes of another table land here.
    struct TableMap {
        std::array<std::uint32_t, AttrList::Max_Num_Attributes> bits{};
        std::vector<char> stations;  // -1: cannot be linked here
    };
    /// Creates here the attributes, groups and stations of another table
    /// (duplicates kept as they are; trouble shown through the messages).
    /// With `used`, only the attributes of its bits and the stations it
    /// marks, and no groups.
    struct Used {
        std::uint32_t attributes = 0;
        std::vector<bool> stations;
    };
    TableMap importTables(const AttrList& attributes, const StationList& stations, const Used* used = nullptr);
    /// Carries a record's attribute bits and station over by the map; false
    /// when its station cannot be linked here.
    bool translate(const TableMap& map, DataStruct& d) const;
    /// Enters a new record: reference, data list, kind list.  @return 1 or -37.
    int enter(std::unique_ptr<GeoData> record);
    RecordList* kindList(char kind);
    void report(int code, const std::string& text, const char* title);
    void tell(const char* caption, const char* text);

    ComplexFileName m_name;
    unsigned char m_id;
    ErrorManager* m_errors;
    std::unique_ptr<qzParser> m_parser;
    unsigned int m_nextReference = 1;
    AttrList m_attributes;
    StationList m_stations;
    std::unique_ptr<StationManager> m_stationManager;
    RecordList m_dataList;
    RecordList m_specialList;
    RecordList m_faultList;
    RecordList m_lineList;
    RecordList m_planeList;
    RecordList m_markerList;
    RecordList m_wellList;
};

}  // namespace qzCore

#endif  // QZCORE_DATASETS_DATA_H
