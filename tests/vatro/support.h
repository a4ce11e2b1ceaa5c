#pragma once
// Shared by the component library's tests: the library loaded for real with
// dlopen, a Vatro object made through its class factory, late-bound calls,
// and a private folder per test run.

#include "vatro/host.h"
#include "vatro/vatro_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vt {

// The private folder of this run (removed at exit), with a class registry
// in it that VATRO_REGISTRY points at.
const std::string &root();

// The library of this build, loaded once.
void *library();
void *dlsymOf(const char *name);
template <class Fn>
Fn entry(const char *name)
{
    return reinterpret_cast<Fn>(dlsymOf(name));
}

// A new Vatro object straight from the library's class factory.
vatro::ComPtr<IDispatch> newVatro();

// The outcome of one late-bound call.
struct Call {
    HRESULT hr = S_OK;
    vatro::Variant result;
    SCODE scode = 0;         // from EXCEPINFO on DISP_E_EXCEPTION
    std::string description; // idem
    UINT argErr = 0xFFFFFFFF;
};

// Calls `id` with `args` in natural order (first argument first).
void invoke(IDispatch *obj, DISPID id, const std::vector<VARIANT> &args, Call *out,
            WORD flags = DISPATCH_METHOD);

// Calls a one-string method with the string passed by reference.
void callText(IDispatch *obj, DISPID id, const std::string &text, Call *out);

std::string utf8(BSTR s);
std::string makeTemp(const std::string &name); // a new folder under root()
void writeFile(const std::string &path, const std::string &text);
std::string readText(const std::string &path);

} // namespace vt
