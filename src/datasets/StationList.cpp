#include "qzCore/datasets/StationList.h"

#include <algorithm>

namespace qzCore {

int StationList::insertStation(const std::string& id) {
    if (getNumStations() >= Max_Num_Stations) return -1;
    m_ids.push_back(id);
    if (!id.empty()) m_first.emplace(id, getNumStations() - 1);  // an earlier equal id stays first
    return getNumStations() - 1;
}

void StationList::reindex() {
    m_first.clear();
    for (int i = 0; i < getNumStations(); ++i) {
        if (!m_ids[std::size_t(i)].empty()) m_first.emplace(m_ids[std::size_t(i)], i);
    }
}

int StationList::insertStation(const char* id) { return id ? insertStation(std::string(id)) : -1; }

int StationList::getStationIndex_FromId(const std::string& id) const {
    if (id.empty()) return -1;
    const auto it = m_first.find(id);
    return it == m_first.end() ? -1 : it->second;
}

int StationList::getStationIndex_FromId(const char* id) const {
    return id ? getStationIndex_FromId(std::string(id)) : -1;
}

std::string StationList::getStationId_FromIndex(int index) const {
    return isValidIndex(index) ? m_ids[static_cast<std::size_t>(index)] : std::string();
}

void StationList::destroyStation_FromId(const char* id) {
    const int i = getStationIndex_FromId(id);
    if (i < 0) return;
    if (i == getNumStations() - 1) {
        m_ids.pop_back();
    } else {
        m_ids[static_cast<std::size_t>(i)].clear();
    }
    reindex();  // a later equal id, if any, becomes the first
}

void SelectionManager::addSelectedData(unsigned int ref) {
    if (std::find(m_primary.begin(), m_primary.end(), ref) == m_primary.end()) m_primary.push_back(ref);
    m_primaryCount = static_cast<unsigned int>(m_primary.size());
}

void SelectionManager::setSelectedData(const std::list<unsigned int>& refs, Selection_Type type) {
    if (type == Selection_Secondary) {
        m_secondary = refs;
        m_secondaryCount = static_cast<unsigned int>(refs.size());
    } else {
        m_primary = refs;
        m_primaryCount = static_cast<unsigned int>(refs.size());
    }
}

const std::list<unsigned int>& SelectionManager::getSelectedData(int type) const {
    return type == Selection_Secondary ? m_secondary : m_primary;
}

unsigned int SelectionManager::getSelCount(int type) const {
    return type == Selection_Secondary ? m_secondaryCount : m_primaryCount;
}

void SelectionManager::setSelCount(int type, unsigned int count) {
    if (type == Selection_Secondary) m_secondaryCount = count;
    if (type == Selection_Primary) m_primaryCount = count;
}

void SelectionManager::clearSelection(int type) {
    if (type == Selection_Secondary) {
        m_secondary.clear();
        m_secondaryCount = 0;
    } else if (type == Selection_Primary) {
        m_primary.clear();
        m_primaryCount = 0;
    }
}

void SelectionManager::clearAll() {
    clearSelection(Selection_Secondary);
    clearSelection(Selection_Primary);
}

}  // namespace qzCore
