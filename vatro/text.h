#pragma once
// Text helpers shared by the library and the host: UTF-16 and UTF-8,
// class identifiers as text, case-insensitive comparison.

#include "vatro/vatro_com.h"

#include <string>

namespace vatro {

// Converts UTF-16 to UTF-8. Returns false (and leaves `out` unspecified) when
// the text holds an unpaired surrogate, or a NUL when `allowNul` is false.
bool toUtf8(const char16_t *s, std::size_t n, std::string *out, bool allowNul = true);
// Converts UTF-8 to UTF-16; a malformed byte becomes U+FFFD.
std::u16string fromUtf8(const std::string &s);
// A new BSTR holding the UTF-8 text; nullptr only when memory runs out.
BSTR allocBstr(const std::string &utf8);

// "{4C7BC103-7DA9-11D3-B327-000021C5C8A9}"
std::string guidToString(const GUID &g);
bool guidFromString(const std::string &s, GUID *g);

// ASCII letters compared without regard to case, every other byte exactly.
bool equalsNoCase(const std::string &a, const std::string &b);
bool equalsNoCase(const char16_t *a, std::size_t n, const char *b);

} // namespace vatro
