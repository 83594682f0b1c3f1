// qz subset IN OUT: the records that meet every criterion given.  Ranges
// are inclusive and never wrap through north.
#include <cmath>
#include <iostream>
#include <memory>

#include "Common.h"

namespace qz {

namespace {

bool parseRange(const std::string& text, double& low, double& high) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    const qzCore::Token a(text.substr(0, colon)), b(text.substr(colon + 1));
    return a.get(low) && b.get(high);
}

bool parseRange(const std::string& text, int& low, int& high) {
    double a = 0, b = 0;
    if (!parseRange(text, a, b) || a != std::floor(a) || b != std::floor(b) || std::fabs(a) > 1e6 ||
        std::fabs(b) > 1e6) {
        return false;
    }
    low = int(a);
    high = int(b);
    return true;
}

struct SubsetOptions {
    std::string planeStrike, planeDip, lineTrend, linePlunge, faultStrike, faultDip, faultRake, x, y, z, md;
    std::vector<std::string> slips, stations, attributes;
};

/// Builds the subset request; false (after a message) for a bad option.
bool subsetParams(const SubsetOptions& o, qzCore::Data& data, qzCore::SubsetParams& p) {
    using S = qzCore::SubsetParams;
    auto intRange = [](const std::string& text, S::IntRange& r, const char* what) {
        if (text.empty()) return true;
        if (!parseRange(text, r.low, r.high)) {
            std::cerr << "qz: --" << what << " takes LOW:HIGH in whole degrees, not '" << text << "'\n";
            return false;
        }
        return true;
    };
    auto doubleRange = [](const std::string& text, S::DoubleRange& r, const char* what) {
        if (text.empty()) return true;
        if (!parseRange(text, r.low, r.high)) {
            std::cerr << "qz: --" << what << " takes LOW:HIGH, not '" << text << "'\n";
            return false;
        }
        return true;
    };
    if (!intRange(o.planeStrike, p.m_planeStrike, "strike") || !intRange(o.planeDip, p.m_planeDip, "dip") ||
        !intRange(o.lineTrend, p.m_lineTrend, "trend") || !intRange(o.linePlunge, p.m_linePlunge, "plunge") ||
        !intRange(o.faultStrike, p.m_faultStrike, "fault-strike") || !intRange(o.faultDip, p.m_faultDip, "fault-dip") ||
        !intRange(o.faultRake, p.m_faultRake, "rake") || !doubleRange(o.x, p.m_x, "x") || !doubleRange(o.y, p.m_y, "y") ||
        !doubleRange(o.z, p.m_z, "z") || !doubleRange(o.md, p.m_md, "md")) {
        return false;
    }
    auto use = [&p](const std::string& text, S::Subset_Criteria c, bool& sw) {
        if (text.empty()) return;
        p.setCriteria(c);
        sw = true;
    };
    use(o.planeStrike, S::Subset_PlaneStrike, p.m_usePlaneRanges);
    use(o.planeDip, S::Subset_PlaneDip, p.m_usePlaneRanges);
    use(o.lineTrend, S::Subset_LineTrend, p.m_useLineRanges);
    use(o.linePlunge, S::Subset_LinePlunge, p.m_useLineRanges);
    use(o.faultStrike, S::Subset_FaultStrike, p.m_useFaultRanges);
    use(o.faultDip, S::Subset_FaultDip, p.m_useFaultRanges);
    use(o.faultRake, S::Subset_FaultRake, p.m_useFaultRanges);
    use(o.x, S::Subset_X, p.m_useX);
    use(o.y, S::Subset_Y, p.m_useY);
    use(o.z, S::Subset_Z, p.m_useZ);
    use(o.md, S::Subset_MD, p.m_useMD);
    if (!o.slips.empty()) {
        unsigned char mask = 0;
        for (const std::string& sense : o.slips) {
            char code = 0;
            if (!qzCore::GDSlipTypes::instance().get(sense, code)) {
                if (lower(sense) == "ll") code = qzCore::GDSlipTypes::GDSlipType_LeftLatSlip;
                else if (lower(sense) == "rl") code = qzCore::GDSlipTypes::GDSlipType_RightLatSlip;
                else {
                    std::cerr << "qz: unknown slip sense '" << sense << "' (Norm, Rev, RLat, LLat, Ambig)\n";
                    return false;
                }
            }
            mask = static_cast<unsigned char>(mask | static_cast<unsigned char>(code));
        }
        p.m_slipMask = mask;
        p.setCriteria(S::Subset_FaultSlip);
        p.m_useFaultRanges = true;
    }
    if (!o.stations.empty()) {
        p.m_stationIds = o.stations;
        p.m_useStations = true;
    }
    if (!o.attributes.empty()) {
        std::uint32_t mask = 0;
        for (const std::string& a : o.attributes) {
            const std::uint32_t bit = data.getAttrList().getAttrIndexMask(a);
            if (bit == qzCore::AttrList::Not_Found) {
                std::cerr << "qz: the data have no attribute '" << a << "'\n";
                return false;
            }
            mask |= bit;
        }
        p.m_attributeMask = mask;
        p.m_useAttributes = true;
    }
    return true;
}

struct SubsetCommandOptions {
    TransformOptions io;
    SubsetOptions sub;
};

}  // namespace

Command addSubsetCommand(CLI::App& app) {
    auto o = std::make_shared<SubsetCommandOptions>();
    CLI::App* cmd = addTransformCommand(app, "subset", "Keep the records that meet every criterion given", o->io);
    SubsetOptions& sub = o->sub;
    cmd->add_option("--strike", sub.planeStrike, "Strike range LOW:HIGH");
    cmd->add_option("--dip", sub.planeDip, "Dip range LOW:HIGH");
    cmd->add_option("--trend", sub.lineTrend, "Trend range LOW:HIGH");
    cmd->add_option("--plunge", sub.linePlunge, "Plunge range LOW:HIGH");
    cmd->add_option("--fault-strike", sub.faultStrike, "Fault strike range LOW:HIGH");
    cmd->add_option("--fault-dip", sub.faultDip, "Fault dip range LOW:HIGH");
    cmd->add_option("--rake", sub.faultRake, "Rake range LOW:HIGH");
    cmd->add_option("--slip", sub.slips, "Slip senses to keep (Norm, Rev, RLat, LLat, Ambig)");
    cmd->add_option("--station", sub.stations, "Station ids to keep");
    cmd->add_option("--attribute", sub.attributes, "Attributes to keep");
    cmd->add_option("--x", sub.x, "X range LOW:HIGH");
    cmd->add_option("--y", sub.y, "Y range LOW:HIGH");
    cmd->add_option("--z", sub.z, "Z range LOW:HIGH");
    cmd->add_option("--md", sub.md, "Measured-depth range LOW:HIGH");
    return {cmd, [o] {
                return transformFile(o->io, [&](Loaded& l, unsigned char& id) {
                    qzCore::SubsetParams p;
                    if (!subsetParams(o->sub, *l.manager().getDatasetFromID(id), p)) return 1;
                    l.manager().getDatasetFromID(id)->subset(p, nullptr);
                    return 0;
                });
            }};
}

}  // namespace qz
