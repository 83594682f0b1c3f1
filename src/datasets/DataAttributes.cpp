// A dataset's attributes: creating, renaming and destroying labels and
// groups, linking them to records, and the questions and messages that go
// with them.
#include <iostream>
#include <list>
#include <string>
#include <unordered_set>

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"

namespace qzCore {

namespace {

/// Messages without an error manager go where the host's handler says.
krtError& fallbackMessages() {
    static krtError e(std::cerr);
    return e;
}

}  // namespace

void Data::report(int code, const std::string& text, const char* title) {
    if (m_errors) {
        m_errors->tableQuery(code, text, title);
    } else {
        fallbackMessages().notify(title, text.c_str());
    }
}

void Data::tell(const char* caption, const char* text) {
    if (m_errors) {
        m_errors->notify(caption, text);
    } else {
        fallbackMessages().notify(caption, text);
    }
}

bool Data::createAttribute(const std::string& label) {
    try {
        m_attributes.createAttr(label);
        return true;
    } catch (int code) {
        report(code, "Error creating attribute :\n" + label, "Attribute Error");
        return false;
    }
}

bool Data::createAttributeGroup(const std::string& name, std::uint32_t mask) {
    try {
        m_attributes.createAttrGroup(name, mask);
        return true;
    } catch (int code) {
        report(code, "Error creating attribute :\n" + name, "Attribute Error");
        return false;
    }
}

bool Data::destroyAttribute(const std::string& label, bool isGroup) {
    if (isGroup) {
        if (!m_attributes.isDuplicateLabel(label, true) || label == AttrList::All_Group_Name) {
            report(Error::Unknown_Group, "Internal error destroying attribute/group", "Attribute Error");
            return false;
        }
        m_attributes.destroyAttrGroup(label);
        return true;
    }
    try {
        const std::uint32_t mask = m_attributes.destroyAttr(label);
        // The slot may be reused at once: no record may keep its bit.
        for (GeoData* g : m_dataList) {
            if (g->data() && g->data()->hasAttribute_FromMask(mask)) {
                g->data()->setAttributes(g->data()->getAttributes() & ~mask);
            }
        }
        return true;
    } catch (int code) {
        report(code, "Internal error destroying attribute/group", "Attribute Error");
        return false;
    }
}

bool Data::modifyAttribute(const std::string& oldLabel, const std::string& newLabel, bool isGroup) {
    try {
        if (isGroup) {
            m_attributes.modifyAttrGroupLabel(oldLabel, newLabel);
        } else {
            m_attributes.modifyAttr(oldLabel, newLabel);
        }
        return true;
    } catch (int code) {
        if (!isGroup && code == Error::Duplicate_Attribute_Label) {
            std::string question = "Attribute already in use.\n  Do you want to continue?\nData linked to ' " + oldLabel +
                                   " ' will be linked to ' " + newLabel + " '";
            const int yes = m_errors ? m_errors->query("Modify attribute", question.c_str())
                                     : fallbackMessages().query("Modify attribute", question.c_str());
            if (yes != 1) return false;
            const std::uint32_t from = m_attributes.getAttrIndexMask(oldLabel);
            const std::uint32_t to = m_attributes.getAttrIndexMask(newLabel);
            for (GeoData* g : m_dataList) {
                if (g->data() && g->data()->hasAttribute_FromMask(from)) {
                    g->data()->setAttributes((g->data()->getAttributes() & ~from) | to);
                }
            }
            return destroyAttribute(oldLabel, false);
        }
        if (isGroup && code == Error::Duplicate_Group_Name) {
            tell("Modify attribute", ("Attribute already in use :\n" + newLabel).c_str());
        } else {
            tell("Modify attribute", "An error occurred modifying an attribute");
        }
        return false;
    }
}

bool Data::assignAttributes(const std::list<unsigned int>& refs, const std::list<std::string>& labels) {
    const std::uint32_t mask = getAttributeIndexMask(labels);
    if (mask == AttrList::Not_Found && !labels.empty()) return false;
    const std::unordered_set<unsigned int> wanted(refs.begin(), refs.end());
    for (GeoData* g : m_dataList) {
        if (g->data() && wanted.count(g->getDataReference())) g->data()->setAttributes(labels.empty() ? 0u : mask);
    }
    return true;
}

bool Data::assignAttributesToSingle(GeoData* record, const std::list<std::string>& labels) {
    if (!record || !record->data()) return false;
    try {
        record->data()->setAttributes(m_attributes.getAttrIndexMask(labels, false));
        return true;
    } catch (int code) {
        report(code, "Error linking attributes", "Attribute Error");
        return false;
    }
}

bool Data::assignAttributesToCurrent(const std::list<std::string>& labels) {
    return assignAttributesToSingle(getLastDataListMember(), labels);
}

bool Data::assignAttributeToCurrent(const std::string& label) {
    GeoData* g = getLastDataListMember();
    if (!g || !g->data()) return false;
    const std::uint32_t mask = m_attributes.getAttrIndexMask(label);
    if (mask == AttrList::Not_Found) {
        report(Error::Invalid_Attribute, "Error linking attributes", "Attribute Error");
        return false;
    }
    return linkAttributes(g, mask);
}

bool Data::linkAttributes(GeoData* record, std::uint32_t mask) {
    if (!record || !record->data()) return false;
    record->data()->setAttributes(record->data()->getAttributes() | mask);
    return true;
}

std::uint32_t Data::linkAttributesToCurrent(const std::list<std::string>& labels, std::list<std::string>& rejected,
                                            bool assign, bool ask) {
    std::uint32_t mask = 0;
    bool full = false;
    for (const std::string& label : labels) {
        if (label.empty()) continue;
        const std::uint32_t known = m_attributes.getAttrIndexMask(label);
        if (known != AttrList::Not_Found) {
            mask |= known;
            continue;
        }
        if (full) continue;
        if (ask) {
            if (std::find(rejected.begin(), rejected.end(), label) != rejected.end()) continue;
            const std::string question = "New attribute found: <" + label + ">\n\nDo you want to import this attribute?";
            const int yes = m_errors ? m_errors->query("Attribute import", question.c_str())
                                     : fallbackMessages().query("Attribute import", question.c_str());
            if (yes != 1) {
                rejected.push_back(label);
                continue;
            }
        }
        try {
            mask |= AttrList::Attr_Index_Masks[m_attributes.createAttr_Unsafe(label)];
        } catch (int) {
            tell("Attribute error", "Cannot auto import any more attributes");
            full = true;
        }
    }
    if (assign && mask != 0) linkAttributes(getLastDataListMember(), mask);
    return mask;
}

std::uint32_t Data::getAttributeIndexMask(const std::list<std::string>& labels) {
    try {
        return m_attributes.getAttrIndexMask(labels, false);
    } catch (int code) {
        report(code, "Attribute referencing error", "Error Recovering Attribute");
        return AttrList::Not_Found;
    }
}

std::uint32_t Data::getAttributeGroupIndexMask(const std::string& group) const {
    return m_attributes.getAttrGroupIndexMask(group);
}

void Data::getAttributeStrings(std::list<std::string>& out, bool groups) const {
    m_attributes.getAttrStrings(out, groups);
}

void Data::getAttributeStrings(std::list<std::string>& out, std::uint32_t mask) const {
    m_attributes.getAttrStrings(out, mask);
}

void Data::getAttributesInGroup(std::list<std::string>& out, const std::string& group) const {
    m_attributes.getAttrStringsInGroup(out, group);
}

bool Data::hasAttribute(const GeoData* record, const std::string& label) {
    const std::uint32_t mask = m_attributes.getAttrIndexMask(label);
    if (mask == AttrList::Not_Found) {
        report(Error::Invalid_Attribute, "Error retrieving attribute index", "Attribute Error");
        return false;
    }
    return record && record->data() && record->data()->hasAttribute_FromMask(mask);
}

bool Data::setAttributeGroup(const std::string& group, const std::list<std::string>& labels) {
    try {
        m_attributes.setAttrGroup(group, labels);
        return true;
    } catch (int code) {
        report(code, "Attribute referencing error", "Error Recovering Attribute");
        return false;
    }
}

}  // namespace qzCore
