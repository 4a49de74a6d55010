// ControlStateParticipant: the grid control's own persisted state as a
// persistence participant: six categories (general settings, DataMember,
// ImagesURL, the images, the nested layout and TagVariant), each saved,
// loaded and reset on its own, in streams and in property bags.
#pragma once

#include "HvPersistParticipant.h"

#include <ocidl.h>

class HvTavelle;

class ControlStateParticipant final : public HvPersistParticipant {
public:
    // Category codes, handled lowest bit first.
    static constexpr DWORD General = 0x4;
    static constexpr DWORD DataMember = 0x40;
    static constexpr DWORD ImagesUrl = 0x100;
    static constexpr DWORD Images = 0x400;
    static constexpr DWORD Layout = 0x40000;
    static constexpr DWORD TagVariant = 0x400000;
    static constexpr DWORD AllCategories = 0x440544;
    static constexpr LONG StateVersion = 0x10000;
    // The general block: UpdateMode, the drop mode copy, a spare byte and
    // the image flags.
    static constexpr ULONG GeneralSize = 4;
    static constexpr BYTE MaxUpdateMode = 2;    // hvUpdateOnUpdate
    static constexpr BYTE MaxDropMode = 1;      // hvOLEDropManual
    // S_OK when every field of a stored general block is in its range, else
    // E_FAIL: a stream with such a block is refused.
    static HRESULT CheckGeneral(const BYTE* block);

    explicit ControlStateParticipant(HvTavelle& control) : control_(control) {}

    LONG ParticipantKind() const override { return 0; }
    DWORD Signature() const override { return AllCategories; }
    LONG FormatVersion() const override { return StateVersion; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    // The general category's defaults: UpdateMode, the drop mode copy and
    // the spare byte 0, ImagesMasking only.
    void ResetGeneral();
    // "GridFlags" and the keys of the categories that hold data.
    HRESULT SaveToPropertyBag(IPropertyBag* bag, bool saveAll);
    // Every category from its own keys, whatever "GridFlags" holds.
    HRESULT LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log);
    // All or nothing: the stream is read into scratch objects first
    // (ControlStateScratch), and into the control only when that succeeded.
    HRESULT LoadFromStreamWithAfterLoad(IStream* stream);
    void AfterLoad();

private:
    HRESULT SaveCategoryToBag(DWORD code, IPropertyBag* bag, bool saveAll);
    void LoadCategoryFromBag(DWORD code, IPropertyBag* bag, IErrorLog* log);
    HRESULT SaveGeneralToBag(IPropertyBag* bag, bool saveAll);
    void LoadGeneralFromBag(IPropertyBag* bag, IErrorLog* log);

    HvTavelle& control_;
};
