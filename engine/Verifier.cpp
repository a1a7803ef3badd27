#include "engine/Verifier.h"

#include <stdexcept>

namespace veldrun {

Verifier::Result Verifier::Compare(File&, std::int64_t, const std::string&,
                                   const std::vector<Input>&, std::int32_t, std::int64_t,
                                   std::int64_t&, const ProgressCallback&) {
    throw std::logic_error("verifying is not built yet");
}

} // namespace veldrun
