#include "vatro/host.h"

#include "vatro/ini.h"
#include "vatro/registry.h"
#include "vatro/text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vatro {

namespace {

void setError(std::string *error, const std::string &text)
{
    if (error)
        *error = text;
}

// Libraries stay loaded for the rest of the run once an object came from
// them: a host cannot know when the last pointer into one is gone.
void *loadLibrary(const std::string &path, std::string *why)
{
    static std::mutex lock;
    static std::map<std::string, void *> loaded;
    std::lock_guard<std::mutex> guard(lock);
    if (auto it = loaded.find(path); it != loaded.end())
        return it->second;
    void *handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char *e = ::dlerror();
        *why = e ? e : "unknown error";
        return nullptr;
    }
    loaded.emplace(path, handle);
    return handle;
}

} // namespace

Bstr::Bstr(const std::string &utf8) : s_(allocBstr(utf8)) {}

std::string hresultText(HRESULT h)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(h));
    return buf;
}

namespace {

// The value of the first registry in the search path whose `section` has a
// non-empty `key`, with the registry that named it; `searched` lists them
// all for messages.
std::optional<std::string> lookUp(const std::string &section, const std::string &key,
                                  std::string *registry, std::string *searched)
{
    for (const std::string &path : registrySearchPath()) {
        *searched += (searched->empty() ? "" : ", ") + path;
        const auto text = readFile(path);
        if (!text)
            continue;
        const auto value = IniText(*text).value(section, key);
        if (value && !value->empty()) {
            *registry = path;
            return value;
        }
    }
    return std::nullopt;
}

} // namespace

HRESULT clsidFromProgId(const std::string &progId, CLSID *clsid, std::string *error)
{
    std::string registry, searched;
    const auto text = lookUp(progIdSection(progId), "CLSID", &registry, &searched);
    if (!text || !guidFromString(*text, clsid)) {
        setError(error, "the programmatic identifier " + progId + " is not registered (" +
                            (text ? "registry " + registry : "searched " + searched) + ")");
        return CO_E_CLASSSTRING;
    }
    return S_OK;
}

HRESULT createInstance(const CLSID &clsid, const IID &iid, void **object, std::string *error)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const std::string cls = guidToString(clsid);
    std::string registry, searched;
    const auto value = lookUp(clsidSection(clsid), "InprocServer32", &registry, &searched);
    if (!value) {
        setError(error, "the class " + cls + " is not registered (searched " + searched + ")");
        return REGDB_E_CLASSNOTREG;
    }
    const std::string library = libraryFile(registry, *value);
    // Opened without blocking and checked first: dlopen of a FIFO or a
    // device in its place would wait for ever.
    const int fd = ::open(library.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st;
    const bool found = fd >= 0 && ::fstat(fd, &st) == 0;
    const int openError = errno;
    if (fd >= 0)
        ::close(fd);
    if (!found) {
        setError(error, "the library file " + library + " registered for the class " + cls +
                            (openError == ENOENT ? " does not exist" : " cannot be opened: " +
                                                                          std::string(std::strerror(openError))));
        return CO_E_DLLNOTFOUND;
    }
    if (!S_ISREG(st.st_mode)) {
        setError(error, "the library file " + library + " registered for the class " + cls +
                            " is not a regular file");
        return CO_E_DLLNOTFOUND;
    }
    std::string why;
    void *handle = loadLibrary(library, &why);
    if (!handle) {
        setError(error, "the library file " + library + " cannot be loaded: " + why);
        return CO_E_DLLNOTFOUND;
    }
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
    if (!getClassObject) {
        setError(error, "the library " + library + " has no entry point DllGetClassObject");
        return HRESULT_PROC_NOT_FOUND;
    }
    ComPtr<IClassFactory> factory;
    HRESULT h = getClassObject(clsid, IID_IClassFactory, factory.out());
    if (FAILED(h) || !factory) {
        setError(error, "the library " + library + " does not serve the class " + cls + " (" +
                            hresultText(h) + ")");
        return FAILED(h) ? h : E_UNEXPECTED;
    }
    h = factory->CreateInstance(nullptr, iid, object);
    if (FAILED(h) || !*object) {
        setError(error, "the class " + cls + " could not make an object (" + hresultText(h) + ")");
        return FAILED(h) ? h : E_UNEXPECTED;
    }
    return S_OK;
}

HRESULT createInstance(const std::string &progId, const IID &iid, void **object, std::string *error)
{
    if (object)
        *object = nullptr;
    CLSID clsid;
    const HRESULT h = clsidFromProgId(progId, &clsid, error);
    return FAILED(h) ? h : createInstance(clsid, iid, object, error);
}

HRESULT dispIdOf(IDispatch *object, const std::string &name, DISPID *id)
{
    if (!object || !id)
        return E_POINTER;
    std::u16string wide = fromUtf8(name);
    LPOLESTR names[1] = {wide.data()};
    return object->GetIDsOfNames(IID_NULL, names, 1, 0x0409, id);
}

HRESULT invoke(IDispatch *object, DISPID id, WORD flags, const std::vector<VARIANT> &args,
               VARIANT *result, std::string *error)
{
    if (!object)
        return E_POINTER;
    // DISPPARAMS takes the arguments last first.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()),
                      0};
    EXCEPINFO excep{};
    UINT argErr = 0;
    const HRESULT h = object->Invoke(id, IID_NULL, 0x0409, flags, &params, result, &excep, &argErr);
    if (h == DISP_E_EXCEPTION) {
        if (excep.pfnDeferredFillIn)
            excep.pfnDeferredFillIn(&excep);
        std::string text;
        if (excep.bstrDescription)
            toUtf8(excep.bstrDescription, SysStringLen(excep.bstrDescription), &text);
        const unsigned number = static_cast<unsigned>(excep.scode) & 0xFFFF;
        setError(error, "error " + std::to_string(number) + ": " + text);
    } else if (FAILED(h)) {
        setError(error, "the call failed (" + hresultText(h) + ")");
    }
    ClearExcepInfo(&excep);
    return h;
}

HRESULT invoke(IDispatch *object, const std::string &name, WORD flags,
               const std::vector<VARIANT> &args, VARIANT *result, std::string *error)
{
    DISPID id = DISPID_UNKNOWN;
    const HRESULT h = dispIdOf(object, name, &id);
    if (FAILED(h)) {
        setError(error, "the object has no member " + name + " (" + hresultText(h) + ")");
        return h;
    }
    return invoke(object, id, flags, args, result, error);
}

} // namespace vatro
