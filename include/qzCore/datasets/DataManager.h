// The host's main entry to the data: every open dataset, by id.
//
// A data reference names one record in one dataset: the dataset id in bits
// 24..31 and the record's sequence number in bits 0..23.
#ifndef QZCORE_DATASETS_DATAMANAGER_H
#define QZCORE_DATASETS_DATAMANAGER_H

#include "qzCore/Export.h"

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qzCore/datasets/Data.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

class AttributeManager;
class ErrorManager;
class FileManager;
class InteractiveDataParams;
class qzIEDataTypeOptions;
class qzIEColumnOptions;
class qzIEDataTypeOrder;

/// Which values getDataValue reads.
enum DATAVALUETYPE : int {
    Value_Strike_Dip = 0,    ///< strike, dip
    Value_Trend_Plunge = 1,  ///< trend, plunge
    Value_Slip_Sense = 2     ///< slip in strike direction (0/1), clockwise slip (0/1)
};

/// How generateData draws orientations.
enum GENERATEDATADIST : int {
    Dist_Uniform = 0,  ///< uniform over the lower hemisphere
    Dist_Fisher = 1    ///< Fisher distribution about the seed; the distribution
                       ///< parameter is the concentration kappa
};

/// Kinds present in a dataset or selection, as bits.
using DatasetContains = std::uint32_t;
inline constexpr DatasetContains Contains_Faults = 0x1;
inline constexpr DatasetContains Contains_Lines = 0x10;
inline constexpr DatasetContains Contains_Planes = 0x100;
inline constexpr DatasetContains Contains_Lineations = 0x1000;
inline constexpr DatasetContains Contains_Markers = 0x10000;
inline constexpr DatasetContains Contains_Wells = 0x100000;
inline constexpr DatasetContains Contains_Special = 0x1000000;

/// The seed line and spread of generated data.
class QZCORE_EXPORT GenerateDistParams {
public:
    GenerateDistParams() = default;
    /// @param trend, plunge the seed (mean) line, degrees.
    /// @param param the concentration kappa of the Fisher distribution.
    GenerateDistParams(int trend, int plunge, float param) : m_trend(trend), m_plunge(plunge), m_param(param) {}
    void getSeed(int& trend, int& plunge) const {
        trend = m_trend;
        plunge = m_plunge;
    }
    void setSeed(int trend, int plunge) {
        m_trend = trend;
        m_plunge = plunge;
    }
    float getDistParam() const { return m_param; }
    void setDistParam(float p) { m_param = p; }

private:
    int m_trend = 0;
    int m_plunge = 45;
    float m_param = 40.0f;
};

/// What generateData makes.
class QZCORE_EXPORT GenerateDataParams {
public:
    GenerateDataParams() = default;
    /// A count below 1 becomes 1.
    GenerateDataParams(const GenerateDistParams& dist, bool first, bool planes, int count, bool reseed,
                       GENERATEDATADIST kind);

    const GenerateDistParams& getDistParams() const { return m_dist; }
    bool getFirst() const { return m_first; }
    bool getPlanes() const { return m_planes; }
    int getCount() const { return m_count; }
    bool getReseed() const { return m_reseed; }
    GENERATEDATADIST getDistribution() const { return m_kind; }
    void setPlanes(bool on) { m_planes = on; }
    void setCount(int n) { m_count = n < 1 ? 1 : n; }
    void setDistribution(GENERATEDATADIST k) { m_kind = k; }
    /// A fixed seed for repeatable data; 0 (the default) seeds from the clock.
    std::uint32_t getRandomSeed() const { return m_seed; }
    void setRandomSeed(std::uint32_t s) { m_seed = s; }

private:
    GenerateDistParams m_dist;
    bool m_first = true;
    bool m_planes = false;
    int m_count = 100;
    bool m_reseed = true;
    bool m_always = true;
    GENERATEDATADIST m_kind = Dist_Uniform;
    std::uint32_t m_seed = 0;
};

class QZCORE_EXPORT DataManager {
public:
    /// Datasets open at once, at most (ids 1..31 are handed out).
    static constexpr int MAXNUMOPENDATASETS = 32;

    /// @param errors, files not owned; either may be null.
    DataManager(ErrorManager* errors, FileManager* files);
    ~DataManager();
    DataManager(const DataManager&) = delete;
    DataManager& operator=(const DataManager&) = delete;

    // ---- references ---------------------------------------------------------
    static unsigned char computeDatasetID(unsigned int ref) { return static_cast<unsigned char>(ref >> 24); }
    /// The sequence number: all 24 low bits.
    static unsigned int computeDataIndex(unsigned int ref) { return ref & 0xFFFFFFu; }
    static unsigned int generateDataReference(unsigned char id, unsigned int number) {
        return (static_cast<unsigned int>(id) << 24) | (number & 0xFFFFFFu);
    }

    // ---- datasets -------------------------------------------------------------
    /// Creates a dataset (derived: a copy of `source`, or of the dataset
    /// whose id is passed in `id`) and makes it current.
    /// @param id in: the source id of a derived dataset; out: the new id (0 on failure).
    /// @param name empty: "Untitled Dataset N".
    /// @return 1, -23 (too many open) or -16.
    int createDataset(unsigned char& id, const std::string& name, bool derived, Data* source);
    /// Destroys the dataset; its id returns to the pool.  If it was
    /// current, no dataset is current (id 0, null) until setCurrDataset.
    int deleteDataset(const unsigned char& id);
    /// Merges the source into the target.  @return the merge's result or -48.
    int mergeDatasets(unsigned char target, unsigned char source);
    void setCurrDataset(unsigned char id);
    unsigned char getCurrDatasetID() const { return m_currentId; }
    Data* getCurrDataset() const { return m_current; }
    int getDatasetCount() const { return static_cast<int>(m_datasets.size()); }
    bool datasetsAreLoaded() const { return !m_datasets.empty(); }
    bool tooManyDatasets() const { return getDatasetCount() >= MAXNUMOPENDATASETS; }
    /// Sets the current id only.
    void initIDSeed(unsigned char id) { m_currentId = id; }
    bool isValidDatasetID(unsigned char id) const { return m_datasets.count(id) > 0; }
    Data* getDatasetFromID(unsigned char id) const;
    /// The id at a position in id order; 0 past the end.
    unsigned char getDatasetIDFromIndex(int position) const;
    std::string getDatasetName(unsigned char id) const;
    bool setDatasetName(unsigned char id, const std::string& name);
    /// Empty for an unknown id.
    std::string getDatasetShortName(unsigned char id) const;
    /// Short names of all datasets in id order.
    void getDatasetNames(std::list<std::string>& names, bool unused = false) const;
    /// The summary of a dataset: short name, then "TotalData: ..." lines.
    void getDatasetInfoAsString(std::string& out, unsigned char id) const;

    // ---- adding and removing records ------------------------------------------
    int addData(unsigned char id, const GeoData& record);
    int addSpecialData(unsigned char id, const std::list<SpecialData>& records);
    /// Reads a file into the dataset.  @return as Data::addData, or -48.
    int addData(unsigned char id, const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::istream& in);
    /// Lines (or planes) from (azimuth, plunge) pairs, rounded to whole degrees.
    int addData(unsigned char id, const std::vector<OrientedPair>& pairs, bool planes);
    /// Copies the referenced records (from any open dataset) into the
    /// dataset.  With `carry` their station ids and attribute labels come
    /// along (missing ones created here); without, the copies have none.
    int addSelectedData(unsigned char id, const std::list<unsigned int>& refs, bool carry);
    /// Deletes the records at these positions of the data list.
    int deleteData(const unsigned char& id, const std::vector<int>& indexes);
    /// Adds `count` generated lines or planes.  @return 1, -48 or the code
    ///   of the first record that could not be added.
    int generateData(unsigned char id, GenerateDataParams& params);

    // ---- typed entries, reshaping, export ---------------------------------------
    /// A plane or line typed as two whole numbers, into the dataset named
    /// by the parameters.  @return Data::addData's result, or -48.
    int addData(const InteractiveDataParams& params);
    /// A record typed as text.  @return Data::addData's result, or -48.
    int addData(unsigned char id, const GeoDataParams& params);
    void sortData(unsigned char id, const SortByField& by);
    /// The references of the current dataset's records that meet the
    /// criteria, appended to `refs`.  False without a current dataset.
    bool subsetData(const SubsetParams& params, std::list<unsigned int>& refs);
    /// A new dataset "Subset : <name>" holding the current dataset's records
    /// that meet the criteria.  @return its id; 0 when there is no current
    ///   dataset, no id is free, or no record qualified (no dataset is made).
    unsigned char subsetData(SubsetParams& params);
    /// Rotates records of a dataset in place, or (RotateParams::createNew)
    /// into a new dataset "<name> : Rotated" whose id is put in `newId`.
    /// @return 1, -48 or -16.
    int applyRotation(unsigned char id, unsigned char& newId, const RotateParams& params,
                      const std::list<unsigned int>* refs);
    /// Writes the whole dataset in the format the options choose.
    /// @return Emitter::emit's result, or -48.
    int exportDataset(const unsigned char& id, qzIEColumnOptions& options, qzIEDataTypeOrder& order,
                      const qzIEDataTypeOptions& types, std::ostream& out);
    /// Writes the given records of the dataset.
    int exportData(unsigned char id, const std::deque<GeoData*>& records, qzIEColumnOptions& options,
                   qzIEDataTypeOrder& order, const qzIEDataTypeOptions& types, std::ostream& out);

    // ---- reading ----------------------------------------------------------------
    /// Values of a record (see DATAVALUETYPE); false for a null record,
    /// another value type, or (slip) a record without a rotational slip.
    bool getDataValue(DATAVALUETYPE type, const GeoData* record, int& a, int& b) const;
    bool getDataValue(DATAVALUETYPE type, unsigned int ref, int& a, int& b) const;
    /// The records of a dataset that pass the kind, station and attribute
    /// tests, in order; `mask` gets a bit per collected kind.
    /// @param attrIndex attribute slot 0..31, or 666 for any.
    /// @return 1, -48 (unknown id) or -49 (nothing collected).
    int getLimitedData(unsigned char id, std::deque<GeoData*>& out, bool specials, bool faults, bool lines,
                       bool lineations, bool planes, bool wells, bool markers, const std::vector<std::string>& stations,
                       unsigned int attrIndex, int& mask) const;
    /// The same over a list of references; result records pass always.
    int getLimitedData(const std::list<unsigned int>& refs, std::deque<GeoData*>& out, bool specials, bool faults,
                       bool lines, bool lineations, bool planes, bool wells, bool markers,
                       const std::vector<std::string>& stations, unsigned int attrIndex, int& mask) const;
    int getDataPtrList(unsigned char id, std::deque<GeoData*>& out) const;
    void getDataPtrListFromRefList(const std::list<unsigned int>& refs, std::deque<GeoData*>& out) const;
    int getDataRefsFromIndexes(unsigned char id, const std::vector<int>& indexes, std::list<unsigned int>& refs) const;
    bool getAvailableDataTypes(unsigned char id, DatasetContains& mask) const;
    bool getAvailableDataTypes(const std::list<unsigned int>& refs, DatasetContains& mask) const;
    bool getAvailableDataTypes(const std::deque<GeoData*>& records, DatasetContains& mask) const;
    /// Smallest and largest X, Y, Z over located records; false (and
    /// 1e100 / -1e100) when none has a location.
    bool getDataLocExtents(unsigned char id, ThreeDPoint<double>& min, ThreeDPoint<double>& max) const;
    bool getDataMDExtents(unsigned char id, double& min, double& max) const;

    // ---- the current dataset ----------------------------------------------------
    int getNumData() const { return m_current ? m_current->getNumData() : 0; }
    int getNumPlanes() const { return m_current ? m_current->getNumPlanes() : 0; }
    int getNumLines() const { return m_current ? m_current->getNumLines() : 0; }
    int getNumFaults() const { return m_current ? m_current->getNumFaults() : 0; }
    int getNumSpecial() const { return m_current ? m_current->getNumSpecial() : 0; }
    int getNumZolWells() const { return m_current ? m_current->getNumZolWells() : 0; }
    int getNumZolMarkers() const { return m_current ? m_current->getNumZolMarkers() : 0; }
    bool faultsAreLoaded() const { return getNumFaults() > 0; }
    int getNumStations(bool unused = false) const;
    bool stationsAreLoaded() const { return getNumStations() > 0; }
    /// @return 1, or -48 without a current dataset.
    int enumerateStations(std::vector<std::string>& ids) const;
    std::string getStationIDFromIndex(char index) const;
    int getStations(unsigned char id, std::vector<std::string>& ids) const;
    /// True for an empty list; otherwise the record's station id (looked up
    /// in the record's own dataset) must be one of the list.
    bool hasStationId(const std::vector<std::string>& stations, const GeoData* record) const;
    /// Creates the attribute in every open dataset, in id order.
    void applyAttrToAllDatasets(const std::string& label, AttributeManager* manager);

    ErrorManager* getErrorManager() const { return m_errors; }
    FileManager* getFileManager() const { return m_files; }

protected:
    Data* getDatasetByName(const std::string& shortName) const;
    std::string generateDatasetName(const std::string& requested);
    unsigned char generateDatasetID();
    /// Two texts as an ordered integer range within [min, max]; false (and
    /// -1, -1) when a text is missing or a value is out of range.
    static bool convertNumberInRange(const char* lowText, const char* highText, int& low, int& high, int min, int max);
    /// The same for decimal numbers.
    static bool convertNumberInRange(const char* lowText, const char* highText, double& low, double& high, double min,
                                     double max);

private:
    /// The one way a dataset is derived from another: a fresh id, the
    /// source's attribute and station tables, copies of the records of
    /// `refs` (all without), registered under `name`.  Null (and
    /// Bad_Dataset_Id) when no dataset can be opened.
    Data* deriveDataset(const Data& source, const std::string& name, const std::list<unsigned int>* refs,
                        unsigned char& id);
    bool passes(const GeoData* g, bool specials, bool faults, bool lines, bool lineations, bool planes, bool wells,
                bool markers, bool specialsAlways, const std::vector<std::string>& stations, unsigned int attrIndex,
                int& mask) const;

    FileManager* m_files;
    std::vector<unsigned char> m_freeIds;
    ErrorManager* m_errors;
    int m_untitledCount = 1;
    unsigned char m_currentId = Data::Bad_Dataset_Id;
    Data* m_current = nullptr;
    std::map<unsigned char, std::unique_ptr<Data>> m_datasets;
};

}  // namespace qzCore

#endif  // QZCORE_DATASETS_DATAMANAGER_H
