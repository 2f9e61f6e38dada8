#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

class SfmlEventListener;

/// The window's listeners, in registration order.
///
/// Input objects register and unregister on whatever thread builds or destroys
/// them (the play screen builds its game on a loading thread) while the main
/// thread hands out events. One recursive lock covers the list and every walk
/// over it: a call from another thread waits until the walk has finished, so a
/// listener that has been removed is never called again and may be destroyed
/// at once; calls from a listener during the walk (on the same thread) go
/// through immediately.
///
/// Because of the lock, a listener must not wait inside a walk for another
/// thread that is adding or removing listeners (it would wait for itself).
///
/// A walk visits the listeners by index and re-reads the size at every step:
/// a listener added during the walk is visited in the same pass. Removing a
/// listener during the walk (itself or another one) keeps the walk on the
/// listener that followed the current one, so nobody is skipped or visited
/// twice.
class SfmlListenerList {
public:
    /// Appends; ignores null and a listener already in the list.
    void add(SfmlEventListener* listener);
    /// Removes the first equal entry, keeping the order of the rest; ignores
    /// null and listeners that are not in the list.
    void remove(SfmlEventListener* listener);
    void clear();

    bool contains(SfmlEventListener* listener) const;
    std::size_t size() const;

    /// Calls visit on each listener in order (see the class comment for what
    /// changes during the walk do).
    void forEach(const std::function<void(SfmlEventListener&)>& visit);

private:
    // Called with the lock held: shifts the walks that are under way after an
    // entry at index has been erased.
    void onErased(std::ptrdiff_t index);

    mutable std::recursive_mutex mutex;
    std::vector<SfmlEventListener*> listeners;
    // Index of the listener each running walk is visiting (walks nest when a
    // listener triggers another dispatch, e.g. a window re-creation that sends
    // a Resized event to everyone).
    std::vector<std::ptrdiff_t*> walks;
};
