// OleDragDrop: a control's OLE drag and drop. As a source, OLEDrag starts a
// drag whose data script supplies in OLEStartDrag (and OLESetData); as a
// target, the control window is registered as a drop target while
// OLEDropMode is manual, and each phase of a drop over it is reported
// through OLEDragOver and OLEDragDrop. The object lives inside the control
// and dies with it; objects that may outlive the control (data objects,
// data sources, the drop target and drop source) hold a plain pointer to it
// and test it with IsValid before every use.
//
// How the control wires it:
//   - IOleObject::SetClientSite calls OnSiteChange(site) first;
//   - the window's creation calls RegisterDropTarget(true), its destruction
//     RegisterDropTarget(false);
//   - the OLEDrag method calls DoOleDrag, the OLEDropMode property
//     put_OLEDropMode / get_OLEDropMode;
//   - the property-bag persistence calls SaveTextState / LoadTextState.
#pragma once

#include "DragDropErrors.h"

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <Tavelle.h>

#include <vector>

class CControlEmbedding;
class CDataSource;
class HvDataObject;

// A handler of the automatic drag and drop modes (not used by the grid,
// whose modes cannot be automatic). Only the first handler is called.
struct IHvAutomaticDragDrop : IUnknown {
    // Fills the data object of a drag and its allowed effects.
    virtual HRESULT STDMETHODCALLTYPE StartDrag(IHvDataObject* data, LONG* allowedEffects) = 0;
    // Decides the effect of one drop phase: 0 enter, 1 leave, 2 over, 3 drop.
    virtual HRESULT STDMETHODCALLTYPE DropPhase(IHvDataObject* data, DWORD keyState, POINTL point, DWORD* effect,
                                                int phase) = 0;
    virtual HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect, VARIANT_BOOL* defaultCursors) = 0;
};

// The system's DoDragDrop, replaceable so that a test can play the drag
// loop (which otherwise needs real mouse input). Returns the previous one.
using DoDragDropFunction = HRESULT(STDAPICALLTYPE*)(IDataObject*, IDropSource*, DWORD, DWORD*);
DoDragDropFunction SetDoDragDropFunction(DoDragDropFunction function);

// Bits of the mode word.
namespace DragDropMode {
constexpr DWORD Dragging = 0x001;
constexpr DWORD PrimaryDown = 0x002;
constexpr DWORD SecondaryDown = 0x004;
constexpr DWORD Registered = 0x008;
constexpr DWORD DragModeShift = 4;
constexpr DWORD DragModeMask = 0x030;
constexpr DWORD DropModeShift = 6;
constexpr DWORD DropModeMask = 0x0C0;
constexpr DWORD DragSupported = 0x100;
constexpr DWORD DropSupported = 0x200;
constexpr DWORD AutoDropAllowed = 0x400;
} // namespace DragDropMode

// Drop phases.
enum DropPhase : int { DropEnter = 0, DropLeave = 1, DropOver = 2, DropDrop = 3 };

class OleDragDrop : public IUnknown {
public:
    // owner: the control holding this object. errors: the control's list
    // of drag-and-drop errors (kept, not copied). dataObjectType: the
    // object type of the data objects handed to script.
    OleDragDrop(CControlEmbedding& owner, bool dragSupported, bool dropSupported, const DragDropErrorEntry* errors,
                int dataObjectType, bool autoDropAllowed);
    virtual ~OleDragDrop();
    OleDragDrop(const OleDragDrop&) = delete;
    OleDragDrop& operator=(const OleDragDrop&) = delete;

    // IUnknown: the object is not deleted by Release (it lives in the control).
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // Raises an error of the control's list through the control; returns
    // its result code (0x800A0000 | id).
    virtual HRESULT RaiseError(WORD id);

    // True while object is a live drag-and-drop object. Never faults, for
    // any pointer value.
    static bool IsValid(const OleDragDrop* object);

    // The control got a new client site (or none).
    void OnSiteChange(IOleClientSite* site);

    HRESULT put_OLEDropMode(SHORT mode);
    HRESULT get_OLEDropMode(SHORT* mode);
    SHORT DropMode() const { return static_cast<SHORT>((mode_ & DragDropMode::DropModeMask) >> DragDropMode::DropModeShift); }
    SHORT DragMode() const { return static_cast<SHORT>((mode_ & DragDropMode::DragModeMask) >> DragDropMode::DragModeShift); }
    DWORD ModeWord() const { return mode_; }

    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll);
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* log);

    // Registers the control window as drop target (or revokes it).
    HRESULT RegisterDropTarget(bool registerTarget);
    // The OLEDrag method: runs a drag from this control. *effect receives
    // the drop's effect.
    HRESULT DoOleDrag(LONG* effect);

    // Adds an automatic handler (referenced).
    HRESULT AddAutomaticHandler(IHvAutomaticDragDrop* handler);

    // The container's IOleControlSite, AddRef'd; E_NOINTERFACE without one.
    HRESULT GetControlSite(IOleControlSite** site);
    // The control window, fetched on first use; null without one.
    HWND ControlWindow();
    // The IDropTarget registered for the control window, or null.
    IDropTarget* DropTarget() const;

    // Used by the drop target, the drop source and the data source.
    HRESULT BeginDrop(IDataObject* data);
    HRESULT DropEvent(int phase, DWORD keyState, POINTL point, DWORD* effect, DWORD allowed);
    void EndDrop();
    HvDataObject* DropData() const { return dropData_; }
    HRESULT GiveFeedbackEvent(DWORD effect);
    void FireSetData(CDataSource& source, CLIPFORMAT format);
    void SetMode(DWORD set, DWORD clear) { mode_ = (mode_ | set) & ~clear; }
    CControlEmbedding& Owner() const { return owner_; }

    // True when object is no longer valid, or the control has lost both its
    // window and its container's window.
    static bool ControlDied(OleDragDrop* object);

private:
    HRESULT AutoDragStart(IHvDataObject* data, LONG* allowedEffects);
    HRESULT AutoDropPhase(IHvDataObject* data, DWORD keyState, POINTL point, DWORD* effect, int phase);
    HRESULT AutoFeedback(DWORD effect, VARIANT_BOOL* defaultCursors);
    const std::vector<DragDropErrorEntry>& ErrorTable();
    void RecordButtons();
    void MoveCursorIntoControl();
    HWND ContainerWindow();
    void ToContainerPoint(POINTL screen, float* x, float* y);
    void ReleaseDropTarget();

    CControlEmbedding& owner_;
    IDataObject* dragged_ = nullptr;        // referenced
    IDropTarget* dropTarget_ = nullptr;     // referenced while registered
    HvDataObject* dropData_ = nullptr;      // referenced, from DragEnter to DragLeave or Drop
    IOleControlSite* controlSite_ = nullptr;
    IUnknown* further_ = nullptr;           // released on a site change
    int dataObjectType_;
    HWND window_ = nullptr;
    DWORD mode_ = 0;
    const DragDropErrorEntry* errors_;
    std::vector<DragDropErrorEntry> errorTable_;   // built on first use
    std::vector<IHvAutomaticDragDrop*> handlers_;
    ULONG references_ = 1;
    DWORD signature_;
};
