#include "framework/sfml/SfmlListenerList.hpp"

#include <algorithm>

void SfmlListenerList::add(SfmlEventListener* listener)
{
    if (!listener)
        return;
    std::lock_guard<std::recursive_mutex> lock(mutex);
    if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void SfmlListenerList::remove(SfmlEventListener* listener)
{
    if (!listener)
        return;
    std::lock_guard<std::recursive_mutex> lock(mutex);
    auto it = std::find(listeners.begin(), listeners.end(), listener);
    if (it == listeners.end())
        return;
    const std::ptrdiff_t index = it - listeners.begin();
    listeners.erase(it);
    onErased(index);
}

void SfmlListenerList::clear()
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    listeners.clear();
    // Every walk restarts at the (now empty) front; listeners added later in
    // the same walk are still reached.
    for (std::ptrdiff_t* current : walks)
        *current = -1;
}

bool SfmlListenerList::contains(SfmlEventListener* listener) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

std::size_t SfmlListenerList::size() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    return listeners.size();
}

void SfmlListenerList::forEach(const std::function<void(SfmlEventListener&)>& visit)
{
    std::lock_guard<std::recursive_mutex> lock(mutex);
    std::ptrdiff_t current = 0;
    walks.push_back(&current);
    struct WalkGuard {
        std::vector<std::ptrdiff_t*>& walks;
        ~WalkGuard() { walks.pop_back(); }
    } guard{walks};
    for (; current < static_cast<std::ptrdiff_t>(listeners.size()); ++current)
        visit(*listeners[static_cast<std::size_t>(current)]);
}

void SfmlListenerList::onErased(std::ptrdiff_t index)
{
    // The entry after the erased one moved down by one: a walk at or past the
    // erased index steps back so that its next step lands on that entry.
    for (std::ptrdiff_t* current : walks)
        if (index <= *current)
            --*current;
}
