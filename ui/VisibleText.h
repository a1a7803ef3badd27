#pragma once

#include <string>

namespace veldrun {

// Takes text for a message box; returns it with each control character (C0, DEL, C1) written
// as an escape a reader can see, \n, \t, \e or \x85, so that a name holding one cannot break or
// disguise the message. Other text, backslashes included, is unchanged. Throws only
// std::bad_alloc.
std::wstring VisibleText(const std::wstring& text);

} // namespace veldrun
