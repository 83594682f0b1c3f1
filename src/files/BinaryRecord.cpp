#include "BinaryRecord.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "qzCore/records/GeoData.h"

namespace qzCore {

std::size_t putBinaryRecord(const GeoData& g, char* to) {
    if (!g.data()) return 0;
    const LightweightDataStruct& d = *g.data();
    // Texts a record keeps none of are made for its bytes and dropped.
    std::unique_ptr<LightweightTokenStruct> scratch;
    const LightweightTokenStruct* t = g.tokensForReading(scratch);
    char* p = to;
    auto u16 = [&p](std::uint16_t v) {
        p[0] = char(v & 0xFF);
        p[1] = char(v >> 8);
        p += 2;
    };
    auto u32 = [&p](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF);
        p += 4;
    };
    auto f64 = [&p](double v) {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i) p[i] = char((u >> (8 * i)) & 0xFF);
        p += 8;
    };
    // The comment as the flag word can describe it: at most 255
    // characters, its length in bits 7 to 14.
    const std::size_t length = t && t->hasComment() ? std::min(t->getCommentLength(), Emitter::Max_Binary_Comment_Length) : 0;
    const unsigned short flags = GDFlags::withCommentSize(d.getGDFlags(), length);
    u16(flags);
    if (flags & GDFlags::GDFlag_Has_Comment) {
        std::memcpy(p, t->getComment(), length);
        p += length;
    }
    for (const TokenStruct::Token_Id id :
         {TokenStruct::Type_Token, TokenStruct::Strike_Token, TokenStruct::Dip_Token, TokenStruct::Rake_Token,
          TokenStruct::Trend_Token, TokenStruct::Plunge_Token, TokenStruct::Slip_Token,
          TokenStruct::Confidence_Token}) {
        // The token's five characters, NUL-padded.
        const char* text = t ? t->getToken(id) : "";
        char field[5] = {};
        for (std::size_t i = 0; i < 5 && text[i] != '\0'; ++i) field[i] = text[i];
        std::memcpy(p, field, 5);
        p += 5;
    }
    u32(d.getAttributes());
    u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(d.getStationIndex())));
    for (const int v : {d.getStrike(), d.getDip(), d.getRake(), d.getTrend(), d.getPlunge()}) {
        u32(static_cast<std::uint32_t>(v));
    }
    u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(d.getSlip())));
    u32(static_cast<std::uint32_t>(d.getConf()));
    u32(static_cast<unsigned char>(d.getGDType()));
    f64(d.getX());
    f64(d.getY());
    f64(d.getZ());
    f64(d.md());
    return std::size_t(p - to);
}

}  // namespace qzCore
