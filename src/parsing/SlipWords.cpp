#include "qzCore/parsing/SlipWords.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/shared/AngleText.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

using S = GDSlipTypes;

struct Entry {
    const char* word;
    char sense;
};

// One sense each; words without separators, lower case.
constexpr Entry kSenses[] = {
    {"normal", S::GDSlipType_NormalSlip},    {"norm", S::GDSlipType_NormalSlip},
    {"n", S::GDSlipType_NormalSlip},         {"reverse", S::GDSlipType_ReverseSlip},
    {"rev", S::GDSlipType_ReverseSlip},      {"thrust", S::GDSlipType_ReverseSlip},
    {"inverse", S::GDSlipType_ReverseSlip},  {"dextral", S::GDSlipType_RightLatSlip},
    {"rightlateral", S::GDSlipType_RightLatSlip}, {"rl", S::GDSlipType_RightLatSlip},
    {"rlat", S::GDSlipType_RightLatSlip},    {"dex", S::GDSlipType_RightLatSlip},
    {"sinistral", S::GDSlipType_LeftLatSlip}, {"leftlateral", S::GDSlipType_LeftLatSlip},
    {"ll", S::GDSlipType_LeftLatSlip},       {"llat", S::GDSlipType_LeftLatSlip},
    {"sin", S::GDSlipType_LeftLatSlip},
};

// The sides of StraboSpot's "north_side_up" and the like.
struct Side {
    const char* word;
    int azimuth;
};
constexpr Side kSides[] = {{"north", 0},   {"n", 0},    {"northeast", 45}, {"ne", 45},  {"east", 90},
                           {"e", 90},      {"southeast", 135}, {"se", 135}, {"south", 180}, {"s", 180},
                           {"southwest", 225}, {"sw", 225}, {"west", 270}, {"w", 270}, {"northwest", 315},
                           {"nw", 315}};

bool isSeparator(char c) { return c == ' ' || c == '_' || c == '-' || c == '/' || c == '+' || c == '.' || c == '\t'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::vector<std::string> partsOf(const std::string& text) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (isSeparator(c)) {
            if (!parts.back().empty()) parts.emplace_back();
        } else {
            parts.back() += lower(c);
        }
    }
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

char senseOf(const std::string& w) {
    for (const Entry& e : kSenses) {
        if (w == e.word) return e.sense;
    }
    return 0;
}

bool isDipSlip(char s) { return s == S::GDSlipType_NormalSlip || s == S::GDSlipType_ReverseSlip; }
bool isLateral(char s) { return s == S::GDSlipType_RightLatSlip || s == S::GDSlipType_LeftLatSlip; }

/// A sign in any decimal form: +1, 1, -1, 1.0, -1.00, "−1" (U+2212).
bool signOf(const std::string& text, int& sign) {
    std::string t = text;
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    if (t.compare(0, 3, "\xE2\x88\x92") == 0) t.replace(0, 3, "-");
    double v = 0.0;
    if (t.empty() || leadingDecimal(t, false, v) != t.size()) return false;
    if (v == 1.0 || v == -1.0) {
        sign = v > 0 ? 1 : -1;
        return true;
    }
    return false;
}

/// Parts joined in runs of one to three that are table words: "right",
/// "lateral", "normal" give right-lateral and normal.
std::vector<char> sensesOf(const std::vector<std::string>& parts) {
    std::vector<char> out;
    std::size_t i = 0;
    while (i < parts.size()) {
        char found = 0;
        std::size_t used = 0;
        std::string joined;
        for (std::size_t k = i; k < parts.size() && k < i + 3; ++k) {
            joined += parts[k];
            if (const char s = senseOf(joined)) {
                found = s;
                used = k - i + 1;
            }
        }
        if (!found) return {};
        out.push_back(found);
        i += used;
    }
    return out;
}

}  // namespace

SlipWord readSlipWord(const std::string& text) {
    SlipWord w;
    if (signOf(text, w.sign)) {
        w.kind = SlipWord::Sign;
        return w;
    }
    const std::vector<std::string> parts = partsOf(text);
    if (parts.empty()) return w;
    std::string all;
    for (const std::string& p : parts) all += p;
    if (all == "r") {
        w.kind = SlipWord::Ambiguous;
        return w;
    }
    // The compact forms: FaultKin's letters, a side up (^) or down (v).
    if (all.size() == 2 && (all[0] == 't' || all[0] == 'n') && (all[1] == 'l' || all[1] == 'r') && parts.size() == 1) {
        w.kind = SlipWord::Combined;
        w.dipSlip = all[0] == 't' ? S::GDSlipType_ReverseSlip : S::GDSlipType_NormalSlip;
        w.lateral = all[1] == 'l' ? S::GDSlipType_LeftLatSlip : S::GDSlipType_RightLatSlip;
        return w;
    }
    // A side up or down: "n_side_up", "NE side down", or compact "^NE".
    auto side = [&w](const std::string& name, int sign) {
        for (const Side& s : kSides) {
            if (name == s.word) {
                w.kind = SlipWord::Side;
                w.sideAzimuth = s.azimuth;
                w.sign = sign;
                return true;
            }
        }
        return false;
    };
    if (parts.size() == 1 && text.size() >= 2 && (text[0] == '^' || text[0] == 'v') &&
        side(parts[0].substr(1), text[0] == '^' ? 1 : -1)) {
        return w;
    }
    if (parts.size() == 3 && parts[1] == "side" && (parts[2] == "up" || parts[2] == "down") &&
        side(parts[0], parts[2] == "up" ? 1 : -1)) {
        return w;
    }
    if (parts.size() == 1) {
        for (const char* tail : {"sideup", "sidedown"}) {
            const std::size_t n = std::strlen(tail);
            if (all.size() > n && all.compare(all.size() - n, n, tail) == 0 &&
                side(all.substr(0, all.size() - n), tail[4] == 'u' ? 1 : -1)) {
                return w;
            }
        }
    }
    // One sense, or two components.
    const std::vector<char> senses = sensesOf(parts);
    if (senses.size() == 1) {
        w.kind = SlipWord::Sense;
        w.sense = senses[0];
    } else if (senses.size() == 2 && isDipSlip(senses[0]) != isDipSlip(senses[1])) {
        w.kind = SlipWord::Combined;
        w.dipSlip = isDipSlip(senses[0]) ? senses[0] : senses[1];
        w.lateral = isLateral(senses[0]) ? senses[0] : senses[1];
    }
    return w;
}

std::string compactSlipWord(const SlipWord& w) {
    std::string label;
    switch (w.kind) {
        case SlipWord::Unknown: return "";
        case SlipWord::Sense: GDSlipTypes::instance().get(w.sense, label); return label;
        case SlipWord::Combined:
            return std::string(1, w.dipSlip == S::GDSlipType_ReverseSlip ? 'T' : 'N') +
                   (w.lateral == S::GDSlipType_LeftLatSlip ? 'L' : 'R');
        case SlipWord::Sign: return w.sign > 0 ? "+1" : "-1";
        case SlipWord::Side:
            for (const Side& s : kSides) {
                if (s.azimuth == w.sideAzimuth && std::strlen(s.word) <= 2) {
                    std::string out(1, w.sign > 0 ? '^' : 'v');
                    for (const char* c = s.word; *c; ++c) out += char(*c - 'a' + 'A');
                    return out;
                }
            }
            return "";
        case SlipWord::Ambiguous: return "R";
    }
    return "";
}

int slipAngleOf(int strike, int trend, int plunge) {
    const Matrix_1 strikeLine = Matrix_1::wholeDegrees(strike, 0);
    const Matrix_1 slipLine = Matrix_1::wholeDegrees(trend, plunge);
    const double cosA = std::max(-1.0, std::min(1.0, strikeLine.dotProduct(slipLine)));
    return FloatToInt_Global(std::acos(cosA) * MyMath::Rad_To_Deg);
}

int slipRotation(int a, char slip) {
    const bool ll = slip == S::GDSlipType_LeftLatSlip, rl = slip == S::GDSlipType_RightLatSlip;
    const bool normal = slip == S::GDSlipType_NormalSlip, reverse = slip == S::GDSlipType_ReverseSlip;
    bool ccw = false, cw = false;
    if (a == 0 || a == 180) {
        ccw = ll;
        cw = rl;
    } else if (a == 90) {
        ccw = normal;
        cw = reverse;
    } else if (a < 90) {
        ccw = ll || normal;
        cw = rl || reverse;
    } else {
        ccw = ll || reverse;
        cw = rl || normal;
    }
    return ccw ? 1 : (cw ? 0 : -1);
}

int senseOnFault(const SlipWord& w, int strike, int dip, int trend, int plunge, char& sense) {
    sense = S::GDSlipType_AmbigSlip;
    const bool line = trend >= 0 && plunge >= 0;
    switch (w.kind) {
        case SlipWord::Unknown: return Error::Unknown_Slip_Sense;
        case SlipWord::Ambiguous: return Error::Ambiguous_Slip_Word;
        case SlipWord::Sense: sense = w.sense; return 0;
        case SlipWord::Sign:
            // Down the slip line is a normal component whatever the rake;
            // along a horizontal line "down" and "up" name no direction.
            if (line && plunge == 0) return Error::Slip_Sign_On_Horizontal_Line;
            sense = w.sign > 0 ? S::GDSlipType_NormalSlip : S::GDSlipType_ReverseSlip;
            return 0;
        case SlipWord::Side: {
            // The named side is the hanging wall when it lies on the side
            // the plane dips to.
            if (dip >= 90 || dip < 0 || strike < 0) return Error::Ambiguous_Slip_Word;
            const double off = std::fabs(MyMath::wrapAzimuth(double(w.sideAzimuth - (strike + 90)) + 180.0) - 180.0);
            if (off == 90.0) return Error::Ambiguous_Slip_Word;
            const bool hangingWall = off < 90.0;
            const bool up = w.sign > 0;
            sense = hangingWall == up ? S::GDSlipType_ReverseSlip : S::GDSlipType_NormalSlip;
            return 0;
        }
        case SlipWord::Combined: {
            if (!line) return Error::Contradictory_Slip_Sense;
            const int a = slipAngleOf(strike, trend, plunge);
            const bool pureDip = a == 90, pureStrike = a == 0 || a == 180;
            if (!pureDip && !pureStrike && slipRotation(a, w.dipSlip) != slipRotation(a, w.lateral)) {
                return Error::Contradictory_Slip_Sense;
            }
            // The larger component names the fault (at 45 degrees the
            // dip-slip one, as FaultKin's marker is read).
            const bool lateral = a < 45 || a > 135;
            sense = lateral ? w.lateral : w.dipSlip;
            return 0;
        }
    }
    return 0;
}

}  // namespace qzCore
