#pragma once

namespace tools {

/// Base of every class that owns resources: derived objects cannot be copied.
class NonCopyable {
public:
    NonCopyable() = default;
    virtual ~NonCopyable();

private:
    NonCopyable(const NonCopyable&);
    NonCopyable& operator=(const NonCopyable&);
};

} // namespace tools
