// Stations (wells, localities) of a dataset and the host's selections.
#ifndef QZCORE_DATASETS_STATIONLIST_H
#define QZCORE_DATASETS_STATIONLIST_H

#include "qzCore/Export.h"

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "qzCore/shared/krtTemplates.h"

namespace qzCore {

/// The station ids of one dataset; a station's index is its position.
/// Records hold the index as a signed byte, so only indexes 0 to
/// Max_Addressable_Stations - 1 can be referred to by a record.
class QZCORE_EXPORT StationList {
public:
    static constexpr int Max_Num_Stations = 1000;
    static constexpr int Max_Addressable_Stations = 128;

    /// Appends the id (no duplicate test).  @return the new index, or -1
    /// when 1000 stations exist or the text is null.
    int insertStation(const std::string& id);
    int insertStation(const char* id);
    /// Index of the first equal id; -1 for an empty id or when absent.
    int getStationIndex_FromId(const std::string& id) const;
    int getStationIndex_FromId(const char* id) const;
    /// The id at `index`; empty for an index out of range.
    std::string getStationId_FromIndex(int index) const;
    bool isValidIndex(int index) const { return index >= 0 && index < getNumStations(); }
    int getNumStations() const { return static_cast<int>(m_ids.size()); }
    /// Removes the station: the last entry is erased, any other becomes
    /// empty so that later indexes stay valid.
    void destroyStation_FromId(const char* id);
    const std::vector<std::string>& ids() const { return m_ids; }

    friend bool operator==(const StationList& a, const StationList& b) { return a.m_ids == b.m_ids; }

private:
    void reindex();

    std::vector<std::string> m_ids;
    /// Each id's first index: a row's station found at once, not by
    /// comparing it with every id.
    std::unordered_map<std::string, int> m_first;
};

/// A keyed table of station ids; -1 is the invalid key.
class QZCORE_EXPORT StationManager : public krtFlyweight<char, std::string> {
public:
    StationManager() : krtFlyweight<char, std::string>(char(-1)) {}
};

/// The two selections of records the host keeps, as data references.
class QZCORE_EXPORT SelectionManager {
public:
    enum Selection_Type : int { Selection_Secondary = 0, Selection_Primary = 1 };

    /// Appends to the primary selection unless already there.
    void addSelectedData(unsigned int ref);
    void setSelectedData(const std::list<unsigned int>& refs, Selection_Type type);
    /// The secondary list for type 0, the primary one for any other value.
    const std::list<unsigned int>& getSelectedData(int type) const;
    unsigned int getSelCount(int type) const;
    /// Ignores types other than 0 and 1.
    void setSelCount(int type, unsigned int count);
    bool dataAreSelected(int type, unsigned int n) const { return getSelCount(type) >= n; }
    void clearSelection(int type);
    void clearAll();

private:
    std::list<unsigned int> m_primary;
    std::list<unsigned int> m_secondary;
    unsigned int m_primaryCount = 0;
    unsigned int m_secondaryCount = 0;
};

}  // namespace qzCore

#endif  // QZCORE_DATASETS_STATIONLIST_H
