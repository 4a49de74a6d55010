// Stand-ins of the display tests.
#include "DisplayFakes.h"

#include "DrawContext.h"
#include "OleColor.h"

#include <Tavelle.h>

int TestElement::made = 0;

FakeLayout::~FakeLayout()
{
    if (draw)
        draw->Release();
}

HvTVDraw* FakeLayout::GetDrawObject()
{
    if (!filter) {
        if (draw)
            draw->Release();
        draw = nullptr;
        return nullptr;
    }
    if (!draw)
        HvTVDraw::Create(this, &draw);
    return draw;
}

STDMETHODIMP FakeDrawFilter::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHvTVDrawFilter)) {
        *out = static_cast<IHvTVDrawFilter*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDrawFilter::Record(const char* call, IHvTVDraw* draw, VARIANT_BOOL* cancel)
{
    IHvUIElement* element = nullptr;
    Constants_UIElement type = static_cast<Constants_UIElement>(0);
    if (SUCCEEDED(draw->get_UIElement(&element)) && element) {
        element->get_Type(&type);
        element->Release();
    }
    calls.push_back(std::string(call) + " " + std::to_string(static_cast<long>(type)));
    draw->get_hDC(&lastDc);
    IHvUIRect* rect = nullptr;
    if (SUCCEEDED(draw->get_RectInvalid(&rect)) && rect) {
        rect->get_Width(&lastInvalidWidth);
        rect->Release();
    }
    IHvAppearance* appearance = nullptr;
    if (SUCCEEDED(draw->get_Appearance(&appearance)) && appearance) {
        appearance->get_BackColor(&lastBackColor);
        appearance->Release();
    }
    if (cancel && cancelCall == call && static_cast<ULONG>(type) == cancelType)
        *cancel = VARIANT_TRUE;
    return S_OK;
}

TestElement::TestElement(FakeLayout* layout, HvUIElement* parent, const RECT& rect, ULONG type)
    : HvUIElement(layout, parent, rect, type)
{
    ++made;
}

TestElement* TestElement::Make(FakeLayout* layout, HvUIElement* parent, const RECT& rect, ULONG type)
{
    return new TestElement(layout, parent, rect, type);
}

void TestElement::PositionChildElements()
{
    if (plan.empty()) {
        HvUIElement::PositionChildElements();
        return;
    }
    HvUIElements* old = GetChildElementList(true);
    std::vector<HvUIElement*> fresh;
    const RECT own = StoredRect();
    for (const ChildPlan& item : plan) {
        RECT overlap;
        if (!IntersectRect(&overlap, &item.rect, &own))
            continue;
        auto* child = static_cast<TestElement*>(TakeChildOfType(old, item.type, true));
        if (!child)
            child = Make(static_cast<FakeLayout*>(GetLayout()), this, item.rect, item.type);
        child->plan = item.children;
        child->SetRect(item.rect, false);
        fresh.push_back(child);
    }
    ReplaceChildren(fresh);
    for (HvUIElement* child : ChildSnapshot()) {
        child->PositionChildElements();
        child->Release();
    }
    ClearChildrenDirty();
}

void TestElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    own.Assign(appearance);
}

void TestElement::DrawFocus(CDrawContext&, const RECT&, const AppearanceData&)
{
    ++focusDrawn;
}

TestElement* TestElement::Child(ULONG type, int skip)
{
    TestElement* found = nullptr;
    for (HvUIElement* child : ChildSnapshot()) {
        if (!found && child->Type() == type && skip-- == 0)
            found = static_cast<TestElement*>(child);
        child->Release();
    }
    return found;
}
