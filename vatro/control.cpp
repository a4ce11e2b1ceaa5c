// The Vatro control: its dual interface, its dispatch table and the
// conversion of late-bound calls into calls of its methods.

#include "vatro/coerce.h"
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
    const char *params[3]; // the parameter names, for named arguments
};

const Method kMethods[] = {
    {"FExists", DISPID_FExists, Kind::OneString, 1, {"OrigFile"}},
    {"DExists", DISPID_DExists, Kind::OneString, 1, {"OrigFile"}},
    {"DirExists", DISPID_DirExists, Kind::OneString, 1, {"OrigFile"}},
    {"ColConv", DISPID_ColConv, Kind::OneString, 1, {"Colour"}},
    {"ShortFileLocation", DISPID_ShortFileLocation, Kind::OneString, 1, {"OrigFile"}},
    {"ShortFile", DISPID_ShortFile, Kind::OneString, 1, {"OrigFile"}},
    {"ShortPath", DISPID_ShortPath, Kind::OneString, 1, {"OrigPath"}},
    {"Fendro", DISPID_Fendro, Kind::OneString, 1, {"Desc"}},
    {"RemoveINIKey", DISPID_RemoveINIKey, Kind::ThreeStrings, 3, {"SectionName", "KeyName", "INIFile"}},
    {"FileCreated", DISPID_FileCreated, Kind::OneString, 1, {"File"}},
    {"FileAccessed", DISPID_FileAccessed, Kind::OneString, 1, {"File"}},
    {"FileModified", DISPID_FileModified, Kind::OneString, 1, {"File"}},
    {"ShortFolder", DISPID_ShortFolder, Kind::OneString, 1, {"OrigFolder"}},
    {"FolderCreated", DISPID_FolderCreated, Kind::OneString, 1, {"Folder"}},
    {"GetSmallIcon", DISPID_GetSmallIcon, Kind::Icon, 1, {"FileName"}},
    {"GetBigIcon", DISPID_GetBigIcon, Kind::Icon, 1, {"FileName"}},
    {"TopMost", DISPID_TopMost, Kind::Window, 2, {"Frm", "TopTF"}},
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

// The arguments of one call, converted to the declared types. Nothing is
// ever written back into the caller's arguments.
struct Args {
    Text strings[3];
    IDispatch *frm = nullptr;
    bool above = false;
    bool ownsFrm = false; // a reference taken by QueryInterface
    Args() = default;
    Args(const Args &) = delete;
    Args &operator=(const Args &) = delete;
    ~Args()
    {
        if (ownsFrm && frm)
            frm->Release();
    }
};

// Converts the argument of parameter `i` of `m`.
HRESULT convert(const Method &m, UINT i, const VARIANT &v, Args *args)
{
    if (m.kind != Kind::Window)
        return coerceToText(v, &args->strings[i]);
    if (i == 0)
        return coerceToObject(v, &args->frm, &args->ownsFrm);
    VARIANT_BOOL b = VARIANT_FALSE;
    const HRESULT h = coerceToBool(v, &b);
    args->above = b == VARIANT_TRUE;
    return h;
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
    // The position of a parameter of a method by its name (any case).
    static DISPID parameterId(DISPID member, const OLECHAR *name, std::size_t n)
    {
        if (const Method *m = methodById(member))
            for (UINT i = 0; i < m->argc; ++i)
                if (equalsNoCase(name, n, m->params[i]))
                    return DISPID(i);
        return DISPID_UNKNOWN;
    }
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
        if (params->cArgs != m->argc)
            return DISP_E_BADPARAMCOUNT;
        if (!params->rgvarg || params->cNamedArgs > params->cArgs ||
            (params->cNamedArgs && !params->rgdispidNamedArgs))
            return E_INVALIDARG;

        // Where each parameter's argument is in rgvarg: the named ones
        // first, then the positional ones, last first.
        UINT slotOf[3];
        bool given[3] = {};
        const UINT positional = params->cArgs - params->cNamedArgs;
        for (UINT i = 0; i < positional; ++i) {
            slotOf[i] = params->cArgs - 1 - i;
            given[i] = true;
        }
        for (UINT n = 0; n < params->cNamedArgs; ++n) {
            const DISPID p = params->rgdispidNamedArgs[n];
            if (p < 0 || UINT(p) >= m->argc || given[p]) {
                if (argErr)
                    *argErr = n;
                return DISP_E_PARAMNOTFOUND;
            }
            slotOf[p] = n;
            given[p] = true;
        }
        Args args;
        for (UINT i = 0; i < m->argc; ++i) {
            if (const HRESULT h = convert(*m, i, params->rgvarg[slotOf[i]], &args); FAILED(h)) {
                if (argErr)
                    *argErr = slotOf[i];
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
        args.strings[0] = textOf(section);
        args.strings[1] = textOf(key);
        args.strings[2] = textOf(file);
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
            return stringMethod(m.id, args.strings[0], out, err);
        case Kind::ThreeStrings:
            removeIniKey(args.strings[0], args.strings[1], args.strings[2]);
            return S_OK;
        case Kind::Icon:
            out->vt = VT_DISPATCH;
            out->pdispVal = iconPicture(args.strings[0], m.id == DISPID_GetSmallIcon);
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
        args.strings[0] = textOf(s);
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
