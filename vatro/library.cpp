// The in-process server: its four exports, the class factory, the count of
// live objects and locks, and registration in the per-user class registry.

#include "vatro/com_object.h"
#include "vatro/ini.h"
#include "vatro/methods.h"
#include "vatro/registry.h"
#include "vatro/text.h"
#include "vatro/vatro_ids.h"

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <sys/stat.h>

#define VATRO_EXPORT extern "C" __attribute__((visibility("default")))

namespace vatro {

namespace {

std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

class ClassFactory final : public ComObject<ClassFactory, IClassFactory, IID_IClassFactory> {
public:
    ClassFactory() = default;
    static void lifetime(bool alive) { countObject(alive); }

    HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return createVatro(riid, ppv);
    }
    HRESULT LockServer(BOOL lock) override
    {
        serverLock(lock != 0);
        return S_OK;
    }

private:
    friend ComObject;
    ~ClassFactory() = default;
};

// The absolute path of this library, found through one of its own symbols.
std::string ownPath()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void *>(&ownPath), &info) || !info.dli_fname)
        return {};
    char *real = ::realpath(info.dli_fname, nullptr);
    if (!real)
        return {};
    std::string path = real;
    std::free(real);
    return path;
}

std::vector<std::string> ourSections()
{
    return {clsidSection(CLSID_Vatro), progIdSection(kProgID), typeLibSection(LIBID_VatroOCX),
            interfaceSection(IID__Vatro), interfaceSection(DIID___Vatro)};
}

} // namespace

void countObject(bool alive)
{
    if (alive)
        ++g_objects;
    else
        --g_objects;
}
void serverLock(bool lock)
{
    if (lock)
        ++g_locks;
    else if (g_locks > 0)
        --g_locks;
}
bool serverInUse() { return g_objects > 0 || g_locks > 0; }

// Identity items that only a designer or an installer reads, kept in the
// library as text in a section of their own ("readelf -p vatro_resources").
__attribute__((used, section("vatro_resources"))) const char kResources[] =
    "[Version]\n"
    "FileVersion=1.00.0014\n"
    "ProductVersion=1.00.0014\n"
    "FileDescription=Collection of functions\n"
    "Comments=Collection of functions including Short file names, GetBigIcon etc\n"
    "InternalName=VatroOCX\n"
    "OriginalFilename=VatroOCX.ocx\n"
    "OLESelfRegister=\n"
    "[TypeLib]\n"
    "Name=VatroOCX\n"
    "HelpString=Vatro OCX\n"
    "Version=1.0\n"
    "LCID=0x0409\n"
    "[Control]\n"
    "Name=Vatro\n"
    "MiscStatus=0x00020591\n"
    "ToolboxBitmap=30000 (16 x 15 pixels, 16 colours)\n";

} // namespace vatro

using namespace vatro;

// The identifiers are references in the interface; taken here as the
// pointers they are, so that a host passing null gets an error.
VATRO_EXPORT HRESULT DllGetClassObject(const CLSID *rclsid, const IID *riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!rclsid || !riid)
        return E_INVALIDARG;
    if (*rclsid != CLSID_Vatro)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new (std::nothrow) ClassFactory;
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT h = factory->QueryInterface(*riid, ppv);
    factory->Release();
    return h;
}

VATRO_EXPORT HRESULT DllCanUnloadNow()
{
    return serverInUse() ? S_FALSE : S_OK;
}

VATRO_EXPORT HRESULT DllRegisterServer()
{
    const std::string lib = ownPath();
    if (lib.empty())
        return SELFREG_E_CLASS;
    const std::string clsid = guidToString(CLSID_Vatro);
    const std::string libid = guidToString(LIBID_VatroOCX);
    char status[16];
    std::snprintf(status, sizeof status, "%lu", static_cast<unsigned long>(kMiscStatus));
    bool refused = false;
    const bool written = updateRegistry(true, [&](IniText &ini) {
        // A value that cannot be written as one line, or read back as
        // written, refuses the whole registration (a library whose file
        // name holds a line break or ends in a blank).
        refused = !ini.setSection(clsidSection(CLSID_Vatro),
                                  {
                                      {"Name", kClassName},
                                      {"ProgID", kProgID},
                                      {"InprocServer32", lib},
                                      {"ThreadingModel", "Apartment"},
                                      {"TypeLib", libid},
                                      {"Version", kTypeLibVersion},
                                      {"Control", "1"},
                                      {"MiscStatus", status},
                                      {"ToolboxBitmap32", lib + "," + std::to_string(kToolboxBitmap)},
                                  }) ||
                  !ini.setSection(progIdSection(kProgID), {{"Name", kClassName}, {"CLSID", clsid}}) ||
                  !ini.setSection(typeLibSection(LIBID_VatroOCX), {
                                                                      {"Name", kTypeLibName},
                                                                      {"HelpString", kTypeLibHelp},
                                                                      {"Version", kTypeLibVersion},
                                                                      {"LCID", "0x0409"},
                                                                      {"Flags", "2"},
                                                                      {"Path", lib},
                                                                  }) ||
                  !ini.setSection(interfaceSection(IID__Vatro),
                                  {{"Name", "_Vatro"}, {"TypeLib", libid}, {"Version", kTypeLibVersion}}) ||
                  !ini.setSection(interfaceSection(DIID___Vatro),
                                  {{"Name", "__Vatro"}, {"TypeLib", libid}, {"Version", kTypeLibVersion}});
        return !refused;
    });
    return written && !refused ? S_OK : SELFREG_E_CLASS;
}

VATRO_EXPORT HRESULT DllUnregisterServer()
{
    const bool written = updateRegistry(false, [](IniText &ini) {
        bool changed = false;
        for (const auto &section : ourSections())
            changed = ini.removeSection(section) || changed;
        return changed;
    });
    return written ? S_OK : SELFREG_E_CLASS;
}
