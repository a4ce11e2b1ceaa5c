#pragma once
// Identity of the Vatro control: class, interfaces, type library and the
// dispatch identifiers of its methods.

#include "vatro/vatro_com.h"

namespace vatro {

constexpr CLSID CLSID_Vatro = {0x4C7BC103, 0x7DA9, 0x11D3, {0xB3, 0x27, 0x00, 0x00, 0x21, 0xC5, 0xC8, 0xA9}};
constexpr IID IID__Vatro = {0x4C7BC102, 0x7DA9, 0x11D3, {0xB3, 0x27, 0x00, 0x00, 0x21, 0xC5, 0xC8, 0xA9}};
constexpr IID DIID___Vatro = {0x4C7BC104, 0x7DA9, 0x11D3, {0xB3, 0x27, 0x00, 0x00, 0x21, 0xC5, 0xC8, 0xA9}};
constexpr GUID LIBID_VatroOCX = {0x4C7BC101, 0x7DA9, 0x11D3, {0xB3, 0x27, 0x00, 0x00, 0x21, 0xC5, 0xC8, 0xA9}};

constexpr const char *kProgID = "VatroOCX.Vatro";
constexpr const char *kClassName = "Vatro";
constexpr const char *kTypeLibName = "VatroOCX";
constexpr const char *kTypeLibHelp = "Vatro OCX";
constexpr const char *kTypeLibVersion = "1.0";
constexpr LCID kTypeLibLocale = 0x0409;
constexpr DWORD kMiscStatus = 0x00020591;
constexpr int kToolboxBitmap = 30000;

enum VatroDispId : DISPID {
    DISPID_FExists = 0x60030002,
    DISPID_DExists,
    DISPID_DirExists,
    DISPID_ColConv,
    DISPID_ShortFileLocation,
    DISPID_ShortFile,
    DISPID_ShortPath,
    DISPID_Fendro,
    DISPID_RemoveINIKey,
    DISPID_FileCreated,
    DISPID_FileAccessed,
    DISPID_FileModified,
    DISPID_ShortFolder,
    DISPID_FolderCreated,
    DISPID_GetSmallIcon,
    DISPID_GetBigIcon,
    DISPID_TopMost,
};
static_assert(DISPID_TopMost == 0x60030012, "dispatch identifiers run up by one");

// Properties of a picture object (those of IPictureDisp, plus the path of
// the image file it stands for).
enum PictureDispId : DISPID {
    DISPID_PICT_HANDLE = 0,
    DISPID_PICT_HPAL = 2,
    DISPID_PICT_TYPE = 3,
    DISPID_PICT_WIDTH = 4,
    DISPID_PICT_HEIGHT = 5,
    DISPID_PICT_PATH = 100,
};
constexpr SHORT PICTYPE_ICON = 3;

// The dual interface _Vatro: IDispatch followed by the methods, in
// dispatch-identifier order. Strings come by reference; every method
// returns its result in the last argument.
struct _Vatro : IDispatch {
    virtual HRESULT FExists(BSTR *OrigFile, VARIANT *result) = 0;
    virtual HRESULT DExists(BSTR *OrigFile, VARIANT *result) = 0;
    virtual HRESULT DirExists(BSTR *OrigFile, VARIANT *result) = 0;
    virtual HRESULT ColConv(BSTR *Colour, VARIANT *result) = 0;
    virtual HRESULT ShortFileLocation(BSTR *OrigFile, VARIANT *result) = 0;
    virtual HRESULT ShortFile(BSTR *OrigFile, VARIANT *result) = 0;
    virtual HRESULT ShortPath(BSTR *OrigPath, VARIANT *result) = 0;
    virtual HRESULT Fendro(BSTR *Desc, VARIANT *result) = 0;
    virtual HRESULT RemoveINIKey(BSTR *SectionName, BSTR *Keyname, BSTR *INIFile, VARIANT *result) = 0;
    virtual HRESULT FileCreated(BSTR *File, VARIANT *result) = 0;
    virtual HRESULT FileAccessed(BSTR *File, VARIANT *result) = 0;
    virtual HRESULT FileModified(BSTR *File, VARIANT *result) = 0;
    virtual HRESULT ShortFolder(BSTR *OrigFolder, VARIANT *result) = 0;
    virtual HRESULT FolderCreated(BSTR *Folder, VARIANT *result) = 0;
    virtual HRESULT GetSmallIcon(BSTR *FileName, IDispatch **result) = 0;
    virtual HRESULT GetBigIcon(BSTR *FileName, IDispatch **result) = 0;
    virtual HRESULT TopMost(IDispatch **Frm, VARIANT_BOOL *TopTF, VARIANT *result) = 0;
};

} // namespace vatro
