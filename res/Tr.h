#pragma once

#include <string>
#include <vector>

// Marks an English text in a table or template for translation and gives it as wide text; the
// context names the table's messages in the translation files. The texts are ASCII.
#define VELDRUN_TEXT(context, text) L"" text

namespace res {

// Takes a translation context, an English source text (UTF-8, the text shown when no
// translation is loaded), an optional disambiguation and, for texts with %n, the count that
// chooses the plural form; returns the text in the user's language. Throws only
// std::bad_alloc.
// Give the count as int(x), not static_cast<int>(x): lupdate loses a call whose arguments hold
// a template's angle brackets.
std::wstring Tr(const char* context, const char* source, const char* disambiguation = nullptr,
                int n = -1);

// Takes a context and an English text marked with VELDRUN_TEXT (ASCII, wide); returns it
// translated as above. Throws only std::bad_alloc.
std::wstring Tr(const char* context, const wchar_t* source);

// Takes a translated text and the texts for its %1 %2 ... markers; returns the text with each
// marker replaced by its argument in one pass, so that a translation may put them in any order
// and an argument's own "%2" stays as it is. Other % sequences (%n, %i) are left alone.
// Throws only std::bad_alloc.
std::wstring Filled(const std::wstring& text, const std::vector<std::wstring>& args);

} // namespace res
