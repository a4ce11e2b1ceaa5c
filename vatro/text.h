#pragma once
// Text helpers shared by the library and the host: UTF-16 and UTF-8,
// class identifiers as text, case-insensitive comparison.

#include "vatro/vatro_com.h"

#include <string>

namespace vatro {

// A file name need not be UTF-8. The editor carries each byte of a name
// that is not part of a well-formed UTF-8 sequence as the lone surrogate
// U+DC80..U+DCFF (0x80..0xFF); with `rawBytes` the conversions below read
// and write names that way, so that every name makes the round trip.

// Converts UTF-16 to UTF-8. Returns false (and leaves `out` unspecified) when
// the text holds an unpaired surrogate (other than a raw byte with
// `rawBytes`), or a NUL when `allowNul` is false.
bool toUtf8(const char16_t *s, std::size_t n, std::string *out, bool allowNul = true,
            bool rawBytes = false);
// Converts UTF-8 to UTF-16; a malformed byte becomes U+FFFD, or its raw
// byte surrogate with `rawBytes`.
std::u16string fromUtf8(const std::string &s, bool rawBytes = false);
// A new BSTR holding the UTF-8 text; nullptr only when memory runs out.
BSTR allocBstr(const std::string &utf8, bool rawBytes = false);

// "{4C7BC103-7DA9-11D3-B327-000021C5C8A9}"
std::string guidToString(const GUID &g);
bool guidFromString(const std::string &s, GUID *g);

// ASCII letters compared without regard to case, every other byte exactly.
bool equalsNoCase(const std::string &a, const std::string &b);
bool equalsNoCase(const char16_t *a, std::size_t n, const char *b);

} // namespace vatro
