#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <utility>

namespace velk {

/// Owns one-shot sounds (or anything else that finishes) oldest first. Those
/// that have finished are dropped wherever they stand, and the queue never
/// holds more than its capacity: pushing into a full queue drops the oldest
/// first. So continuous boring or a rattle of impacts cannot pile up sounds.
template <typename T>
class OneShotQueue {
public:
    explicit OneShotQueue(std::size_t capacity) : capacity(capacity > 0 ? capacity : 1) {}

    std::size_t size() const { return items.size(); }
    bool empty() const { return items.empty(); }
    std::size_t getCapacity() const { return capacity; }
    const T& front() const { return *items.front(); }
    const T& back() const { return *items.back(); }

    /// Appends the item (null is ignored), dropping the oldest while full.
    void push(std::unique_ptr<T> item)
    {
        if (!item)
            return;
        while (items.size() >= capacity)
            items.pop_front();
        items.push_back(std::move(item));
    }

    /// Drops every item for which `finished(item)` is true; the rest keep their order.
    template <typename Finished>
    void dropFinished(Finished finished)
    {
        for (auto it = items.begin(); it != items.end();) {
            if (finished(static_cast<const T&>(**it)))
                it = items.erase(it);
            else
                ++it;
        }
    }

    void clear() { items.clear(); }

private:
    std::size_t capacity;
    std::deque<std::unique_ptr<T>> items;
};

} // namespace velk
