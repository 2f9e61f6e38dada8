#pragma once

#include <exception>
#include <string>

namespace json {

/// Thrown for malformed JSON text; the message is
/// "Json parse error (" + detail + ")".
class ParseException : public std::exception {
public:
    explicit ParseException(const std::string& detail);
    const char* what() const noexcept override;

private:
    std::string message;
};

} // namespace json
