#include "engine/MergeError.h"

#include <utility>

namespace veldrun {

MergeError::MergeError(const char* message, std::string detail)
    : std::runtime_error(message), m_detail(std::move(detail)) {}

} // namespace veldrun
