#pragma once
// The plumbing every object of the component model repeats: reference
// counting, QueryInterface over a fixed list of interfaces, and for
// dispatch objects the (absent) type information and the lookup of member
// names. Header only, so that a host can use it too.
//
// The layout stays that of COM: the class derives from the interface alone
// and adds no virtual function, so the object's first member is the pointer
// to the interface's table. `Derived` is the concrete class (deleted on the
// last Release; it names this class its friend when its destructor is
// private). It may declare a static `lifetime(bool alive)` to be told of
// its birth and death, as a library does for DllCanUnloadNow.

#include "vatro/text.h"
#include "vatro/vatro_com.h"

#include <atomic>
#include <cstddef>

namespace vatro {

template <class Derived, class Interface, const IID &... Accepted>
class ComObject : public Interface {
public:
    ComObject(const ComObject &) = delete;
    ComObject &operator=(const ComObject &) = delete;

    HRESULT QueryInterface(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || ((riid == Accepted) || ...)) {
            *ppv = static_cast<Interface *>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        const ULONG left = --refs_;
        if (left == 0) {
            delete static_cast<Derived *>(this);
            Derived::lifetime(false);
        }
        return left;
    }

protected:
    ComObject() { Derived::lifetime(true); }
    ~ComObject() = default;
    static void lifetime(bool) {}

private:
    std::atomic<ULONG> refs_{1};
};

// A member name of a dispatch object and its identifier.
struct DispName {
    const char *name;
    DISPID id;
};

// A dispatch object whose members are found by name in `Derived::kNames`
// (an array of records with `name` and `id`, such as DispName), without
// regard to case as COM does, and their parameters by
// `Derived::parameterId` where it declares one. It offers no type
// information.
template <class Derived, class Interface, const IID &... Accepted>
class DispatchObject : public ComObject<Derived, Interface, IID_IDispatch, Accepted...> {
public:
    HRESULT GetTypeInfoCount(UINT *pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        if (!names[0])
            return DISP_E_UNKNOWNNAME;
        std::size_t n = 0; // no member name is near this long
        while (n < 256 && names[0][n])
            ++n;
        for (const auto &m : Derived::kNames) {
            if (!equalsNoCase(names[0], n, m.name))
                continue;
            ids[0] = m.id;
            // The other names are the member's parameters, for named
            // arguments: their identifiers are their positions.
            HRESULT h = S_OK;
            for (UINT i = 1; i < count; ++i) {
                std::size_t len = 0;
                while (names[i] && len < 256 && names[i][len])
                    ++len;
                ids[i] = names[i] ? Derived::parameterId(m.id, names[i], len) : DISPID_UNKNOWN;
                if (ids[i] == DISPID_UNKNOWN)
                    h = DISP_E_UNKNOWNNAME;
            }
            return h;
        }
        return DISP_E_UNKNOWNNAME;
    }

    // Members without named parameters.
    static DISPID parameterId(DISPID, const OLECHAR *, std::size_t) { return DISPID_UNKNOWN; }

protected:
    DispatchObject() = default;
    ~DispatchObject() = default;
};

} // namespace vatro
