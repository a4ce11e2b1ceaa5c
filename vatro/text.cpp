#include "vatro/text.h"

#include <cstdio>

namespace vatro {

bool toUtf8(const char16_t *s, std::size_t n, std::string *out, bool allowNul, bool rawBytes)
{
    out->clear();
    out->reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = s[i];
        if (c == 0 && !allowNul)
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= n || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            if (!rawBytes || c < 0xDC80 || c > 0xDCFF)
                return false;
            out->push_back(char(c - 0xDC00));
            continue;
        }
        if (c < 0x80) {
            out->push_back(char(c));
        } else if (c < 0x800) {
            out->push_back(char(0xC0 | (c >> 6)));
            out->push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out->push_back(char(0xE0 | (c >> 12)));
            out->push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out->push_back(char(0x80 | (c & 0x3F)));
        } else {
            out->push_back(char(0xF0 | (c >> 18)));
            out->push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out->push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out->push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return true;
}

std::u16string fromUtf8(const std::string &s, bool rawBytes)
{
    std::u16string out;
    out.reserve(s.size());
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        int extra = 0;
        char32_t c = 0;
        char32_t min = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, min = 0x10000;
        } else {
            out.push_back(rawBytes ? char16_t(0xDC00 + b) : char16_t(0xFFFD));
            ++i;
            continue;
        }
        bool good = i + std::size_t(extra) < n;
        for (int k = 1; good && k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                good = false;
            else
                c = (c << 6) | (p[i + k] & 0x3F);
        }
        if (!good || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(rawBytes ? char16_t(0xDC00 + b) : char16_t(0xFFFD));
            ++i;
            continue;
        }
        i += std::size_t(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(char16_t(0xD800 + (c >> 10)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
    }
    return out;
}

BSTR allocBstr(const std::string &utf8, bool rawBytes)
{
    const std::u16string w = fromUtf8(utf8, rawBytes);
    return SysAllocStringLen(w.data(), UINT(w.size()));
}

std::string guidToString(const GUID &g)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1,
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

bool guidFromString(const std::string &s, GUID *g)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (s.size() != 38 || s.front() != '{' || s.back() != '}')
        return false;
    std::uint8_t bytes[16];
    int nibbles = 0;
    for (std::size_t i = 1; i < 37; ++i) {
        const char c = s[i];
        if (i == 9 || i == 14 || i == 19 || i == 24) {
            if (c != '-')
                return false;
            continue;
        }
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            return false;
        if (nibbles % 2 == 0)
            bytes[nibbles / 2] = std::uint8_t(v << 4);
        else
            bytes[nibbles / 2] |= std::uint8_t(v);
        ++nibbles;
    }
    g->Data1 = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 |
               std::uint32_t(bytes[2]) << 8 | bytes[3];
    g->Data2 = std::uint16_t(bytes[4] << 8 | bytes[5]);
    g->Data3 = std::uint16_t(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i)
        g->Data4[i] = bytes[8 + i];
    return true;
}

static char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalsNoCase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

bool equalsNoCase(const char16_t *a, std::size_t n, const char *b)
{
    std::size_t i = 0;
    for (; i < n && b[i]; ++i) {
        if (a[i] > 0x7F || lowerAscii(char(a[i])) != lowerAscii(b[i]))
            return false;
    }
    return i == n && b[i] == 0;
}

} // namespace vatro
