#pragma once

#include <optional>
#include <string>

namespace veldrun {

// Wide (interface) text to narrow (file system) text and back. The narrow encoding here is
// UTF-8, so a valid text converts without loss; a text that holds no valid Unicode gives
// nullopt instead of turning into some other path.

// Takes wide text; returns its UTF-8 form, or nullopt when it holds a lone surrogate or a
// value past U+10FFFF. Throws only std::bad_alloc.
std::optional<std::string> ToNarrow(const std::wstring& text);
// Takes UTF-8 text; returns its wide form, or nullopt when it is malformed (an overlong form,
// a surrogate, a cut sequence). Throws only std::bad_alloc.
std::optional<std::wstring> ToWide(const std::string& text);

} // namespace veldrun
