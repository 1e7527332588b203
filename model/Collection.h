#pragma once

#include "base/Error.h"

#include <memory>
#include <vector>

// An ordered list of shared object references with 1-based positions. Add takes the caller's
// reference and leaves it empty: the list becomes the item's holder.
template <typename T> class Collection
{
public:
    using Ptr = std::shared_ptr<T>;

    void Add(Ptr& item) { m_items.push_back(std::move(item)); }
    void Add(Ptr&& item) { m_items.push_back(std::move(item)); }

    // The item at 1-based position index; error 5 outside 1..Count.
    const Ptr& Item(int index) const
    {
        checkPosition(index);
        return m_items[std::size_t(index - 1)];
    }

    int Count() const { return int(m_items.size()); }

    // Removes the item at 1-based position index; error 5 (list unchanged) outside 1..Count.
    void Remove(int index)
    {
        checkPosition(index);
        m_items.erase(m_items.begin() + (index - 1));
    }

    void reserve(int count) { m_items.reserve(std::size_t(count)); }

    // Enumeration in list order (the "for each" of the model).
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

protected:
    // Removes the items one by one from the last, as the lists with RemoveAll do.
    void removeAllItems()
    {
        while (!m_items.empty())
            m_items.pop_back();
    }

private:
    void checkPosition(int index) const
    {
        if (index < 1 || index > Count())
            throw Failure::invalidArgument();
    }

    std::vector<Ptr> m_items;
};
