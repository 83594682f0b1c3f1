// The host-facing service for attributes: works on the current dataset and
// keeps two host list controls (attributes, groups) in step with it.
#ifndef QZCORE_DATASETS_ATTRIBUTEMANAGER_H
#define QZCORE_DATASETS_ATTRIBUTEMANAGER_H

#include "qzCore/Export.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace qzCore {

class Data;
class GeoData;

/// A host list control: a list of strings of which some are selected.
class QZCORE_EXPORT DynamicControlCore {
public:
    virtual ~DynamicControlCore() = default;
    /// With `fill` true the control is filled from `items` (and nothing is
    /// selected); otherwise `items` receives the selected items, in order.
    virtual void exchangeStrings(std::list<std::string>& items, bool fill) = 0;
    /// Number of selected items.
    virtual std::size_t getSelectedCount() const = 0;
    /// Selects exactly these items (those the control holds).  Controls
    /// that cannot be driven by the library may ignore it.
    virtual void setSelection(const std::list<std::string>&) {}
};

/// The controls the attribute manager registers.
class DynamicControlCoreData : public DynamicControlCore {};

/// A list control held in memory, for hosts without a user interface.
class QZCORE_EXPORT MemoryListControl : public DynamicControlCoreData {
public:
    void exchangeStrings(std::list<std::string>& items, bool fill) override;
    std::size_t getSelectedCount() const override;
    void setSelection(const std::list<std::string>& items) override;

    const std::vector<std::string>& items() const { return m_items; }
    /// Selects or deselects one item by position (out of range: ignored).
    void select(std::size_t index, bool on);

private:
    std::vector<std::string> m_items;
    std::vector<bool> m_selected;
};

class QZCORE_EXPORT AttributeManager {
public:
    AttributeManager() = default;
    virtual ~AttributeManager();
    AttributeManager(const AttributeManager& o);
    AttributeManager& operator=(const AttributeManager& o);

    Data* getCurrDataset() const { return m_dataset; }
    void setCurrDataset(Data* d) { m_dataset = d; }
    /// Forgets dataset and controls (deleting owned controls).
    void reset();

    bool createAttribute(const std::string& label);
    bool createAttribute(const char* label);
    /// Stops at the first failure.
    bool createAttributes(const std::list<std::string>& labels);
    bool destroyAttribute(const std::string& label);
    bool destroyAttributeGroup(const std::string& name);
    bool createAttributeGroup(const std::string& name);
    /// Renames an attribute or (with `isGroup`) a group; nothing for null texts.
    bool modifyAttrGroupLabel(const char* oldLabel, const char* newLabel, bool isGroup);
    std::uint32_t getAttributeIndexMask(const std::list<std::string>& labels);
    std::uint32_t getAttributeGroupIndexMask(const std::string& name);
    /// The mask of the labels selected in a control; 666 when none is.
    std::uint32_t getAttributeIndexMask(DynamicControlCore* control);
    /// All labels (false) or group names (true).
    bool getAttributes(std::list<std::string>& out, bool groups);

    virtual bool attributesAreSelected();
    virtual bool attrGroupsAreSelected();
    virtual bool destroySelectedAttributes();
    virtual bool destroySelectedGroups();
    /// All labels of the dataset, or those selected in the control.
    virtual bool enumerateAttributes(std::list<std::string>& out, bool selectedOnly);
    /// Slot indexes instead of labels.
    virtual bool enumerateAttributes(std::vector<unsigned>& out, bool selectedOnly);
    /// Slot indexes of the given labels (unknown ones left out).
    virtual bool enumerateAttributes(std::vector<unsigned>& out, const std::list<std::string>& labels);
    virtual bool enumerateAttributeGroups(std::list<std::string>& out, bool selectedOnly);
    virtual bool enumerateAttributeGroups(std::vector<unsigned>& out, bool selectedOnly);
    /// Fills a control with all labels (false) or group names (true).
    virtual bool fillControlBuffer(DynamicControlCore* control, bool groups);
    /// Gives the record the mask of the attributes selected in the control.
    virtual bool linkAttributesToSingle(GeoData* record);
    virtual unsigned int getAttributeCount(bool fromControl);
    virtual unsigned int getAttributeGroupCount(bool fromControl);
    /// The first selected group name; empty when none.
    virtual std::string getSelectedAttrGroupLabel();
    /// Drops the controls held (deleting owned ones) and keeps these, not owned.
    virtual void registerControlBuffers(DynamicControlCoreData* attributes, DynamicControlCoreData* groups);
    virtual void unregisterControlBuffers();
    /// Selects in the attribute control the attributes the record carries.
    virtual bool setAttrSelectionFromSingle(const GeoData* record);
    /// Selects in the attribute control the attributes of the selected group.
    virtual bool setCurrAttrAsSelGroup();
    virtual bool updateAttrSelection();
    virtual bool updateAttrGroupSelection();
    /// Refills both controls from the dataset.
    virtual bool updateControls();

private:
    void dropControls();

    Data* m_dataset = nullptr;
    DynamicControlCoreData* m_attrControl = nullptr;
    DynamicControlCoreData* m_groupControl = nullptr;
    bool m_ownsControls = false;
};

}  // namespace qzCore

#endif  // QZCORE_DATASETS_ATTRIBUTEMANAGER_H
