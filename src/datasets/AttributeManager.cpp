#include "qzCore/datasets/AttributeManager.h"

#include <algorithm>

#include "qzCore/attributes/AttrList.h"
#include "qzCore/datasets/Data.h"

namespace qzCore {

// ---------------------------------------------------------------- MemoryListControl

void MemoryListControl::exchangeStrings(std::list<std::string>& items, bool fill) {
    if (fill) {
        m_items.assign(items.begin(), items.end());
        m_selected.assign(m_items.size(), false);
        return;
    }
    items.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_selected[i]) items.push_back(m_items[i]);
    }
}

std::size_t MemoryListControl::getSelectedCount() const {
    return static_cast<std::size_t>(std::count(m_selected.begin(), m_selected.end(), true));
}

void MemoryListControl::setSelection(const std::list<std::string>& items) {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        m_selected[i] = std::find(items.begin(), items.end(), m_items[i]) != items.end();
    }
}

void MemoryListControl::select(std::size_t index, bool on) {
    if (index < m_selected.size()) m_selected[index] = on;
}

// ---------------------------------------------------------------- AttributeManager

AttributeManager::~AttributeManager() { dropControls(); }

AttributeManager::AttributeManager(const AttributeManager& o)
    : m_dataset(o.m_dataset), m_attrControl(o.m_attrControl), m_groupControl(o.m_groupControl) {
    // A copy never owns: the controls stay with the original.
}

AttributeManager& AttributeManager::operator=(const AttributeManager& o) {
    if (this != &o) {
        dropControls();
        m_dataset = o.m_dataset;
        m_attrControl = o.m_attrControl;
        m_groupControl = o.m_groupControl;
        m_ownsControls = false;
    }
    return *this;
}

void AttributeManager::dropControls() {
    if (m_ownsControls) {
        delete m_attrControl;
        delete m_groupControl;
    }
    m_attrControl = nullptr;
    m_groupControl = nullptr;
    m_ownsControls = false;
}

void AttributeManager::reset() {
    dropControls();
    m_dataset = nullptr;
}

bool AttributeManager::createAttribute(const std::string& label) {
    return m_dataset && m_dataset->createAttribute(label);
}

bool AttributeManager::createAttribute(const char* label) { return label && createAttribute(std::string(label)); }

bool AttributeManager::createAttributes(const std::list<std::string>& labels) {
    if (!m_dataset) return false;
    for (const std::string& l : labels) {
        if (!m_dataset->createAttribute(l)) return false;
    }
    return true;
}

bool AttributeManager::destroyAttribute(const std::string& label) {
    return m_dataset && m_dataset->destroyAttribute(label, false);
}

bool AttributeManager::destroyAttributeGroup(const std::string& name) {
    return m_dataset && m_dataset->destroyAttribute(name, true);
}

bool AttributeManager::createAttributeGroup(const std::string& name) {
    return m_dataset && m_dataset->createAttributeGroup(name, 0);
}

bool AttributeManager::modifyAttrGroupLabel(const char* oldLabel, const char* newLabel, bool isGroup) {
    if (!m_dataset || !oldLabel || !newLabel) return false;
    return m_dataset->modifyAttribute(oldLabel, newLabel, isGroup);
}

std::uint32_t AttributeManager::getAttributeIndexMask(const std::list<std::string>& labels) {
    return m_dataset ? m_dataset->getAttributeIndexMask(labels) : AttrList::Not_Found;
}

std::uint32_t AttributeManager::getAttributeGroupIndexMask(const std::string& name) {
    return m_dataset ? m_dataset->getAttributeGroupIndexMask(name) : AttrList::Not_Found;
}

std::uint32_t AttributeManager::getAttributeIndexMask(DynamicControlCore* control) {
    if (!m_dataset || !control || control->getSelectedCount() == 0) return AttrList::Not_Found;
    std::list<std::string> selected;
    control->exchangeStrings(selected, false);
    return m_dataset->getAttributeIndexMask(selected);
}

bool AttributeManager::getAttributes(std::list<std::string>& out, bool groups) {
    if (!m_dataset) return false;
    m_dataset->getAttributeStrings(out, groups);
    return true;
}

bool AttributeManager::attributesAreSelected() { return m_attrControl && m_attrControl->getSelectedCount() > 0; }

bool AttributeManager::attrGroupsAreSelected() { return m_groupControl && m_groupControl->getSelectedCount() > 0; }

bool AttributeManager::destroySelectedAttributes() {
    if (!m_dataset || !attributesAreSelected()) return false;
    std::list<std::string> selected;
    m_attrControl->exchangeStrings(selected, false);
    bool ok = true;
    for (const std::string& l : selected) ok = m_dataset->destroyAttribute(l, false) && ok;
    updateControls();
    return ok;
}

bool AttributeManager::destroySelectedGroups() {
    if (!m_dataset || !attrGroupsAreSelected()) return false;
    std::list<std::string> selected;
    m_groupControl->exchangeStrings(selected, false);
    bool ok = true;
    for (const std::string& g : selected) ok = m_dataset->destroyAttribute(g, true) && ok;
    updateControls();
    return ok;
}

bool AttributeManager::enumerateAttributes(std::list<std::string>& out, bool selectedOnly) {
    if (!m_dataset) return false;
    if (selectedOnly) {
        if (!m_attrControl) return false;
        m_attrControl->exchangeStrings(out, false);
        return true;
    }
    m_dataset->getAttributeStrings(out, false);
    return true;
}

bool AttributeManager::enumerateAttributes(std::vector<unsigned>& out, bool selectedOnly) {
    std::list<std::string> labels;
    if (!enumerateAttributes(labels, selectedOnly)) return false;
    return enumerateAttributes(out, labels);
}

bool AttributeManager::enumerateAttributes(std::vector<unsigned>& out, const std::list<std::string>& labels) {
    if (!m_dataset) return false;
    out.clear();
    for (const std::string& l : labels) {
        const std::uint32_t i = m_dataset->getAttrList().getAttrIndex(l);
        if (i != AttrList::Not_Found) out.push_back(i);
    }
    return true;
}

bool AttributeManager::enumerateAttributeGroups(std::list<std::string>& out, bool selectedOnly) {
    if (!m_dataset) return false;
    if (selectedOnly) {
        if (!m_groupControl) return false;
        m_groupControl->exchangeStrings(out, false);
        return true;
    }
    m_dataset->getAttributeStrings(out, true);
    return true;
}

bool AttributeManager::enumerateAttributeGroups(std::vector<unsigned>& out, bool selectedOnly) {
    std::list<std::string> names;
    if (!enumerateAttributeGroups(names, selectedOnly)) return false;
    std::list<std::string> all;
    m_dataset->getAttributeStrings(all, true);
    out.clear();
    for (const std::string& n : names) {
        const auto it = std::find(all.begin(), all.end(), n);
        if (it != all.end()) out.push_back(static_cast<unsigned>(std::distance(all.begin(), it)));
    }
    return true;
}

bool AttributeManager::fillControlBuffer(DynamicControlCore* control, bool groups) {
    if (!m_dataset || !control) return false;
    std::list<std::string> items;
    m_dataset->getAttributeStrings(items, groups);
    control->exchangeStrings(items, true);
    return true;
}

bool AttributeManager::linkAttributesToSingle(GeoData* record) {
    if (!m_dataset || !m_attrControl || !record) return false;
    std::list<std::string> selected;
    m_attrControl->exchangeStrings(selected, false);
    return m_dataset->assignAttributesToSingle(record, selected);
}

unsigned int AttributeManager::getAttributeCount(bool fromControl) {
    if (!m_dataset) return 0;
    if (fromControl) return m_attrControl ? static_cast<unsigned int>(m_attrControl->getSelectedCount()) : 0;
    return m_dataset->getAttributeCount();
}

unsigned int AttributeManager::getAttributeGroupCount(bool fromControl) {
    if (!m_dataset) return 0;
    if (fromControl) return m_groupControl ? static_cast<unsigned int>(m_groupControl->getSelectedCount()) : 0;
    return m_dataset->getAttributeGroupCount();
}

std::string AttributeManager::getSelectedAttrGroupLabel() {
    if (!m_dataset || !attrGroupsAreSelected()) return std::string();
    std::list<std::string> selected;
    m_groupControl->exchangeStrings(selected, false);
    return selected.empty() ? std::string() : selected.front();
}

void AttributeManager::registerControlBuffers(DynamicControlCoreData* attributes, DynamicControlCoreData* groups) {
    dropControls();
    m_attrControl = attributes;
    m_groupControl = groups;
    m_ownsControls = false;
}

void AttributeManager::unregisterControlBuffers() { dropControls(); }

bool AttributeManager::setAttrSelectionFromSingle(const GeoData* record) {
    if (!m_dataset || !m_attrControl || !record || !record->data()) return false;
    std::list<std::string> labels;
    m_dataset->getAttributeStrings(labels, record->data()->getAttributes());
    m_attrControl->setSelection(labels);
    return true;
}

bool AttributeManager::setCurrAttrAsSelGroup() {
    if (!m_dataset || !m_attrControl) return false;
    const std::string group = getSelectedAttrGroupLabel();
    if (group.empty()) return false;
    std::list<std::string> labels;
    m_dataset->getAttributesInGroup(labels, group);
    m_attrControl->setSelection(labels);
    return true;
}

bool AttributeManager::updateAttrSelection() {
    if (!m_dataset || !m_attrControl) return false;
    std::list<std::string> selected;
    m_attrControl->exchangeStrings(selected, false);
    fillControlBuffer(m_attrControl, false);
    m_attrControl->setSelection(selected);
    return true;
}

bool AttributeManager::updateAttrGroupSelection() {
    if (!m_dataset || !m_groupControl) return false;
    std::list<std::string> selected;
    m_groupControl->exchangeStrings(selected, false);
    fillControlBuffer(m_groupControl, true);
    m_groupControl->setSelection(selected);
    return true;
}

bool AttributeManager::updateControls() {
    if (!m_dataset) return false;
    if (m_attrControl) fillControlBuffer(m_attrControl, false);
    if (m_groupControl) fillControlBuffer(m_groupControl, true);
    return m_attrControl || m_groupControl;
}

}  // namespace qzCore
