#include "qzCore/datasets/DataManager.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "qzCore/datasets/AttributeManager.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/shared/MyMath.h"
#include "qzCore/shared/Token.h"

namespace qzCore {

namespace {
using K = GDTypes;

/// The transfer records of a plane (strike, dip) or a line (trend, plunge)
/// with the values as their texts too.
void orientationRecord(bool plane, int a, int b, DataStruct& data, TokenStruct& tokens) {
    if (plane) {
        data.setGDType(K::GDType_Plane);
        data.setStrike(a);
        data.setDip(b);
        tokens.setTokenValue(TokenStruct::Strike_Token, a);
        tokens.setTokenValue(TokenStruct::Dip_Token, b);
    } else {
        data.setGDType(K::GDType_Line);
        data.setTrend(a);
        data.setPlunge(b);
        tokens.setTokenValue(TokenStruct::Trend_Token, a);
        tokens.setTokenValue(TokenStruct::Plunge_Token, b);
    }
}
}  // namespace

GenerateDataParams::GenerateDataParams(const GenerateDistParams& dist, bool first, bool planes, int count, bool reseed,
                                       GENERATEDATADIST kind)
    : m_dist(dist), m_first(first), m_planes(planes), m_count(count < 1 ? 1 : count), m_reseed(reseed), m_kind(kind) {}

DataManager::DataManager(ErrorManager* errors, FileManager* files) : m_files(files), m_errors(errors) {
    for (int i = 0; i < MAXNUMOPENDATASETS; ++i) m_freeIds.push_back(static_cast<unsigned char>(i));
}

DataManager::~DataManager() = default;

// ---------------------------------------------------------------- datasets

std::string DataManager::generateDatasetName(const std::string& requested) {
    if (!requested.empty()) return requested;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s %d", "Untitled Dataset", m_untitledCount++);
    return buf;
}

unsigned char DataManager::generateDatasetID() {
    if (m_freeIds.empty()) return Data::Bad_Dataset_Id;
    const unsigned char id = m_freeIds.back();
    if (id == Data::Bad_Dataset_Id) return Data::Bad_Dataset_Id;  // 0 is never handed out
    m_freeIds.pop_back();
    return id;
}

Data* DataManager::deriveDataset(const Data& source, const std::string& name, const std::list<unsigned int>* refs,
                                 unsigned char& id) {
    id = Data::Bad_Dataset_Id;
    if (tooManyDatasets()) return nullptr;
    const unsigned char fresh = generateDatasetID();
    if (fresh == Data::Bad_Dataset_Id) return nullptr;
    auto d = std::make_unique<Data>(&source, ComplexFileName(name), fresh, true, refs);
    Data* made = d.get();
    m_datasets[fresh] = std::move(d);
    id = fresh;
    return made;
}

int DataManager::createDataset(unsigned char& id, const std::string& name, bool derived, Data* source) {
    if (tooManyDatasets()) return Error::Too_Many_Datasets;
    const unsigned char sourceId = id;
    if (derived && !source) source = getDatasetFromID(sourceId);
    if (derived && !source) {
        id = Data::Bad_Dataset_Id;
        return Error::Dataset_Creation_Failed;
    }
    const std::string fullName = generateDatasetName(name);
    Data* made = nullptr;
    unsigned char newId = Data::Bad_Dataset_Id;
    if (derived) {
        made = deriveDataset(*source, fullName, nullptr, newId);
    } else if ((newId = generateDatasetID()) != Data::Bad_Dataset_Id) {
        auto d = std::make_unique<Data>(ComplexFileName(fullName), m_errors, newId);
        made = d.get();
        m_datasets[newId] = std::move(d);
    }
    id = newId;
    if (!made) return Error::Dataset_Creation_Failed;
    m_current = made;
    m_currentId = newId;
    return 1;
}

int DataManager::deleteDataset(const unsigned char& id) {
    const auto it = m_datasets.find(id);
    if (it == m_datasets.end()) return Error::Invalid_Dataset_Id;
    const unsigned char gone = id;  // `id` may refer into the map's key
    if (m_current == it->second.get()) {
        m_current = nullptr;
        m_currentId = Data::Bad_Dataset_Id;
    }
    m_datasets.erase(it);
    m_freeIds.push_back(gone);
    return 1;
}

int DataManager::mergeDatasets(unsigned char target, unsigned char source) {
    Data* t = getDatasetFromID(target);
    const Data* s = getDatasetFromID(source);
    if (!t || !s) return Error::Invalid_Dataset_Id;
    return t->addData(s);
}

void DataManager::setCurrDataset(unsigned char id) {
    m_currentId = id;
    m_current = getDatasetFromID(id);
}

Data* DataManager::getDatasetFromID(unsigned char id) const {
    const auto it = m_datasets.find(id);
    return it == m_datasets.end() ? nullptr : it->second.get();
}

unsigned char DataManager::getDatasetIDFromIndex(int position) const {
    if (position < 0 || position >= getDatasetCount()) return Data::Bad_Dataset_Id;
    auto it = m_datasets.begin();
    std::advance(it, position);
    return it->first;
}

std::string DataManager::getDatasetName(unsigned char id) const {
    const Data* d = getDatasetFromID(id);
    return d ? d->getName().getName() : std::string();
}

bool DataManager::setDatasetName(unsigned char id, const std::string& name) {
    Data* d = getDatasetFromID(id);
    if (!d) return false;
    d->getName().setName(name);
    return true;
}

std::string DataManager::getDatasetShortName(unsigned char id) const {
    const Data* d = getDatasetFromID(id);
    return d ? d->getName().getShortName() : std::string();
}

void DataManager::getDatasetNames(std::list<std::string>& names, bool) const {
    names.clear();
    for (const auto& kv : m_datasets) names.push_back(kv.second->getName().getShortName());
}

Data* DataManager::getDatasetByName(const std::string& shortName) const {
    for (const auto& kv : m_datasets) {
        if (kv.second->getName().getShortName() == shortName) return kv.second.get();
    }
    return nullptr;
}

void DataManager::getDatasetInfoAsString(std::string& out, unsigned char id) const {
    const Data* d = getDatasetFromID(id);
    if (!d) {
        out = "Warning : An error oocurred retrieving dataset information.\nInvalid dataset context.";
        return;
    }
    char buf[512];
    // Every record once: the data list already holds the result records.
    std::snprintf(buf, sizeof buf,
                  "TotalData: %d\nStations: %d\nLines: %d\nPlanes: %d\nFaults: %d\nMarkers: %d\nWell Data: %d\n"
                  "Other: %d\n",
                  d->getNumData(), d->getNumStations(), d->getNumLines(), d->getNumPlanes(), d->getNumFaults(),
                  d->getNumZolMarkers(), d->getNumZolWells(), d->getNumSpecial());
    out = d->getName().getShortName() + "\n" + buf;
}

// ---------------------------------------------------------------- adding and removing

int DataManager::addData(unsigned char id, const GeoData& record) {
    Data* d = getDatasetFromID(id);
    return d ? d->addData(&record) : Error::Invalid_Dataset_Id;
}

int DataManager::addSpecialData(unsigned char id, const std::list<SpecialData>& records) {
    Data* d = getDatasetFromID(id);
    return d ? d->addData(records) : Error::Invalid_Dataset_Id;
}

int DataManager::addData(unsigned char id, const qzIEColumnOptions& options, const qzIEDataTypeOrder& order,
                         std::istream& in) {
    Data* d = getDatasetFromID(id);
    return d ? d->addData(options, order, in) : Error::Invalid_Dataset_Id;
}

int DataManager::addData(unsigned char id, const std::vector<OrientedPair>& pairs, bool planes) {
    Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    for (const OrientedPair& p : pairs) {
        const int a = FloatToInt_Global(p.az());
        const int b = FloatToInt_Global(p.pl());
        DataStruct data;
        TokenStruct tokens;
        orientationRecord(planes, a, b, data, tokens);
        const int r = d->insertData(data, tokens);
        if (r != 1) return r;
    }
    return 1;
}

int DataManager::addSelectedData(unsigned char id, const std::list<unsigned int>& refs, bool carry) {
    Data* target = getDatasetFromID(id);
    if (!target) return Error::Invalid_Dataset_Id;
    // Runs of records from one dataset, in the order given: each run's
    // attributes and stations go through that dataset's table mapping.
    const Data* runSource = nullptr;
    std::vector<const GeoData*> run;
    auto flush = [&] {
        if (runSource && !run.empty()) target->addRecordsOf(*runSource, run, carry);
        run.clear();
    };
    for (const unsigned int ref : refs) {
        const Data* source = getDatasetFromID(computeDatasetID(ref));
        const GeoData* g = source ? source->getDataFromReference(ref) : nullptr;
        if (!g || !g->data()) continue;
        if (source != runSource) {
            flush();
            runSource = source;
        }
        run.push_back(g);
    }
    flush();
    return 1;
}

int DataManager::deleteData(const unsigned char& id, const std::vector<int>& indexes) {
    Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    std::list<unsigned int> refs;
    getDataRefsFromIndexes(id, indexes, refs);
    d->deleteData(refs);
    return 1;
}

int DataManager::generateData(unsigned char id, GenerateDataParams& params) {
    Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    MyMath math;
    if (params.getRandomSeed() != 0) {
        math.seedRandom(params.getRandomSeed());
    } else {
        math.seedRandom();
    }
    int seedTrend = 0, seedPlunge = 0;
    params.getDistParams().getSeed(seedTrend, seedPlunge);
    for (int i = 0; i < params.getCount(); ++i) {
        int trend = 0, plunge = 0;
        if (params.getDistribution() == Dist_Uniform) {
            trend = math.random(360);
            double u = math.random();
            while (u < 0.0 || u > 1.0) u = math.random();
            plunge = FloatToInt_Global(std::asin(1.0 - u) * MyMath::Rad_To_Deg);
        } else {
            math.generatePointInDist(seedTrend, seedPlunge, params.getDistParams().getDistParam(), trend, plunge);
        }
        if (params.getPlanes()) math.computePlaneFromPole(trend, plunge);
        DataStruct data;
        TokenStruct tokens;
        orientationRecord(params.getPlanes(), trend, plunge, data, tokens);
        const int r = d->insertData(data, tokens);
        if (r != 1) return r;
    }
    return 1;
}

// ---------------------------------------------------------------- typed entries, reshaping, export

int DataManager::addData(const InteractiveDataParams& params) {
    Data* d = getDatasetByName(params.getDataset());
    if (!d) return Error::Invalid_Dataset_Id;
    GeoDataParams p;
    p.setComment(params.getComment().substr(0, GeoDataParams::Comment_Field - 1).c_str());
    const std::string a = std::to_string(params.getFirst());
    const std::string b = std::to_string(params.getSecond());
    if (params.getIsPlane()) {
        p.setGDType(K::GDType_Plane);
        p.setStrike(a.c_str());
        p.setDip(b.c_str());
    } else {
        p.setGDType(K::GDType_Line);
        p.setTrend(a.c_str());
        p.setPlunge(b.c_str());
    }
    return d->addData(p);
}

int DataManager::addData(unsigned char id, const GeoDataParams& params) {
    Data* d = getDatasetFromID(id);
    return d ? d->addData(params) : Error::Invalid_Dataset_Id;
}

void DataManager::sortData(unsigned char id, const SortByField& by) {
    if (Data* d = getDatasetFromID(id)) d->sortData(by);
}

bool DataManager::subsetData(const SubsetParams& params, std::list<unsigned int>& refs) {
    if (!m_current) return false;
    m_current->subset(params, &refs);
    return true;
}

unsigned char DataManager::subsetData(SubsetParams& params) {
    if (!m_current) return Data::Bad_Dataset_Id;
    unsigned char id = Data::Bad_Dataset_Id;
    Data* d = deriveDataset(*m_current, "Subset : " + m_current->getName().getShortName(), nullptr, id);
    if (!d) return Data::Bad_Dataset_Id;
    d->subset(params, nullptr);
    if (d->getNumData() == 0) {
        // Nothing passed: no dataset is left open for it.
        m_datasets.erase(id);
        m_freeIds.push_back(id);
        return Data::Bad_Dataset_Id;
    }
    return id;
}

int DataManager::applyRotation(unsigned char id, unsigned char& newId, const RotateParams& params,
                               const std::list<unsigned int>* refs) {
    Data* source = getDatasetFromID(id);
    if (!source) return Error::Invalid_Dataset_Id;
    if (params.createNew()) {
        unsigned char fresh = Data::Bad_Dataset_Id;
        Data* d = deriveDataset(*source, source->getName().getShortName() + " : Rotated", refs, fresh);
        if (!d) return Error::Dataset_Creation_Failed;
        d->rotate(params, nullptr);
        newId = fresh;
        return 1;
    }
    newId = id;
    source->rotate(params, refs && !refs->empty() ? refs : nullptr);
    return 1;
}

int DataManager::exportDataset(const unsigned char& id, qzIEColumnOptions& options, qzIEDataTypeOrder& order,
                               const qzIEDataTypeOptions& types, std::ostream& out) {
    const Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    return exportData(id, d->getDataList(), options, order, types, out);
}

int DataManager::exportData(unsigned char id, const std::deque<GeoData*>& records, qzIEColumnOptions& options,
                            qzIEDataTypeOrder& order, const qzIEDataTypeOptions& types, std::ostream& out) {
    const Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    Emitter emitter(*d, records, order, options, types, true);
    return emitter.emit(out);
}

// ---------------------------------------------------------------- stations

int DataManager::getNumStations(bool) const { return m_current ? m_current->getNumStations() : 0; }

int DataManager::enumerateStations(std::vector<std::string>& ids) const {
    if (!m_current) return Error::Invalid_Dataset_Id;
    m_current->getStationIds(ids);
    return 1;
}

std::string DataManager::getStationIDFromIndex(char index) const {
    std::string id;
    if (m_current) m_current->getStationIdFromIndex(index, id);
    return id;
}

int DataManager::getStations(unsigned char id, std::vector<std::string>& ids) const {
    const Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    d->getStationIds(ids);
    return 1;
}

bool DataManager::hasStationId(const std::vector<std::string>& stations, const GeoData* record) const {
    if (stations.empty()) return true;
    if (!record || !record->data() || !record->data()->hasStationIdAttached()) return false;
    // The record's index points into its own dataset's station list.
    const Data* d = getDatasetFromID(computeDatasetID(record->getDataReference()));
    if (!d) d = m_current;
    if (!d) return false;
    std::string id;
    d->getStationIdFromIndex(record->data()->getStationIndex(), id);
    return !id.empty() && std::find(stations.begin(), stations.end(), id) != stations.end();
}

void DataManager::applyAttrToAllDatasets(const std::string& label, AttributeManager* manager) {
    if (!manager) return;
    for (auto& kv : m_datasets) {
        manager->setCurrDataset(kv.second.get());
        manager->createAttribute(label);
    }
}

// ---------------------------------------------------------------- ranges

bool DataManager::convertNumberInRange(const char* lowText, const char* highText, int& low, int& high, int min,
                                       int max) {
    low = high = -1;
    if (!lowText || !highText || !*lowText || !*highText) return false;
    // atoi's reading (leading number, rest ignored) without its undefined
    // overflow: a value beyond int is out of any range.
    auto read = [](const char* t) {
        const long v = std::strtol(t, nullptr, 10);
        return v > INT_MAX ? static_cast<long long>(INT_MAX) + 1 : (v < INT_MIN ? static_cast<long long>(INT_MIN) - 1 : v);
    };
    long long a = read(lowText), b = read(highText);
    if (a > b) std::swap(a, b);
    if (a < min || b > max) return false;
    low = static_cast<int>(a);
    high = static_cast<int>(b);
    return true;
}

bool DataManager::convertNumberInRange(const char* lowText, const char* highText, double& low, double& high,
                                       double min, double max) {
    const Token lt(lowText ? lowText : ""), ht(highText ? highText : "");
    if (lt.isVoid() || ht.isVoid() || !lt.couldBeNumber() || !ht.couldBeNumber()) {
        low = std::numeric_limits<double>::min();
        high = std::numeric_limits<double>::max();
        return false;
    }
    double a = 0.0, b = 0.0;
    lt.get(a);
    ht.get(b);
    if (a > b) std::swap(a, b);
    if (a < min || b > max) {
        low = high = -1.0;
        return false;
    }
    low = a;
    high = b;
    return true;
}

}  // namespace qzCore
