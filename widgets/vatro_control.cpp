#include "widgets/vatro_control.h"

#include "vatro/com_object.h"
#include "vatro/host.h"
#include "vatro/vatro_ids.h"

#include <QWidget>

namespace {

// The window handed to TopMost: a small dispatch object with the form
// properties the control reads, in twips (15 to the pixel).
class FormObject final : public vatro::DispatchObject<FormObject, IDispatch> {
public:
    static constexpr vatro::DispName kNames[] = {
        {"hWnd", 1}, {"Left", 2}, {"Top", 3}, {"Width", 4}, {"Height", 5}};

    FormObject(long hWnd, const QRect &frame, const QSize &size)
        : values_{hWnd, frame.x() * 15L, frame.y() * 15L, size.width() * 15L, size.height() * 15L}
    {
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
    friend ComObject;
    ~FormObject() = default;
    long values_[5];
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
