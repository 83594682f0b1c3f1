// Typed entries, sorting, subsetting, rotation and modification of a dataset.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <functional>
#include <optional>
#include <unordered_set>

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/records/GDTypes.h"

namespace qzCore {

namespace {

using K = GDTypes;

// ---------------------------------------------------------------- sort keys

/// The value a record is sorted by; empty when the record lacks it.
using Key = std::optional<double>;

Key angleKey(int v) { return v == -1 ? Key() : Key(double(v)); }

/// Direction switches, one per sort key, shared by every dataset: each
/// sort by a key flips its switch, so that repeated sorts alternate.
enum Switch { Sw_Kind, Sw_Dip, Sw_Plunge, Sw_Rake, Sw_Slip, Sw_Station, Sw_Strike, Sw_Trend, Sw_X, Sw_Y, Sw_Z,
              Sw_MD, Sw_Ref, Num_Switches };
std::array<bool, Num_Switches> g_switches{};

bool reverseFor(int sw, const SortByField& by) {
    bool justTrue = true;
    if (sw >= 0) {
        g_switches[std::size_t(sw)] = !g_switches[std::size_t(sw)];
        justTrue = g_switches[std::size_t(sw)];
    }
    return by.m_useGivenDirection ? !by.m_ascending : justTrue;
}

bool inRange(int v, SubsetParams::IntRange r) {
    if (r.high < r.low) std::swap(r.low, r.high);
    return v != -1 && v >= r.low && v <= r.high;
}

bool inRange(double v, SubsetParams::DoubleRange r) {
    if (r.high < r.low) std::swap(r.low, r.high);
    return v >= r.low && v <= r.high;
}

}  // namespace

// ---------------------------------------------------------------- typed entries

int Data::addData(const GeoDataParams& params) {
    TokenStruct tokens(params);
    if (tokens.isEmpty()) return Error::Null_Input_Values;
    int r = m_parser->VerifyTokens(tokens);
    if (r != 1) return r;
    DataStruct data;
    r = m_parser->ParseSingle(tokens, data);
    if (r != 1) return r;
    if (params.getIsUStageEntry()) data.setGDType(K::GDType_UStage);
    r = m_parser->ParseLocation(params.getX(), params.getY(), params.getZ(), data);
    if (r != 1) return r;
    if (*params.getMD()) {
        double md = 0.0;
        if (m_parser->ParseNumberGeneric(params.getMD(), md) != 1) return Error::Invalid_MD;
        data.setMD(md);
    }
    bool appended = false;
    r = attachStation(params.getStationId(), data, appended);
    if (r != 1) return r;
    r = insertData(data, tokens);
    if (r != 1 && appended) uninitializeStationId(params.getStationId());
    return r;
}

// ---------------------------------------------------------------- sorting

void Data::sortData(SortByField by) {
    std::function<Key(const GeoData*)> key;
    int sw = -1;
    const int field = by.m_byEntryOrder ? 18 : by.m_field;
    auto loc = [](int i) {
        return [i](const GeoData* g) -> Key {
            const LightweightDataStruct* d = g->data();
            const double v = i == 0 ? d->getX() : (i == 1 ? d->getY() : d->getZ());
            return d->hasLoc() && v != No_Value_Double ? Key(v) : Key();
        };
    };
    switch (field) {
        case 5: return;  // comments are not a sort key
        case 6: key = [](const GeoData* g) { return Key(double(g->getGDType())); }; sw = Sw_Kind; break;
        case 7: key = [](const GeoData* g) { return angleKey(g->data()->getDip()); }; sw = Sw_Dip; break;
        case 8: key = [](const GeoData* g) { return angleKey(g->data()->getPlunge()); }; sw = Sw_Plunge; break;
        case 9: key = [](const GeoData* g) { return angleKey(g->data()->getRake()); }; sw = Sw_Rake; break;
        case 10:
            key = [](const GeoData* g) {
                return g->data()->hasSlip() ? Key(double(static_cast<unsigned char>(g->data()->getSlip()))) : Key();
            };
            sw = Sw_Slip;
            break;
        case 11: sw = Sw_Station; break;
        case 12: key = [](const GeoData* g) { return angleKey(g->data()->getStrike()); }; sw = Sw_Strike; break;
        case 13: key = [](const GeoData* g) { return angleKey(g->data()->getTrend()); }; sw = Sw_Trend; break;
        case 14: key = loc(0); sw = Sw_X; break;
        case 15: key = loc(1); sw = Sw_Y; break;
        case 16: key = loc(2); sw = Sw_Z; break;
        case 17:
            key = [](const GeoData* g) { return g->data()->hasMD() ? Key(g->data()->md()) : Key(); };
            sw = Sw_MD;
            break;
        case 18: key = [](const GeoData* g) { return Key(double(g->getDataReference())); }; sw = Sw_Ref; break;
        default: break;  // no key: only the reversal applies
    }

    auto present = m_dataList.begin();
    auto end = m_dataList.end();
    if (field == 11) {
        // No station sorts before any station; stations by their ids.
        std::vector<std::pair<std::pair<bool, std::string>, GeoData*>> keyed;
        keyed.reserve(m_dataList.size());
        for (GeoData* g : m_dataList) {
            std::string id;
            const bool has = g->data() && g->data()->hasStationIdAttached();
            if (has) getStationIdFromIndex(g->data()->getStationIndex(), id);
            keyed.emplace_back(std::make_pair(has, std::move(id)), g);
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::transform(keyed.begin(), keyed.end(), m_dataList.begin(), [](const auto& k) { return k.second; });
    } else if (key) {
        // Keys are worked out once; records lacking the key go after all
        // others, in their old order.
        std::vector<std::pair<double, GeoData*>> keyed;
        std::vector<GeoData*> lacking;
        keyed.reserve(m_dataList.size());
        for (GeoData* g : m_dataList) {
            const Key k = g->data() ? key(g) : Key();
            if (k) {
                keyed.emplace_back(*k, g);
            } else {
                lacking.push_back(g);
            }
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        auto it = std::transform(keyed.begin(), keyed.end(), m_dataList.begin(), [](const auto& k) { return k.second; });
        end = it;
        std::copy(lacking.begin(), lacking.end(), it);
    }
    if (reverseFor(sw, by)) std::reverse(present, end);
}

// ---------------------------------------------------------------- subsetting

void Data::subset(const SubsetParams& p, std::list<unsigned int>* out) {
    using S = SubsetParams;
    std::vector<GeoData*> work(m_dataList.begin(), m_dataList.end());
    auto keep = [&work](const std::function<bool(const LightweightDataStruct&)>& test) {
        work.erase(std::remove_if(work.begin(), work.end(),
                                  [&](const GeoData* g) { return !g->data() || !test(*g->data()); }),
                   work.end());
    };
    if (p.m_useAttributes) keep([&](const LightweightDataStruct& d) { return d.hasAttribute_FromMask(p.m_attributeMask); });
    if (p.m_useStations) {
        std::unordered_set<int> found;
        for (const std::string& id : p.m_stationIds) {
            const int i = m_stations.getStationIndex_FromId(id);
            if (i >= 0) found.insert(i);
        }
        if (!found.empty()) {
            keep([&](const LightweightDataStruct& d) {
                return d.hasStationIdAttached() && found.count(int(d.getStationIndex())) > 0;
            });
        }
    }
    if (p.m_useX && p.getCriteria(S::Subset_X)) keep([&](const LightweightDataStruct& d) { return d.hasX() && inRange(d.getX(), p.m_x); });
    if (p.m_useY && p.getCriteria(S::Subset_Y)) keep([&](const LightweightDataStruct& d) { return d.hasY() && inRange(d.getY(), p.m_y); });
    if (p.m_useZ && p.getCriteria(S::Subset_Z)) keep([&](const LightweightDataStruct& d) { return d.hasZ() && inRange(d.getZ(), p.m_z); });
    if (p.m_useMD && p.getCriteria(S::Subset_MD)) keep([&](const LightweightDataStruct& d) { return d.hasMD() && inRange(d.md(), p.m_md); });
    if (p.m_useFaultRanges) {
        if (p.getCriteria(S::Subset_FaultStrike)) keep([&](const LightweightDataStruct& d) { return inRange(d.getStrike(), p.m_faultStrike); });
        if (p.getCriteria(S::Subset_FaultDip)) keep([&](const LightweightDataStruct& d) { return inRange(d.getDip(), p.m_faultDip); });
        if (p.getCriteria(S::Subset_FaultRake)) keep([&](const LightweightDataStruct& d) { return inRange(d.getRake(), p.m_faultRake); });
        if (p.getCriteria(S::Subset_FaultSlip)) {
            keep([&](const LightweightDataStruct& d) {
                return d.hasSlip() && (static_cast<unsigned char>(d.getSlip()) & p.m_slipMask) != 0;
            });
        }
    }
    if (p.m_useLineRanges) {
        if (p.getCriteria(S::Subset_LineTrend)) keep([&](const LightweightDataStruct& d) { return inRange(d.getTrend(), p.m_lineTrend); });
        if (p.getCriteria(S::Subset_LinePlunge)) keep([&](const LightweightDataStruct& d) { return inRange(d.getPlunge(), p.m_linePlunge); });
    }
    if (p.m_usePlaneRanges) {
        if (p.getCriteria(S::Subset_PlaneStrike)) keep([&](const LightweightDataStruct& d) { return inRange(d.getStrike(), p.m_planeStrike); });
        if (p.getCriteria(S::Subset_PlaneDip)) keep([&](const LightweightDataStruct& d) { return inRange(d.getDip(), p.m_planeDip); });
    }

    if (out) {
        for (const GeoData* g : work) out->push_back(g->getDataReference());
        return;
    }
    // In place: the kept records (results and universal-stage records are
    // not kept) are entered anew under new references; the others are
    // destroyed.
    std::unordered_set<const GeoData*> kept;
    for (const GeoData* g : work) {
        const char k = g->getGDType();
        if (k == K::GDType_Fault || k == K::GDType_Line || k == K::GDType_Plane || k == K::GDType_ZolMarkerData ||
            k == K::GDType_ZolWellData) {
            kept.insert(g);
        }
    }
    RecordList old;
    old.swap(m_dataList);
    initStorage();
    for (GeoData* g : old) {
        if (kept.count(g) == 0) {
            delete g;
            continue;
        }
        const unsigned int ref = generateDataReference();
        if (ref == 0) {
            delete g;  // no reference left: the record cannot stay
            continue;
        }
        g->setDataReference(ref);
        m_dataList.push_back(g);
    }
    rebuildDataLists();
}

// ---------------------------------------------------------------- rotation

void Data::rotate(const RotateParams& params, const std::list<unsigned int>* refs) {
    int a = params.angle();
    if (a < 0) {
        a = 360 - ((-a) % 360);
    } else if (a > 360) {
        a = a % 360;
    }
    MyMath math;
    math.initRotate(params.axis(), params.trend(), params.plunge(), double(a));

    // A plane turns with its pole; false when it has no strike or dip.
    auto turnPlane = [&math](GeoData* g, LightweightDataStruct* d) {
        if (!d->hasStrike() || !d->hasDip()) return false;
        int t = d->getStrike(), p = d->getDip();
        math.computePole(t, p);
        math.threeDRotate(t, p);
        math.computePlaneFromPole(t, p);
        d->setStrike(t);
        d->setDip(p);
        g->generateTokenValues();
        return true;
    };
    auto turn = [&math, &turnPlane](GeoData* g) {
        LightweightDataStruct* d = g->data();
        if (!d) return;
        const char kind = g->getGDType();
        if (kind == K::GDType_Fault) {
            if (!turnPlane(g, d)) return;
            if (d->hasTrend() && d->hasPlunge()) {
                int lt = d->getTrend(), lp = d->getPlunge();
                math.threeDRotate(lt, lp);
                d->setTrend(lt);
                d->setPlunge(lp);
                int rake = -1;
                math.computeRakeFromTP(d->getStrike(), lt, lp, rake);
                if (rake >= 0 && rake <= 180) {
                    d->setRake(rake);
                    static_cast<FaultData*>(g)->generateTPTokenValues();
                }
                // The slip line moved against the strike: its sense flags
                // follow it.
                static_cast<FaultData*>(g)->computeSlipRotationValue();
            }
            return;
        }
        if (g->isPlanar()) {
            turnPlane(g, d);
            return;
        }
        if (kind == K::GDType_Joint || kind == K::GDType_Null) return;
        if (!d->hasTrend() || !d->hasPlunge()) return;
        int t = d->getTrend(), p = d->getPlunge();
        math.threeDRotate(t, p);
        d->setTrend(t);
        d->setPlunge(p);
        g->generateTokenValues();
    };

    if (!refs) {
        for (GeoData* g : m_dataList) turn(g);
        return;
    }
    for (const unsigned int r : *refs) {
        if (GeoData* g = getDataFromReference(r)) turn(g);
    }
}

// ---------------------------------------------------------------- modification

GeoData* Data::modifyData(GeoData* record, GeoDataParams& params, const GeoDataChanged& changed, bool merge,
                          bool replaceAttributes) {
    if (!record || !record->data()) throw Error::Modify_Failed;
    TokenStruct tokens(params);
    std::unique_ptr<LightweightTokenStruct> scratch;
    const LightweightTokenStruct* own = record->tokensForReading(scratch);
    if (!changed.isSet(GeoDataChanged::Comment) && own && own->hasComment()) tokens.setComment(own->getComment());
    if (merge) {
        TokenStruct own;
        record->get(own);
        tokens.merge(own, nullptr);
    }
    DataStruct data;
    const int r = m_parser->ParseSingle(tokens, data);
    if (r < 0 && record->getGDType() != K::GDType_ZolMarkerData) throw r;

    // Location: the record's, read anew from the texts when marked changed.
    ThreeDPoint<double> loc;
    if (record->data()->getLoc(loc)) data.setLoc(loc);
    if (changed.isSet(GeoDataChanged::Kind | GeoDataChanged::X | GeoDataChanged::Y | GeoDataChanged::Z)) {
        const int lr = m_parser->ParseLocation(params.getX(), params.getY(), params.getZ(), data);
        if (lr < 0) throw lr;
    }
    if (!changed.isSet(GeoDataChanged::MD)) {
        data.setMD(record->data()->md());
    } else if (*params.getMD()) {
        double md = 0.0;
        if (m_parser->ParseNumberGeneric(params.getMD(), md) != 1) throw Error::Invalid_MD;
        data.setMD(md);
    } else {
        data.setMD(No_Value_Double);
    }
    bool appended = false;
    if (!changed.isSet(GeoDataChanged::Station)) {
        data.linkStation_FromIndex(record->data()->hasStationIdAttached() ? record->data()->getStationIndex() : char(-1));
    } else if (attachStation(params.getStationId(), data, appended) < 0) {
        throw Error::Insert_Failed;
    }
    // Attributes stay unless the caller marks them changed and sets them itself.
    if (!(changed.isSet(GeoDataChanged::Attributes) && replaceAttributes)) {
        data.setAttributes(record->data()->getAttributes());
    }
    const char oldKind = record->getGDType();
    if (!changed.isSet(GeoDataChanged::Kind) &&
        (oldKind == K::GDType_ZolWellData || oldKind == K::GDType_ZolMarkerData)) {
        data.setGDType(oldKind);
    }
    if (data.getGDType() == oldKind) {
        const std::uint32_t mask = data.getAttributes();
        record->modifyValues(data, tokens);
        record->data()->setAttributes(mask);
        return record;
    }
    const char k = data.getGDType();
    if (k != K::GDType_Fault && k != K::GDType_Line && k != K::GDType_Plane && k != K::GDType_ZolMarkerData &&
        k != K::GDType_ZolWellData) {
        if (appended) uninitializeStationId(params.getStationId());
        throw Error::Modify_Failed;
    }
    if (insertData(data, tokens) != 1) {
        if (appended) uninitializeStationId(params.getStationId());
        throw Error::Modify_Failed;
    }
    GeoData* fresh = getLastDataListMember();
    deleteData({record->getDataReference()});
    return fresh;
}

}  // namespace qzCore
