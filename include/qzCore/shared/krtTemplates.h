// Generic containers shared by the registries, the station list and the
// label tables: a keyed label table with a null key (krtFlyweight), a
// lazily created process-wide instance (krtSingleton) and a two-way table
// between keys and labels (krtPropertyList).
#ifndef QZCORE_SHARED_KRTTEMPLATES_H
#define QZCORE_SHARED_KRTTEMPLATES_H

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace qzCore {

/// A sorted table from key to value, with a null key that callers use to
/// mean "no key" (the table itself stores any key).  Copies are deep.
template <typename K, typename V, typename Compare = std::less<K>>
class krtFlyweight {
public:
    using map_type = std::map<K, V, Compare>;

    explicit krtFlyweight(const K& nullKey) : m_nullKey(nullKey) {}

    const K& nullKey() const { return m_nullKey; }

    /// Inserts or overwrites the value of `key`.
    bool set(const K& key, const V& value) {
        m_table[key] = value;
        return true;
    }
    /// The value of `key`; false (value unchanged) when absent.
    bool get(const K& key, V& value) const {
        const auto it = m_table.find(key);
        if (it == m_table.end()) return false;
        value = it->second;
        return true;
    }
    /// The first key, in ascending key order, whose value equals `value`;
    /// false (key unchanged) when none does.
    bool getKey(const V& value, K& key) const {
        for (const auto& kv : m_table) {
            if (kv.second == value) {
                key = kv.first;
                return true;
            }
        }
        return false;
    }
    bool has(const K& key) const { return m_table.find(key) != m_table.end(); }
    bool unregister(const K& key) { return m_table.erase(key) > 0; }
    void clear() { m_table.clear(); }
    std::size_t size() const { return m_table.size(); }
    const map_type& table() const { return m_table; }

private:
    K m_nullKey;
    map_type m_table;
};

/// The same, by what it is: a sorted key-value table with a null key.
template <typename K, typename V, typename Compare = std::less<K>>
using KeyedTable = krtFlyweight<K, V, Compare>;

/// Lazily created process-wide instance of T.  T befriends krtSingleton<T>
/// and keeps its constructor private.  Not thread-safe on first use: call
/// instance() once at start-up before any concurrent use.
template <typename T>
class krtSingleton {
public:
    static T& instance() {
        auto& p = holder();
        if (!p) p.reset(new T());
        return *p;
    }
    /// Deletes the instance; the next instance() builds a fresh one.
    static void destroy() { holder().reset(); }
    static bool exists() { return static_cast<bool>(holder()); }

protected:
    krtSingleton() = default;
    ~krtSingleton() = default;

private:
    static std::unique_ptr<T>& holder() {
        static std::unique_ptr<T> p;
        return p;
    }
};

/// The same, by what it is: one lazily created instance per process.
template <typename T>
using ProcessSingleton = krtSingleton<T>;

/// A two-way table between keys and labels.  Lookups that find nothing
/// answer with the null key or the null label given at construction.
template <typename K, typename V>
class krtPropertyList {
public:
    krtPropertyList(const K& nullKey, const V& nullProperty)
        : m_nullKey(nullKey), m_nullProperty(nullProperty) {}
    virtual ~krtPropertyList() = default;
    krtPropertyList(const krtPropertyList&) = default;
    krtPropertyList& operator=(const krtPropertyList&) = default;

    /// Sets the label of `key` (replacing an older one).  False for the null
    /// key or the null label.
    bool set(const K& key, const V& property) {
        if (key == m_nullKey || property == m_nullProperty) return false;
        m_table[key] = property;
        return true;
    }
    /// The first key (ascending) holding `property`, or the null key.
    K keyFromProperty(const V& property) const {
        for (const auto& kv : m_table) {
            if (kv.second == property) return kv.first;
        }
        return m_nullKey;
    }
    /// The label of `key`, or the null label.
    V propertyFromKey(const K& key) const {
        const auto it = m_table.find(key);
        return it == m_table.end() ? m_nullProperty : it->second;
    }
    bool has(const K& key) const { return m_table.find(key) != m_table.end(); }
    bool unregister(const K& key) { return m_table.erase(key) > 0; }
    void clear() { m_table.clear(); }
    std::size_t size() const { return m_table.size(); }
    const K& nullKey() const { return m_nullKey; }
    const V& nullProperty() const { return m_nullProperty; }
    const std::map<K, V>& table() const { return m_table; }

private:
    K m_nullKey;
    V m_nullProperty;
    std::map<K, V> m_table;
};

/// The same, by what it is: a two-way table between keys and labels.
template <typename K, typename V>
using TwoWayTable = krtPropertyList<K, V>;

}  // namespace qzCore

#endif  // QZCORE_SHARED_KRTTEMPLATES_H
