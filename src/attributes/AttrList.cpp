#include "qzCore/attributes/AttrList.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {

namespace {

constexpr std::array<std::uint32_t, AttrList::Max_Num_Attributes> makeMasks() {
    std::array<std::uint32_t, AttrList::Max_Num_Attributes> m{};
    for (unsigned int i = 0; i < AttrList::Max_Num_Attributes; ++i) m[i] = std::uint32_t(1) << i;
    return m;
}

}  // namespace

const char* const AttrList::All_Group_Name = "All";
const std::array<std::uint32_t, AttrList::Max_Num_Attributes> AttrList::Attr_Index_Masks = makeMasks();

AttrList::AttrList() { clearAll(); }

AttrList::AttrList(const AttrList& o) : AttrList() { *this = o; }

void AttrList::clearAll() {
    for (auto& g : m_groups) g.reset();
    for (auto& l : m_labels) l.clear();
    m_attrCount = 0;
    m_groupCount = 1;
    m_groups[0] = std::make_unique<AttrGroup>(All_Group_Name, 0u);
}

AttrList& AttrList::operator=(const AttrList& o) {
    if (this == &o) return *this;
    // Groups other than "All" are replaced by the other table's.
    for (std::size_t i = 1; i < Max_Num_Groups; ++i) m_groups[i].reset();
    m_groupCount = 1;
    for (std::size_t i = 1; i < Max_Num_Groups; ++i) {
        if (o.m_groups[i]) {
            m_groups[i] = std::make_unique<AttrGroup>(*o.m_groups[i]);
            ++m_groupCount;
        }
    }
    for (auto& l : m_labels) l.clear();
    m_attrCount = 0;
    for (unsigned int i = 0; i < Max_Num_Attributes; ++i) {
        if (!o.m_labels[i].empty()) insertAttr(i, o.m_labels[i], false);
    }
    return *this;
}

int AttrList::findLabel(const std::string& label) const {
    if (label.empty()) return -1;
    for (unsigned int i = 0; i < Max_Num_Attributes; ++i) {
        if (m_labels[i] == label) return int(i);
    }
    return -1;
}

int AttrList::findGroup(const std::string& name) const {
    for (unsigned int i = 0; i < Max_Num_Groups; ++i) {
        if (m_groups[i] && m_groups[i]->getName() == name) return int(i);
    }
    return -1;
}

unsigned int AttrList::store(const std::string& label) {
    if (label.size() > Max_Label_Length) throw Error::Attribute_Label_Too_Long;
    if (m_attrCount >= Max_Num_Attributes) throw Error::Too_Many_Attributes;
    for (unsigned int i = 0; i < Max_Num_Attributes; ++i) {
        if (m_labels[i].empty()) {
            m_labels[i] = label;
            ++m_attrCount;
            m_groups[0]->addAttrToGroup(Attr_Index_Masks[i]);
            return i;
        }
    }
    throw Error::Attribute_Index_Out_Of_Range;
}

unsigned int AttrList::createAttr(const std::string& label) {
    if (label.empty()) throw Error::Empty_Attribute_Label;
    if (label.size() > Max_Label_Length) throw Error::Attribute_Label_Too_Long;
    if (findLabel(label) >= 0) throw Error::Duplicate_Attribute_Label;
    return store(label);
}

unsigned int AttrList::createAttr_Unsafe(const std::string& label) { return store(label); }

void AttrList::insertAttr(unsigned int index, const std::string& label, bool report) {
    if (index >= Max_Num_Attributes || label.empty() || label.size() > Max_Label_Length) {
        if (report) throw Error::Attribute_Index_Out_Of_Range;
        return;
    }
    if (findLabel(label) >= 0) {
        if (report) throw Error::Duplicate_Attribute_Label;
        return;
    }
    if (!m_labels[index].empty()) --m_attrCount;  // replacing a label
    m_labels[index] = label;
    ++m_attrCount;
    m_groups[0]->addAttrToGroup(Attr_Index_Masks[index]);
}

std::uint32_t AttrList::destroyAttr(const std::string& label) {
    const int i = findLabel(label);
    if (i < 0) throw Error::Invalid_Attribute;
    const std::uint32_t mask = Attr_Index_Masks[std::size_t(i)];
    m_labels[std::size_t(i)].clear();
    --m_attrCount;
    for (auto& g : m_groups) {
        if (g) g->removeAttrFromGroup(mask);
    }
    return mask;
}

void AttrList::modifyAttr(const std::string& oldLabel, const std::string& newLabel) {
    const int i = findLabel(oldLabel);
    if (i < 0) throw Error::Invalid_Attribute;
    if (newLabel.empty()) throw Error::Empty_Group_Name;
    if (newLabel.size() > Max_Label_Length) throw Error::Attribute_Label_Too_Long;
    if (findLabel(newLabel) >= 0) throw Error::Duplicate_Attribute_Label;
    m_labels[std::size_t(i)] = newLabel;
}

void AttrList::createAttrGroup(const std::string& name, std::uint32_t mask) {
    if (name.empty()) throw Error::Empty_Group_Name;
    if (findGroup(name) >= 0) throw Error::Duplicate_Group_Name;
    if (m_groupCount >= Max_Num_Groups) throw Error::Too_Many_Groups;
    for (auto& g : m_groups) {
        if (!g) {
            g = std::make_unique<AttrGroup>(name, mask);
            ++m_groupCount;
            return;
        }
    }
    throw Error::Attribute_Index_Out_Of_Range;
}

void AttrList::destroyAttrGroup(const std::string& name) {
    if (name == All_Group_Name) return;
    const int i = findGroup(name);
    if (i <= 0) return;
    m_groups[std::size_t(i)].reset();
    --m_groupCount;
}

void AttrList::modifyAttrGroupLabel(const std::string& oldName, const std::string& newName) {
    if (oldName.empty() || newName.empty()) throw Error::Empty_Group_Name;
    if (oldName == All_Group_Name || newName == All_Group_Name) throw Error::Unknown_Group;
    const int i = findGroup(oldName);
    if (i < 0) throw Error::Unknown_Group;
    if (findGroup(newName) >= 0) throw Error::Duplicate_Group_Name;
    m_groups[std::size_t(i)]->setName(newName);
}

void AttrList::addAttrToGroup(const std::string& group, unsigned int index) {
    if (index >= Max_Num_Attributes) return;
    const int g = findGroup(group);
    if (g < 0) return;
    m_groups[std::size_t(g)]->addAttrToGroup(Attr_Index_Masks[index]);
}

void AttrList::setAttrGroup(const std::string& group, const std::list<std::string>& labels) {
    std::uint32_t mask = 0;
    for (const std::string& l : labels) {
        const int i = findLabel(l);
        if (i < 0) throw Error::Invalid_Attribute;
        mask |= Attr_Index_Masks[std::size_t(i)];
    }
    const int g = findGroup(group);
    if (g >= 0) m_groups[std::size_t(g)]->setAttributes(mask);
}

std::uint32_t AttrList::getAttrIndexMask(const std::string& label) const {
    const int i = findLabel(label);
    return i < 0 ? Not_Found : Attr_Index_Masks[std::size_t(i)];
}

std::uint32_t AttrList::getAttrIndex(const std::string& label) const {
    const int i = findLabel(label);
    return i < 0 ? Not_Found : std::uint32_t(i);
}

std::uint32_t AttrList::getAttrIndexMask(const std::list<std::string>& labels, bool create) {
    std::uint32_t mask = 0;
    for (const std::string& l : labels) {
        int i = findLabel(l);
        if (i < 0) {
            if (!create) throw Error::Invalid_Attribute;
            try {
                i = int(createAttr(l));
            } catch (int) {
                continue;  // cannot be created: skipped
            }
        }
        mask |= Attr_Index_Masks[std::size_t(i)];
    }
    return mask;
}

std::uint32_t AttrList::getAttrGroupIndexMask(const std::string& group) const {
    const int g = findGroup(group);
    return g < 0 ? Not_Found : m_groups[std::size_t(g)]->getAttributes();
}

void AttrList::getAttrGroupLabel(std::string& out, const std::string& label) const {
    const int i = findLabel(label);
    if (i < 0) return;
    for (const auto& g : m_groups) {
        if (g && g->hasAttribute(Attr_Index_Masks[std::size_t(i)])) {
            out = g->getName();
            return;
        }
    }
}

void AttrList::getAttrGroupLabels(std::list<std::string>& out, const std::string& label) const {
    const int i = findLabel(label);
    if (i < 0) return;
    for (const auto& g : m_groups) {
        if (g && g->hasAttribute(Attr_Index_Masks[std::size_t(i)])) out.push_back(g->getName());
    }
}

void AttrList::getAttrStrings(std::list<std::string>& out, std::uint32_t mask) const {
    for (unsigned int i = 0; i < Max_Num_Attributes; ++i) {
        if ((mask & Attr_Index_Masks[i]) && !m_labels[i].empty()) out.push_back(m_labels[i]);
    }
}

void AttrList::getAttrStrings(std::list<std::string>& out, bool groups) const {
    if (groups) {
        for (const auto& g : m_groups) {
            if (g) out.push_back(g->getName());
        }
        return;
    }
    for (const std::string& l : m_labels) {
        if (!l.empty()) out.push_back(l);
    }
}

void AttrList::getAttrStringsInGroup(std::list<std::string>& out, const std::string& group) const {
    const int g = findGroup(group);
    if (g >= 0) getAttrStrings(out, m_groups[std::size_t(g)]->getAttributes());
}

void AttrList::getAttrStringsInGroup(std::list<std::string>& out, unsigned int index, std::string& name) const {
    if (index >= Max_Num_Groups || !m_groups[index]) return;
    name = m_groups[index]->getName();
    getAttrStrings(out, m_groups[index]->getAttributes());
}

std::string AttrList::getAttrLabel(unsigned int index) const {
    return index < Max_Num_Attributes ? m_labels[index] : std::string();
}

bool AttrList::isDuplicateLabel(const std::string& label, bool group) const {
    return group ? findGroup(label) >= 0 : findLabel(label) >= 0;
}

}  // namespace qzCore
