// Stand-ins for the layout, the control and the draw filter, and a UI
// element whose children, context objects and appearance a test sets.
#pragma once

#include "HvTVDraw.h"
#include "HvUIElement.h"
#include "UIElementLayoutSeam.h"

#include "AppearanceData.h"

#include <string>
#include <vector>

class FakeControl final : public UIElementControlSeam {
public:
    HWND GetGridWindow() override { return window; }
    bool IsPainting() override { return painting; }
    bool CanFireEvents() override { return canFire; }
    bool IsCurrentLayout(UIElementLayoutSeam*) override { return current; }
    bool IsInEditMode() override { return editMode; }
    bool IsDroppedDown() override { return droppedDown; }
    HvUIElement* GetActiveCellElement() override { return activeCell; }

    HWND window = nullptr;
    bool painting = false;
    bool canFire = true;
    bool current = true;
    bool editMode = false;
    bool droppedDown = false;
    HvUIElement* activeCell = nullptr;
};

class FakeLayout final : public UIElementLayoutSeam {
public:
    ~FakeLayout();
    bool IsLayoutActive() override { return active; }
    IDispatch* LayoutDispatch() override { return nullptr; }
    UIElementControlSeam* GetControl() override { return active && hasControl ? &control : nullptr; }
    HvUIElement* GetRootUIElement() override { return root; }
    void FitToClientRect() override { ++fits; }
    HvTVDraw* GetDrawObject() override;
    IHvTVDrawFilter* GetDrawFilter() override { return filter; }
    HWND GetEditWindow() override { return editWindow; }
    HWND GetActiveCellEditWindow() override { return cellEditWindow; }
    bool GetFormRect(RECT& rect) override { rect = formRect; return true; }
    bool GetContainerRect(RECT& rect) override { rect = formRect; return true; }

    bool active = true;
    bool hasControl = true;
    FakeControl control;
    HvUIElement* root = nullptr; // not owned
    IHvTVDrawFilter* filter = nullptr; // not owned
    HvTVDraw* draw = nullptr;          // owned
    int fits = 0;
    HWND editWindow = nullptr;
    HWND cellEditWindow = nullptr;
    RECT formRect = {};
};

// Records every call; cancels the calls named in cancelFor for elements of
// cancelType.
class FakeDrawFilter final : public IHvTVDrawFilter {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP BeforeDraw(IHvTVDraw* draw, VARIANT_BOOL* cancel) override { return Record("Draw", draw, cancel); }
    STDMETHODIMP BeforeDrawBackground(IHvTVDraw* draw, VARIANT_BOOL* cancel) override
    {
        return Record("Background", draw, cancel);
    }
    STDMETHODIMP BeforeDrawBorders(IHvTVDraw* draw, VARIANT_BOOL* cancel) override
    {
        return Record("Borders", draw, cancel);
    }
    STDMETHODIMP BeforeDrawForeground(IHvTVDraw* draw, VARIANT_BOOL* cancel) override
    {
        return Record("Foreground", draw, cancel);
    }
    STDMETHODIMP AfterDraw(IHvTVDraw* draw) override { return Record("After", draw, nullptr); }
    STDMETHODIMP BeforeSetCursor(IHvUIElement*, VARIANT_BOOL, OLE_HANDLE*) override { return S_OK; }

    std::vector<std::string> calls; // "<call> <type>"
    std::string cancelCall;
    ULONG cancelType = 0;
    // Read inside the calls.
    OLE_HANDLE lastDc = 0;
    long lastInvalidWidth = -1;
    OLE_COLOR lastBackColor = 0;

private:
    HRESULT Record(const char* call, IHvTVDraw* draw, VARIANT_BOOL* cancel);
};

struct ChildPlan {
    ULONG type;
    RECT rect;
    std::vector<ChildPlan> children;
};

class TestElement final : public HvUIElement {
public:
    // One reference, handed over.
    static TestElement* Make(FakeLayout* layout, HvUIElement* parent, const RECT& rect, ULONG type);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return plan.empty() && !container; }
    bool IsAdjustable() override { return adjustable; }
    bool PointInAdjustableArea(POINT point) override { return PtInRect(&adjustArea, point) != FALSE; }
    bool ClipsSelf() override { return clipsSelf; }
    long GetDrawState() override { return drawState >= 0 ? drawState : HvUIElement::GetDrawState(); }
    long GetBorderStyle() override { return borderStyle; }
    CAutomationObject* GetRowScrollRegion() override { return rowRegion; }
    CAutomationObject* GetColScrollRegion() override { return colRegion; }
    CAutomationObject* GetRow() override { return row; }
    CAutomationObject* GetCell() override { return cell; }
    CAutomationObject* GetContextObject() override { return cell ? cell : HvUIElement::GetContextObject(); }
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawFocus(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

    // The first child of a type in list order (not add-ref'd), or null.
    TestElement* Child(ULONG type, int skip = 0);

    std::vector<ChildPlan> plan;
    bool container = false;
    bool adjustable = false;
    RECT adjustArea = {};
    bool clipsSelf = false;
    long drawState = -1;
    long borderStyle = 1;
    CAutomationObject* rowRegion = nullptr;
    CAutomationObject* colRegion = nullptr;
    CAutomationObject* row = nullptr;
    CAutomationObject* cell = nullptr;
    AppearanceData appearance; // copied into the element's own data
    int focusDrawn = 0;
    static int made;

private:
    TestElement(FakeLayout* layout, HvUIElement* parent, const RECT& rect, ULONG type);
};
