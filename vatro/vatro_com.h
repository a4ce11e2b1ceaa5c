#pragma once
// The binary contract of the component model, shared by the VatroOCX library
// and every host. The layouts are those of COM on a 64-bit machine: interface
// pointers point at a pointer to a table of functions in declaration order,
// HRESULT/LONG are 32-bit, OLECHAR is a UTF-16 code unit, a VARIANT is
// 24 bytes with its type at offset 0 and its value at offset 8.
//
// A BSTR points at UTF-16 code units that are preceded by a 32-bit byte
// length and followed by a 16-bit NUL. The block comes from malloc() and is
// freed with free() on the address of the length prefix, so a host that does
// not use this header can still free what the library hands it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using HRESULT = std::int32_t;
using SCODE = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BYTE = std::uint8_t;
using BOOL = std::int32_t;
using UINT = std::uint32_t;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using DATE = double;
using OLECHAR = char16_t;
using LPOLESTR = OLECHAR *;
using BSTR = OLECHAR *;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT hresultOf(std::uint32_t code) { return static_cast<HRESULT>(code); }
constexpr bool SUCCEEDED(HRESULT h) { return h >= 0; }
constexpr bool FAILED(HRESULT h) { return h < 0; }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = hresultOf(0x80004001);
constexpr HRESULT E_NOINTERFACE = hresultOf(0x80004002);
constexpr HRESULT E_POINTER = hresultOf(0x80004003);
constexpr HRESULT E_FAIL = hresultOf(0x80004005);
constexpr HRESULT E_UNEXPECTED = hresultOf(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = hresultOf(0x8007000E);
constexpr HRESULT E_INVALIDARG = hresultOf(0x80070057);
constexpr HRESULT E_ACCESSDENIED = hresultOf(0x80070005);
constexpr HRESULT CLASS_E_NOAGGREGATION = hresultOf(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hresultOf(0x80040111);
constexpr HRESULT REGDB_E_CLASSNOTREG = hresultOf(0x80040154);
constexpr HRESULT SELFREG_E_CLASS = hresultOf(0x80040201);
constexpr HRESULT CO_E_CLASSSTRING = hresultOf(0x800401F3);
constexpr HRESULT CO_E_DLLNOTFOUND = hresultOf(0x800401F8);
constexpr HRESULT CO_E_ERRORINDLL = hresultOf(0x800401F9);
constexpr HRESULT HRESULT_PROC_NOT_FOUND = hresultOf(0x8007007F);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hresultOf(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = hresultOf(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = hresultOf(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = hresultOf(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = hresultOf(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = hresultOf(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = hresultOf(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = hresultOf(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = hresultOf(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = hresultOf(0x8002000B);
constexpr HRESULT DISP_E_BADPARAMCOUNT = hresultOf(0x8002000E);

constexpr DISPID DISPID_UNKNOWN = -1;

enum : WORD {
    DISPATCH_METHOD = 0x1,
    DISPATCH_PROPERTYGET = 0x2,
    DISPATCH_PROPERTYPUT = 0x4,
    DISPATCH_PROPERTYPUTREF = 0x8,
};

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID &;
using REFCLSID = const CLSID &;

inline bool operator==(const GUID &a, const GUID &b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline bool operator!=(const GUID &a, const GUID &b) { return !(a == b); }

constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IPictureDisp = {0x7BF80981, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// Interfaces: pure virtual functions only, no destructor, so that the table
// holds exactly the listed functions in the listed order.
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void **ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **ppv) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;
};

struct ITypeInfo; // not offered by this component model

struct IDispatch;

struct DECIMAL {
    WORD wReserved;
    BYTE scale;
    BYTE sign;
    ULONG Hi32;
    std::uint64_t Lo64;
};

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        std::int64_t llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        std::int64_t cyVal;
        DATE date;
        BSTR bstrVal;
        IUnknown *punkVal;
        IDispatch *pdispVal;
        signed char cVal;
        USHORT uiVal;
        ULONG ulVal;
        std::uint64_t ullVal;
        std::int32_t intVal;
        std::uint32_t uintVal;
        BYTE *pbVal;
        SHORT *piVal;
        LONG *plVal;
        std::int64_t *pllVal;
        float *pfltVal;
        double *pdblVal;
        VARIANT_BOOL *pboolVal;
        SCODE *pscode;
        DATE *pdate;
        BSTR *pbstrVal;
        IUnknown **ppunkVal;
        IDispatch **ppdispVal;
        VARIANT *pvarVal;
        void *byref;
        struct {
            void *pvRecord;
            void *pRecInfo;
        } record;
    };
};
using VARIANTARG = VARIANT;
static_assert(sizeof(VARIANT) == 24 && offsetof(VARIANT, llVal) == 8, "VARIANT layout");

struct DISPPARAMS {
    VARIANTARG *rgvarg;       // arguments in reverse order: the last one first
    DISPID *rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void *pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO *);
    SCODE scode;
};

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(UINT *pctinfo) = 0;
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid,
                                  DISPID *rgDispId) = 0;
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                           DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo,
                           UINT *puArgErr) = 0;
};

// The four exports of an in-process server.
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(REFCLSID rclsid, REFIID riid, void **ppv);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
}

// ---- BSTR ----------------------------------------------------------------

inline BSTR SysAllocStringLen(const OLECHAR *s, UINT len)
{
    if (len > 0x7FFFFFF0u / 2)
        return nullptr;
    auto *block = static_cast<unsigned char *>(std::malloc(4 + std::size_t(len) * 2 + 2));
    if (!block)
        return nullptr;
    const std::uint32_t bytes = len * 2;
    std::memcpy(block, &bytes, 4);
    auto *str = reinterpret_cast<BSTR>(block + 4);
    if (s && len)
        std::memcpy(str, s, std::size_t(len) * 2);
    else if (len)
        std::memset(str, 0, std::size_t(len) * 2);
    str[len] = 0;
    return str;
}

inline BSTR SysAllocString(const OLECHAR *s)
{
    if (!s)
        return nullptr;
    UINT n = 0;
    while (s[n])
        ++n;
    return SysAllocStringLen(s, n);
}

inline UINT SysStringLen(BSTR s)
{
    if (!s)
        return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<unsigned char *>(s) - 4, 4);
    return bytes / 2;
}

inline void SysFreeString(BSTR s)
{
    if (s)
        std::free(reinterpret_cast<unsigned char *>(s) - 4);
}

// ---- VARIANT ---------------------------------------------------------------

inline void VariantInit(VARIANT *v)
{
    std::memset(v, 0, sizeof *v);
}

inline HRESULT VariantClear(VARIANT *v)
{
    if (!v)
        return E_INVALIDARG;
    if (!(v->vt & VT_BYREF)) {
        switch (v->vt) {
        case VT_BSTR:
            SysFreeString(v->bstrVal);
            break;
        case VT_DISPATCH:
            if (v->pdispVal)
                v->pdispVal->Release();
            break;
        case VT_UNKNOWN:
            if (v->punkVal)
                v->punkVal->Release();
            break;
        default:
            break;
        }
    }
    VariantInit(v);
    return S_OK;
}

// EXCEPINFO owns its strings; this frees them and zeroes the record.
inline void ClearExcepInfo(EXCEPINFO *e)
{
    if (!e)
        return;
    SysFreeString(e->bstrSource);
    SysFreeString(e->bstrDescription);
    SysFreeString(e->bstrHelpFile);
    std::memset(e, 0, sizeof *e);
}
