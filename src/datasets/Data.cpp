#include "qzCore/datasets/Data.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/records/GDTypes.h"

namespace qzCore {

const unsigned int Data::Max_Data_Reference = (1u << 24) - 2;

namespace {

using K = GDTypes;

}  // namespace

Data::Data(const ComplexFileName& name, ErrorManager* errors, unsigned char id)
    : m_name(name), m_id(id), m_errors(errors), m_parser(std::make_unique<qzParser>()) {}

Data::Data(const Data* source, const ComplexFileName& name, unsigned char id, bool copyRecords,
           const std::list<unsigned int>* refs)
    : m_name(name), m_id(id), m_errors(source ? source->m_errors : nullptr), m_parser(std::make_unique<qzParser>()) {
    if (!source) return;
    m_nextReference = source->m_nextReference;
    m_attributes = source->m_attributes;
    m_stations = source->m_stations;
    if (source->m_stationManager) m_stationManager = std::make_unique<StationManager>(*source->m_stationManager);
    if (!copyRecords) return;
    if (!refs || refs->empty()) {
        for (const GeoData* g : source->m_dataList) addData(g);
    } else {
        for (const unsigned int r : *refs) {
            if (const GeoData* g = source->getDataFromReference(r)) addData(g);
        }
    }
}

Data::~Data() {
    for (GeoData* g : m_dataList) delete g;
    initStorage();
}

// ---------------------------------------------------------------- access

int Data::getNumLineations() const {
    return static_cast<int>(std::count_if(m_faultList.begin(), m_faultList.end(), [](const GeoData* g) {
        return g->data() && g->data()->hasTrend();
    }));
}

GeoData* Data::getSpecificData(unsigned int index) const {
    return index < m_dataList.size() ? m_dataList[index] : nullptr;
}

unsigned int Data::getSpecificDataFromIndex(unsigned int index) const {
    const GeoData* g = getSpecificData(index);
    return g ? g->getDataReference() : 0;
}

GeoData* Data::getDataFromReference(unsigned int ref) const {
    if (ref == 0) return nullptr;
    for (GeoData* g : m_dataList) {
        if (g->getDataReference() == ref) return g;
    }
    return nullptr;
}

// ---------------------------------------------------------------- references and lists

unsigned int Data::generateDataReference() {
    if (m_nextReference >= Max_Data_Reference) return 0;
    const unsigned int ref = (static_cast<unsigned int>(m_id) << 24) | m_nextReference;
    ++m_nextReference;
    return ref;
}

bool Data::addToDataList(std::unique_ptr<GeoData> record) {
    const unsigned int ref = generateDataReference();
    if (ref == 0) return false;
    record->setDataReference(ref);
    m_dataList.push_back(record.release());
    return true;
}

Data::RecordList* Data::kindList(char kind) {
    switch (kind) {
        case K::GDType_Fault: return &m_faultList;
        case K::GDType_Line: return &m_lineList;
        case K::GDType_Plane: return &m_planeList;
        case K::GDType_ZolMarkerData: return &m_markerList;
        case K::GDType_ZolWellData: return &m_wellList;
        case K::GDType_Joint:
        case K::GDType_Null: return nullptr;
        default: return &m_specialList;  // universal stage and every result kind
    }
}

int Data::enter(std::unique_ptr<GeoData> record) {
    if (!record) return Error::Insert_Failed;
    RecordList* list = kindList(record->getGDType());
    GeoData* raw = record.get();
    if (!list || !addToDataList(std::move(record))) return Error::Insert_Failed;
    list->push_back(raw);
    return 1;
}

void Data::initStorage() {
    for (RecordList* l : {&m_dataList, &m_specialList, &m_faultList, &m_lineList, &m_planeList, &m_markerList,
                          &m_wellList}) {
        l->clear();
    }
}

void Data::rebuildDataLists() {
    for (RecordList* l : {&m_specialList, &m_faultList, &m_lineList, &m_planeList, &m_markerList, &m_wellList}) {
        l->clear();
    }
    for (GeoData* g : m_dataList) {
        if (RecordList* l = kindList(g->getGDType())) l->push_back(g);
    }
}

// ---------------------------------------------------------------- adding

int Data::insertPlaneData(const DataStruct& d, const TokenStruct& t) { return enter(std::make_unique<PlaneData>(t, d)); }
int Data::insertLineData(const DataStruct& d, const TokenStruct& t) { return enter(std::make_unique<LineData>(t, d)); }
int Data::insertFaultData(const DataStruct& d, const TokenStruct& t) { return enter(std::make_unique<FaultData>(t, d)); }
int Data::insertZolMarkerData(const DataStruct& d, const TokenStruct& t) {
    return enter(std::make_unique<zolMarkerData>(t, d));
}
int Data::insertZolWellData(const DataStruct& d, const TokenStruct& t) {
    return enter(std::make_unique<zolWellData>(t, d));
}
int Data::insertSpecialData(const DataStruct& d, const TokenStruct& t) {
    return enter(std::make_unique<SpecialData>(d, t));
}
int Data::insertSpecialData(const SpecialData& s) {
    // A result kind enters as it is; any other kind as its own class would.
    if (GDTypes::isSpecialType(s.getGDType())) return enter(std::make_unique<SpecialData>(s));
    return addData(static_cast<const GeoData*>(&s));
}

int Data::insertUStageData(const DataStruct& d, const TokenStruct& t) {
    auto u = std::make_unique<UStageData>(d, t);
    if (!u->hasAcceptableAxes()) return Error::UStage_Axes_Skew;
    return enter(std::move(u));
}

int Data::insertData(const DataStruct& d, const TokenStruct& t) {
    // The flag word of a record, and so every file format, holds a comment
    // of at most 255 characters: a longer one is refused here rather than
    // cut on the way out.
    if (t.hasComment() && t.getComment().size() > GDFlags::Max_Comment_Size) return Error::Comment_Too_Long;
    switch (d.getGDType()) {
        case K::GDType_Plane: return insertPlaneData(d, t);
        case K::GDType_Line: return insertLineData(d, t);
        case K::GDType_Fault: return insertFaultData(d, t);
        case K::GDType_ZolMarkerData: return insertZolMarkerData(d, t);
        case K::GDType_ZolWellData: return insertZolWellData(d, t);
        case K::GDType_UStage: return insertUStageData(d, t);
        // No kind, the reserved kind, "decide from the values" and the
        // registry's bad value never describe a finished record.
        case K::GDType_Joint:
        case K::GDType_Null:
        case K::GDType_Auto:
        case K::GDType_BadValue: return Error::Insert_Failed;
        default: return insertSpecialData(d, t);
    }
}

int Data::addData(const GeoData* record) {
    if (!record || !record->data() || record->getGDType() == K::GDType_Null) return Error::Insert_Failed;
    DataStruct d;
    TokenStruct t;
    record->get(d);
    record->get(t);
    return insertData(d, t);
}

int Data::addData(const std::deque<GeoData*>& records) {
    for (const GeoData* g : records) {
        if (!g || !g->isSpecial() || addData(g) != 1) return Error::Insert_Failed;
    }
    return 1;
}

int Data::addData(const std::list<SpecialData>& records) {
    for (const SpecialData& s : records) {
        if (insertSpecialData(s) != 1) return Error::Insert_Failed;
    }
    return 1;
}

Data::TableMap Data::importTables(const AttrList& attributes, const StationList& stations, const Used* used) {
    TableMap map;
    // Attributes, by label.
    bool attributeTrouble = false;
    for (unsigned int i = 0; i < AttrList::Max_Num_Attributes; ++i) {
        const std::string label = attributes.getAttrLabel(i);
        if (label.empty() || (used && !(used->attributes & AttrList::Attr_Index_Masks[i]))) continue;
        try {
            m_attributes.createAttr(label);
        } catch (int code) {
            if (code != Error::Duplicate_Attribute_Label) attributeTrouble = true;
        }
        const std::uint32_t here = m_attributes.getAttrIndexMask(label);
        map.bits[i] = here == AttrList::Not_Found ? 0u : here;
    }
    if (attributeTrouble) {
        tell("Attribute merging warning",
             "Check to see if there are too many attributes.\nNote: You may also see this message if there are "
             "duplicates.");
    }
    // Groups other than "All", with this table's mask of their labels.
    std::list<std::string> groups;
    if (!used) attributes.getAttrStrings(groups, true);
    for (const std::string& g : groups) {
        if (g == AttrList::All_Group_Name) continue;
        std::list<std::string> members;
        attributes.getAttrStringsInGroup(members, g);
        std::uint32_t mask = 0;
        for (const std::string& m : members) {
            const std::uint32_t bit = m_attributes.getAttrIndexMask(m);
            if (bit != AttrList::Not_Found) mask |= bit;
        }
        try {
            m_attributes.createAttrGroup(g, mask);
        } catch (int code) {
            if (code == Error::Too_Many_Groups) {
                tell("Attribute merging warning", "Too many attribute groups.\nSome group information may have been lost.");
            } else if (code != Error::Duplicate_Group_Name) {
                tell("Attribute merging warning", "An error occurred while merging attribute groups.");
            }
        }
    }
    // Stations: their indexes there mapped to this list's.
    for (int i = 0; i < stations.getNumStations() && i < StationList::Max_Addressable_Stations; ++i) {
        const std::string id = stations.getStationId_FromIndex(i);
        const bool wanted = !used || (std::size_t(i) < used->stations.size() && used->stations[std::size_t(i)]);
        map.stations.push_back(id.empty() || !wanted ? char(-1) : static_cast<char>(initStationId(id, true)));
    }
    return map;
}

bool Data::translate(const TableMap& map, DataStruct& d) const {
    // Only the bits a record has set are looked up (most have none).
    std::uint32_t mask = 0;
    for (std::uint32_t bits = d.getAttributes(); bits != 0; bits &= bits - 1) {
        for (unsigned int i = 0; i < AttrList::Max_Num_Attributes; ++i) {
            if ((bits & (0u - bits)) == AttrList::Attr_Index_Masks[i]) {
                mask |= map.bits[i];
                break;
            }
        }
    }
    d.setAttributes(mask);
    const int index = d.getStationIndex();
    if (index < 0) {
        d.linkStation_FromIndex(-1);
        return true;
    }
    // A station the other list does not hold, or one this dataset cannot
    // address: never link the record to another station.
    const char here = index < int(map.stations.size()) ? map.stations[std::size_t(index)] : char(-1);
    if (here < 0) return false;
    d.linkStation_FromIndex(here);
    return true;
}

int Data::addData(const Data* other) {
    if (!other) return Error::Insert_Failed;
    if (other == this) return Error::Internal_Error;
    const TableMap map = importTables(other->m_attributes, other->m_stations);
    bool stationTrouble = false;
    for (const GeoData* g : other->m_dataList) {
        if (!g->data()) continue;
        DataStruct d;
        TokenStruct t;
        g->get(d);
        g->get(t);
        if (!translate(map, d)) {
            stationTrouble = true;
            continue;
        }
        insertData(d, t);
    }
    if (stationTrouble) {
        tell("Station merging warning", "Too many stations.\nRecords of some stations could not be merged.");
    }
    return 1;
}

int Data::addRecordsOf(const Data& source, const std::vector<const GeoData*>& records, bool carry) {
    TableMap map;
    if (carry) {
        Used used;
        used.stations.assign(std::size_t(std::max(0, source.m_stations.getNumStations())), false);
        for (const GeoData* g : records) {
            if (!g || !g->data()) continue;
            used.attributes |= g->data()->getAttributes();
            const int s = g->data()->getStationIndex();
            if (s >= 0 && std::size_t(s) < used.stations.size()) used.stations[std::size_t(s)] = true;
        }
        map = importTables(source.m_attributes, source.m_stations, &used);
    }
    for (const GeoData* g : records) {
        if (!g || !g->data()) continue;
        DataStruct d;
        TokenStruct t;
        g->get(d);
        g->get(t);
        if (carry) {
            if (!translate(map, d)) continue;
        } else {
            // Attribute bits and station indexes point into the source's
            // tables: dropped.
            d.setAttributes(0);
            d.linkStation_FromIndex(-1);
        }
        insertData(d, t);
    }
    return 1;
}

// ---------------------------------------------------------------- removing

void Data::deleteData(const std::list<unsigned int>& refs) {
    const std::unordered_set<unsigned int> gone(refs.begin(), refs.end());
    RecordList kept;
    for (GeoData* g : m_dataList) {
        if (gone.count(g->getDataReference())) {
            delete g;
        } else {
            kept.push_back(g);
        }
    }
    m_dataList.swap(kept);
    rebuildDataLists();
}

// ---------------------------------------------------------------- stations

unsigned char Data::initStationId(const std::string& id, bool append) {
    if (id.empty()) return No_Station;
    int index = m_stations.getStationIndex_FromId(id);
    if (index < 0) {
        if (!append || m_stations.getNumStations() >= StationList::Max_Addressable_Stations) return No_Station;
        index = m_stations.insertStation(id);
    }
    if (index < 0 || index >= StationList::Max_Addressable_Stations) return No_Station;
    return static_cast<unsigned char>(index);
}

int Data::attachStation(const char* id, DataStruct& d, bool& appended) {
    appended = false;
    if (!id || !*id) {
        d.linkStation_FromIndex(-1);
        return 1;
    }
    const int before = m_stations.getNumStations();
    const unsigned char index = initStationId(std::string(id), true);
    appended = m_stations.getNumStations() > before;
    if (index == No_Station) {
        d.linkStation_FromIndex(-1);
        return Error::Insert_Failed;
    }
    d.linkStation_FromIndex(static_cast<char>(index));
    return 1;
}

bool Data::initStationId(const char* id, DataStruct& d) {
    bool appended = false;
    attachStation(id, d, appended);
    return appended;
}

bool Data::initStationId(const char* id, GeoData* record) {
    if (!record || !record->data()) return false;
    DataStruct d;
    bool appended = false;
    attachStation(id, d, appended);
    record->data()->linkStation_FromIndex(d.getStationIndex());
    return appended;
}

void Data::uninitializeStationId(const char* id) { m_stations.destroyStation_FromId(id); }

void Data::getStationIdFromIndex(char index, std::string& id) const { id = m_stations.getStationId_FromIndex(index); }

void Data::getStationIdFromIndex(char index, char* id, std::size_t size) const {
    if (!id || size == 0) return;
    const std::string s = m_stations.getStationId_FromIndex(index);
    const std::size_t n = std::min(s.size(), size - 1);
    std::memcpy(id, s.data(), n);
    id[n] = '\0';
}

}  // namespace qzCore
