#include "foundation/tools/NonCopyable.hpp"

namespace tools {

NonCopyable::~NonCopyable() = default;

} // namespace tools
