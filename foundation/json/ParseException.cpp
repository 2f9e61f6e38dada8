#include "foundation/json/ParseException.hpp"

namespace json {

ParseException::ParseException(const std::string& detail) : message("Json parse error (" + detail + ")") {}

const char* ParseException::what() const noexcept
{
    return message.c_str();
}

} // namespace json
