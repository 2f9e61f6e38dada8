#pragma once

#include "foundation/tools/NonCopyable.hpp"

#include <sqlite3.h>

#include <sstream>
#include <string>
#include <vector>

namespace app {

/// The user settings: text values under dotted keys in the table "settings".
/// Nothing is cached; every read is a query and every write an update, through
/// two statements prepared once per connection. The store never inserts rows.
class Settings : public tools::NonCopyable {
public:
    /// Base of a settings group; a group reaches the store through its back pointer.
    class SubSettings {
    public:
        SubSettings() = default;
        virtual ~SubSettings() = default;
        SubSettings(const SubSettings&) = delete;
        SubSettings& operator=(const SubSettings&) = delete;

        /// The stored text of the key; empty when the key has no row.
        std::string getSetting(const std::string& key) const;
        /// Stores the text under the key when its row exists.
        void setSetting(const std::string& key, std::string value);

    protected:
        /// The store this group belongs to.
        Settings* getSettings() const { return settings; }
        /// The typed read of the store; T{} for a group that belongs to no store.
        template <class T>
        T getTyped(const char* key) const;
        /// The typed write of the store; nothing for a group that belongs to no store.
        template <class T>
        void setTyped(const char* key, const T& value);

    private:
        friend class Settings;
        Settings* settings = nullptr;
    };

    Settings();
    ~Settings() override;

    /// Borrows the connection and prepares the read and write statements on it.
    void setDatabase(sqlite3* database);

    /// The stored text of the key; empty when the key has no row.
    std::string getSetting(const std::string& key) const;
    /// Stores the text under the key; a missing row or a failing update is logged.
    void setSetting(const std::string& key, std::string value);

    /// The stored text read into a T by stream extraction, without skipping blanks.
    template <class T>
    T getSetting(const std::string& key) const;
    /// The value formatted by stream insertion, then stored as setSetting does.
    template <class T>
    void setSetting(const std::string& key, const T& value);

    /// Creates a group, points it at this store and keeps it; the store owns it.
    template <class T>
    T* addSubSettings();

private:
    std::vector<SubSettings*> groups;
    sqlite3* database = nullptr;
    sqlite3_stmt* getStatement = nullptr;
    sqlite3_stmt* setStatement = nullptr;
};

template <class T>
T Settings::getSetting(const std::string& key) const
{
    std::stringstream stream(getSetting(key), std::ios::in | std::ios::out);
    stream >> std::noskipws;
    T value{};
    stream >> value;
    return value;
}

template <class T>
void Settings::setSetting(const std::string& key, const T& value)
{
    std::ostringstream stream;
    stream << value;
    setSetting(key, stream.str());
}

template <class T>
T Settings::SubSettings::getTyped(const char* key) const
{
    return settings ? settings->getSetting<T>(key) : T{};
}

template <class T>
void Settings::SubSettings::setTyped(const char* key, const T& value)
{
    if (settings)
        settings->setSetting<T>(key, value);
}

template <class T>
T* Settings::addSubSettings()
{
    T* group = new T();
    static_cast<SubSettings*>(group)->settings = this;
    groups.push_back(group);
    return group;
}

} // namespace app
