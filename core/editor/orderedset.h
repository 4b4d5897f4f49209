#pragma once

#include <QHash>
#include <QVector>

namespace Velmora {

// A set that also hands out its members as a vector, with insertion, removal and lookup in
// constant time. Removal moves the last member into the gap, so the order is the order of
// insertion only until the first removal; the first member stays first unless it is removed.
template<typename T>
class OrderedSet
{
public:
    const QVector<T>& items() const { return m_items; }
    int size() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    bool contains(const T& item) const { return m_index.contains(item); }
    T value(int i, const T& fallback = T()) const { return m_items.value(i, fallback); }
    T first() const { return m_items.first(); }

    // False when the item was there already.
    bool insert(const T& item)
    {
        if (m_index.contains(item))
            return false;
        m_index.insert(item, m_items.size());
        m_items.append(item);
        return true;
    }

    // False when the item was not there.
    bool remove(const T& item)
    {
        const auto it = m_index.find(item);
        if (it == m_index.end())
            return false;
        const int at = it.value();
        m_index.erase(it);
        const T last = m_items.takeLast();
        if (at < m_items.size()) {
            m_items[at] = last;
            m_index[last] = at;
        }
        return true;
    }

    void clear()
    {
        m_items.clear();
        m_index.clear();
    }

private:
    QVector<T> m_items;
    QHash<T, int> m_index;
};

} // namespace Velmora
