// Records whose texts are their numbers' own rendering keep no token part
// until asked: what they show must be exactly what a kept part would hold.
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/records/GeoData.h"
#include "qzCore/records/zolWellData.h"
#include "tests/support/Values.h"

namespace qzCore {
namespace {

TokenStruct texts(const char* a, TokenStruct::Token_Id ia, const char* b, TokenStruct::Token_Id ib,
                  const char* comment = nullptr) {
    TokenStruct t;
    t.setTokenValue(ia, a);
    t.setTokenValue(ib, b);
    if (comment) t.setComment(comment);
    return t;
}

TokenStruct planeTexts(const char* strike, const char* dip, const char* comment = nullptr) {
    return texts(strike, TokenStruct::Strike_Token, dip, TokenStruct::Dip_Token, comment);
}

// Which rows keep their texts, and what every row shows: the texts as
// written, whether kept or made again from the numbers.
TEST(TokenParts, KeptExactlyWhenTheTextsSayMoreThanTheNumbers) {
    struct Case {
        const char* strike;
        const char* dip;
        const char* comment;
        int strikeValue;
        int dipValue;
        bool kept;
    };
    const Case cases[] = {
        {"45", "30", nullptr, 45, 30, false},    // plain whole degrees
        {"0", "90", nullptr, 0, 90, false},      // both ends of the ranges
        {"360", "0", nullptr, 360, 0, false},
        {"045", "30", nullptr, 45, 30, true},    // a leading zero is the geologist's
        {"00", "30", nullptr, 0, 30, true},      // even of zero
        {"45", "3", nullptr, 45, 30, true},      // a text that is another number
        {"45", "300", nullptr, 45, 30, true},
        {"45", "30.", nullptr, 45, 30, true},    // as is a decimal point
        {"NE", "30", nullptr, 45, 30, true},     // a quadrant word
        {"45", "30", "bedding", 45, 30, true},   // a comment
        {"", "30", nullptr, -1, 30, true},       // an absent strike is "" not "-1"
        {"-1", "30", nullptr, -1, 30, false},    // ... unless written so
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.strike) + " / " + c.dip);
        const PlaneData p(planeTexts(c.strike, c.dip, c.comment), planeValues(c.strikeValue, c.dipValue));
        EXPECT_EQ(p.keepsTokenPart(), c.kept);
        std::unique_ptr<LightweightTokenStruct> scratch;
        const auto* read = static_cast<const PlanarTokenStruct*>(p.tokensForReading(scratch));
        ASSERT_NE(read, nullptr);
        EXPECT_STREQ(read->getStrike(), c.strike);
        EXPECT_STREQ(read->getDip(), c.dip);
        EXPECT_EQ(p.keepsTokenPart(), c.kept);  // reading made nothing to keep
        EXPECT_STREQ(p.tokens()->getStrike(), c.strike);
        EXPECT_STREQ(p.tokens()->getDip(), c.dip);
        EXPECT_STREQ(p.tokens()->getComment(), c.comment ? c.comment : "");
        EXPECT_TRUE(p.keepsTokenPart());  // asked for, now kept
    }
}

// Changes made through the record behave as on a record that kept its
// texts from the start.
TEST(TokenParts, ChangesThroughTheRecordSeeTheTextsAsWritten) {
    PlaneData p(planeTexts("45", "30"), planeValues(45, 30));
    p.setComment("S0");
    EXPECT_TRUE(p.keepsTokenPart());
    EXPECT_STREQ(p.tokens()->getStrike(), "45");
    EXPECT_EQ(p.data()->getCommentSize(), 2u);

    // New values and texts: the texts given replace those made.
    PlaneData q(planeTexts("45", "30"), planeValues(45, 30));
    q.modifyValues(planeValues(50, 40), planeTexts("050", "40"));
    EXPECT_STREQ(q.tokens()->getStrike(), "050");
    EXPECT_STREQ(q.tokens()->getDip(), "40");
    EXPECT_EQ(q.data()->getStrike(), 50);
    // Texts made again from new numbers (a rotation) need nothing kept.
    PlaneData s(planeTexts("45", "30"), planeValues(45, 30));
    s.data()->setStrike(100);
    s.data()->setDip(20);
    s.generateTokenValues();
    EXPECT_FALSE(s.keepsTokenPart());
    EXPECT_STREQ(s.tokens()->getStrike(), "100");
    EXPECT_STREQ(s.tokens()->getDip(), "20");
    // An absent value's text is empty, not "-1".
    PlaneData u(planeTexts("45", "30"), planeValues(45, 30));
    u.data()->setDip(-1);
    u.generateTokenValues();
    EXPECT_STREQ(u.tokens()->getDip(), "");

    // A well record set from host parameters with a negative azimuth keeps
    // the old strike text, as a kept part would.
    zolWellData w(planeTexts("45", "30"), planeValues(45, 30));
    EXPECT_FALSE(w.keepsTokenPart());
    w.modifyValues(zolDataParams(-1.0f, 12.0f, 10.0, 0.0, 0.0, 0.0, "top", "", "", 0, 1, 1, "W1", false, false));
    EXPECT_STREQ(w.tokens()->getStrike(), "45");
    EXPECT_STREQ(w.tokens()->getDip(), "12");
}

// Many threads asking one const record at once get one part, made once
// (the sanitizer runs see a leak or a race if not).
TEST(TokenParts, AskedFromManyThreadsAtOnceMadeOnce) {
    for (int round = 0; round < 50; ++round) {
        const PlaneData p(planeTexts("45", "30"), planeValues(45, 30));
        std::vector<const PlanarTokenStruct*> seen(4, nullptr);
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            threads.emplace_back([&p, &seen, i] { seen[i] = p.tokens(); });
        }
        for (std::thread& t : threads) t.join();
        for (const PlanarTokenStruct* s : seen) {
            ASSERT_EQ(s, seen[0]);
            EXPECT_STREQ(s->getStrike(), "45");
        }
    }
}

}  // namespace
}  // namespace qzCore
