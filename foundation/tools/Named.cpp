#include "foundation/tools/Named.hpp"

namespace tools {

Named::Named(const std::string& name) : name(name) {}

Named::~Named() = default;

} // namespace tools
