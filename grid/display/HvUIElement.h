// HvUIElement: the base of every visible part of the grid: a rectangle in
// the grid window, a parent, an ordered list of children and a type. The
// tree is positioned lazily, answers hit-tests and descendant searches, and
// draws itself in phases (background, borders, foreground, children, focus)
// with the client's draw filter. The class itself serves as the Edit and
// DropDown elements that stand for the cell editor's windows.
#pragma once

#include "HvObjectBaseImpl.h"
#include "HvKeyedItem.h"
#include "UIElementSeam.h"

#include <Tavelle.h>

#include <vector>

class AppearanceData;
class CDrawContext;
class HvUIElements;
class HvUIRect;
class UIElementControlSeam;
class UIElementLayoutSeam;

namespace UIElementType {
constexpr ULONG None = 1;
constexpr ULONG Grid = 100;
constexpr ULONG CaptionArea = 200;
constexpr ULONG DataArea = 300;
constexpr ULONG AddNewBox = 400;
constexpr ULONG Edit = 500;
constexpr ULONG DropDown = 600;
constexpr ULONG RowColRegionIntersection = 1000;
constexpr ULONG SiblingRowConnector = 2000;
constexpr ULONG Header = 4000;
constexpr ULONG Row = 5000;
constexpr ULONG ExpansionIndicator = 5200;
constexpr ULONG Cell = 6000;
constexpr ULONG CheckBox = 6100;
constexpr ULONG AddNewRowButton = 6600;
constexpr ULONG ButtonConnector = 7000;
constexpr ULONG Text = 10000;
constexpr ULONG Picture = 10100;
constexpr ULONG Any = 0xFFFFFFFF;
} // namespace UIElementType

namespace DrawStateBit {
constexpr long Focus = 4;
} // namespace DrawStateBit

// Context objects of a descendant search: null is "not asked", MustBeNone
// asks for none, anything else for that object.
struct DescendantQuery {
    ULONG type = 0;
    CAutomationObject* rowScrollRegion = nullptr;
    CAutomationObject* colScrollRegion = nullptr;
    CAutomationObject* row = nullptr;
    CAutomationObject* header = nullptr;
    CAutomationObject* cell = nullptr;
    CAutomationObject* band = nullptr;
};
inline CAutomationObject* const MustBeNone = reinterpret_cast<CAutomationObject*>(1);

// What a sizing element offers the sizing operation: limits and feedback
// areas, whose meaning the sizing element and the operation share.
struct AdjustmentRange {
    long limits[4] = {};
    RECT horizontal = {};
    RECT vertical = {};
};

class HvUIElement : public HvObjectBaseImpl<IHvUIElement>, public HvKeyedItem, public UIElementSeam {
public:
    // A plain element (Edit, DropDown) with one reference; parent is not
    // counted.
    static HRESULT Create(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type,
                          HvUIElement** out);
    // The library's element behind a client's object, or null.
    static HvUIElement* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }

    // IHvUIElement
    STDMETHODIMP get_Rect(IHvUIRect** out) override;
    STDMETHODIMP get_RectDisplayed(IHvUIRect** out) override;
    STDMETHODIMP get_Type(Constants_UIElement* out) override;
    STDMETHODIMP get_Layout(IHvLayout** out) override;
    STDMETHODIMP get_RowScrollRegion(IHvRowScrollRegion** out) override;
    STDMETHODIMP get_ColScrollRegion(IHvColScrollRegion** out) override;
    STDMETHODIMP get_Band(IHvBand** out) override;
    STDMETHODIMP get_Header(IHvHeader** out) override;
    STDMETHODIMP get_Row(IHvRow** out) override;
    STDMETHODIMP get_Cell(IHvCell** out) override;
    STDMETHODIMP get_ParentUIElement(IHvUIElement** out) override;
    STDMETHODIMP get_UIElements(IHvUIElements** out) override;
    STDMETHODIMP get_DrawState(Constants_DrawState* out) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP ResolveUIElement(Constants_UIElement type, IHvUIElement** out) override;
    STDMETHODIMP CanResolveUIElement(Constants_UIElement type, VARIANT_BOOL* out) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return Info().iid; }
    CAutomationObject* GetItemObject() override { return this; }

    // UIElementSeam
    void SetChanged() override { childrenDirty_ = true; }
    void Update() override { OnLayoutDirty(); }
    void Invalidate() override { Invalidate(false, false); }

    // Hit-testing and searching.
    virtual HvUIElement* ElementFromPoint(POINT point, ULONG type, bool fromConnector, bool skipPopups);
    virtual HvUIElement* AdjustableElementFromPoint(POINT point);
    virtual HvUIElement* GetDescendant(const DescendantQuery& query);

    // Geometry.
    int GetLeft() { return GetRect().left; }
    int GetTop() { return GetRect().top; }
    int GetWidth() { const RECT r = GetRect(); return r.right - r.left; }
    int GetHeight() { const RECT r = GetRect(); return r.bottom - r.top; }
    // The stored rectangle; the Edit and DropDown elements compute theirs
    // from the window they stand for.
    virtual RECT GetRect();
    RECT GetRectInsideBorders();
    virtual void SetRect(const RECT& rect, bool invalidate);
    virtual void ApplyAdjustment(int horizontalChange, int verticalChange);
    virtual void Draw(CDrawContext& context, const AppearanceData& parentData);
    virtual HvUIElement* GetParent();
    virtual bool PointInElement(POINT point);
    virtual void PositionChildElements();
    virtual void GetAdjustmentRange(AdjustmentRange& range);
    virtual bool HasNoChildElements() { return true; }
    virtual bool PointInAdjustableArea(POINT) { return false; }
    virtual bool ClipsChildren() { return false; }
    virtual bool ClipsSelf() { return false; }
    virtual bool IsDrawn() { return true; }
    virtual long GetDrawState();
    virtual long GetBorderStyle() { return 1; }
    virtual int GetBorderWidth();
    virtual UINT GetBorderSides() { return 15; }
    virtual HCURSOR GetCursor();
    // The cursor with the pointer at point (client coordinates).
    virtual HCURSOR GetCursorAt(POINT) { return GetCursor(); }
    virtual bool IsAdjustable() { return false; }
    virtual HCURSOR GetAdjustCursor() { return nullptr; }
    virtual RECT GetClipRectForChildren() { return rect_; }
    virtual RECT GetClipRectFromParent();
    virtual CAutomationObject* GetContextObject();
    virtual void OnMouseEnter() {}
    virtual void OnMouseLeave() {}
    virtual void OnMouseHover(POINT point);
    virtual bool OnMouseDown(POINT, UINT) { return false; }
    virtual bool OnDoubleClick(POINT) { return true; }
    virtual bool OnMouseUp(POINT) { return false; }
    virtual void OnCtrlKeyChange(bool) {}
    virtual bool CanDraw() { return true; }
    virtual void OnLayoutDirty();
    // The element's own context objects (not counted), or null.
    virtual CAutomationObject* GetRowScrollRegion() { return nullptr; }
    virtual CAutomationObject* GetColScrollRegion() { return nullptr; }
    virtual CAutomationObject* GetRow() { return nullptr; }
    virtual CAutomationObject* GetHeader() { return nullptr; }
    virtual CAutomationObject* GetCell() { return nullptr; }
    virtual CAutomationObject* GetBand() { return nullptr; }
    virtual bool WantsMouseHover() { return false; }
    virtual void InitAppearance(AppearanceData& own, const AppearanceData& parentData);
    virtual void DrawBackground(CDrawContext& context, const RECT& area, const AppearanceData& data);
    virtual void DrawPictureBackground(CDrawContext& context, const RECT& area, const AppearanceData& data);
    virtual void DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data);
    virtual void DrawForeground(CDrawContext&, const RECT&, const AppearanceData&) {}
    virtual void DrawFocus(CDrawContext&, const RECT&, const AppearanceData&) {}

    // Operations other parts of the display call.
    bool IsAlive();
    UIElementControlSeam* GetControl();
    UIElementLayoutSeam* GetLayout() const { return layout_; }
    ULONG Type() const { return type_; }
    const RECT& StoredRect() const { return rect_; }
    bool ChildrenDirty() const { return childrenDirty_; }
    bool IsHeld() const { return held_; }
    void Invalidate(bool erase, bool update);
    RECT GetRectDisplayed();
    HvUIElements* GetChildElementList(bool create);
    // The children in order, each with a reference of the caller's.
    std::vector<HvUIElement*> ChildSnapshot();
    // Takes the first element of type (and, with onlyUnheld, not held) out
    // of list, handing over the list's reference; null when none.
    static HvUIElement* TakeChildOfType(HvUIElements* list, ULONG type, bool onlyUnheld);
    // Releases the children left in the child list and installs fresh (whose
    // references the list takes over), in order.
    void ReplaceChildren(std::vector<HvUIElement*>& fresh);
    HvUIElement* ResolveUIElementOfType(ULONG type);
    CAutomationObject* ResolveRowScrollRegion();
    CAutomationObject* ResolveColScrollRegion();
    CAutomationObject* ResolveRow();
    CAutomationObject* ResolveHeader();
    CAutomationObject* ResolveCell();
    CAutomationObject* ResolveBand();
    bool ResolveWantsMouseHover();
    // The Cell element under the point and its cell, or null.
    HvUIElement* CellFromPoint(POINT point, CAutomationObject** cell);
    bool IsDescendantOf(HvUIElement* other);
    bool IsEquivalentTo(HvUIElement* other);
    HvUIElement* GetFirstAliveAncestor();
    void VerifyChildElements();
    void AddRefContextObjects();
    void ReleaseContextObjects();
    void MarkChangedAndUpdate(bool invalidate);

    void DrawElementAndChildren(CDrawContext& context, const RECT& area, const AppearanceData& parentData);
    void SelectAppearanceIntoDC(CDrawContext& context, const AppearanceData& data);

protected:
    // The root's constructor: no parent.
    HvUIElement(UIElementLayoutSeam* layout, const RECT& rect, ULONG type);
    HvUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type);
    ~HvUIElement() override;

    void ReleaseReferences() override;
    // The cursor of a resolved appearance (MousePointer, MouseIcon), else
    // the parent's.
    HCURSOR CursorFromAppearance(const AppearanceData& data);
    // For containers that position their children themselves.
    void ClearChildrenDirty() { childrenDirty_ = false; }
    // Brush origin that keeps patterns fixed to scrolled content; false for
    // none (only the region intersection has one).
    virtual bool GetContentBrushOrigin(POINT&) { return false; }

private:
    enum class FilterCall { BeforeDraw, BeforeDrawBackground, BeforeDrawBorders, BeforeDrawForeground, AfterDraw };

    template <class TInterface>
    HRESULT AnswerContext(CAutomationObject* (HvUIElement::*resolve)(), REFIID iid, TInterface** out);
    HRESULT CheckAlive(void* out);
    HvUIElement* TopmostDirtyOnPath();
    CAutomationObject* ResolveContext(CAutomationObject* (HvUIElement::*getter)());
    RECT WindowRectInGrid(HWND window);
    // Calls the filter when one may be called; true when it cancelled.
    bool CallFilter(FilterCall call, CDrawContext& context, const AppearanceData& own, long state);
    bool PrepareAlphaPhase(CDrawContext& context, const RECT& area, int alpha, const AppearanceData& own);
    void DrawBackgroundPhase(CDrawContext& context, const RECT& area, const AppearanceData& own, long state);
    void DrawBordersPhase(CDrawContext& context, const RECT& area, const AppearanceData& own, long state);
    void DrawForegroundPhase(CDrawContext& context, const RECT& area, const AppearanceData& own, long state);
    void Orphan() { parent_ = nullptr; }
    void OrphanChildren();
    bool ContextMatches(CAutomationObject* asked, CAutomationObject* actual) const;

    RECT rect_;
    UIElementLayoutSeam* layout_;     // not counted
    bool childrenDirty_ = true;
    HvUIElements* children_ = nullptr; // owned
    HvUIElement* parent_ = nullptr;   // not counted
    ULONG type_;
    HvUIRect* rectObject_ = nullptr;  // owned
    HvUIRect* displayedRectObject_ = nullptr; // owned
    bool held_ = false;
    // The context objects referenced while held: the very objects taken, as
    // a re-layout may give an ancestor another row or cell meanwhile.
    std::vector<CAutomationObject*> heldContext_;
};

// The nearest element that holds both (Grid when a is the Grid).
HvUIElement* FindCommonAncestorUIElement(HvUIElement* a, HvUIElement* b);
