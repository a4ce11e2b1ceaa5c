// Argument conversion by COM's rules (VariantChangeType, English locale).

#include "vatro/coerce.h"

#include "vatro/text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vatro {

namespace {

constexpr DISPID kDispIdValue = 0;
constexpr double kFirstDate = -657434.0; // 1 January 100
constexpr double kLastDate = 2958465.0;  // 31 December 9999

// A by-value copy of an argument (nothing owned), with a DECIMAL, which
// fills the whole VARIANT, kept apart.
struct Plain {
    VARIANT v;
    DECIMAL dec;
};

HRESULT plainValue(const VARIANT &in, Plain *out)
{
    if (in.vt == (VT_BYREF | VT_VARIANT)) {
        if (!in.pvarVal)
            return E_POINTER;
        // One level only, as COM follows it.
        if (in.pvarVal->vt == (VT_BYREF | VT_VARIANT))
            return DISP_E_TYPEMISMATCH;
        return plainValue(*in.pvarVal, out);
    }
    if (in.vt & VT_ARRAY)
        return DISP_E_TYPEMISMATCH;
    out->v = in;
    const VARTYPE type = in.vt & ~VT_BYREF;
    const bool byref = in.vt & VT_BYREF;
    if (byref && !in.byref)
        return E_POINTER;
    out->v.vt = type;
    if (type == VT_DECIMAL) {
        std::memcpy(&out->dec, byref ? in.byref : static_cast<const void *>(&in), sizeof(DECIMAL));
        return S_OK;
    }
    if (!byref)
        return S_OK;
    switch (type) {
    case VT_I1: case VT_UI1: out->v.bVal = *in.pbVal; break;
    case VT_I2: case VT_UI2: case VT_BOOL: out->v.iVal = *in.piVal; break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: out->v.lVal = *in.plVal; break;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: out->v.llVal = *in.pllVal; break;
    case VT_BSTR: out->v.bstrVal = *in.pbstrVal; break;
    case VT_DISPATCH: out->v.pdispVal = *in.ppdispVal; break;
    case VT_UNKNOWN: out->v.punkVal = *in.ppunkVal; break;
    default: return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

// The default value (DISPID_VALUE) of an object, which COM converts in its
// place; false when it has none, or only another object (by value or by
// reference: one that gives itself would be followed for ever).
bool defaultValue(IDispatch *obj, VARIANT *out)
{
    if (!obj)
        return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantInit(out);
    EXCEPINFO ei{};
    const HRESULT h = obj->Invoke(kDispIdValue, IID_NULL, 0x0409, DISPATCH_PROPERTYGET, &none, out, &ei, nullptr);
    ClearExcepInfo(&ei);
    Plain p;
    if (FAILED(h) || FAILED(plainValue(*out, &p)) || p.v.vt == VT_DISPATCH || p.v.vt == VT_UNKNOWN) {
        VariantClear(out);
        return false;
    }
    return true;
}

// An object argument converts as its default value does.
template <class Out>
HRESULT throughDefaultValue(IDispatch *object, Out *out, HRESULT (*coerce)(const VARIANT &, Out *))
{
    VARIANT value;
    if (!defaultValue(object, &value))
        return DISP_E_TYPEMISMATCH;
    const HRESULT h = coerce(value, out);
    VariantClear(&value);
    return h;
}

std::string unsignedText(unsigned __int128 n)
{
    std::string s;
    do {
        s.insert(s.begin(), char('0' + int(n % 10)));
        n /= 10;
    } while (n);
    return s;
}

// A scaled integer as text: the fraction without trailing zeros.
std::string scaledText(bool negative, unsigned __int128 n, unsigned scale)
{
    std::string s = unsignedText(n);
    if (scale) {
        if (s.size() <= scale)
            s.insert(0, scale + 1 - s.size(), '0');
        s.insert(s.size() - scale, ".");
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return (negative && s != "0" ? "-" : "") + s;
}

// As VarBstrFromR8 / VarBstrFromR4 write a number: 15 (or 7) significant
// digits, exponent notation for the very large and very small, no "-0".
std::string realText(double d, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, d);
    std::string s = buf;
    return s == "-0" ? "0" : s;
}

// A number as VarR8FromStr reads it in the English locale: blanks around
// it, a sign, thousands separators, a decimal point, an exponent (E or D),
// or &H / &O for hexadecimal and octal.
bool parseNumber(const std::string &text, double *out)
{
    const auto b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return false;
    const auto e = text.find_last_not_of(" \t");
    std::string s = text.substr(b, e - b + 1);
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        // Digits of the base only: no blank, sign or "0x" after the prefix.
        const char *digits = base == 16 ? "0123456789ABCDEFabcdef" : "01234567";
        if (s.find_first_not_of(digits, 2) != std::string::npos)
            return false;
        errno = 0;
        const unsigned long long v = std::strtoull(s.c_str() + 2, nullptr, base);
        if (errno)
            return false;
        *out = double(v);
        return true;
    }
    std::string clean;
    std::size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        clean += s[i++];
    for (; i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || (s[i] == ',' && digits)); ++i)
        if (s[i] != ',')
            clean += s[i], ++digits;
    if (i < s.size() && s[i] == '.')
        for (clean += s[i++]; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
            clean += s[i], ++digits;
    if (!digits)
        return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        clean += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            clean += s[i++];
        const std::size_t start = i;
        for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
            clean += s[i];
        if (i == start)
            return false;
    }
    if (i != s.size())
        return false;
    *out = std::strtod(clean.c_str(), nullptr);
    return std::isfinite(*out);
}

// The value of a numeric argument; false for other types.
bool numberOf(const Plain &p, double *out)
{
    const VARIANT &v = p.v;
    switch (v.vt) {
    case VT_I1: *out = v.cVal; return true;
    case VT_UI1: *out = v.bVal; return true;
    case VT_I2: *out = v.iVal; return true;
    case VT_UI2: *out = v.uiVal; return true;
    case VT_I4: case VT_INT: *out = v.lVal; return true;
    case VT_UI4: case VT_UINT: *out = v.ulVal; return true;
    case VT_I8: *out = double(v.llVal); return true;
    case VT_UI8: *out = double(v.ullVal); return true;
    case VT_R4: *out = v.fltVal; return true;
    case VT_R8: case VT_DATE: *out = v.dblVal; return true;
    case VT_CY: *out = double(v.cyVal) / 10000.0; return true;
    case VT_DECIMAL: {
        const double n = double(((unsigned __int128)p.dec.Hi32 << 64) | p.dec.Lo64) / std::pow(10.0, p.dec.scale);
        *out = p.dec.sign & 0x80 ? -n : n;
        return true;
    }
    default: return false;
    }
}

long long daysToCivil(long long z, int *month, int *day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = int(doy - (153 * mp + 2) / 5 + 1);
    *month = int(mp < 10 ? mp + 3 : mp - 9);
    return (long long)yoe + era * 400 + (*month <= 2);
}

} // namespace

std::string dateText(DATE d)
{
    // 1 January 100 to 31 December 9999, as COM takes dates.
    if (!(d > kFirstDate - 1.0 && d < kLastDate + 1.0))
        return {};
    double whole = std::trunc(d);
    // Before 1899-12-30 the fraction still counts forward from midnight.
    long long seconds = std::llround(std::fabs(d - whole) * 86400.0);
    if (seconds >= 86400) { // rounded up to the next day, but not past the last
        seconds = whole == kLastDate ? 86399 : 0;
        whole += whole == kLastDate ? 0 : 1;
    }
    // Day 0 is 1899-12-30, which is 25569 days before 1970-01-01.
    int month = 0, day = 0;
    const long long year = daysToCivil((long long)whole - 25569, &month, &day);
    char date[32], time[32];
    std::snprintf(date, sizeof date, "%d/%d/%lld", month, day, year);
    const int h = int(seconds / 3600);
    std::snprintf(time, sizeof time, "%d:%02d:%02d %s", h % 12 == 0 ? 12 : h % 12, int(seconds / 60 % 60),
                  int(seconds % 60), h < 12 ? "AM" : "PM");
    if (whole == 0)
        return time;
    return seconds ? std::string(date) + " " + time : std::string(date);
}

HRESULT coerceToText(const VARIANT &arg, Text *out)
{
    Plain p;
    if (const HRESULT h = plainValue(arg, &p); FAILED(h))
        return h;
    const VARIANT &v = p.v;
    std::string s;
    switch (v.vt) {
    case VT_EMPTY: *out = Text{}; return S_OK;
    case VT_BSTR: *out = v.bstrVal ? decode(v.bstrVal, SysStringLen(v.bstrVal)) : Text{}; return S_OK;
    case VT_I1: s = std::to_string(int(v.cVal)); break;
    case VT_UI1: s = std::to_string(unsigned(v.bVal)); break;
    case VT_I2: case VT_BOOL: s = std::to_string(v.iVal); break; // a Boolean as -1 or 0
    case VT_UI2: s = std::to_string(v.uiVal); break;
    case VT_I4: case VT_INT: s = std::to_string(v.lVal); break;
    case VT_UI4: case VT_UINT: s = std::to_string(v.ulVal); break;
    case VT_I8: s = std::to_string(v.llVal); break;
    case VT_UI8: s = std::to_string(v.ullVal); break;
    case VT_R4: s = realText(v.fltVal, 7); break;
    case VT_R8: s = realText(v.dblVal, 15); break;
    case VT_CY: {
        const bool negative = v.cyVal < 0;
        const unsigned __int128 n = negative ? -(unsigned __int128)v.cyVal : (unsigned __int128)v.cyVal;
        s = scaledText(negative, n, 4);
        break;
    }
    case VT_DECIMAL:
        if (p.dec.scale > 28)
            return DISP_E_TYPEMISMATCH;
        s = scaledText(p.dec.sign & 0x80, ((unsigned __int128)p.dec.Hi32 << 64) | p.dec.Lo64, p.dec.scale);
        break;
    case VT_DATE:
        s = dateText(v.date);
        if (s.empty())
            return DISP_E_TYPEMISMATCH;
        break;
    case VT_DISPATCH:
        return throughDefaultValue(v.pdispVal, out, coerceToText);
    default: // Null, errors, unknown objects
        return DISP_E_TYPEMISMATCH;
    }
    out->utf8 = s;
    out->valid = true;
    out->hasNul = false;
    return S_OK;
}

HRESULT coerceToBool(const VARIANT &arg, VARIANT_BOOL *out)
{
    Plain p;
    if (const HRESULT h = plainValue(arg, &p); FAILED(h))
        return h;
    const VARIANT &v = p.v;
    double number = 0;
    switch (v.vt) {
    case VT_EMPTY: *out = VARIANT_FALSE; return S_OK;
    case VT_BOOL: *out = v.boolVal; return S_OK;
    case VT_BSTR: {
        const Text t = v.bstrVal ? decode(v.bstrVal, SysStringLen(v.bstrVal)) : Text{};
        if (!t.valid || t.hasNul)
            return DISP_E_TYPEMISMATCH;
        if (equalsNoCase(t.utf8, "True") || equalsNoCase(t.utf8, "#TRUE#"))
            return *out = VARIANT_TRUE, S_OK;
        if (equalsNoCase(t.utf8, "False") || equalsNoCase(t.utf8, "#FALSE#"))
            return *out = VARIANT_FALSE, S_OK;
        if (!parseNumber(t.utf8, &number))
            return DISP_E_TYPEMISMATCH;
        break;
    }
    case VT_DISPATCH:
        return throughDefaultValue(v.pdispVal, out, coerceToBool);
    default:
        if (!numberOf(p, &number))
            return DISP_E_TYPEMISMATCH;
    }
    *out = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT coerceToNumber(const VARIANT &arg, double *out)
{
    Plain p;
    if (const HRESULT h = plainValue(arg, &p); FAILED(h))
        return h;
    const VARIANT &v = p.v;
    switch (v.vt) {
    case VT_EMPTY: *out = 0; return S_OK;
    case VT_BOOL: *out = v.boolVal; return S_OK;
    case VT_BSTR: {
        const Text t = v.bstrVal ? decode(v.bstrVal, SysStringLen(v.bstrVal)) : Text{};
        return t.valid && !t.hasNul && parseNumber(t.utf8, out) ? S_OK : DISP_E_TYPEMISMATCH;
    }
    case VT_DISPATCH:
        return throughDefaultValue(v.pdispVal, out, coerceToNumber);
    default:
        return numberOf(p, out) ? S_OK : DISP_E_TYPEMISMATCH;
    }
}

HRESULT coerceToObject(const VARIANT &arg, IDispatch **out, bool *owned)
{
    *out = nullptr;
    *owned = false;
    Plain p;
    if (const HRESULT h = plainValue(arg, &p); FAILED(h))
        return h;
    switch (p.v.vt) {
    case VT_EMPTY:
        return S_OK;
    case VT_DISPATCH:
        *out = p.v.pdispVal;
        return S_OK;
    case VT_UNKNOWN: {
        if (!p.v.punkVal)
            return S_OK;
        void *d = nullptr;
        if (FAILED(p.v.punkVal->QueryInterface(IID_IDispatch, &d)) || !d)
            return DISP_E_TYPEMISMATCH;
        *out = static_cast<IDispatch *>(d);
        *owned = true;
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace vatro
