// Stand-ins for what a row works with: its band (with the layout's and the
// control's answers and a log of the events and calls it receives) and its
// bound row.
#pragma once

#include "ChangeNotice.h"
#include "ChangeSubscriber.h"
#include "HvLayoutHost.h"
#include "PropertySinkConnection.h"
#include "RowBandSeam.h"
#include "RowDataSeam.h"
#include "SubscriptionLink.h"

#include <string>
#include <vector>

class HvAppearances;

class FakeRowData final : public RowDataSeam {
public:
    ULONG AddRefData() override { return ++refs; }
    ULONG ReleaseData() override { return --refs; }
    void AttachRowObject(HvRow* row) override { attached = row; }
    void SetExpanded(bool value) override { expanded = value; }
    void SetHidden(bool value) override { hidden = value; }
    bool IsBeingDeleted() override { return beingDeleted; }
    void LetGo() override { ++letGo; }
    bool HasNextSibling(bool) override { return next; }
    bool HasPrevSibling(bool) override { return prev; }
    bool HasNextSiblingSpanningBands(bool) override { return nextSpan; }
    bool HasPrevSiblingSpanningBands(bool) override { return false; }
    bool HasChildRows(bool) override { return children; }
    HRESULT GetFieldValue(LONG ordinal, VARIANT* out) override
    {
        V_VT(out) = VT_I4;
        V_I4(out) = ordinal * 10;
        return S_OK;
    }
    HRESULT GetOriginalFieldValue(LONG, VARIANT* out) override
    {
        V_VT(out) = VT_EMPTY;
        return S_OK;
    }
    HRESULT SetFieldValue(LONG ordinal, const VARIANT&) override { written = ordinal; return S_OK; }
    HRESULT GetBookmarkValue(VARTYPE, VARIANT* out) override
    {
        V_VT(out) = VT_R8;
        V_R8(out) = 7;
        return S_OK;
    }
    HRESULT Update() override { ++updates; return updateResult; }
    HRESULT Undo() override { ++undos; return S_OK; }
    HRESULT Delete() override { return S_OK; }

    ULONG refs = 1;
    HvRow* attached = nullptr;
    bool expanded = false, hidden = false, beingDeleted = false;
    bool next = false, prev = false, nextSpan = false, children = false;
    int letGo = 0, updates = 0, undos = 0;
    LONG written = -1;
    HRESULT updateResult = S_OK;
};

class FakeRowBand final : public RowBandSeam, public HvLayoutHost {
public:
    FakeRowBand();
    ~FakeRowBand();

    // RowBandSeam
    void AttachRow(HvRow*) override { ++liveRows; }
    bool KeepsPositionMark() override { return false; }
    HRESULT FlushPosition() override { return S_OK; }
    HRESULT SyncPosition(HvRow*) override { return S_OK; }
    void DetachRow(HvRow*) override { --liveRows; }
    GridBandSeam* GridBand() override { return nullptr; }
    HRESULT QueryBand(IHvBand**) override { return E_NOTIMPL; }
    HRESULT BandFromVariant(const VARIANT* argument, RowBandSeam** band) override;
    SelectionBandSeam* SelectionBand() override { return nullptr; }
    SelectionLayoutSeam* SelectionLayout() override { return nullptr; }
    SelectionControlSeam* SelectionControl() override { return nullptr; }
    HvLayoutHost* LayoutHost() override { return this; }
    HvAppearances* Appearances() override { return appearances; }
    HRESULT MakeCell(HvRow*, GridColumnSeam*, HvCells*, HvKeyedItem**) override { return E_NOTIMPL; }
    GridColumnSeam* ColumnOfCell(HvKeyedItem*) override { return nullptr; }
    bool IsExpandable() override { return expandable; }
    bool IsEffectivelyHidden() override { return false; }
    LONG ResolveExpandRowsOnLoad() override { return expandOnLoad; }
    LONG ResolveDefaultRowHeight() override { return defaultRowHeight; }
    LONG ResolveCellSpacing() override { return 1; }
    LONG ResolveCellPadding() override { return 2; }
    LONG ResolveRowSpacingBefore() override { return 0; }
    LONG ResolveRowSpacingAfter() override { return 0; }
    LONG ResolveAllowDelete() override { return 0; }
    bool HasChildBands() override { return childBands; }
    LONG ResolveExpansionIndicator() override { return indicator; }
    bool ShowsIndicatorsByDefault() override { return indicatorsByDefault; }
    LONG LevelCount() override { return levels; }
    bool HasGroups() override { return levels > 1; }
    LONG RowBorderWidth() override { return 1; }
    bool IsRowSizingFixed() override { return false; }
    LONG ResolveRowSizing() override { return rowSizing; }
    LONG RowHeightVersion() override { return heightVersion; }
    LONG RowHeightResetMark() override { return heightResetMark; }
    LONG CalcNaturalHeight(HvRow*) override { ++naturalMeasures; return naturalHeight; }
    LONG CalcContentHeight(HvRow*) override { return contentHeight; }
    bool IsDesignMode() override { return false; }
    // 15 twips a pixel.
    LONG UnitsToPixelsY(float units) override { return static_cast<LONG>(units / 15); }
    float PixelsToUnitsY(LONG pixels) override { return static_cast<float>(pixels * 15); }
    bool IsCurrentLayout() override { return true; }
    bool CanFireEvents() override { return events; }
    void MarkRowsDirty() override { Log(L"dirty"); }
    void RowExpansionChanged() override { Log(L"expansion"); }
    void RefreshRow(HvRow*) override { Log(L"refresh"); }
    void HoldRow(RowDataSeam*) override { Log(L"hold"); }
    void ReleaseHeldRow(RowDataSeam*) override { Log(L"unhold"); }
    void ReportRowError(HvRow*, HRESULT) override { Log(L"error"); }
    HRESULT SelectRow(HvRow* row, bool select) override;
    void DeselectRow(HvRow*) override { Log(L"deselect"); }
    void SetSelectionPivot(HvRow*) override { Log(L"pivot"); }
    HvRow* ActiveRow() override { return active; }
    bool ExitEditMode() override { return true; }
    HRESULT DeactivateActiveRow() override { Log(L"deactivate"); return S_OK; }
    HRESULT ResizeRow(HvRow*, LONG pixels) override;
    HRESULT DeleteRowWithPrompt(HvRow*) override { Log(L"delete"); return S_OK; }
    HRESULT ExpandAll(HvRow*, bool expand) override { Log(expand ? L"expandall" : L"collapseall"); return S_OK; }
    HRESULT GetChildRow(HvRow*, LONG, RowBandSeam*, IHvRow**) override { return DB_S_ENDOFROWSET_VALUE; }
    HRESULT GetChildRowByBookmark(HvRow*, const VARIANT&, RowBandSeam*, IHvRow**) override { return S_OK; }
    HRESULT GetSiblingRow(HvRow*, LONG, bool, IHvRow**) override { return DB_S_ENDOFROWSET_VALUE; }
    HRESULT HasChildRowIn(HvRow*, RowBandSeam*, bool* has) override { *has = true; return S_OK; }
    HRESULT GetRowElement(HvRow*, VARIANT*, VARIANT*, IHvUIElement**) override { return S_OK; }
    HRESULT ResolveRowAppearance(HvRow*, VARIANT*, IHvAppearance**) override { return E_NOTIMPL; }
    bool FireBeforeRowExpand(HvRow* row, bool expand) override;
    void FireAfterRowExpand(HvRow*, bool expand) override { Log(expand ? L"AfterRowExpanded" : L"AfterRowCollapsed"); }
    void FireInitializeRow(HvRow* row) override;
    bool IsInitializeRowFiring() override { return initializing; }
    bool FireBeforeRowUpdate(HvRow*) override { Log(L"BeforeRowUpdate"); return cancel; }
    void FireAfterRowUpdate(HvRow*) override { Log(L"AfterRowUpdate"); }
    bool FireBeforeRowCancelUpdate(HvRow*) override { Log(L"BeforeRowCancelUpdate"); return cancel; }
    void FireAfterRowCancelUpdate(HvRow*) override { Log(L"AfterRowCancelUpdate"); }

    // HvLayoutHost
    HRESULT RaiseError(HRESULT result, WORD) override { return result; }
    PropertySinkConnection* DefaultFont() override { return &font; }
    bool IsAlive() override { return true; }
    HRESULT ReportMessage(long, const wchar_t*, const wchar_t*) override { return E_FAIL; }

    void Log(const wchar_t* entry) { log.push_back(entry); }
    std::wstring Joined() const;

    static constexpr HRESULT DB_S_ENDOFROWSET_VALUE = 0x00040EC6L;

    HvAppearances* appearances = nullptr;  // one reference
    PropertySinkConnection font;
    LONG levels = 1;
    LONG defaultRowHeight = 20;
    LONG rowSizing = hvRowSizingFree;
    LONG heightVersion = 0;
    LONG heightResetMark = 0;
    LONG naturalHeight = 0;
    LONG contentHeight = 0;
    int naturalMeasures = 0;
    bool childBands = true;
    LONG indicator = 0;
    bool indicatorsByDefault = false;
    bool expandable = true;
    int liveRows = 0;
    LONG expandOnLoad = 0;
    bool events = true;
    bool cancel = false;
    bool initializing = false;
    HRESULT selectResult = S_OK;
    HvRow* active = nullptr;
    // What the row answers while InitializeRow fires for it.
    bool sawInitializingFlag = false;
    std::vector<std::wstring> log;
};

// Records the DISPIDs a row publishes.
class NoticeRecorder final : public ChangeSubscriber {
public:
    void OnChange(const ChangeNotice* notice) override { ids.push_back(notice->what); }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }

    SubscriptionLink link{this};
    std::vector<long> ids;
};
