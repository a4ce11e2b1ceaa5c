#include "editor/vatro_control.h"

#include "vatro/host.h"
#include "vatro/text.h"
#include "vatro/vatro_ids.h"

#include <QWidget>

#include <atomic>

namespace {

// The window handed to TopMost: a small dispatch object with the form
// properties the control reads, in twips (15 to the pixel).
class FormObject final : public IDispatch {
public:
    FormObject(long hWnd, const QRect &frame, const QSize &size)
        : values_{hWnd, frame.x() * 15L, frame.y() * 15L, size.width() * 15L, size.height() * 15L}
    {
    }
    FormObject(const FormObject &) = delete;
    FormObject &operator=(const FormObject &) = delete;

    HRESULT QueryInterface(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch *>(this);
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
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT GetTypeInfoCount(UINT *n) override
    {
        if (!n)
            return E_POINTER;
        *n = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **p) override
    {
        if (p)
            *p = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        if (!names || !ids || count != 1 || !names[0])
            return DISP_E_UNKNOWNNAME;
        std::size_t n = 0;
        while (n < 16 && names[0][n])
            ++n;
        for (int i = 0; i < 5; ++i) {
            if (vatro::equalsNoCase(names[0], n, kNames[i])) {
                ids[0] = i + 1;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *, VARIANT *result, EXCEPINFO *,
                   UINT *) override
    {
        if (id < 1 || id > 5 || !(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        if (result) {
            VariantInit(result);
            result->vt = VT_I4;
            result->lVal = LONG(values_[id - 1]);
        }
        return S_OK;
    }

private:
    ~FormObject() = default;
    static constexpr const char *kNames[5] = {"hWnd", "Left", "Top", "Width", "Height"};
    long values_[5];
    std::atomic<ULONG> refs_{1};
};

} // namespace

struct VatroControl::Impl {
    vatro::ComPtr<IDispatch> control;

    // Calls an existence test with the path passed by reference.
    bool exists(DISPID id, const QString &path, bool *ok)
    {
        vatro::Bstr arg(reinterpret_cast<const char16_t *>(path.utf16()), std::size_t(path.size()));
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BYREF | VT_BSTR;
        v.pbstrVal = arg.address();
        vatro::Variant result;
        const HRESULT h = vatro::invoke(control.get(), id, DISPATCH_METHOD, {v}, &result);
        if (ok)
            *ok = SUCCEEDED(h) && result.vt == VT_BOOL;
        return SUCCEEDED(h) && result.vt == VT_BOOL && result.boolVal == VARIANT_TRUE;
    }
};

VatroControl::VatroControl(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

VatroControl::~VatroControl() = default;

std::unique_ptr<VatroControl> VatroControl::create(QString *error)
{
    auto impl = std::make_unique<Impl>();
    std::string why;
    const HRESULT h =
        vatro::createInstance(vatro::CLSID_Vatro, IID_IDispatch, impl->control.out(), &why);
    if (FAILED(h)) {
        if (error)
            *error = QStringLiteral("The component \"VatroOCX.Vatro\" cannot be created: %1.")
                         .arg(QString::fromStdString(why));
        return nullptr;
    }
    return std::unique_ptr<VatroControl>(new VatroControl(std::move(impl)));
}

bool VatroControl::FExists(const QString &path, bool *ok)
{
    return impl_->exists(vatro::DISPID_FExists, path, ok);
}

bool VatroControl::DirExists(const QString &path, bool *ok)
{
    return impl_->exists(vatro::DISPID_DirExists, path, ok);
}

void VatroControl::TopMost(QWidget *window, bool topmost)
{
    if (!window)
        return;
    auto *form = new FormObject(long(window->winId()), window->frameGeometry(), window->geometry().size());
    VARIANT frm;
    VariantInit(&frm);
    frm.vt = VT_DISPATCH;
    frm.pdispVal = form;
    VARIANT top;
    VariantInit(&top);
    top.vt = VT_BOOL;
    top.boolVal = topmost ? VARIANT_TRUE : VARIANT_FALSE;
    vatro::Variant result;
    vatro::invoke(impl_->control.get(), vatro::DISPID_TopMost, DISPATCH_METHOD, {frm, top}, &result);
    form->Release();
}
