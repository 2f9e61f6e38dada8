#pragma once

#include <string>
#include <utility>

namespace fx {

/// Names a resource of type T by the file it is loaded from. Keys with the
/// same path share one cached resource. The empty path names nothing.
template <typename T>
class AssetKey {
public:
    AssetKey() = default;
    static AssetKey fromFile(std::string path) { return AssetKey(std::move(path)); }

    const std::string& path() const { return path_; }
    bool empty() const { return path_.empty(); }

    friend bool operator==(const AssetKey& a, const AssetKey& b) { return a.path_ == b.path_; }
    friend bool operator!=(const AssetKey& a, const AssetKey& b) { return a.path_ != b.path_; }
    friend bool operator<(const AssetKey& a, const AssetKey& b) { return a.path_ < b.path_; }

private:
    explicit AssetKey(std::string path) : path_(std::move(path)) {}
    std::string path_;
};

/// Shorthand for AssetKey<T>::fromFile.
template <typename T>
AssetKey<T> fileKey(std::string path)
{
    return AssetKey<T>::fromFile(std::move(path));
}

} // namespace fx
