#pragma once

#include "framework/fx/AssetKey.hpp"
#include "framework/fx/AssetLoading.hpp"

#include <map>
#include <memory>
#include <mutex>

namespace fx {

/// Resources of one type shared by key. The first acquire of a key loads the
/// file; later ones return the same object. A file that cannot be loaded is
/// logged once and gives the type's stand-in (null for textures and fonts, a
/// silent buffer for sounds) until the key is released. Resources are held by
/// shared pointers, so users may keep them after a release or after the cache
/// is gone. Safe to use from several threads (e.g. filled on a loading thread
/// and read on the main thread); files are loaded outside the lock.
template <typename T>
class AssetCache {
public:
    using Pointer = std::shared_ptr<T>;

    /// The resource of the key, loading it on first use.
    Pointer acquire(const AssetKey<T>& key)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const auto it = entries_.find(key);
            if (it != entries_.end())
                return it->second;
        }
        Pointer loaded = key.empty() ? nullptr : AssetLoading<T>::load(key.path());
        const bool failed = !loaded;
        if (failed)
            loaded = AssetLoading<T>::fallback();

        std::lock_guard<std::mutex> lock(mutex_);
        const auto [it, inserted] = entries_.emplace(key, std::move(loaded));
        // Another thread may have loaded the same key meanwhile: its entry
        // wins, and only the thread that stored a failure reports it.
        if (inserted && failed && !key.empty())
            logAssetFailure(AssetLoading<T>::kind, key.path(), AssetLoading<T>::fallbackNote);
        return it->second;
    }

    /// The resource of the key when it was acquired before, else null; never loads.
    Pointer find(const AssetKey<T>& key) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto it = entries_.find(key);
        return it != entries_.end() ? it->second : nullptr;
    }

    /// Whether the key has an entry (also a remembered failure).
    bool contains(const AssetKey<T>& key) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return entries_.count(key) != 0;
    }

    /// Drops the cache's share of the key; the next acquire loads the file again.
    void release(const AssetKey<T>& key)
    {
        Pointer dropped;
        std::lock_guard<std::mutex> lock(mutex_);
        const auto it = entries_.find(key);
        if (it != entries_.end()) {
            dropped = std::move(it->second);
            entries_.erase(it);
        }
    }

    std::size_t size() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return entries_.size();
    }

private:
    mutable std::mutex mutex_;
    std::map<AssetKey<T>, Pointer> entries_;
};

} // namespace fx
