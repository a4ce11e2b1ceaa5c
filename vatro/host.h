#pragma once
// The host side of the component model: creates components by class
// identifier or programmatic identifier through the class registries
// (dlopen, DllGetClassObject, IClassFactory::CreateInstance) and calls them
// late-bound through IDispatch. No Qt.

#include "vatro/vatro_com.h"

#include <string>
#include <utility>
#include <vector>

namespace vatro {

// Holds one reference to an interface and releases it.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T *p) : p_(p) {} // adopts the reference
    ComPtr(const ComPtr &o) : p_(o.p_)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr &&o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr &operator=(ComPtr o) noexcept
    {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }
    void reset()
    {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }
    T *get() const { return p_; }
    T *operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For functions that hand out a new reference: releases the old one.
    void **out()
    {
        reset();
        return reinterpret_cast<void **>(&p_);
    }

private:
    T *p_ = nullptr;
};

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    Variant(const Variant &) = delete;
    Variant &operator=(const Variant &) = delete;
    ~Variant() { VariantClear(this); }
};

// A BSTR that frees itself.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::string &utf8);
    Bstr(const char16_t *s, std::size_t n) : s_(SysAllocStringLen(s, UINT(n))) {}
    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;
    ~Bstr() { SysFreeString(s_); }
    BSTR get() const { return s_; }
    BSTR *address() { return &s_; }

private:
    BSTR s_ = nullptr;
};

// The class of a programmatic identifier by the first registry of
// registrySearchPath() that names it (vatro/registry.h). CO_E_CLASSSTRING
// when the identifier is not registered.
HRESULT clsidFromProgId(const std::string &progId, CLSID *clsid, std::string *error = nullptr);

// Creates an object of the class and asks it for `iid`. On failure `error`
// says what is missing: the registration, the library file, the entry point.
HRESULT createInstance(const CLSID &clsid, const IID &iid, void **object,
                       std::string *error = nullptr);
HRESULT createInstance(const std::string &progId, const IID &iid, void **object,
                       std::string *error = nullptr);

// The dispatch identifier of a member name.
HRESULT dispIdOf(IDispatch *object, const std::string &name, DISPID *id);

// Calls a member late-bound. `args` come in their natural order (the first
// argument first) and stay the caller's; `result` (may be null) receives
// the result, which the caller clears. On failure `error` holds the
// component's description of the error (with its number) or the code.
HRESULT invoke(IDispatch *object, DISPID id, WORD flags, const std::vector<VARIANT> &args,
               VARIANT *result, std::string *error = nullptr);
HRESULT invoke(IDispatch *object, const std::string &name, WORD flags,
               const std::vector<VARIANT> &args, VARIANT *result, std::string *error = nullptr);

// "0x80020009"
std::string hresultText(HRESULT h);

} // namespace vatro
