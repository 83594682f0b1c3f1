#include "qzCore/plot/PlotStore.h"

namespace qzCore {

PlotStore::mapped_type& PlotStore::slot(const key_type& key) const {
    const long at = slotOf(key);
    if (m_index && at >= 0) {
        mapped_type*& cached = (*m_index)[std::size_t(at)];
        if (!cached) cached = &m_map[key];
        return *cached;
    }
    mapped_type& points = m_map[key];
    if (!m_index && m_map.size() >= Index_From_Keys) {
        // Map nodes never move: their addresses index the keys.
        m_index = std::make_unique<std::vector<mapped_type*>>(std::size_t(Azimuths) * Plunges, nullptr);
        for (auto& entry : m_map) {
            const long s = slotOf(entry.first);
            if (s >= 0) (*m_index)[std::size_t(s)] = &entry.second;
        }
    }
    return points;
}

PlotStore::mapped_type& PlotStore::operator[](const key_type& key) {
    flushed();
    return slot(key);
}

void PlotStore::flush() const {
    std::vector<std::pair<std::uint32_t, DataPlotPoint>> pending;
    pending.swap(m_pending);
    auto keyOf = [](std::uint32_t s) { return key_type(int(s / Plunges), int(s % Plunges) - 90); };
    if (pending.size() < Index_From_Keys) {
        for (const auto& p : pending) slot(keyOf(p.first)).push_back(p.second);
        return;
    }
    // Counted by key first, so each key's points get their room at once;
    // then every point joins its key in the order it came.
    std::vector<std::uint32_t> counts(std::size_t(Azimuths) * Plunges, 0);
    for (const auto& p : pending) ++counts[p.first];
    std::vector<mapped_type*> target(counts.size(), nullptr);
    for (std::size_t s = 0; s < counts.size(); ++s) {
        if (counts[s] == 0) continue;
        mapped_type& points = slot(keyOf(std::uint32_t(s)));
        points.reserve(points.size() + counts[s]);
        target[s] = &points;
    }
    for (const auto& p : pending) target[p.first]->push_back(p.second);
}

PlotStore::iterator PlotStore::erase(iterator it) {
    const long slot = slotOf(it->first);
    if (m_index && slot >= 0) (*m_index)[std::size_t(slot)] = nullptr;
    return m_map.erase(it);
}

std::size_t PlotStore::erase(const key_type& key) {
    const auto it = flushed().find(key);
    if (it == m_map.end()) return 0;
    erase(it);
    return 1;
}

}  // namespace qzCore
