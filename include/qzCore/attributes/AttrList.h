// Named attributes (a rock unit, a locality, ...) and groups of them.  A
// dataset's table has 32 slots; slot i owns bit i of every record's
// attribute mask.  Failures are thrown as the negative error code (int).
#ifndef QZCORE_ATTRIBUTES_ATTRLIST_H
#define QZCORE_ATTRIBUTES_ATTRLIST_H

#include "qzCore/Export.h"

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

namespace qzCore {

/// A named set of attributes, as a mask.
class QZCORE_EXPORT AttrGroup {
public:
    AttrGroup(const std::string& name, std::uint32_t mask) : m_name(name), m_mask(mask) {}

    const std::string& getName() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }
    std::uint32_t getAttributes() const { return m_mask; }
    void setAttributes(std::uint32_t mask) { m_mask = mask; }
    void addAttrToGroup(std::uint32_t mask) { m_mask |= mask; }
    void removeAttrFromGroup(std::uint32_t mask) { m_mask &= ~mask; }
    bool hasAttribute(std::uint32_t mask) const { return (m_mask & mask) != 0; }

private:
    std::string m_name;
    std::uint32_t m_mask;
};

/// The attribute table of one dataset: 32 labels and 10 groups, the first
/// of which is always "All" (every attribute in the table).
class QZCORE_EXPORT AttrList {
public:
    static constexpr unsigned int Max_Num_Attributes = 32;
    static constexpr unsigned int Max_Num_Groups = 10;
    /// What the index and mask lookups return for a label not in the table.
    static constexpr std::uint32_t Not_Found = 666;
    /// Longest label the table takes, in characters (as file columns and
    /// binary files hold them); longer labels are refused with -25.
    static constexpr std::size_t Max_Label_Length = 31;
    /// Name of the group that holds every attribute.
    static const char* const All_Group_Name;
    /// Entry i is 1 << i.
    static const std::array<std::uint32_t, Max_Num_Attributes> Attr_Index_Masks;

    AttrList();
    ~AttrList() = default;
    AttrList(const AttrList& o);
    /// Copies every group but "All" and re-inserts every label at its own
    /// slot; this table keeps its own "All" (with the inserted labels added).
    AttrList& operator=(const AttrList& o);

    /// Stores the label in the first free slot.  @return the slot index.
    /// @throw -27 empty, -25 longer than 31 characters, -29 in use,
    ///   -26 table full.
    unsigned int createAttr(const std::string& label);
    /// As createAttr without the empty, length and duplicate checks.
    unsigned int createAttr_Unsafe(const std::string& label);
    /// Stores the label at slot `index`.  With `report` false a bad index,
    /// empty or duplicate label is ignored.  @throw -28, -29 (with `report`).
    void insertAttr(unsigned int index, const std::string& label, bool report);
    /// Frees the label's slot and removes its bit from every group.
    /// @return the slot's mask.  @throw -36 unknown label.
    std::uint32_t destroyAttr(const std::string& label);
    /// Renames in place.  @throw -36 unknown old, -45 empty new, -25 too
    ///   long, -29 new in use.
    void modifyAttr(const std::string& oldLabel, const std::string& newLabel);

    /// @throw -45 empty name, -46 in use, -44 ten groups exist.
    void createAttrGroup(const std::string& name, std::uint32_t mask);
    /// Deletes the group; "All" and unknown names are ignored.
    void destroyAttrGroup(const std::string& name);
    /// @throw -47 "All" or unknown old, -45 empty name, -46 new in use.
    void modifyAttrGroupLabel(const std::string& oldName, const std::string& newName);
    /// ORs the slot's bit into the group (nothing for Not_Found or an
    /// unknown group).
    void addAttrToGroup(const std::string& group, unsigned int index);
    /// Sets the group's mask to that of the labels.  @throw -36 unknown label.
    void setAttrGroup(const std::string& group, const std::list<std::string>& labels);

    /// The label's mask, or Not_Found.
    std::uint32_t getAttrIndexMask(const std::string& label) const;
    /// The label's slot index, or Not_Found.
    std::uint32_t getAttrIndex(const std::string& label) const;
    /// OR of the labels' masks; unknown labels are created when `create`
    /// (a label that cannot be created is skipped).  @throw -36 unknown
    /// label without `create`.
    std::uint32_t getAttrIndexMask(const std::list<std::string>& labels, bool create);
    /// The group's mask, or Not_Found.
    std::uint32_t getAttrGroupIndexMask(const std::string& group) const;
    /// The first group (slot order) holding the attribute: "All" for every
    /// label in the table; nothing written for an unknown label.
    void getAttrGroupLabel(std::string& out, const std::string& label) const;
    /// Every group holding the attribute, in slot order.
    void getAttrGroupLabels(std::list<std::string>& out, const std::string& label) const;
    /// Labels of the slots whose bits are in `mask`, in slot order.
    void getAttrStrings(std::list<std::string>& out, std::uint32_t mask) const;
    /// All labels in use (false) or all group names (true), in slot order.
    void getAttrStrings(std::list<std::string>& out, bool groups) const;
    /// Labels of the attributes in a group.
    void getAttrStringsInGroup(std::list<std::string>& out, const std::string& group) const;
    /// Labels of the attributes of the group in group slot `index`.
    void getAttrStringsInGroup(std::list<std::string>& out, unsigned int index, std::string& name) const;
    /// The label of slot `index`; empty for a free or invalid slot.
    std::string getAttrLabel(unsigned int index) const;
    /// Whether the text is used as an attribute label (false) or group name (true).
    bool isDuplicateLabel(const std::string& label, bool group) const;
    unsigned int getAttrCount() const { return m_attrCount; }
    unsigned int getAttrGroupCount() const { return m_groupCount; }

private:
    int findLabel(const std::string& label) const;
    int findGroup(const std::string& name) const;
    unsigned int store(const std::string& label);
    void clearAll();

    std::array<std::unique_ptr<AttrGroup>, Max_Num_Groups> m_groups;
    std::array<std::string, Max_Num_Attributes> m_labels;
    unsigned int m_attrCount = 0;
    unsigned int m_groupCount = 0;
};

}  // namespace qzCore

#endif  // QZCORE_ATTRIBUTES_ATTRLIST_H
