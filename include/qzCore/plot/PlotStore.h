// The store of a plot: the records plotted at each orientation (whole
// degrees, as keys), in key order, oldest first at a key.
//
// An ordered map with a direct index for the keys records take (azimuths
// 0-360, plunges -90 to 90): once a store holds many keys, finding a key
// is one array look-up instead of a walk down a tree.  Points appended
// with append() wait in one array, in order, and join their keys, grouped
// by a stable counting sort, at the next look at the store: a million
// records are a million sequential writes, not a million scattered ones.
// References to a key's points stay valid until the key is erased, the
// store cleared, or points appended and the store looked at again.  Even
// the const accessors sort waiting points in: a store is not for use from
// several threads at once.
#ifndef QZCORE_PLOT_PLOTSTORE_H
#define QZCORE_PLOT_PLOTSTORE_H

#include "qzCore/Export.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "qzCore/plot/PlotPoints.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

class QZCORE_EXPORT PlotStore {
public:
    using key_type = TwoDPoint<int>;
    using mapped_type = std::vector<DataPlotPoint>;
    using Map = std::map<key_type, mapped_type, TwoDPointLess>;
    using value_type = Map::value_type;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;
    using reverse_iterator = Map::reverse_iterator;
    using const_reverse_iterator = Map::const_reverse_iterator;

    /// Keys from which the direct index pays for its memory (522 KB).
    static constexpr std::size_t Index_From_Keys = 512;

    PlotStore() = default;
    PlotStore(const PlotStore& o) : m_map(o.flushed()) {}
    PlotStore& operator=(const PlotStore& o) {
        if (this != &o) {
            m_map = o.flushed();
            m_index.reset();
            m_pending.clear();
        }
        return *this;
    }
    PlotStore(PlotStore&&) noexcept = default;
    PlotStore& operator=(PlotStore&&) noexcept = default;

    /// Adds a point at `key`, after those there.
    void append(const key_type& key, const DataPlotPoint& point) {
        const long at = slotOf(key);
        if (at >= 0) {
            m_pending.emplace_back(std::uint32_t(at), point);
        } else {
            flushed();
            slot(key).push_back(point);
        }
    }
    /// Room for `points` more appended points (a host that knows how many
    /// records it inserts saves the array's growing).
    void reserve(std::size_t points) { m_pending.reserve(m_pending.size() + points); }
    /// The points at `key`, made empty when the key is new.
    mapped_type& operator[](const key_type& key);
    /// @throw std::out_of_range for a key not in the store.
    mapped_type& at(const key_type& key) { return flushed().at(key); }
    const mapped_type& at(const key_type& key) const { return flushed().at(key); }
    iterator find(const key_type& key) { return flushed().find(key); }
    const_iterator find(const key_type& key) const { return flushed().find(key); }
    std::size_t count(const key_type& key) const { return flushed().count(key); }
    iterator erase(iterator it);
    std::size_t erase(const key_type& key);

    iterator begin() { return flushed().begin(); }
    iterator end() { return flushed().end(); }
    const_iterator begin() const { return flushed().begin(); }
    const_iterator end() const { return flushed().end(); }
    reverse_iterator rbegin() { return flushed().rbegin(); }
    reverse_iterator rend() { return flushed().rend(); }
    const_reverse_iterator rbegin() const { return flushed().rbegin(); }
    const_reverse_iterator rend() const { return flushed().rend(); }
    /// Number of keys.
    std::size_t size() const { return flushed().size(); }
    bool empty() const { return m_pending.empty() && m_map.empty(); }
    void clear() {
        m_map.clear();
        m_index.reset();
        m_pending.clear();
    }
    void swap(PlotStore& o) noexcept {
        m_map.swap(o.m_map);
        m_index.swap(o.m_index);
        m_pending.swap(o.m_pending);
    }

private:
    static constexpr int Azimuths = 361, Plunges = 181;
    /// The slot of a key in the index, or -1 outside it.
    static long slotOf(const key_type& key) {
        if (key.x() < 0 || key.x() >= Azimuths || key.y() < -90 || key.y() > 90) return -1;
        return long(key.x()) * Plunges + (key.y() + 90);
    }

    /// The map with every waiting point in it.
    Map& flushed() const {
        if (!m_pending.empty()) flush();
        return m_map;
    }
    void flush() const;
    mapped_type& slot(const key_type& key) const;

    mutable Map m_map;
    mutable std::unique_ptr<std::vector<mapped_type*>> m_index;
    mutable std::vector<std::pair<std::uint32_t, DataPlotPoint>> m_pending;  // (index slot, point)
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTSTORE_H
