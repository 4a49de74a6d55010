// HvLayout: the layout's persistence participant: each property in the
// stream, in the property bag, reset and copied, selected by category.
#include "HvLayout.h"

#include "GridBandSeam.h"
#include "HvAppearances.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvOverride.h"
#include "HvOverrides.h"
#include "HvRowScrollRegions.h"
#include "HvValueLists.h"
#include "LayoutGridSeam.h"
#include "LayoutPartsSeam.h"
#include "PersistHGlobal.h"
#include "StreamBounds.h"
#include "StreamText.h"
#include "Units.h"

#include <cstring>

namespace {

constexpr LONG AllCategories(LONG categories)
{
    return categories == 0 ? -1 : categories;
}

template <class T>
void ReleaseHeld(T*& held)
{
    if (held) {
        T* object = held;
        held = nullptr;
        object->Release();
    }
}

// Reads and drops one collection's stream form through a scratch object.
template <class TCollection, class TSeam>
HRESULT SkipCollection(TSeam* seam, IStream* stream, LONG categories)
{
    TCollection* scratch = nullptr;
    HRESULT hr = TCollection::Create(seam, &scratch);
    if (FAILED(hr))
        return hr;
    hr = scratch->HvCollectionImpl::Load(stream, categories);
    scratch->ClearCollection(true, 1);
    scratch->Release();
    return hr;
}

// The blob form of a participant in a property bag: the stream frame in a
// memory block headed by its length.
HRESULT SaveBlob(HvPersistParticipant& participant, IPropertyBag* bag, LPCOLESTR name)
{
    if (!bag || !name)
        return E_INVALIDARG;
    IStream* stream = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr))
        return hr;
    hr = participant.SaveToStream(stream, -1);
    if (FAILED(hr)) {
        stream->Release();
        return hr;
    }
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    GetHGlobalFromStream(stream, &memory);
    stream->Stat(&stat, STATFLAG_NONAME);
    const DWORD length = stat.cbSize.LowPart;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 4);
    void* source = memory ? GlobalLock(memory) : nullptr;
    void* target = block ? GlobalLock(block) : nullptr;
    if (!source || !target) {
        if (source)
            GlobalUnlock(memory);
        if (target)
            GlobalUnlock(block);
        if (block)
            GlobalFree(block);
        stream->Release();
        return E_FAIL;
    }
    std::memcpy(target, &length, 4);
    std::memcpy(static_cast<BYTE*>(target) + 4, source, length);
    GlobalUnlock(block);
    GlobalUnlock(memory);
    stream->Release();
    CPersistHGlobal* holder = CPersistHGlobal::Create(block);
    if (!holder) {
        GlobalFree(block);
        return E_FAIL;
    }
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = holder;
    hr = bag->Write(name, &value);
    holder->Release();
    return hr;
}

HRESULT LoadBlob(HvPersistParticipant& participant, IPropertyBag* bag, IErrorLog* log, LPCOLESTR name)
{
    if (!bag || !name)
        return E_INVALIDARG;
    CPersistHGlobal* holder = CPersistHGlobal::Create(nullptr);
    if (!holder)
        return E_OUTOFMEMORY;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = holder;
    holder->AddRef();
    HRESULT hr = bag->Read(name, &value, log);
    VariantClear(&value);
    if (FAILED(hr) || !holder->GetHGlobal()) {
        holder->Release();
        return S_OK;
    }
    DWORD count = 0;
    HGLOBAL block = holder->GetHGlobal();
    const SIZE_T size = GlobalSize(block);
    if (!holder->DataCount(&count))
        count = static_cast<DWORD>(size);
    IStream* stream = nullptr;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr)) {
        const BYTE* data = static_cast<const BYTE*>(GlobalLock(block));
        if (data && size > 4) {
            ULONG written = 0;
            stream->Write(data + 4, static_cast<ULONG>(size - 4), &written);
        }
        if (data)
            GlobalUnlock(block);
        LARGE_INTEGER zero{};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        hr = participant.LoadFromStream(stream, -1);
        stream->Release();
    }
    holder->Release();
    return hr;
}

HRESULT WriteBagValue(IPropertyBag* bag, LPCOLESTR name, VARTYPE type, LONG number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = type;
    if (type == VT_I2)
        value.iVal = static_cast<SHORT>(number);
    else if (type == VT_BOOL)
        value.boolVal = number ? VARIANT_TRUE : VARIANT_FALSE;
    else
        value.lVal = number;
    return bag->Write(name, &value);
}

bool ReadBagValue(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, VARTYPE type, LONG* number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = type;
    if (FAILED(bag->Read(name, &value, log)))
        return false;
    VARIANT converted;
    VariantInit(&converted);
    const bool ok = SUCCEEDED(VariantChangeType(&converted, &value, 0, type == VT_BOOL ? VT_BOOL : VT_I4));
    if (ok)
        *number = type == VT_BOOL ? (converted.boolVal != VARIANT_FALSE) : converted.lVal;
    VariantClear(&value);
    return ok;
}

} // namespace

// ---------------------------------------------------------------------------
// The general block

struct HvLayout::GeneralBlock {
    BYTE bytes[29];
};

HRESULT HvLayout::FillGeneral(GeneralBlock& block) const
{
    std::memset(block.bytes, 0, sizeof block.bytes);
    const LONG spacing = PixelsToTwipsY(interBandSpacing_);
    std::memcpy(block.bytes + 0, &rowConnectorColor_, 4);
    std::memcpy(block.bytes + 4, &estimatedRows_, 4);
    std::memcpy(block.bytes + 8, &tipDelay_, 4);
    std::memcpy(block.bytes + 12, &spacing, 4);
    std::memcpy(block.bytes + 16, &maxColScrollRegions_, 2);
    std::memcpy(block.bytes + 18, &maxRowScrollRegions_, 2);
    block.bytes[21] = borderStyle_;
    block.bytes[22] = rowConnectorStyle_;
    block.bytes[23] = scrollBars_;
    block.bytes[24] = borderStyleCaption_;
    block.bytes[25] = tabNavigation_;
    block.bytes[26] = viewStyle_;
    block.bytes[27] = viewStyleBand_;
    block.bytes[28] = flags_;
    return S_OK;
}

void HvLayout::ApplyGeneral(const GeneralBlock& block)
{
    LONG spacing = 0;
    std::memcpy(&rowConnectorColor_, block.bytes + 0, 4);
    std::memcpy(&estimatedRows_, block.bytes + 4, 4);
    std::memcpy(&tipDelay_, block.bytes + 8, 4);
    std::memcpy(&spacing, block.bytes + 12, 4);
    std::memcpy(&maxColScrollRegions_, block.bytes + 16, 2);
    std::memcpy(&maxRowScrollRegions_, block.bytes + 18, 2);
    interBandSpacing_ = TwipsToPixelsY(spacing);
    borderStyle_ = block.bytes[21];
    rowConnectorStyle_ = block.bytes[22];
    scrollBars_ = block.bytes[23];
    borderStyleCaption_ = block.bytes[24];
    tabNavigation_ = block.bytes[25];
    viewStyle_ = block.bytes[26];
    viewStyleBand_ = block.bytes[27];
    // The font's origin stays this layout's own: only the user's choice and
    // the two switches travel with the settings.
    const BYTE travelling = FlagEnabled | FlagAlphaBlend;
    flags_ = static_cast<BYTE>((flags_ & ~travelling) | (block.bytes[28] & travelling));
    viewStyleObject_.reset();
}

HRESULT HvLayout::CheckGeneral(const GeneralBlock& block)
{
    DWORD color = 0;
    LONG estimatedRows = 0, tipDelay = 0, spacing = 0;
    SHORT maxCols = 0, maxRows = 0;
    std::memcpy(&color, block.bytes + 0, 4);
    std::memcpy(&estimatedRows, block.bytes + 4, 4);
    std::memcpy(&tipDelay, block.bytes + 8, 4);
    std::memcpy(&spacing, block.bytes + 12, 4);
    std::memcpy(&maxCols, block.bytes + 16, 2);
    std::memcpy(&maxRows, block.bytes + 18, 2);
    const BYTE colorKind = static_cast<BYTE>(color >> 24);
    constexpr BYTE knownFlags = FlagEnabled | FlagUserFont | FlagAmbientFont | FlagStockFont | FlagAlphaBlend;
    const bool valid = (colorKind == 0 || colorKind == 0x80) && estimatedRows >= 0 && tipDelay >= -1 &&
                       spacing >= 0 && maxCols >= 1 && maxRows >= 1 && block.bytes[20] == 0 &&
                       block.bytes[21] <= 9 && block.bytes[22] <= 7 && block.bytes[23] <= 4 &&
                       block.bytes[24] <= 9 && block.bytes[25] <= 1 && block.bytes[26] <= 1 &&
                       block.bytes[27] <= 1 && (block.bytes[28] & ~knownFlags) == 0;
    return valid ? S_OK : E_FAIL;
}

bool HvLayout::GeneralDiffers() const
{
    return rowConnectorColor_ != 0x80000010 || estimatedRows_ != 0 || tipDelay_ != -1 ||
           interBandSpacing_ != TwipsToPixelsY(60) || maxColScrollRegions_ != 10 || maxRowScrollRegions_ != 10 ||
           borderStyle_ != 0 || rowConnectorStyle_ != 0 || scrollBars_ != 4 || borderStyleCaption_ != 0 ||
           tabNavigation_ != 0 || viewStyle_ != 1 || viewStyleBand_ != 0 || (flags_ & FlagUserFont) ||
           !(flags_ & FlagAlphaBlend) || !(flags_ & FlagEnabled);
}

void HvLayout::ResetGeneral()
{
    rowConnectorColor_ = 0x80000010;
    estimatedRows_ = 0;
    tipDelay_ = -1;
    interBandSpacing_ = TwipsToPixelsY(60);
    maxColScrollRegions_ = 10;
    maxRowScrollRegions_ = 10;
    borderStyle_ = 0;
    rowConnectorStyle_ = 0;
    scrollBars_ = 4;
    borderStyleCaption_ = 0;
    tabNavigation_ = 0;
    viewStyle_ = 1;
    viewStyleBand_ = 0;
    flags_ = static_cast<BYTE>(flags_ | FlagEnabled | FlagAlphaBlend);
    viewStyleObject_.reset();
}

// ---------------------------------------------------------------------------
// HasData

bool HvLayout::HasData(DWORD code, LONG categories)
{
    const LONG cats = AllCategories(categories);
    const bool general = (cats & CatGeneral) != 0;
    switch (code) {
    case PropGeneral:
        return general && GeneralDiffers();
    case PropFont:
        return (flags_ & FlagUserFont) && font_.Object();
    case PropAppearances:
        return (cats & CatAppearanceCollection) && appearances_ && appearances_->ItemCount() > 0;
    case PropOverrides:
        return overrides_ && overrides_->HasDataForCategories(cats & 0xFF);
    case PropColScrollRegions:
        return colScrollRegions_ && colScrollRegions_->HasDataForCategories(cats);
    case PropRowScrollRegions:
        return rowScrollRegions_ && rowScrollRegions_->HasDataForCategories(cats);
    case PropValueLists:
        return valueLists_ && valueLists_->HasDataForCategories(cats);
    case PropBands: {
        HvBands* bands = pendingBands_ ? pendingBands_ : bands_;
        if (!bands)
            return false;
        for (LONG i = 0; i < bands->ItemCount(); ++i)
            if (GridBandSeam* band = bands->BandAt(i))
                if (HvPersistParticipant* participant = band->Participant())
                    if (participant->HasAnyCategoryData(cats))
                        return true;
        return false;
    }
    case PropOverride:
        return override_ && override_->HasAnyCategoryData(cats);
    case PropAppearanceRefs:
        return general && (appearance_.IsSet() || captionAppearance_.IsSet());
    case PropCaption:
        return !caption_.IsEmpty();
    case PropTagVariant:
        return !tag_.IsEmpty();
    case PropAddNewBox:
        return addNewBox_ && addNewBox_->Participant() &&
               addNewBox_->Participant()->HasAnyCategoryData(cats);
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Stream

HRESULT HvLayout::SaveFontToStream(IStream* stream, PropertySinkConnection& font)
{
    IFont* held = nullptr;
    if (!font.Object() || FAILED(font.Object()->QueryInterface(IID_IFont, reinterpret_cast<void**>(&held))))
        return E_FAIL;
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    BSTR name = nullptr;
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    held->get_Name(&name);
    held->get_Size(&desc.cySize);
    held->get_Bold(&bold);
    held->get_Italic(&italic);
    held->get_Underline(&underline);
    held->get_Strikethrough(&strike);
    held->get_Weight(&desc.sWeight);
    held->get_Charset(&desc.sCharset);
    held->Release();
    desc.lpstrName = name;
    desc.fItalic = italic;
    desc.fUnderline = underline;
    desc.fStrikethrough = strike;
    IPersistStream* copy = nullptr;
    HRESULT hr = OleCreateFontIndirect(&desc, IID_IPersistStream, reinterpret_cast<void**>(&copy));
    SysFreeString(name);
    if (FAILED(hr))
        return hr;
    hr = copy->Save(stream, FALSE);
    copy->Release();
    return hr;
}

HRESULT HvLayout::Save(DWORD code, IStream* stream, LONG categories)
{
    const LONG cats = AllCategories(categories);
    switch (code) {
    case PropGeneral: {
        GeneralBlock block;
        FillGeneral(block);
        return WriteBytes(stream, block.bytes, sizeof block.bytes);
    }
    case PropFont:
        return SaveFontToStream(stream, font_);
    case PropAppearances:
        return appearances_->HvCollectionImpl::Save(stream, cats);
    case PropOverrides:
        return overrides_->HvCollectionImpl::Save(stream, cats);
    case PropColScrollRegions:
        return colScrollRegions_->HvCollectionImpl::Save(stream, cats);
    case PropRowScrollRegions:
        return rowScrollRegions_->HvCollectionImpl::Save(stream, cats);
    case PropValueLists:
        return valueLists_->HvCollectionImpl::Save(stream, cats);
    case PropBands:
        return (pendingBands_ ? pendingBands_ : bands_)->HvCollectionImpl::Save(stream, cats);
    case PropOverride:
        return HvOverride::SaveOverrideToStream(stream, cats, overrides_, override_);
    case PropAppearanceRefs: {
        const LONG mask = (appearance_.IsSet() ? 1 : 0) | (captionAppearance_.IsSet() ? 2 : 0);
        HRESULT hr = WriteBytes(stream, &mask, sizeof mask);
        const bool inlineObject = (cats & CatAppearanceCollection) == 0;
        if (SUCCEEDED(hr) && (mask & 1))
            hr = appearance_.SaveToStream(stream, inlineObject, cats);
        if (SUCCEEDED(hr) && (mask & 2))
            hr = captionAppearance_.SaveToStream(stream, inlineObject, cats);
        return hr;
    }
    case PropCaption:
        return WriteStringToStream(stream, caption_);
    case PropTagVariant:
        return tag_.SaveToStream(stream);
    case PropAddNewBox:
        return addNewBox_->Participant()->SaveToStream(stream, cats);
    default:
        return E_FAIL;
    }
}

HRESULT HvLayout::LoadBandsFrom(IStream* stream, LONG categories)
{
    if (IsCurrentLayout()) {
        if (!pendingBands_) {
            if (FAILED(HvBands::Create(this, &pendingBands_)) || !pendingBands_)
                return E_OUTOFMEMORY;
            pendingBandsLink_.RelinkSubscription(pendingBands_);
        }
        return pendingBands_->HvCollectionImpl::Load(stream, categories);
    }
    return bands_->HvCollectionImpl::Load(stream, categories);
}

HRESULT HvLayout::Load(DWORD code, IStream* stream, LONG categories)
{
    const LONG cats = AllCategories(categories);
    const bool general = (cats & CatGeneral) != 0;
    switch (code) {
    case PropGeneral: {
        GeneralBlock block;
        HRESULT hr = ReadBytes(stream, block.bytes, sizeof block.bytes);
        if (SUCCEEDED(hr))
            hr = CheckGeneral(block);
        if (SUCCEEDED(hr) && general)
            ApplyGeneral(block);
        return hr;
    }
    case PropFont: {
        IPersistStream* font = nullptr;
        HRESULT hr = OleCreateFontIndirect(const_cast<FONTDESC*>(&PropertySinkConnection::DefaultFontDescription()),
                                           IID_IPersistStream, reinterpret_cast<void**>(&font));
        if (FAILED(hr))
            return hr;
        hr = font->Load(stream);
        if (SUCCEEDED(hr) && general) {
            ConnectFont(font);
            flags_ |= FlagUserFont;
            font = nullptr;
        }
        if (font)
            font->Release();
        return hr;
    }
    case PropAppearances:
        if (cats & CatAppearanceCollection)
            return appearances_->HvCollectionImpl::Load(stream, cats);
        return SkipCollection<HvAppearances, HvLayoutHost>(this, stream, cats);
    case PropOverrides:
        return overrides_->HvCollectionImpl::Load(stream, cats);
    case PropColScrollRegions:
        if (cats & CatColScrollRegions)
            return colScrollRegions_->HvCollectionImpl::Load(stream, cats);
        return SkipCollection<HvColScrollRegions, ScrollRegionsLayoutSeam>(this, stream, cats);
    case PropRowScrollRegions:
        if (cats & CatRowScrollRegions)
            return rowScrollRegions_->HvCollectionImpl::Load(stream, cats);
        return SkipCollection<HvRowScrollRegions, ScrollRegionsLayoutSeam>(this, stream, cats);
    case PropValueLists:
        if (cats & CatValueLists) {
            if (!IsActive())
                return NotActiveError();
            if (!GetValueLists(true))
                return E_OUTOFMEMORY;
            return valueLists_->Load(stream, cats);
        }
        return SkipCollection<HvValueLists, ValueListLayoutSeam>(this, stream, cats);
    case PropBands:
        return LoadBandsFrom(stream, cats);
    case PropOverride: {
        HvOverride* loaded = nullptr;
        HRESULT hr = HvOverride::LoadOverrideFromStream(stream, cats, this, overrides_, nullptr, &loaded);
        if (SUCCEEDED(hr) && general && loaded)
            ReplaceOverride(loaded);
        if (loaded)
            loaded->Release();
        return hr;
    }
    case PropAppearanceRefs: {
        LONG mask = 0;
        HRESULT hr = ReadBytes(stream, &mask, sizeof mask);
        AppearanceRef* refs[2] = {&appearance_, &captionAppearance_};
        for (int i = 0; i < 2 && SUCCEEDED(hr); ++i) {
            if (!(mask & (1 << i))) {
                if (general)
                    refs[i]->ReleaseAppearance();
                continue;
            }
            if (general) {
                hr = refs[i]->LoadFromStream(stream, cats);
            } else {
                AppearanceRef scratch;
                scratch.Init(this, appearances_, nullptr);
                hr = scratch.LoadFromStream(stream, cats);
            }
        }
        captionHeight_ = 0;
        backgroundPicture_ = -1;
        return hr;
    }
    case PropCaption: {
        CDualString text;
        HRESULT hr = ReadStringFromStream(stream, text);
        if (SUCCEEDED(hr) && general) {
            caption_.Assign(text);
            captionHeight_ = 0;
        }
        return hr;
    }
    case PropRetiredPicture: {
        IPicture* picture = nullptr;
        const HRESULT hr = LoadCheckedPicture(stream, IID_IPicture, reinterpret_cast<void**>(&picture));
        if (picture)
            picture->Release();
        return hr;
    }
    case PropTagVariant: {
        if (general)
            return tag_.LoadFromStream(stream);
        CVariantValue scratch;
        return scratch.LoadFromStream(stream);
    }
    case PropAddNewBox: {
        if (general) {
            LayoutAddNewBoxSeam* box = GetAddNewBox(true);
            if (!box || !box->Participant())
                return E_OUTOFMEMORY;
            return box->Participant()->LoadFromStream(stream, cats);
        }
        LayoutAddNewBoxSeam* scratch = nullptr;
        if (!LayoutParts().addNewBox || FAILED(LayoutParts().addNewBox(*this, &scratch)) || !scratch)
            return E_OUTOFMEMORY;
        HRESULT hr = scratch->Participant() ? scratch->Participant()->LoadFromStream(stream, cats) : E_FAIL;
        scratch->Detach();
        scratch->Interface()->Release();
        return hr;
    }
    default:
        return E_FAIL;
    }
}

// ---------------------------------------------------------------------------
// Reset and copy

void HvLayout::ReplaceRegions(DWORD code)
{
    if (code == PropColScrollRegions) {
        HvColScrollRegions* fresh = nullptr;
        if (FAILED(HvColScrollRegions::Create(this, &fresh)) || !fresh)
            return;
        colRegionsLink_.Unlink();
        if (colScrollRegions_) {
            colScrollRegions_->ClearCollection(true, 1);
            colScrollRegions_->Release();
        }
        colScrollRegions_ = fresh;
        colRegionsLink_.RelinkSubscription(fresh);
    } else {
        HvRowScrollRegions* fresh = nullptr;
        if (FAILED(HvRowScrollRegions::Create(this, &fresh)) || !fresh)
            return;
        rowRegionsLink_.Unlink();
        if (rowScrollRegions_) {
            rowScrollRegions_->ClearCollection(true, 1);
            rowScrollRegions_->Release();
        }
        rowScrollRegions_ = fresh;
        rowRegionsLink_.RelinkSubscription(fresh);
    }
}

void HvLayout::Reset(DWORD code, LONG categories)
{
    const LONG cats = AllCategories(categories);
    const bool general = (cats & CatGeneral) != 0;
    switch (code) {
    case PropGeneral:
        if (general)
            ResetGeneral();
        break;
    case PropFont:
        if (general) {
            font_.Disconnect();
            flags_ = static_cast<BYTE>(flags_ & ~(FlagUserFont | FlagAmbientFont | FlagStockFont));
            if (!grid_)
                BuildFont();
        }
        break;
    case PropAppearances:
        if ((cats & CatAppearanceCollection) && appearances_)
            appearances_->ClearCollection(true, 0);
        break;
    case PropOverrides:
        if ((cats & CatOverrideCollection) && overrides_)
            overrides_->ClearCollection(true, 0);
        break;
    case PropColScrollRegions:
        if (cats & CatColScrollRegions)
            ReplaceRegions(PropColScrollRegions);
        break;
    case PropRowScrollRegions:
        if (cats & CatRowScrollRegions)
            ReplaceRegions(PropRowScrollRegions);
        break;
    case PropValueLists:
        if ((cats & CatValueLists) && valueLists_) {
            valueListsLink_.Unlink();
            valueLists_->ClearCollection(true, 1);
            ReleaseHeld(valueLists_);
        }
        break;
    case PropBands:
        if (bands_)
            bands_->ResetForCategories(cats);
        break;
    case PropOverride:
        if (general && override_) {
            overrideLink_.Unlink();
            ReleaseHeld(override_);
            cellClickStrategy_.reset();
            cellSelectStrategy_.reset();
            rowSelectStrategy_.reset();
            colSelectStrategy_.reset();
        }
        break;
    case PropAppearanceRefs:
        if (general) {
            appearance_.ReleaseAppearance();
            captionAppearance_.ReleaseAppearance();
            captionHeight_ = 0;
            backgroundPicture_ = -1;
        }
        break;
    case PropCaption:
        if (general) {
            caption_.Empty();
            captionHeight_ = 0;
        }
        break;
    case PropTagVariant:
        if (general)
            tag_.Clear();
        break;
    case PropAddNewBox:
        if (general && addNewBox_) {
            addNewBoxLink_.Unlink();
            addNewBox_->Detach();
            IHvAddNewBox* box = addNewBox_->Interface();
            addNewBox_ = nullptr;
            box->Release();
        }
        break;
    default:
        break;
    }
}

HRESULT HvLayout::CopyFrom(DWORD code, HvPersistParticipant& sourceParticipant, LONG categories)
{
    if (sourceParticipant.ParticipantKind() != Kind)
        return E_FAIL;
    HvLayout& source = static_cast<HvLayout&>(sourceParticipant);
    if (&source == this)
        return S_OK;
    const LONG cats = AllCategories(categories);
    const bool general = (cats & CatGeneral) != 0;
    switch (code) {
    case PropGeneral:
        if (general) {
            GeneralBlock block;
            source.FillGeneral(block);
            ApplyGeneral(block);
            flags_ = static_cast<BYTE>((flags_ & ~FlagUserFont) | (source.flags_ & FlagUserFont));
        }
        return S_OK;
    case PropFont:
        if (general && (source.flags_ & FlagUserFont) && source.font_.Object()) {
            font_.AssignFont(nullptr, source.font_.Object());
            flags_ |= FlagUserFont;
        }
        return S_OK;
    case PropAppearances:
        if ((cats & CatAppearanceCollection) && appearances_ && source.appearances_) {
            appearances_->ClearCollection(true, 0);
            return appearances_->CopyFrom(*source.appearances_);
        }
        return S_OK;
    case PropOverrides:
        if ((cats & CatOverrideCollection) && overrides_ && source.overrides_)
            return overrides_->CopyFrom(*source.overrides_);
        return S_OK;
    case PropColScrollRegions:
        if ((cats & CatColScrollRegions) && colScrollRegions_ && source.colScrollRegions_)
            return colScrollRegions_->CopyFrom(*source.colScrollRegions_);
        return S_OK;
    case PropRowScrollRegions:
        if ((cats & CatRowScrollRegions) && rowScrollRegions_ && source.rowScrollRegions_)
            return rowScrollRegions_->CopyFrom(*source.rowScrollRegions_);
        return S_OK;
    case PropValueLists:
        if ((cats & CatValueLists) && source.valueLists_) {
            if (!GetValueLists(true))
                return E_OUTOFMEMORY;
            return valueLists_->CopyFrom(*source.valueLists_, cats);
        }
        return S_OK;
    case PropBands:
        if ((cats & CatBands) && bands_) {
            HvBands* from = source.pendingBands_ ? source.pendingBands_ : source.bands_;
            if (from)
                return bands_->CopyFrom(*from, cats);
        }
        return S_OK;
    case PropOverride:
        if (!general)
            return S_OK;
        if (!source.override_) {
            Reset(PropOverride, cats);
            return S_OK;
        }
        if (!GetOverride(true))
            return E_OUTOFMEMORY;
        return override_->CopyAll(*source.override_, -1);
    case PropAppearanceRefs:
        if (general) {
            HRESULT hr = appearance_.Assign(source.appearance_);
            if (SUCCEEDED(hr))
                hr = captionAppearance_.Assign(source.captionAppearance_);
            captionHeight_ = 0;
            backgroundPicture_ = -1;
            return hr;
        }
        return S_OK;
    case PropCaption:
        if (general) {
            caption_.Assign(source.caption_);
            captionHeight_ = 0;
        }
        return S_OK;
    case PropTagVariant:
        return general ? tag_.Copy(source.tag_) : S_OK;
    case PropAddNewBox:
        if (!general)
            return S_OK;
        if (!source.addNewBox_) {
            Reset(PropAddNewBox, cats);
            return S_OK;
        }
        if (!GetAddNewBox(true) || !addNewBox_->Participant() || !source.addNewBox_->Participant())
            return E_OUTOFMEMORY;
        return addNewBox_->Participant()->CopyAll(*source.addNewBox_->Participant(), -1);
    default:
        return S_OK;
    }
}

void HvLayout::AfterLoad()
{
    if (!IsCurrentLayout())
        return;
    SetColumnMetricsDirty(false);
    RecalcColumnMetricsIfDirty();
    BuildFont();
    if (bands_)
        bands_->UpdateAllBands();
}

// ---------------------------------------------------------------------------
// Property bag

HRESULT HvLayout::SavePropertyToBag(DWORD code, IPropertyBag* bag, bool saveAll)
{
    switch (code) {
    case PropGeneral: {
        struct Entry {
            LPCOLESTR name;
            VARTYPE type;
            LONG value;
            LONG fallback;
        };
        const Entry entries[] = {
            {L"RowConnectorColor", VT_I4, static_cast<LONG>(rowConnectorColor_), static_cast<LONG>(0x80000010)},
            {L"EstimatedRows", VT_I4, estimatedRows_, 0},
            {L"TipDelay", VT_I4, tipDelay_, -1},
            {L"MaxColScrollRegions", VT_I2, maxColScrollRegions_, 10},
            {L"MaxRowScrollRegions", VT_I2, maxRowScrollRegions_, 10},
            {L"BorderStyle", VT_I2, borderStyle_, 0},
            {L"ScrollBars", VT_I2, scrollBars_, 4},
            {L"RowConnectorStyle", VT_I2, rowConnectorStyle_, 0},
            {L"TabNavigation", VT_I2, tabNavigation_, 0},
            {L"ViewStyle", VT_I2, viewStyle_, 1},
            {L"ViewStyleBand", VT_I2, viewStyleBand_, 0},
            {L"BorderStyleCaption", VT_I2, borderStyleCaption_, 0},
            {L"InterBandSpacing", VT_I4, PixelsToTwipsY(interBandSpacing_), 60},
            {L"AlphaBlendEnabled", VT_BOOL, (flags_ & FlagAlphaBlend) ? 1 : 0, 1},
            {L"Enabled", VT_BOOL, (flags_ & FlagEnabled) ? 1 : 0, 1},
        };
        for (const Entry& entry : entries) {
            if (!saveAll && entry.value == entry.fallback)
                continue;
            HRESULT hr = WriteBagValue(bag, entry.name, entry.type, entry.value);
            if (FAILED(hr))
                return hr;
        }
        return S_OK;
    }
    case PropFont: {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_UNKNOWN;
        value.punkVal = font_.Object();
        return value.punkVal ? bag->Write(L"Font", &value) : S_OK;
    }
    case PropAppearances:
        return appearances_->SaveToPropertyBag(bag, L"Appearances", -1);
    case PropOverrides:
        return overrides_->SaveToPropertyBag(bag, L"Overrides", -1);
    case PropColScrollRegions:
        return colScrollRegions_->SaveToPropertyBag(bag, L"ColScrollRegions", -1);
    case PropRowScrollRegions:
        return rowScrollRegions_->SaveToPropertyBag(bag, L"RowScrollRegions", -1);
    case PropValueLists:
        return valueLists_->SaveToPropertyBag(bag, L"ValueLists", -1);
    case PropBands:
        return (pendingBands_ ? pendingBands_ : bands_)->SaveToPropertyBag(bag, L"Bands", -1);
    case PropOverride:
        return SaveBlob(*override_, bag, L"Override");
    case PropAppearanceRefs: {
        HRESULT hr = S_OK;
        if (appearance_.IsSet())
            hr = appearance_.SaveToPropertyBag(bag, L"Appearance", -1);
        if (SUCCEEDED(hr) && captionAppearance_.IsSet())
            hr = captionAppearance_.SaveToPropertyBag(bag, L"CaptionAppearance", -1);
        return hr;
    }
    case PropCaption: {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = caption_.AllocSysString();
        HRESULT hr = bag->Write(L"Caption", &value);
        VariantClear(&value);
        return hr;
    }
    case PropTagVariant:
        return tag_.SaveToPropertyBag(bag, L"TagVariant");
    case PropAddNewBox:
        return SaveBlob(*addNewBox_->Participant(), bag, L"AddNewBox");
    default:
        return S_OK;
    }
}

HRESULT HvLayout::LoadPropertyFromBag(DWORD code, IPropertyBag* bag, IErrorLog* log)
{
    switch (code) {
    case PropGeneral: {
        LONG value = 0;
        auto read = [&](LPCOLESTR name, VARTYPE type, LONG fallback) {
            return ReadBagValue(bag, log, name, type, &value) ? value : fallback;
        };
        rowConnectorColor_ = static_cast<OLE_COLOR>(read(L"RowConnectorColor", VT_I4, static_cast<LONG>(0x80000010)));
        estimatedRows_ = read(L"EstimatedRows", VT_I4, 0);
        tipDelay_ = read(L"TipDelay", VT_I4, -1);
        maxColScrollRegions_ = static_cast<short>(read(L"MaxColScrollRegions", VT_I2, 10));
        maxRowScrollRegions_ = static_cast<short>(read(L"MaxRowScrollRegions", VT_I2, 10));
        borderStyle_ = static_cast<BYTE>(read(L"BorderStyle", VT_I2, 0));
        scrollBars_ = static_cast<BYTE>(read(L"ScrollBars", VT_I2, 4));
        rowConnectorStyle_ = static_cast<BYTE>(read(L"RowConnectorStyle", VT_I2, 0));
        tabNavigation_ = static_cast<BYTE>(read(L"TabNavigation", VT_I2, 0));
        viewStyle_ = static_cast<BYTE>(read(L"ViewStyle", VT_I2, 1));
        viewStyleBand_ = static_cast<BYTE>(read(L"ViewStyleBand", VT_I2, 0));
        borderStyleCaption_ = static_cast<BYTE>(read(L"BorderStyleCaption", VT_I2, 0));
        interBandSpacing_ = TwipsToPixelsY(read(L"InterBandSpacing", VT_I4, 60));
        const bool alpha = read(L"AlphaBlendEnabled", VT_BOOL, 1) != 0;
        const bool enabled = read(L"Enabled", VT_BOOL, 1) != 0;
        flags_ = static_cast<BYTE>((flags_ & ~(FlagAlphaBlend | FlagEnabled)) | (alpha ? FlagAlphaBlend : 0) |
                                   (enabled ? FlagEnabled : 0));
        viewStyleObject_.reset();
        return S_OK;
    }
    case PropFont: {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_UNKNOWN;
        if (SUCCEEDED(bag->Read(L"Font", &value, log)) && value.vt == VT_UNKNOWN && value.punkVal) {
            IFont* font = nullptr;
            if (SUCCEEDED(value.punkVal->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font))) && font) {
                ConnectFont(font);
                flags_ |= FlagUserFont;
            }
        }
        VariantClear(&value);
        return S_OK;
    }
    case PropAppearances:
        if (appearances_)
            appearances_->LoadFromPropertyBag(bag, log, L"Appearances", -1);
        return S_OK;
    case PropOverrides:
        if (overrides_)
            overrides_->LoadFromPropertyBag(bag, log, L"Overrides", -1);
        return S_OK;
    case PropColScrollRegions:
        if (!colScrollRegions_ || FAILED(colScrollRegions_->LoadFromPropertyBag(bag, log, L"ColScrollRegions", -1)))
            Reset(code, -1);
        return S_OK;
    case PropRowScrollRegions:
        if (!rowScrollRegions_ || FAILED(rowScrollRegions_->LoadFromPropertyBag(bag, log, L"RowScrollRegions", -1)))
            Reset(code, -1);
        return S_OK;
    case PropValueLists:
        if (GetValueLists(true))
            valueLists_->LoadFromPropertyBag(bag, log, L"ValueLists", -1);
        return S_OK;
    case PropBands:
        if (IsCurrentLayout()) {
            if (!pendingBands_) {
                if (FAILED(HvBands::Create(this, &pendingBands_)) || !pendingBands_)
                    return E_OUTOFMEMORY;
                pendingBandsLink_.RelinkSubscription(pendingBands_);
            } else {
                pendingBands_->ClearCollection(true, 1);
            }
            pendingBands_->LoadFromPropertyBag(bag, log, L"Bands", -1);
        } else if (bands_) {
            bands_->LoadFromPropertyBag(bag, log, L"Bands", -1);
        }
        return S_OK;
    case PropOverride:
        if (GetOverride(true))
            LoadBlob(*override_, bag, log, L"Override");
        return S_OK;
    case PropAppearanceRefs:
        appearance_.LoadFromPropertyBag(bag, log, L"Appearance", -1);
        captionAppearance_.LoadFromPropertyBag(bag, log, L"CaptionAppearance", -1);
        captionHeight_ = 0;
        return S_OK;
    case PropCaption: {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        if (SUCCEEDED(bag->Read(L"Caption", &value, log)) && value.vt == VT_BSTR)
            caption_.AssignWide(value.bstrVal ? value.bstrVal : L"");
        else
            caption_.Empty();
        VariantClear(&value);
        captionHeight_ = 0;
        return S_OK;
    }
    case PropTagVariant:
        tag_.LoadFromPropertyBag(bag, L"TagVariant", log);
        return S_OK;
    case PropAddNewBox:
        if (LayoutAddNewBoxSeam* box = GetAddNewBox(true))
            if (box->Participant())
                LoadBlob(*box->Participant(), bag, log, L"AddNewBox");
        return S_OK;
    default:
        return S_OK;
    }
}

HRESULT HvLayout::SaveToPropertyBag(IPropertyBag* bag, bool saveAll)
{
    return Guard([&]() -> HRESULT {
        if (!bag)
            return E_INVALIDARG;
        DWORD mask = 0;
        for (DWORD bit = 1; bit != 0; bit <<= 1)
            if ((PropertySet & bit) && HasData(bit, -1))
                mask |= bit;
        HRESULT hr = WriteBagValue(bag, L"LayoutFlags", VT_I4, static_cast<LONG>(mask));
        for (DWORD bit = 1; bit != 0 && SUCCEEDED(hr); bit <<= 1)
            if (mask & bit)
                hr = SavePropertyToBag(bit, bag, saveAll);
        return hr;
    });
}

HRESULT HvLayout::LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* errorLog)
{
    return Guard([&]() -> HRESULT {
        if (!bag)
            return E_INVALIDARG;
        // Every layout property is looked up by name, whatever mask was
        // stored with it.
        HRESULT hr = S_OK;
        for (DWORD bit = 1; bit != 0 && SUCCEEDED(hr); bit <<= 1)
            if (PropertySet & bit)
                hr = LoadPropertyFromBag(bit, bag, errorLog);
        AfterLoad();
        return hr;
    });
}
