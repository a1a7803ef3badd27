#pragma once

#include <string>

namespace veldrun {

// Takes a file name (or path) as the system gives it; returns it as it may be printed on a
// terminal or in a log. A name of printable UTF-8 comes back unchanged. Otherwise the whole
// name goes into single quotes, and each control character or byte that is not UTF-8 is
// written as $'\n' or $'\033', the way coreutils' shell-escape quoting does, so that a shell
// reads it back as the same name and no byte of it can move the cursor or fake a line:
// "a\nb.MTS" gives 'a'$'\n''b.MTS'. Throws only std::bad_alloc.
std::string QuotedName(const std::string& name);

} // namespace veldrun
