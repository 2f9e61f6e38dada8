#pragma once

#include "foundation/tools/NonCopyable.hpp"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tools {

/// An owning set of heap objects in insertion order. It deletes its objects
/// when they leave or when the set dies, and tells its listeners about every
/// arrival and departure. A pointer must be added at most once.
template <typename T>
class ResourceSet : public NonCopyable {
public:
    /// Receiver of a set's notifications; the set does not own its listeners.
    class Listener {
    public:
        virtual ~Listener() = default;
        /// After the resource joined the set.
        virtual void onResourceCreated(T* resource) { (void)resource; }
        /// Before the resource is deleted; it is still in the set and alive.
        virtual void onResourceDestroying(T* resource) { (void)resource; }
        /// After the resource was deleted and left the set; do not dereference.
        virtual void onResourceDestroyed(T* resource) { (void)resource; }
    };

    ResourceSet() = default;

    /// Clears the set, so every listener still registered must be alive here.
    ~ResourceSet() override { clear(); }

    /// Takes ownership, appends and notifies the listeners in registration order.
    T* add(T* resource) { return insert(resources.size(), resource); }

    /// Takes ownership, places the resource before the one at `index` (at the
    /// end when `index` is past it) and notifies like `add`.
    T* insert(std::size_t index, T* resource)
    {
        index = std::min(index, resources.size());
        resources.insert(resources.begin() + static_cast<std::ptrdiff_t>(index), resource);
        // Index loop: a listener may register another listener meanwhile.
        for (std::size_t i = 0; i < listeners.size(); ++i)
            listeners[i]->onResourceCreated(resource);
        return resource;
    }

    /// Deletes one resource with its notifications; unknown pointers are ignored.
    /// A set may hold the deletion back for later (see `deferDestroy`).
    void destroy(T* resource)
    {
        if (std::find(resources.begin(), resources.end(), resource) == resources.end())
            return;
        if (deferDestroy(resource))
            return;
        for (std::size_t i = 0; i < listeners.size(); ++i)
            listeners[i]->onResourceDestroying(resource);
        delete resource;
        // Searched again: the deleted object or a listener may have changed the sequence.
        auto it = std::find(resources.begin(), resources.end(), resource);
        if (it != resources.end())
            resources.erase(it);
        for (std::size_t i = 0; i < listeners.size(); ++i)
            listeners[i]->onResourceDestroyed(resource);
    }

    /// Destroys the resources front first until the set is empty, or until
    /// only those it holds back for later (see `deferDestroy`) are left.
    void clear()
    {
        std::size_t heldBack = 0;
        while (resources.size() > heldBack) {
            T* resource = resources[heldBack];
            destroy(resource);
            if (heldBack < resources.size() && resources[heldBack] == resource)
                ++heldBack;
        }
    }

    /// Registers a listener once; a second registration changes nothing.
    void addListener(Listener* listener)
    {
        if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
            listeners.push_back(listener);
    }

    const std::vector<T*>& getResources() const { return resources; }

protected:
    /// Whether `destroy` leaves the resource to be destroyed later by the set
    /// itself (a world in the middle of a physics step, say). Every removal
    /// passes here, so no caller can get around the set's rule.
    virtual bool deferDestroy(T* resource)
    {
        (void)resource;
        return false;
    }

private:
    std::vector<T*> resources;
    std::vector<Listener*> listeners;
};

} // namespace tools
