/* A host in plain C written against COM's published layouts, with its own
 * definitions (not the library's header): loads the library, gets the class
 * factory, creates the control and calls FExists and ColConv through
 * IDispatch::Invoke. It proves the binary contract. Exit code 0 on success. */

#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef int32_t HRESULT;
typedef uint16_t *BSTR;
typedef struct { uint32_t Data1; uint16_t Data2, Data3; uint8_t Data4[8]; } GUID;
typedef struct VARIANT {
    uint16_t vt, r1, r2, r3;
    union { int32_t lVal; int16_t iVal; BSTR bstrVal; BSTR *pbstrVal; struct { void *a, *b; } rec; } u;
} VARIANT;
typedef struct { VARIANT *rgvarg; int32_t *rgdispidNamedArgs; uint32_t cArgs, cNamedArgs; } DISPPARAMS;

typedef struct IDispatch IDispatch;
typedef struct {
    HRESULT (*QueryInterface)(IDispatch *, const GUID *, void **);
    uint32_t (*AddRef)(IDispatch *);
    uint32_t (*Release)(IDispatch *);
    HRESULT (*GetTypeInfoCount)(IDispatch *, uint32_t *);
    HRESULT (*GetTypeInfo)(IDispatch *, uint32_t, uint32_t, void **);
    HRESULT (*GetIDsOfNames)(IDispatch *, const GUID *, uint16_t **, uint32_t, uint32_t, int32_t *);
    HRESULT (*Invoke)(IDispatch *, int32_t, const GUID *, uint32_t, uint16_t, DISPPARAMS *, VARIANT *,
                      void * /* EXCEPINFO */, uint32_t *);
} IDispatchVtbl;
struct IDispatch { const IDispatchVtbl *lpVtbl; };

typedef struct IClassFactory IClassFactory;
typedef struct {
    HRESULT (*QueryInterface)(IClassFactory *, const GUID *, void **);
    uint32_t (*AddRef)(IClassFactory *);
    uint32_t (*Release)(IClassFactory *);
    HRESULT (*CreateInstance)(IClassFactory *, void *, const GUID *, void **);
    HRESULT (*LockServer)(IClassFactory *, int32_t);
} IClassFactoryVtbl;
struct IClassFactory { const IClassFactoryVtbl *lpVtbl; };

static const GUID CLSID_Vatro = {0x4C7BC103, 0x7DA9, 0x11D3, {0xB3, 0x27, 0x00, 0x00, 0x21, 0xC5, 0xC8, 0xA9}};
static const GUID IID_IClassFactory = {0x00000001, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID IID_IDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
enum { VT_EMPTY = 0, VT_I2 = 2, VT_I4 = 3, VT_BSTR = 8, VT_BOOL = 11, VT_BYREF = 0x4000 };

static int failures = 0;
#define CHECK(cond) do { if (!(cond)) { fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #cond); ++failures; } } while (0)

/* Calls a one-string method with a BSTR made the published way (32-bit byte
 * length, the characters, NUL, in a malloc block) passed by reference. */
static HRESULT call1(IDispatch *d, int32_t id, const char *ascii, VARIANT *result)
{
    uint32_t n = (uint32_t)strlen(ascii), bytes = 2 * n, i;
    unsigned char *block = malloc(4 + bytes + 2);
    BSTR s = (BSTR)(block + 4);
    VARIANT v;
    DISPPARAMS dp = {&v, NULL, 1, 0};
    HRESULT h;
    memcpy(block, &bytes, 4);
    for (i = 0; i <= n; ++i)
        s[i] = (uint16_t)ascii[i];
    memset(&v, 0, sizeof v);
    memset(result, 0, sizeof *result);
    v.vt = VT_BYREF | VT_BSTR;
    v.u.pbstrVal = &s;
    h = d->lpVtbl->Invoke(d, id, &IID_NULL, 0x0409, 1, &dp, result, NULL, NULL);
    free(block);
    return h;
}

/* True when a one-string method gives a result of this type and value. */
static int callIs(IDispatch *d, int32_t id, const char *text, uint16_t vt, int32_t value)
{
    VARIANT r;
    return call1(d, id, text, &r) == 0 && r.vt == vt && (vt == VT_I4 ? r.u.lVal : r.u.iVal) == value;
}

int main(int argc, char **argv)
{
    HRESULT (*getClassObject)(const GUID *, const GUID *, void **);
    IClassFactory *factory = NULL;
    IDispatch *vatro = NULL;
    VARIANT r;
    uint16_t name[] = {'c', 'o', 'l', 'c', 'o', 'n', 'v', 0}, *names[1] = {name};
    int32_t id = 0;
    void *lib = dlopen(argc > 1 ? argv[1] : VATRO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);

    if (!lib || !(*(void **)&getClassObject = dlsym(lib, "DllGetClassObject")))
        return fprintf(stderr, "cannot load the library or its entry point\n"), 1;
    CHECK(getClassObject(&CLSID_Vatro, &IID_IClassFactory, (void **)&factory) == 0 && factory);
    if (factory) {
        CHECK(factory->lpVtbl->CreateInstance(factory, NULL, &IID_IDispatch, (void **)&vatro) == 0 && vatro);
        factory->lpVtbl->Release(factory);
    }
    if (!vatro)
        return 1;

    /* FExists of this program's own file. */
    CHECK(callIs(vatro, 0x60030002, "/proc/self/exe", VT_BOOL, -1));
    /* ColConv by name: 16- and 32-bit results. */
    CHECK(vatro->lpVtbl->GetIDsOfNames(vatro, &IID_NULL, names, 1, 0x0409, &id) == 0 && id == 0x60030005);
    CHECK(callIs(vatro, id, "Maroon", VT_I2, 128));
    CHECK(callIs(vatro, id, "Silver", VT_I4, 12632256));
    /* ShortFolder("/"): a string result with the published layout, freed by this host. */
    CHECK(call1(vatro, 0x6003000E, "/", &r) == 0 && r.vt == VT_BSTR && r.u.bstrVal &&
          *(uint32_t *)((unsigned char *)r.u.bstrVal - 4) == 2 && r.u.bstrVal[0] == '/' && r.u.bstrVal[1] == 0);
    if (r.vt == VT_BSTR && r.u.bstrVal)
        free((unsigned char *)r.u.bstrVal - 4);

    CHECK(vatro->lpVtbl->Release(vatro) == 0);
    if (failures == 0)
        printf("plain C host: all checks passed\n");
    return failures ? 1 : 0;
}
