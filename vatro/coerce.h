#pragma once
// Arguments converted to the types the interface declares, by the rules of
// COM's VariantChangeType (flags 0, English locale): by-reference values
// followed, numbers written as it writes them, "True"/"False" and numeric
// strings read as Booleans, an object's default value used for it (once: a
// default value that is an object again is a type mismatch), dates from
// the year 100 to 9999 only, "&H" and "&O" numbers of hexadecimal and
// octal digits only. Each gives DISP_E_TYPEMISMATCH where that conversion
// fails, and E_POINTER for a null by-reference pointer.

#include "vatro/methods.h"

namespace vatro {

// To a string (VT_BSTR).
HRESULT coerceToText(const VARIANT &v, Text *out);
// To a Boolean (VT_BOOL): a VT_BOOL keeps its value, anything else gives
// VARIANT_TRUE or VARIANT_FALSE.
HRESULT coerceToBool(const VARIANT &v, VARIANT_BOOL *out);
// To a number (VT_R8): numbers and dates as they are, Booleans -1 and 0,
// Empty 0, strings as VarR8FromStr reads them.
HRESULT coerceToNumber(const VARIANT &v, double *out);
// To an object (VT_DISPATCH): *out is null for Nothing or Empty, and holds a
// reference the caller releases when *owned.
HRESULT coerceToObject(const VARIANT &v, IDispatch **out, bool *owned);

// A DATE as the English locale writes it: "11/14/2023 10:13:20 PM", the
// date alone at midnight, the time alone on day 0; empty for a date
// outside the years 100 to 9999.
std::string dateText(DATE d);

} // namespace vatro
