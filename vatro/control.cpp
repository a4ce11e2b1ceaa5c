// The Vatro control: its dual interface, its dispatch table and the
// conversion of late-bound calls into calls of its methods.

#include "vatro/com_object.h"
#include "vatro/methods.h"
#include "vatro/text.h"
#include "vatro/vatro_ids.h"

#include <new>

namespace vatro {

namespace {

enum class Kind { OneString, ThreeStrings, Icon, Window };

struct Method {
    const char *name;
    DISPID id;
    Kind kind;
    UINT argc;
};

const Method kMethods[] = {
    {"FExists", DISPID_FExists, Kind::OneString, 1},
    {"DExists", DISPID_DExists, Kind::OneString, 1},
    {"DirExists", DISPID_DirExists, Kind::OneString, 1},
    {"ColConv", DISPID_ColConv, Kind::OneString, 1},
    {"ShortFileLocation", DISPID_ShortFileLocation, Kind::OneString, 1},
    {"ShortFile", DISPID_ShortFile, Kind::OneString, 1},
    {"ShortPath", DISPID_ShortPath, Kind::OneString, 1},
    {"Fendro", DISPID_Fendro, Kind::OneString, 1},
    {"RemoveINIKey", DISPID_RemoveINIKey, Kind::ThreeStrings, 3},
    {"FileCreated", DISPID_FileCreated, Kind::OneString, 1},
    {"FileAccessed", DISPID_FileAccessed, Kind::OneString, 1},
    {"FileModified", DISPID_FileModified, Kind::OneString, 1},
    {"ShortFolder", DISPID_ShortFolder, Kind::OneString, 1},
    {"FolderCreated", DISPID_FolderCreated, Kind::OneString, 1},
    {"GetSmallIcon", DISPID_GetSmallIcon, Kind::Icon, 1},
    {"GetBigIcon", DISPID_GetBigIcon, Kind::Icon, 1},
    {"TopMost", DISPID_TopMost, Kind::Window, 2},
};

const Method *methodById(DISPID id)
{
    for (const auto &m : kMethods)
        if (m.id == id)
            return &m;
    return nullptr;
}

Text textOf(const BSTR *s)
{
    return (s && *s) ? decode(*s, SysStringLen(*s)) : Text{};
}

// Arguments of one call, by position (0 = first), pointing into the
// caller's DISPPARAMS: nothing here is ever written back.
struct Args {
    const BSTR *strings[3] = {};
    IDispatch *frm = nullptr;
    bool above = false;
    IDispatch *ownedFrm = nullptr; // a reference taken by QueryInterface
    ~Args()
    {
        if (ownedFrm)
            ownedFrm->Release();
    }
};

const BSTR kNoString = nullptr;

// Follows one level of VT_BYREF|VT_VARIANT.
const VARIANT *deref(const VARIANT *v)
{
    if (v->vt == (VT_BYREF | VT_VARIANT))
        return v->pvarVal;
    return v;
}

HRESULT stringArg(const VARIANT *raw, const BSTR **out)
{
    const VARIANT *v = deref(raw);
    if (!v)
        return E_POINTER;
    switch (v->vt) {
    case VT_BSTR:
        *out = &v->bstrVal;
        return S_OK;
    case VT_BYREF | VT_BSTR:
        if (!v->pbstrVal)
            return E_POINTER;
        *out = v->pbstrVal;
        return S_OK;
    case VT_EMPTY:
        *out = &kNoString;
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT objectArg(const VARIANT *raw, Args *args)
{
    const VARIANT *v = deref(raw);
    if (!v)
        return E_POINTER;
    IUnknown *unk = nullptr;
    switch (v->vt) {
    case VT_DISPATCH:
        args->frm = v->pdispVal;
        return S_OK;
    case VT_BYREF | VT_DISPATCH:
        if (!v->ppdispVal)
            return E_POINTER;
        args->frm = *v->ppdispVal;
        return S_OK;
    case VT_UNKNOWN:
        unk = v->punkVal;
        break;
    case VT_BYREF | VT_UNKNOWN:
        if (!v->ppunkVal)
            return E_POINTER;
        unk = *v->ppunkVal;
        break;
    default:
        return DISP_E_TYPEMISMATCH;
    }
    if (unk) {
        void *p = nullptr;
        if (FAILED(unk->QueryInterface(IID_IDispatch, &p)) || !p)
            return DISP_E_TYPEMISMATCH;
        args->ownedFrm = args->frm = static_cast<IDispatch *>(p);
    }
    return S_OK;
}

// A Boolean argument: a VT_BOOL counts as true only when it holds -1; a
// number converts as it would to a Boolean (anything but 0 is true).
HRESULT boolArg(const VARIANT *raw, bool *out)
{
    const VARIANT *v = deref(raw);
    if (!v)
        return E_POINTER;
    const bool byref = v->vt & VT_BYREF;
    if (byref && !v->byref)
        return E_POINTER;
    switch (v->vt & ~VT_BYREF) {
    case VT_BOOL:
        *out = (byref ? *v->pboolVal : v->boolVal) == VARIANT_TRUE;
        return S_OK;
    case VT_I2:
    case VT_UI2:
        *out = (byref ? *v->piVal : v->iVal) != 0;
        return S_OK;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        *out = (byref ? *v->plVal : v->lVal) != 0;
        return S_OK;
    case VT_I1:
    case VT_UI1:
        *out = (byref ? *v->pbVal : v->bVal) != 0;
        return S_OK;
    case VT_I8:
    case VT_UI8:
        *out = (byref ? *v->pllVal : v->llVal) != 0;
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

void fillException(EXCEPINFO *ei, const Raised &err)
{
    if (!ei)
        return;
    std::memset(ei, 0, sizeof *ei);
    ei->bstrSource = allocBstr("VatroOCX");
    ei->bstrDescription = allocBstr(err.description);
    ei->scode = err.scode;
}

class Vatro final : public DispatchObject<Vatro, _Vatro, IID__Vatro> {
public:
    static constexpr const auto &kNames = kMethods;
    static void lifetime(bool alive) { countObject(alive); }
    Vatro() = default;

    // IDispatch
    HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                   EXCEPINFO *excep, UINT *argErr) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const Method *m = methodById(id);
        if (!m || !(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        if (!params)
            return E_INVALIDARG;
        if (params->cNamedArgs)
            return DISP_E_NONAMEDARGS;
        if (params->cArgs != m->argc)
            return DISP_E_BADPARAMCOUNT;
        if (!params->rgvarg)
            return E_INVALIDARG;

        Args args;
        for (UINT i = 0; i < m->argc; ++i) {
            // rgvarg holds the arguments last first.
            const UINT slot = params->cArgs - 1 - i;
            const VARIANT *v = &params->rgvarg[slot];
            HRESULT h;
            if (m->kind == Kind::Window)
                h = i == 0 ? objectArg(v, &args) : boolArg(v, &args.above);
            else
                h = stringArg(v, &args.strings[i]);
            if (FAILED(h)) {
                if (argErr)
                    *argErr = slot;
                return h;
            }
        }

        VARIANT out;
        VariantInit(&out);
        Raised err;
        const HRESULT h = run(*m, args, &out, &err);
        if (FAILED(h)) {
            VariantClear(&out);
            if (err.description.empty())
                return h;
            fillException(excep, err);
            return DISP_E_EXCEPTION;
        }
        if (result)
            *result = out;
        else
            VariantClear(&out);
        return S_OK;
    }

    // _Vatro: the same methods called early-bound through the table.
    HRESULT FExists(BSTR *s, VARIANT *r) override { return direct(DISPID_FExists, s, r); }
    HRESULT DExists(BSTR *s, VARIANT *r) override { return direct(DISPID_DExists, s, r); }
    HRESULT DirExists(BSTR *s, VARIANT *r) override { return direct(DISPID_DirExists, s, r); }
    HRESULT ColConv(BSTR *s, VARIANT *r) override { return direct(DISPID_ColConv, s, r); }
    HRESULT ShortFileLocation(BSTR *s, VARIANT *r) override
    {
        return direct(DISPID_ShortFileLocation, s, r);
    }
    HRESULT ShortFile(BSTR *s, VARIANT *r) override { return direct(DISPID_ShortFile, s, r); }
    HRESULT ShortPath(BSTR *s, VARIANT *r) override { return direct(DISPID_ShortPath, s, r); }
    HRESULT Fendro(BSTR *s, VARIANT *r) override { return direct(DISPID_Fendro, s, r); }
    HRESULT RemoveINIKey(BSTR *section, BSTR *key, BSTR *file, VARIANT *r) override
    {
        Args args;
        args.strings[0] = section;
        args.strings[1] = key;
        args.strings[2] = file;
        return directRun(DISPID_RemoveINIKey, args, r);
    }
    HRESULT FileCreated(BSTR *s, VARIANT *r) override { return direct(DISPID_FileCreated, s, r); }
    HRESULT FileAccessed(BSTR *s, VARIANT *r) override { return direct(DISPID_FileAccessed, s, r); }
    HRESULT FileModified(BSTR *s, VARIANT *r) override { return direct(DISPID_FileModified, s, r); }
    HRESULT ShortFolder(BSTR *s, VARIANT *r) override { return direct(DISPID_ShortFolder, s, r); }
    HRESULT FolderCreated(BSTR *s, VARIANT *r) override { return direct(DISPID_FolderCreated, s, r); }
    HRESULT GetSmallIcon(BSTR *s, IDispatch **r) override { return icon(DISPID_GetSmallIcon, s, r); }
    HRESULT GetBigIcon(BSTR *s, IDispatch **r) override { return icon(DISPID_GetBigIcon, s, r); }
    HRESULT TopMost(IDispatch **frm, VARIANT_BOOL *topTF, VARIANT *r) override
    {
        if (!frm || !topTF)
            return E_POINTER;
        Args args;
        args.frm = *frm;
        args.above = *topTF == VARIANT_TRUE;
        return directRun(DISPID_TopMost, args, r);
    }

private:
    friend ComObject;
    ~Vatro() = default;

    static HRESULT run(const Method &m, const Args &args, VARIANT *out, Raised *err)
    {
        switch (m.kind) {
        case Kind::OneString:
            return stringMethod(m.id, textOf(args.strings[0]), out, err);
        case Kind::ThreeStrings:
            removeIniKey(textOf(args.strings[0]), textOf(args.strings[1]), textOf(args.strings[2]));
            return S_OK;
        case Kind::Icon:
            out->vt = VT_DISPATCH;
            out->pdispVal = iconPicture(textOf(args.strings[0]), m.id == DISPID_GetSmallIcon);
            return S_OK;
        case Kind::Window:
            return topMost(args.frm, args.above, err);
        }
        return E_UNEXPECTED;
    }

    HRESULT directRun(DISPID id, const Args &args, VARIANT *r)
    {
        if (!r)
            return E_POINTER;
        VariantInit(r);
        Raised err;
        return run(*methodById(id), args, r, &err);
    }

    HRESULT direct(DISPID id, BSTR *s, VARIANT *r)
    {
        Args args;
        args.strings[0] = s;
        return directRun(id, args, r);
    }

    HRESULT icon(DISPID id, BSTR *s, IDispatch **r)
    {
        if (!r)
            return E_POINTER;
        VARIANT v;
        const HRESULT h = direct(id, s, &v);
        *r = v.pdispVal;
        return h;
    }
};

} // namespace

HRESULT createVatro(REFIID riid, void **ppv)
{
    auto *obj = new (std::nothrow) Vatro;
    if (!obj)
        return E_OUTOFMEMORY;
    const HRESULT h = obj->QueryInterface(riid, ppv);
    obj->Release();
    return h;
}

} // namespace vatro
