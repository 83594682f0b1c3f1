// The data manager answering questions about the records it holds: their
// values, which of them pass a selection of kinds, what kinds a set holds,
// and the extents of their locations and depths.
#include "qzCore/datasets/DataManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/GDTypes.h"

namespace qzCore {

namespace {
using K = GDTypes;

/// The Contains_ bit of a record kind: one table for the selections and
/// the summary of what a dataset holds.  Results and universal-stage
/// records are specials.
int containsBitOf(char kind) {
    switch (kind) {
        case K::GDType_Fault: return Contains_Faults;
        case K::GDType_Line: return Contains_Lines;
        case K::GDType_Plane: return Contains_Planes;
        case K::GDType_ZolMarkerData: return Contains_Markers;
        case K::GDType_ZolWellData: return Contains_Wells;
        default: return Contains_Special;
    }
}

/// Widens the range [lo, hi] to hold v.
void widen(double& lo, double& hi, double v) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
}
}  // namespace

bool DataManager::getDataValue(DATAVALUETYPE type, const GeoData* record, int& a, int& b) const {
    if (!record || !record->data()) return false;
    const LightweightDataStruct* d = record->data();
    switch (type) {
        case Value_Strike_Dip:
            a = d->getStrike();
            b = d->getDip();
            return true;
        case Value_Trend_Plunge:
            a = d->getTrend();
            b = d->getPlunge();
            return true;
        case Value_Slip_Sense:
            if (!d->hasSlip() || !(d->hasCWSlip() || d->hasCCWSlip())) return false;
            a = d->hasSlipInStrikeDirection() ? 1 : 0;
            b = d->hasCWSlip() ? 1 : 0;
            return true;
        default:
            return false;
    }
}

bool DataManager::getDataValue(DATAVALUETYPE type, unsigned int ref, int& a, int& b) const {
    const Data* d = getDatasetFromID(computeDatasetID(ref));
    return d && getDataValue(type, d->getDataFromReference(ref), a, b);
}

bool DataManager::passes(const GeoData* g, bool specials, bool faults, bool lines, bool lineations, bool planes,
                         bool wells, bool markers, bool specialsAlways, const std::vector<std::string>& stations,
                         unsigned int attrIndex, int& mask) const {
    if (!g || !g->data()) return false;
    const char kind = g->getGDType();
    bool wanted = false;
    bool tested = true;
    if (kind == K::GDType_Null || kind == K::GDType_UStage) return false;
    const int bit = containsBitOf(kind);
    switch (bit) {
        case Contains_Faults: wanted = faults || lineations; break;
        case Contains_Lines: wanted = lines; break;
        case Contains_Planes: wanted = planes; break;
        case Contains_Markers: wanted = markers; break;
        case Contains_Wells: wanted = wells; break;
        default:
            wanted = specialsAlways || specials;
            tested = !specialsAlways;
            break;
    }
    if (!wanted) return false;
    if (tested) {
        if (!hasStationId(stations, g)) return false;
        if (attrIndex != AttrList::Not_Found && !g->data()->hasAttribute_FromIndex(static_cast<int>(attrIndex))) {
            return false;
        }
    }
    mask |= bit;
    return true;
}

int DataManager::getLimitedData(unsigned char id, std::deque<GeoData*>& out, bool specials, bool faults, bool lines,
                                bool lineations, bool planes, bool wells, bool markers,
                                const std::vector<std::string>& stations, unsigned int attrIndex, int& mask) const {
    out.clear();
    const Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    for (GeoData* g : d->getDataList()) {
        if (passes(g, specials, faults, lines, lineations, planes, wells, markers, false, stations, attrIndex, mask)) {
            out.push_back(g);
        }
    }
    return out.empty() ? Error::No_Data_Fit_Criteria : 1;
}

int DataManager::getLimitedData(const std::list<unsigned int>& refs, std::deque<GeoData*>& out, bool specials,
                                bool faults, bool lines, bool lineations, bool planes, bool wells, bool markers,
                                const std::vector<std::string>& stations, unsigned int attrIndex, int& mask) const {
    out.clear();
    for (const unsigned int ref : refs) {
        const Data* d = getDatasetFromID(computeDatasetID(ref));
        GeoData* g = d ? d->getDataFromReference(ref) : nullptr;
        if (passes(g, specials, faults, lines, lineations, planes, wells, markers, true, stations, attrIndex, mask)) {
            out.push_back(g);
        }
    }
    return out.empty() ? Error::No_Data_Fit_Criteria : 1;
}

int DataManager::getDataPtrList(unsigned char id, std::deque<GeoData*>& out) const {
    const Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    out.assign(d->getDataList().begin(), d->getDataList().end());
    return 1;
}

void DataManager::getDataPtrListFromRefList(const std::list<unsigned int>& refs, std::deque<GeoData*>& out) const {
    out.clear();
    for (const unsigned int ref : refs) {
        const Data* d = getDatasetFromID(computeDatasetID(ref));
        if (GeoData* g = d ? d->getDataFromReference(ref) : nullptr) out.push_back(g);
    }
}

int DataManager::getDataRefsFromIndexes(unsigned char id, const std::vector<int>& indexes,
                                        std::list<unsigned int>& refs) const {
    const Data* d = getDatasetFromID(id);
    if (!d) return Error::Invalid_Dataset_Id;
    for (const int i : indexes) {
        if (i < 0) continue;
        const unsigned int ref = d->getSpecificDataFromIndex(static_cast<unsigned int>(i));
        if (ref != 0) refs.push_back(ref);
    }
    return 1;
}

bool DataManager::getAvailableDataTypes(const std::deque<GeoData*>& records, DatasetContains& mask) const {
    for (const GeoData* g : records) {
        if (!g || !g->data()) continue;
        const char kind = g->getGDType();
        if (kind == K::GDType_Null) continue;
        mask |= containsBitOf(kind);
        if (kind == K::GDType_Fault && g->data()->hasTrend()) mask |= Contains_Lineations;
    }
    return true;
}

bool DataManager::getAvailableDataTypes(unsigned char id, DatasetContains& mask) const {
    const Data* d = getDatasetFromID(id);
    if (!d) {
        mask = 0;
        return false;
    }
    return getAvailableDataTypes(d->getDataList(), mask);
}

bool DataManager::getAvailableDataTypes(const std::list<unsigned int>& refs, DatasetContains& mask) const {
    std::deque<GeoData*> records;
    getDataPtrListFromRefList(refs, records);
    return getAvailableDataTypes(records, mask);
}

bool DataManager::getDataLocExtents(unsigned char id, ThreeDPoint<double>& min, ThreeDPoint<double>& max) const {
    min.init(1e100, 1e100, 1e100);
    max.init(-1e100, -1e100, -1e100);
    const Data* d = getDatasetFromID(id);
    if (!d) return false;
    bool any = false;
    for (const GeoData* g : d->getDataList()) {
        if (!g->data() || !g->data()->hasLoc()) continue;
        any = true;
        const LightweightDataStruct* v = g->data();
        if (v->hasX()) widen(min.x(), max.x(), v->getX());
        if (v->hasY()) widen(min.y(), max.y(), v->getY());
        if (v->hasZ()) widen(min.z(), max.z(), v->getZ());
    }
    return any;
}

bool DataManager::getDataMDExtents(unsigned char id, double& min, double& max) const {
    min = 1e100;
    max = -1e100;
    const Data* d = getDatasetFromID(id);
    if (!d) return false;
    bool any = false;
    for (const GeoData* g : d->getDataList()) {
        if (!g->data() || !g->data()->hasMD()) continue;
        any = true;
        widen(min, max, g->data()->md());
    }
    return any;
}

}  // namespace qzCore
