// Calls no COM server should crash on: every one gets the error a COM
// server gives.

#include "support.h"

#include <cstring>

using namespace vatro;

namespace {

VARIANT bstrArg(BSTR s)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = s;
    return v;
}

VARIANT typed(VARTYPE vt)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

struct BadCall {
    const char *name;
    DISPID id;
    std::vector<VARIANT> args;
    WORD flags;
    HRESULT expected;
};

class Reliability : public ::testing::Test {
protected:
    void SetUp() override
    {
        obj = vt::newVatro();
        ASSERT_TRUE(obj);
    }
    ComPtr<IDispatch> obj;
    vt::Call call;
};

TEST_F(Reliability, BadArgumentsAndMembers)
{
    Bstr path("/tmp");
    VARIANT nullRef = typed(VT_BYREF | VT_BSTR); // pointer left null
    VARIANT nullVarRef = typed(VT_BYREF | VT_VARIANT);
    VARIANT i4 = typed(VT_I4);
    VARIANT dispNull = typed(VT_DISPATCH);
    VARIANT boolTrue = typed(VT_BOOL);
    boolTrue.boolVal = VARIANT_TRUE;
    const BadCall cases[] = {
        {"no arguments", DISPID_FExists, {}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
        {"two arguments", DISPID_FExists, {bstrArg(path.get()), bstrArg(path.get())}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
        {"one of three", DISPID_RemoveINIKey, {bstrArg(path.get())}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
        {"number for a string", DISPID_ColConv, {i4}, DISPATCH_METHOD, DISP_E_TYPEMISMATCH},
        {"null reference", DISPID_DirExists, {nullRef}, DISPATCH_METHOD, E_POINTER},
        {"null variant reference", DISPID_DirExists, {nullVarRef}, DISPATCH_METHOD, E_POINTER},
        {"string for an object", DISPID_TopMost, {bstrArg(path.get()), boolTrue}, DISPATCH_METHOD, DISP_E_TYPEMISMATCH},
        {"object for a Boolean", DISPID_TopMost, {dispNull, dispNull}, DISPATCH_METHOD, DISP_E_TYPEMISMATCH},
        {"Nothing for the form", DISPID_TopMost, {dispNull, boolTrue}, DISPATCH_METHOD, DISP_E_EXCEPTION},
        {"unknown member", 0x60030013, {}, DISPATCH_METHOD, DISP_E_MEMBERNOTFOUND},
        {"member zero", 0, {}, DISPATCH_METHOD, DISP_E_MEMBERNOTFOUND},
        {"property put", DISPID_FExists, {bstrArg(path.get())}, DISPATCH_PROPERTYPUT, DISP_E_MEMBERNOTFOUND},
        {"property get only", DISPID_FExists, {bstrArg(path.get())}, DISPATCH_PROPERTYGET, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto &c : cases) {
        vt::invoke(obj.get(), c.id, c.args, &call, c.flags);
        EXPECT_EQ(call.hr, c.expected) << c.name;
        EXPECT_EQ(call.result.vt, VT_EMPTY) << c.name;
    }
    // The argument at fault is named by its place in rgvarg (last first).
    vt::invoke(obj.get(), DISPID_RemoveINIKey, {bstrArg(path.get()), i4, bstrArg(path.get())}, &call);
    EXPECT_EQ(call.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(call.argErr, 1u);
}

TEST_F(Reliability, BrokenCallRecords)
{
    Bstr path("/nonexistent/vatro");
    VARIANT arg = bstrArg(path.get());
    DISPID named = 0;
    DISPPARAMS one{&arg, nullptr, 1, 0}, noArray{nullptr, nullptr, 1, 0}, withNames{&arg, &named, 1, 1};
    const struct {
        const char *name;
        DISPID id;
        const IID *iid;
        DISPPARAMS *params;
        HRESULT expected;
    } cases[] = {
        {"no DISPPARAMS", DISPID_FExists, &IID_NULL, nullptr, E_INVALIDARG},
        {"no argument array", DISPID_FExists, &IID_NULL, &noArray, E_INVALIDARG},
        {"named arguments", DISPID_FExists, &IID_NULL, &withNames, DISP_E_NONAMEDARGS},
        {"interface not IID_NULL", DISPID_FExists, &IID_IDispatch, &one, DISP_E_UNKNOWNINTERFACE},
        {"no result, no exception record", DISPID_FExists, &IID_NULL, &one, S_OK},
        {"failure without exception record", DISPID_ShortFile, &IID_NULL, &one, DISP_E_EXCEPTION},
    };
    for (const auto &c : cases)
        EXPECT_EQ(obj->Invoke(c.id, *c.iid, 0, DISPATCH_METHOD, c.params, nullptr, nullptr, nullptr),
                  c.expected) << c.name;
}

TEST_F(Reliability, UnknownAndOddNames)
{
    const std::u16string names[] = {u"NoSuchMethod", u"", u"FExists2", u"FExist", u"F\u00c9xists"};
    for (const auto &n : names) {
        std::u16string copy = n;
        LPOLESTR p = copy.data();
        DISPID id = 0;
        EXPECT_EQ(obj->GetIDsOfNames(IID_NULL, &p, 1, 0, &id), DISP_E_UNKNOWNNAME);
        EXPECT_EQ(id, DISPID_UNKNOWN);
    }
    DISPID ids[2] = {0, 0};
    LPOLESTR none[2] = {nullptr, nullptr};
    EXPECT_EQ(obj->GetIDsOfNames(IID_NULL, none, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(obj->GetIDsOfNames(IID_NULL, nullptr, 1, 0, ids), E_INVALIDARG);
    std::u16string method = u"FExists", param = u"OrigFile";
    LPOLESTR two[2] = {method.data(), param.data()};
    EXPECT_EQ(obj->GetIDsOfNames(IID_NULL, two, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_FExists);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

// Paths no file can have: each existence test says no, each lookup fails
// with the file-system error, nothing crashes.
TEST_F(Reliability, UnusablePaths)
{
    const std::u16string longPath = u"/" + std::u16string(10000, u'a');
    const std::u16string withNul = std::u16string(u"/tmp\0/x", 7);
    const std::u16string loneSurrogate = u"/tmp/\xD800x";
    const std::u16string reversedPair = u"/tmp/\xDC00\xD800";
    for (const auto *text : {&longPath, &withNul, &loneSurrogate, &reversedPair}) {
        Bstr s(text->data(), text->size());
        VARIANT arg = bstrArg(s.get());
        for (DISPID id : {DISPID_FExists, DISPID_DirExists, DISPID_DExists}) {
            vt::invoke(obj.get(), id, {arg}, &call);
            EXPECT_EQ(call.hr, S_OK);
            EXPECT_EQ(id == DISPID_DExists ? call.result.iVal : call.result.boolVal, 0);
        }
        for (DISPID id : {DISPID_ShortFile, DISPID_ShortPath, DISPID_ShortFolder, DISPID_FileCreated,
                          DISPID_FolderCreated}) {
            vt::invoke(obj.get(), id, {arg}, &call);
            EXPECT_EQ(call.hr, DISP_E_EXCEPTION) << id;
        }
        for (DISPID id : {DISPID_ColConv, DISPID_Fendro, DISPID_GetBigIcon}) {
            vt::invoke(obj.get(), id, {arg}, &call);
            EXPECT_EQ(call.hr, S_OK);
        }
        vt::invoke(obj.get(), DISPID_RemoveINIKey, {arg, arg, arg}, &call);
        EXPECT_EQ(call.hr, S_OK);
    }
    // A null BSTR is the empty string.
    VARIANT nullString = bstrArg(nullptr);
    vt::invoke(obj.get(), DISPID_FExists, {nullString}, &call);
    EXPECT_EQ(call.hr, S_OK);
    EXPECT_EQ(call.result.boolVal, 0);
    vt::invoke(obj.get(), DISPID_ShortFolder, {nullString}, &call);
    EXPECT_EQ(call.scode, hresultOf(0x800A004C));
}

TEST_F(Reliability, DualTableCallsTheSameMethods)
{
    ComPtr<_Vatro> dual;
    ASSERT_EQ(obj->QueryInterface(IID__Vatro, dual.out()), S_OK);
    Bstr red("Red"), missing("/nonexistent/vatro");
    VARIANT r;
    EXPECT_EQ(dual->ColConv(red.address(), &r), S_OK);
    EXPECT_EQ(r.vt, VT_I2);
    EXPECT_EQ(r.iVal, 255);
    EXPECT_EQ(dual->ShortFile(missing.address(), &r), hresultOf(0x800A0035));
    EXPECT_EQ(dual->FExists(missing.address(), nullptr), E_POINTER);
    IDispatch *pic = reinterpret_cast<IDispatch *>(1);
    EXPECT_EQ(dual->GetBigIcon(missing.address(), &pic), S_OK);
    EXPECT_EQ(pic, nullptr);
    VARIANT_BOOL top = VARIANT_TRUE;
    IDispatch *nothing = nullptr;
    EXPECT_EQ(dual->TopMost(&nothing, &top, &r), hresultOf(0x800A005B));
    EXPECT_EQ(dual->TopMost(nullptr, &top, &r), E_POINTER);
}

} // namespace
