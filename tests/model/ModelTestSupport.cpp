// Fixtures shared by the object-model tests.
#include "ModelTestSupport.h"

IStream* NewStream(const std::vector<BYTE>& bytes)
{
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (!bytes.empty()) {
        ULONG written = 0;
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        Rewind(stream);
    }
    return stream;
}

void Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
}

std::vector<BYTE> StreamBytes(IStream* stream)
{
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    if (!bytes.empty()) {
        const BYTE* data = static_cast<const BYTE*>(GlobalLock(memory));
        bytes.assign(data, data + bytes.size());
        GlobalUnlock(memory);
    }
    return bytes;
}

IPictureDisp* NewBitmapPicture(int width, int height)
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    description.bmp.hbitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    IPictureDisp* picture = nullptr;
    OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture));
    return picture;
}

IPictureDisp* NewIconPicture()
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ICON;
    description.icon.hicon = CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    IPictureDisp* picture = nullptr;
    OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture));
    return picture;
}

IFontDisp* NewFont(const wchar_t* face, int points)
{
    FONTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = const_cast<LPOLESTR>(face);
    description.cySize.int64 = static_cast<LONGLONG>(points) * 10000;
    description.sWeight = FW_BOLD;
    IFontDisp* font = nullptr;
    OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
    return font;
}

VARIANT MakeI4(long value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT MakeR4(float value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R4;
    V_R4(&v) = value;
    return v;
}

VARIANT MakeBool(bool value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT MakeText(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

VARIANT MakeObject(IDispatch* object)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    return v;
}

std::wstring LastErrorDescription()
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return L"";
    BSTR text = nullptr;
    info->GetDescription(&text);
    std::wstring result = text ? text : L"";
    SysFreeString(text);
    info->Release();
    return result;
}
