#pragma once

#include <string>

namespace tools {

/// A name.
class Named {
public:
    explicit Named(const std::string& name);
    virtual ~Named();

    const std::string& getName() const { return name; }
    std::string& getName() { return name; }
    void setName(const std::string& newName) { name = newName; }

private:
    std::string name;
};

} // namespace tools
