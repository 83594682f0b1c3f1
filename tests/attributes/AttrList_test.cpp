#include "qzCore/attributes/AttrList.h"

#include <functional>
#include <list>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace {

using Labels = std::list<std::string>;

int thrown(const std::function<void()>& f) {
    try {
        f();
    } catch (int code) {
        return code;
    }
    return 0;
}

TEST(AttrList, CreationLimitsAndCodes) {
    AttrList a;
    for (int i = 0; i < 32; ++i) a.createAttr("L" + std::to_string(i));
    EXPECT_EQ(thrown([&] { a.createAttr("L32"); }), Error::Too_Many_Attributes);
    EXPECT_EQ(thrown([&] { a.createAttr(""); }), Error::Empty_Attribute_Label);
    EXPECT_EQ(thrown([&] { a.createAttr("L5"); }), Error::Duplicate_Attribute_Label);
    EXPECT_EQ(thrown([&] { a.createAttr(std::string(32, 'x')); }), Error::Attribute_Label_Too_Long);
    EXPECT_EQ(a.getAttrCount(), 32u);
    EXPECT_EQ(a.getAttrGroupIndexMask("All"), 0xFFFFFFFFu);
    AttrList b;
    EXPECT_EQ(b.createAttr(std::string(31, 'x')), 0u);
}

TEST(AttrList, DestroyedSlotIsReusedAndLeavesGroups) {
    AttrList a;
    a.createAttr("A");
    a.createAttr("B");
    a.createAttr("C");
    a.createAttrGroup("Mine", 0x3);
    EXPECT_EQ(a.destroyAttr("A"), 0x1u);
    EXPECT_EQ(a.getAttrGroupIndexMask("Mine"), 0x2u);
    EXPECT_EQ(a.getAttrGroupIndexMask("All"), 0x6u);
    EXPECT_EQ(a.createAttr("D"), 0u);
    a.destroyAttr("B");
    a.destroyAttr("D");
    Labels out;
    a.getAttrStrings(out, 0x4u);
    EXPECT_EQ(out, Labels{"C"});
    EXPECT_EQ(thrown([&] { a.destroyAttr("nope"); }), Error::Invalid_Attribute);
    EXPECT_EQ(a.getAttrIndexMask("nope"), 666u);
}

TEST(AttrList, GroupsAndTheProtectedAll) {
    AttrList a;
    a.createAttr("A");
    a.createAttr("B");
    a.createAttrGroup("G1", 0x2);
    EXPECT_EQ(thrown([&] { a.modifyAttrGroupLabel("G1", "All"); }), Error::Unknown_Group);
    EXPECT_EQ(thrown([&] { a.modifyAttrGroupLabel("All", "Everything"); }), Error::Unknown_Group);
    EXPECT_EQ(thrown([&] { a.modifyAttrGroupLabel("nope", "X"); }), Error::Unknown_Group);
    EXPECT_EQ(thrown([&] { a.modifyAttrGroupLabel("G1", ""); }), Error::Empty_Group_Name);
    EXPECT_EQ(thrown([&] { a.createAttrGroup("All", 0); }), Error::Duplicate_Group_Name);
    EXPECT_EQ(thrown([&] { a.createAttrGroup("", 0); }), Error::Empty_Group_Name);
    a.destroyAttrGroup("All");
    EXPECT_EQ(a.getAttrGroupCount(), 2u);
    for (int i = 2; i < 10; ++i) a.createAttrGroup("G" + std::to_string(i), 0);
    EXPECT_EQ(thrown([&] { a.createAttrGroup("G10", 0); }), Error::Too_Many_Groups);
    a.modifyAttrGroupLabel("G1", "Sandstones");
    std::string first;
    a.getAttrGroupLabel(first, "B");
    EXPECT_EQ(first, "All");
    Labels all;
    a.getAttrGroupLabels(all, "B");
    EXPECT_EQ(all, (Labels{"All", "Sandstones"}));
    a.addAttrToGroup("G2", 0);
    a.addAttrToGroup("G2", 666);
    EXPECT_EQ(a.getAttrGroupIndexMask("G2"), 0x1u);
    a.setAttrGroup("G3", {"A", "B"});
    EXPECT_EQ(a.getAttrGroupIndexMask("G3"), 0x3u);
    EXPECT_EQ(thrown([&] { a.setAttrGroup("G3", {"Z"}); }), Error::Invalid_Attribute);
    Labels inGroup;
    a.getAttrStringsInGroup(inGroup, "Sandstones");
    EXPECT_EQ(inGroup, Labels{"B"});
}

TEST(AttrList, RenameKeepsTheSlot) {
    AttrList a;
    a.createAttr("A");
    a.createAttr("B");
    a.modifyAttr("B", "Basalt");
    EXPECT_EQ(a.getAttrIndexMask("Basalt"), 0x2u);
    EXPECT_EQ(thrown([&] { a.modifyAttr("A", "Basalt"); }), Error::Duplicate_Attribute_Label);
    EXPECT_EQ(thrown([&] { a.modifyAttr("Q", "R"); }), Error::Invalid_Attribute);
    EXPECT_EQ(thrown([&] { a.modifyAttr("A", ""); }), Error::Empty_Group_Name);
}

}  // namespace
}  // namespace qzCore
