#include "engine/QuotedName.h"

#include <cstdio>

#include "engine/TextConversion.h"

namespace veldrun {

namespace {

// The bytes of the UTF-8 character at `at`, 0 when none starts there (a stray, cut or
// overlong sequence).
std::size_t CharacterLength(const std::string& name, std::size_t at) {
    for (std::size_t length = 1; length <= 4 && at + length <= name.size(); ++length) {
        if (ToWide(name.substr(at, length)))
            return length;
    }
    return 0;
}

// C0 controls, DEL and the C1 controls: a terminal acts on them instead of showing them.
bool IsControl(const std::string& name, std::size_t at, std::size_t length) {
    const unsigned char lead = static_cast<unsigned char>(name[at]);
    if (length == 1)
        return lead < 0x20 || lead == 0x7F;
    return length == 2 && lead == 0xC2 && static_cast<unsigned char>(name[at + 1]) < 0xA0;
}

// A byte inside $'...': the letter a shell knows for it, else three octal digits.
std::string Escaped(unsigned char byte) {
    static const char kLetters[] = "abtnvfr";
    if (byte >= '\a' && byte <= '\r')
        return std::string{'\\', kLetters[byte - '\a']};
    char octal[5];
    std::snprintf(octal, sizeof octal, "\\%03o", byte);
    return octal;
}

} // namespace

std::string QuotedName(const std::string& name) {
    std::string quoted = "'";
    bool needed = false;
    // Inside $'...' rather than '...'.
    bool escaping = false;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = CharacterLength(name, at);
        if (length == 0 || IsControl(name, at, length)) {
            needed = true;
            if (!escaping)
                quoted += "'$'";
            escaping = true;
            for (std::size_t k = 0; k < (length == 0 ? 1 : length); ++k)
                quoted += Escaped(static_cast<unsigned char>(name[at + k]));
            at += length == 0 ? 1 : length;
            continue;
        }
        if (name[at] == '\'') {
            // Closes either kind of quote, adds the quote itself, opens a plain one.
            quoted += "'\\''";
        } else {
            if (escaping)
                quoted += "''";
            quoted.append(name, at, length);
        }
        escaping = false;
        at += length;
    }
    return needed ? quoted + "'" : name;
}

} // namespace veldrun
