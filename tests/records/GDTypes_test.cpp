#include "qzCore/records/GDTypes.h"

#include <gtest/gtest.h>

namespace qzCore {
namespace {

TEST(GDTypes, EveryCodeAndLabelBothWays) {
    const struct {
        char code;
        const char* label;
    } table[] = {{0, "Plane"},    {1, "Line"},    {2, "NoUsed"},   {3, "Fault"},   {4, "PAxis"},
                 {5, "TAxis"},    {6, "Sig 1"},   {7, "Sig 2"},    {8, "Sig 3"},   {9, "Eig 1"},
                 {10, "Eig 2"},   {11, "Eig 3"},  {12, "LSq"},     {13, "Fish"},   {14, "ISect"},
                 {15, "UStage"},  {16, "UStage1"}, {17, "UStage2"}, {18, "UStage3"}, {19, "Spec"},
                 {20, "Dip"},     {21, "Marker"}, {100, "Auto"}};
    const GDTypes& t = GDTypes::instance();
    for (const auto& row : table) {
        std::string label;
        ASSERT_TRUE(t.get(row.code, label)) << int(row.code);
        EXPECT_EQ(label, row.label);
        char code = 77;
        ASSERT_TRUE(t.get(std::string(row.label), code));
        EXPECT_EQ(code, row.code);
    }
    EXPECT_EQ(t.size(), 23u);
}

TEST(GDSlipTypes, CodesAreDistinctBitsWithLabels) {
    const GDSlipTypes& s = GDSlipTypes::instance();
    const struct {
        char code;
        const char* label;
    } table[] = {{0, "None"}, {1, "Ambig"}, {2, "Rev"}, {4, "RLat"}, {16, "Norm"}, {32, "LLat"},
                 {char(255), "All"}};
    for (const auto& row : table) {
        char code = 9;
        ASSERT_TRUE(s.get(std::string(row.label), code)) << row.label;
        EXPECT_EQ(code, row.code);
        std::string label;
        ASSERT_TRUE(s.get(row.code, label));
        EXPECT_EQ(label, row.label);
    }
    GDSlipTypes::destroy();
    char code = 0;
    EXPECT_TRUE(GDSlipTypes::instance().get(std::string("All"), code));
    EXPECT_EQ(static_cast<unsigned char>(code), 255);
}

TEST(GDFlags, CommentLengthSitsInBits7To14) {
    unsigned short f = GDFlags::withCommentSize(GDFlags::GDFlag_Has_Station, 200);
    EXPECT_EQ(f, (200 << 7) | 1 | 4);
    EXPECT_EQ(GDFlags::commentSize(f), 200u);
    EXPECT_EQ(f & 0x8000, 0);
    f = GDFlags::withCommentSize(f, 255);
    EXPECT_EQ(GDFlags::commentSize(f), 255u);
    f = GDFlags::withCommentSize(f, 256);
    EXPECT_EQ(GDFlags::commentSize(f), 0u);
    EXPECT_EQ(f & GDFlags::GDFlag_Has_Comment, 0);
    EXPECT_EQ(f, GDFlags::GDFlag_Has_Station);
    f = GDFlags::withCommentSize(GDFlags::GDFlag_HasSlip, 0);
    EXPECT_EQ(f, GDFlags::GDFlag_HasSlip);
}

}  // namespace
}  // namespace qzCore
