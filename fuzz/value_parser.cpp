// The value parser: typed strikes, dips, rakes, plunges, slip senses and
// numbers, the rounding of decimals, and a record of typed tokens.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Up to eight texts, separated by NUL bytes.
    std::vector<std::string> texts(1);
    for (std::size_t i = 0; i < size && texts.size() <= 8; ++i) {
        if (data[i] == 0) {
            texts.emplace_back();
        } else {
            texts.back() += char(data[i]);
        }
    }
    texts.resize(8);
    qzCore::qzParser parser;
    int strike = 0, dip = 0, plunge = 0, whole = 0;
    double number = 0;
    parser.ParseStrike(strike, texts[0].c_str());
    parser.ParseStrikeDip(strike, dip, texts[0].c_str(), texts[1].c_str());
    parser.ParsePlunge(strike, plunge, texts[2].c_str());
    parser.ParseNumberGeneric(texts[3].c_str(), number);
    parser.ParseNumberGeneric(texts[3].c_str(), whole);
    std::string angle = texts[4];
    qzCore::roundAngleText(angle, !texts[5].empty(), 5);

    // A record of tokens as a user types them (each at most 5 characters).
    qzCore::TokenStruct tokens;
    const qzCore::TokenStruct::Token_Id ids[] = {
        qzCore::TokenStruct::Type_Token,  qzCore::TokenStruct::Strike_Token, qzCore::TokenStruct::Dip_Token,
        qzCore::TokenStruct::Rake_Token,  qzCore::TokenStruct::Trend_Token,  qzCore::TokenStruct::Plunge_Token,
        qzCore::TokenStruct::Slip_Token};
    for (std::size_t i = 0; i < 7; ++i) tokens.setTokenValue(ids[i], texts[i + 1].substr(0, 5).c_str());
    qzCore::DataStruct values;
    if (parser.ParseSingle(tokens, values) == 1) {
        // What the parser accepts is in range.
        if (values.hasDip() && (values.getDip() < 0 || values.getDip() > 90)) qzfuzz::finding("dip out of range");
        if (values.hasStrike() && (values.getStrike() < 0 || values.getStrike() > 360)) {
            qzfuzz::finding("strike out of range");
        }
        if (values.hasPlunge() && (values.getPlunge() < 0 || values.getPlunge() > 90)) {
            qzfuzz::finding("plunge out of range");
        }
    }
    return 0;
}
