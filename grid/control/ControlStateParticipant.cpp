// The grid control's own persisted state.
#include "ControlStateParticipant.h"

#include "ControlStateScratch.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "OleDragDrop.h"
#include "StoredStateRead.h"
#include "StreamText.h"

namespace {

// The general category's property table: {key, default, type, size}.
struct GeneralEntry {
    const wchar_t* key;
    LONG defaultValue;
    VARTYPE type;
    ULONG size;
};
constexpr GeneralEntry kGeneralTable[] = {
    {L"UpdateMode", 0, VT_I2, 1},
    {nullptr, 0, VT_EMPTY, 0},
};

HRESULT WriteBag(IPropertyBag* bag, const wchar_t* key, VARIANT& value)
{
    HRESULT hr = bag->Write(key, &value);
    VariantClear(&value);
    return hr;
}

HRESULT WriteBool(IPropertyBag* bag, const wchar_t* key, bool flag)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return WriteBag(bag, key, value);
}

HRESULT WriteString(IPropertyBag* bag, const wchar_t* key, CDualString& text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = text.AllocSysString();
    return WriteBag(bag, key, value);
}

// Reads key as type; false when the bag cannot give it.
bool ReadBag(IPropertyBag* bag, const wchar_t* key, VARTYPE type, VARIANT& value, IErrorLog* log)
{
    VariantInit(&value);
    value.vt = type;
    if (FAILED(bag->Read(key, &value, log)))
        return false;
    if (value.vt == type)
        return true;
    return SUCCEEDED(VariantChangeType(&value, &value, 0, type));
}

void ReadString(IPropertyBag* bag, const wchar_t* key, CDualString& text, IErrorLog* log)
{
    VARIANT value;
    if (ReadBag(bag, key, VT_BSTR, value, log))
        text.AssignWide(value.bstrVal ? value.bstrVal : L"");
    else
        text.Empty();
    VariantClear(&value);
}

} // namespace

HRESULT ControlStateParticipant::CheckGeneral(const BYTE* block)
{
    constexpr BYTE knownImageFlags = HvTavelle::ImageUseImageList | HvTavelle::ImageMasking;
    if (block[0] > MaxUpdateMode || block[1] > MaxDropMode || (block[3] & ~knownImageFlags) != 0)
        return E_FAIL;
    return S_OK;
}

void ControlStateParticipant::ResetGeneral()
{
    control_.SetUpdateMode(0);
    control_.DropModeCopy() = 0;
    control_.SpareByte() = 0;
    control_.SetImageFlags(HvTavelle::ImageMasking);
}

bool ControlStateParticipant::HasData(DWORD code, LONG)
{
    switch (code) {
    case General:
        return (control_.ImageFlags() & HvTavelle::ImageUseImageList) ||
               !(control_.ImageFlags() & HvTavelle::ImageMasking) || control_.DropModeCopy() != 0 ||
               control_.GetUpdateMode() != 0;
    case DataMember:
        return !control_.DataMemberName().IsEmpty();
    case ImagesUrl:
        return control_.ExistingImages() && !control_.ImagesUrl().IsEmpty();
    case Images:
        return control_.ExistingImages() != nullptr;
    case Layout:
        return control_.Layout() && control_.Layout()->HasAnyCategoryData(-1);
    case TagVariant:
        return !control_.Tag().IsEmpty();
    default:
        return false;
    }
}

HRESULT ControlStateParticipant::Save(DWORD code, IStream* stream, LONG)
{
    switch (code) {
    case General: {
        const BYTE block[4] = {control_.GetUpdateMode(), control_.DropModeCopy(), control_.SpareByte(),
                               control_.ImageFlags()};
        return WriteBytes(stream, block, sizeof block);
    }
    case DataMember:
        return WriteStringToStream(stream, control_.DataMemberName());
    case ImagesUrl:
        return WriteStringToStream(stream, control_.ImagesUrl());
    case Images:
        return control_.ExistingImages() ? control_.ExistingImages()->SaveToStream(stream) : S_OK;
    case Layout:
        return control_.Layout() ? static_cast<HvPersistParticipant*>(control_.Layout())->SaveToStream(stream, -1)
                                 : E_FAIL;
    case TagVariant:
        return control_.Tag().SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT ControlStateParticipant::Load(DWORD code, IStream* stream, LONG)
{
    switch (code) {
    case General: {
        BYTE block[GeneralSize] = {};
        HRESULT hr = ReadBytes(stream, block, sizeof block);
        if (SUCCEEDED(hr))
            hr = CheckGeneral(block);
        if (FAILED(hr))
            return hr;
        control_.SetUpdateMode(block[0]);
        control_.DropModeCopy() = block[1];
        control_.SpareByte() = block[2];
        control_.SetImageFlags(block[3]);
        control_.DragDrop().put_OLEDropMode(block[1]);
        return S_OK;
    }
    case DataMember: {
        CDualString text;
        HRESULT hr = ReadStringFromStream(stream, text);
        control_.SetDataMemberName(text);
        return hr;
    }
    case ImagesUrl:
        return ReadStringFromStream(stream, control_.ImagesUrl());
    case Images:
        return control_.ExistingImages() ? control_.ExistingImages()->LoadFromStream(stream) : E_OUTOFMEMORY;
    case Layout: {
        HvLayout* layout = control_.Layout();
        if (!layout)
            return E_FAIL;
        HRESULT hr = static_cast<HvPersistParticipant*>(layout)->LoadFromStream(stream, -1);
        layout->AfterLoad();
        return hr;
    }
    case TagVariant:
        return control_.Tag().LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void ControlStateParticipant::Reset(DWORD code, LONG)
{
    switch (code) {
    case General:
        ResetGeneral();
        break;
    case DataMember:
        control_.SetDataMemberName(CDualString());
        break;
    case ImagesUrl:
        if (control_.ExistingImages())
            control_.ImagesUrl().Empty();
        break;
    case TagVariant:
        control_.Tag().Clear();
        break;
    default:
        break;
    }
}

HRESULT ControlStateParticipant::CopyFrom(DWORD, HvPersistParticipant&, LONG)
{
    return E_NOTIMPL;
}

HRESULT ControlStateParticipant::LoadFromStreamWithAfterLoad(IStream* stream)
{
    HRESULT hr = StoredStateRead::Run(
        stream,
        [&] {
            ControlStateScratch scratch(control_);
            return scratch.LoadFromStream(stream, -1);
        },
        [&] {
            HvImages* images = control_.GetControlImages();
            if (!images)
                return E_OUTOFMEMORY;
            images->AfterLoad();
            return LoadFromStream(stream, -1);
        });
    if (SUCCEEDED(hr))
        AfterLoad();
    return hr;
}

void ControlStateParticipant::AfterLoad()
{
    HvImages* images = control_.ExistingImages();
    if (!images)
        return;
    images->SetUseImageList((control_.ImageFlags() & HvTavelle::ImageUseImageList) != 0);
    control_.StartImagesDownload();
}

HRESULT ControlStateParticipant::SaveToPropertyBag(IPropertyBag* bag, bool saveAll)
{
    DWORD mask = 0;
    for (DWORD bit = 1; bit != 0; bit <<= 1)
        if ((AllCategories & bit) && HasData(bit, -1))
            mask |= bit;
    VARIANT flags;
    VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = static_cast<LONG>(mask);
    HRESULT hr = WriteBag(bag, L"GridFlags", flags);
    for (DWORD bit = 1; bit != 0 && SUCCEEDED(hr); bit <<= 1)
        if (mask & bit)
            hr = SaveCategoryToBag(bit, bag, saveAll);
    return hr;
}

HRESULT ControlStateParticipant::SaveCategoryToBag(DWORD code, IPropertyBag* bag, bool saveAll)
{
    switch (code) {
    case General:
        return SaveGeneralToBag(bag, saveAll);
    case DataMember: {
        CDualString text(control_.DataMemberName());
        return WriteString(bag, L"DataMember", text);
    }
    case ImagesUrl:
        return WriteString(bag, L"ImagesURL", control_.ImagesUrl());
    case Images:
        return control_.ExistingImages()->SaveToPropertyBag(bag, L"ImageList", L"Images");
    case Layout:
        return control_.Layout()->SaveToPropertyBag(bag, saveAll);
    case TagVariant:
        return control_.Tag().SaveToPropertyBag(bag, L"TagVariant");
    default:
        return S_OK;
    }
}

HRESULT ControlStateParticipant::SaveGeneralToBag(IPropertyBag* bag, bool saveAll)
{
    HRESULT hr = S_OK;
    const BYTE fields[] = {control_.GetUpdateMode()};
    for (int i = 0; kGeneralTable[i].key && SUCCEEDED(hr); ++i) {
        const GeneralEntry& entry = kGeneralTable[i];
        if (!saveAll && fields[i] == entry.defaultValue)
            continue;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = fields[i];
        if (SUCCEEDED(VariantChangeType(&value, &value, 0, entry.type)))
            hr = WriteBag(bag, entry.key, value);
    }
    const BYTE flags = control_.ImageFlags();
    if (SUCCEEDED(hr) && (saveAll || (flags & HvTavelle::ImageUseImageList)))
        hr = WriteBool(bag, L"UseImageList", (flags & HvTavelle::ImageUseImageList) != 0);
    if (SUCCEEDED(hr) && (saveAll || !(flags & HvTavelle::ImageMasking)))
        hr = WriteBool(bag, L"ImagesMasking", (flags & HvTavelle::ImageMasking) != 0);
    return hr;
}

HRESULT ControlStateParticipant::LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log)
{
    VARIANT flags;
    ReadBag(bag, L"GridFlags", VT_I4, flags, log);
    VariantClear(&flags);
    for (DWORD bit = 1; bit != 0; bit <<= 1)
        if (AllCategories & bit)
            LoadCategoryFromBag(bit, bag, log);
    AfterLoad();
    return S_OK;
}

void ControlStateParticipant::LoadCategoryFromBag(DWORD code, IPropertyBag* bag, IErrorLog* log)
{
    switch (code) {
    case General:
        LoadGeneralFromBag(bag, log);
        break;
    case DataMember: {
        CDualString text;
        ReadString(bag, L"DataMember", text, log);
        control_.SetDataMemberName(text);
        break;
    }
    case ImagesUrl:
        if (control_.ExistingImages())
            ReadString(bag, L"ImagesURL", control_.ImagesUrl(), log);
        break;
    case Images:
        if (control_.ExistingImages())
            control_.ExistingImages()->LoadFromPropertyBag(bag, L"ImageList", L"Images");
        break;
    case Layout:
        if (control_.Layout())
            control_.Layout()->LoadFromPropertyBag(bag, log);
        break;
    case TagVariant:
        if (FAILED(control_.Tag().LoadFromPropertyBag(bag, L"TagVariant", log)))
            control_.Tag().Clear();
        break;
    default:
        break;
    }
}

void ControlStateParticipant::LoadGeneralFromBag(IPropertyBag* bag, IErrorLog* log)
{
    VARIANT value;
    // The table's one entry: UpdateMode; a value out of its range reads as
    // the default, as a missing one does.
    if (ReadBag(bag, kGeneralTable[0].key, kGeneralTable[0].type, value, log) && value.iVal >= 0 &&
        value.iVal <= MaxUpdateMode)
        control_.SetUpdateMode(static_cast<BYTE>(value.iVal));
    else
        control_.SetUpdateMode(static_cast<BYTE>(kGeneralTable[0].defaultValue));
    VariantClear(&value);
    BYTE flags = control_.ImageFlags();
    if (ReadBag(bag, L"UseImageList", VT_BOOL, value, log) && value.boolVal != VARIANT_FALSE)
        flags |= HvTavelle::ImageUseImageList;
    else
        flags &= static_cast<BYTE>(~HvTavelle::ImageUseImageList);
    VariantClear(&value);
    if (!ReadBag(bag, L"ImagesMasking", VT_BOOL, value, log) || value.boolVal != VARIANT_FALSE)
        flags |= HvTavelle::ImageMasking;
    else
        flags &= static_cast<BYTE>(~HvTavelle::ImageMasking);
    VariantClear(&value);
    control_.SetImageFlags(flags);
}
