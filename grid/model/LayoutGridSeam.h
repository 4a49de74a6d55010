// LayoutGridSeam: what a layout needs of the grid control that shows it:
// its window and state, the container's units and ambient font, the bind
// host test of the file and registry persistence, the asynchronous download
// of a layout, rebuilding after a bulk change, and the control-side seams
// of the regions and the selection. A layout without a grid answers every
// question on its own.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <Tavelle.h>

#include <string>

class BandGridSeam;
class CAutomationObject;
class HvColumn;
class HvColumnGroupImpl;
class HvSelectedRows;
class HvLayout;
class RegionControlSeam;
class ScrollRegionItem;
class SelectionControlSeam;

class LayoutGridSeam {
public:
    // The grid state that the layout tests: initialising (InitializeLayout
    // is being built, 1056) and the dispatch identifier of an event being
    // fired (InitializeRow 1057).
    static constexpr LONG StateInitializing = 1056;
    static constexpr LONG StateInitializeRow = 1057;

    // The grid's live-object test.
    virtual bool IsAlive() = 0;
    virtual HWND GridWindow() = 0;
    virtual bool IsDesignMode() = 0;
    virtual bool TestState(LONG code) = 0;
    // The grid is being torn down.
    virtual bool IsTearingDown() = 0;
    // The layout the grid shows (not referenced).
    virtual HvLayout* CurrentLayout() = 0;
    virtual bool CanFireEvents() = 0;

    // 0 pixels, 1 twips, else other units.
    virtual int ContainerScaleMode() = 0;
    virtual double PixelsToContainerX(long pixels) = 0;
    virtual double PixelsToContainerY(long pixels) = 0;
    virtual long ContainerXToPixels(double units) = 0;
    virtual long ContainerYToPixels(double units) = 0;
    // The container's ambient font (add-ref'd); false when there is none.
    virtual bool GetAmbientFont(IFont** out) = 0;
    // The size of the grid's image-list images; (0, 0) without images.
    virtual SIZE ImageSize() = 0;

    // Whether the container offers a bind host (a browser does).
    virtual bool HasBindHost() = 0;
    // Starts the asynchronous download of a layout from a URL; the data is
    // loaded into layout when it arrives.
    virtual HRESULT DownloadLayout(BSTR url, LONG categories, bool erase, HvLayout* layout) = 0;
    virtual void RebuildLayout(bool fireInitializeLayout) = 0;
    // Binds a data source that is set but not yet bound; S_OK otherwise.
    virtual HRESULT BindDataSource() = 0;
    // The container's extended control for the grid, else the grid's own
    // IDispatch (add-ref'd); null when neither can be had.
    virtual IDispatch* GridDispatch() = 0;
    // Tells the grid's attached interface that the permissions changed.
    virtual void NotifyAttachedInterface() = 0;
    virtual HRESULT ReportMessage(long code, const wchar_t* text, const wchar_t* caption) = 0;
    // The grid's DialogStrings text for an identifier (6000-6010).
    virtual std::wstring DialogString(int id) = 0;

    // The grid's active scroll regions (not referenced), or null.
    virtual ScrollRegionItem* ActiveColScrollRegion() = 0;
    virtual ScrollRegionItem* ActiveRowScrollRegion() = 0;
    // Makes a region the grid's active one (ActiveColScrollRegion and
    // ActiveRowScrollRegion put).
    virtual void SetActiveColScrollRegion(ScrollRegionItem* region) = 0;
    virtual void SetActiveRowScrollRegion(ScrollRegionItem* region) = 0;
    virtual RegionControlSeam* RegionControl() = 0;
    virtual SelectionControlSeam* SelectionControl() = 0;
    // The grid's side for bands (null when it has none).
    virtual BandGridSeam* BandGrid() = 0;
    // The column and group position events; the Before events answer true
    // when the handler cancelled.
    virtual bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) = 0;
    virtual void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) = 0;
    virtual bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) = 0;
    virtual void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) = 0;
    // The grid's selected rows (not referenced), or null.
    virtual HvSelectedRows* SelectedRows() = 0;
    // 0 on row change, 1 on cell change, 2 on Update (hvUpdateOnUpdate).
    virtual LONG UpdateMode() = 0;
    // BeforeRowsDeleted with DisplayPromptMsg; true when cancelled.
    virtual bool FireBeforeRowsDeleted(IHvSelectedRows* rows, bool* displayPrompt) = 0;
    virtual void FireAfterRowsDeleted() = 0;
    // A task-modal message box owned by the grid window, shown while the
    // grid is in its modal state; the button chosen.
    virtual int AskUser(const wchar_t* text, const wchar_t* caption, UINT flags) = 0;
    // The window whose caption the layout keeps active while an editor or
    // a drop-down of the grid is up.
    virtual HWND EditorOwnerWindow() = 0;
    // The active cell leaves edit mode (committing), as when its form closes.
    virtual void ExitEditMode() = 0;
    // The grid's active cell lies in the column.
    virtual bool IsActiveCellColumn(HvColumn* column) = 0;
    // A text a column's input mask refused: the Error event, then a beep.
    virtual void ReportMaskError(const std::wstring& text, short position) = 0;
    // The swap list of item's header opened under header (grid client
    // pixels), or closed when it is open.
    virtual void PressSwapButton(HvColumnGroupImpl* item, const RECT& header)
    {
        (void)item;
        (void)header;
    }
    // The swap list is dropped down for item's header.
    virtual bool IsSwapListOpenFor(HvColumnGroupImpl* item)
    {
        (void)item;
        return false;
    }
    // The active cell's editor goes back over the cell (after a scroll or
    // a move of the form).
    virtual void RepositionEditWindow() = 0;

    // The grid behind a live object of this library, or null.
    static LayoutGridSeam* FromObject(CAutomationObject* object);

protected:
    ~LayoutGridSeam() = default;
};
