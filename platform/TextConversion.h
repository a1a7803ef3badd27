#pragma once

#include <optional>
#include <string>

// Wide (interface) text to narrow (file system) text and back. The narrow encoding here is
// UTF-8, so a valid text converts without loss; a text that holds no valid Unicode (a lone
// surrogate, a value past U+10FFFF, malformed UTF-8) gives nullopt instead of turning into
// some other path.
std::optional<std::string> ToNarrow(const std::wstring& text);
std::optional<std::wstring> ToWide(const std::string& text);
