// Calls no COM server should crash on: every one gets the error a COM
// server gives.

#include "support.h"

#include <functional>
#include <list>

using namespace vt;

namespace {

class Reliability : public ::testing::Test {
protected:
    void SetUp() override
    {
        obj = newVatro();
        ASSERT_TRUE(obj);
    }
    ComPtr<IDispatch> obj;
    Call call;
};

TEST_F(Reliability, BadCalls)
{
    Bstr path("/nonexistent/vatro"), red("Red");
    const VARIANT str = byVal(path.get()), null = typed(VT_NULL), nothing = typed(VT_DISPATCH);
    VARIANT yes = typed(VT_BOOL);
    yes.boolVal = VARIANT_TRUE;
    VARIANT arg = str;
    DISPID named = 1; // FExists has one parameter, 0
    DISPPARAMS one{&arg, nullptr, 1, 0}, noArray{nullptr, nullptr, 1, 0}, withNames{&arg, &named, 1, 1};
    // Through Invoke, with a result and an exception record; no result is left behind.
    auto run = [&](DISPID id, const std::vector<VARIANT> &args, WORD flags = DISPATCH_METHOD) {
        invoke(obj.get(), id, args, &call, flags);
        EXPECT_EQ(call.result.vt, VT_EMPTY);
        return call.hr;
    };
    // Through Invoke without the optional pointers.
    auto bare = [&](DISPPARAMS *params, const IID &iid = IID_NULL, DISPID id = DISPID_FExists) {
        return obj->Invoke(id, iid, 0, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
    };
    auto idOf = [&](std::vector<const char16_t *> names) {
        DISPID id = 0;
        const HRESULT h = obj->GetIDsOfNames(IID_NULL, names.empty() ? nullptr : const_cast<LPOLESTR *>(names.data()),
                                             1, 0, &id);
        EXPECT_TRUE(names.empty() || id == DISPID_UNKNOWN);
        return h;
    };
    ComPtr<_Vatro> dual;
    ASSERT_EQ(obj->QueryInterface(IID__Vatro, dual.out()), S_OK);
    IDispatch *noForm = nullptr;
    VARIANT_BOOL top = VARIANT_TRUE;
    VARIANT r;
    const struct {
        const char *name;
        std::function<HRESULT()> call;
        HRESULT expected;
    } cases[] = {
        {"no arguments", [&] { return run(DISPID_FExists, {}); }, DISP_E_BADPARAMCOUNT},
        {"one of three", [&] { return run(DISPID_RemoveINIKey, {str}); }, DISP_E_BADPARAMCOUNT},
        {"Null for a string", [&] { return run(DISPID_ColConv, {null}); }, DISP_E_TYPEMISMATCH},
        {"string for an object", [&] { return run(DISPID_TopMost, {str, yes}); }, DISP_E_TYPEMISMATCH},
        {"Nothing for the form", [&] { return run(DISPID_TopMost, {nothing, yes}); }, DISP_E_EXCEPTION},
        {"null string reference", [&] { return run(DISPID_DirExists, {typed(VT_BYREF | VT_BSTR)}); }, E_POINTER},
        {"unknown member", [&] { return run(DISPID_TopMost + 1, {}); }, DISP_E_MEMBERNOTFOUND},
        {"property put", [&] { return run(DISPID_FExists, {str}, DISPATCH_PROPERTYPUT); }, DISP_E_MEMBERNOTFOUND},
        {"no DISPPARAMS", [&] { return bare(nullptr); }, E_INVALIDARG},
        {"no argument array", [&] { return bare(&noArray); }, E_INVALIDARG},
        {"named argument that is no parameter", [&] { return bare(&withNames); }, DISP_E_PARAMNOTFOUND},
        {"interface not IID_NULL", [&] { return bare(&one, IID_IDispatch); }, DISP_E_UNKNOWNINTERFACE},
        {"no result record", [&] { return bare(&one); }, S_OK},
        {"failure without exception record", [&] { return bare(&one, IID_NULL, DISPID_ShortFile); }, DISP_E_EXCEPTION},
        {"unknown name, a prefix of one", [&] { return idOf({u"FExist"}); }, DISP_E_UNKNOWNNAME},
        {"null name", [&] { return idOf({nullptr}); }, DISP_E_UNKNOWNNAME},
        {"no name array", [&] { return idOf({}); }, E_INVALIDARG},
        {"dual table: ColConv", [&] { const HRESULT h = dual->ColConv(red.address(), &r); return h ? h : r.vt == VT_I2 && r.iVal == 255 ? S_OK : E_FAIL; }, S_OK},
        {"dual table: no result pointer", [&] { return dual->FExists(path.address(), nullptr); }, E_POINTER},
        {"dual table: Nothing for the form", [&] { return dual->TopMost(&noForm, &top, &r); }, hresultOf(0x800A005B)},
        {"dual table: null form pointer", [&] { return dual->TopMost(nullptr, &top, &r); }, E_POINTER},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.call(), c.expected) << c.name;
    // The argument at fault is named by its place in rgvarg (last first).
    EXPECT_EQ(run(DISPID_RemoveINIKey, {str, null, str}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(call.argErr, 1u);
}

// Strings no path can be: each existence test says no, each lookup fails
// with the file-system error, the rest answer; nothing crashes.
TEST_F(Reliability, UnusableStrings)
{
    const std::u16string texts[] = {
        u"/" + std::u16string(10000, u'a'), // a 10,000-character path
        std::u16string(u"/tmp\0/x", 7),     // a NUL byte
        u"/tmp/\xD800x",                    // a lone surrogate
        u"/tmp/\xDC00\xD800",               // a reversed pair
    };
    std::list<Bstr> strings;
    for (const auto &t : texts)
        strings.emplace_back(t.data(), t.size());
    strings.emplace_back(); // a null BSTR: the empty string
    for (auto &s : strings) {
        const VARIANT arg = byVal(s.get());
        for (DISPID id = DISPID_FExists; id < DISPID_TopMost; ++id) {
            const bool existence = id == DISPID_FExists || id == DISPID_DirExists || id == DISPID_DExists;
            const bool lookup = id == DISPID_ShortFile || id == DISPID_ShortFileLocation || id == DISPID_ShortPath ||
                                id == DISPID_ShortFolder || (id >= DISPID_FileCreated && id <= DISPID_FolderCreated);
            invoke(obj.get(), id, std::vector<VARIANT>(id == DISPID_RemoveINIKey ? 3 : 1, arg), &call);
            EXPECT_EQ(call.hr, lookup ? DISP_E_EXCEPTION : S_OK) << nameOf(id) << " " << utf8(s.get()).size();
            EXPECT_TRUE(!existence || (call.result.vt != VT_EMPTY && call.result.iVal == 0)) << nameOf(id);
        }
    }
}

} // namespace
