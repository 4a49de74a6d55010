// AddNewBoxLayoutSeam: what the add-new box needs of the layout that owns
// it: errors, default font and Appearances (through the host), the layout's
// publisher (its Font changes), design mode, the grid's dialog strings, the
// layout-level appearance resolution and the box's UI element.
#pragma once

#include <windows.h>

#include <Tavelle.h>

class AppearanceData;
class CDualString;
class ChangePublisher;
class HvAppearances;
class HvLayoutHost;
struct AppearanceRequest;

class AddNewBoxLayoutSeam {
public:
    virtual HvLayoutHost* Host() = 0;
    virtual HvAppearances* Appearances() = 0;
    // The layout's own publisher; null when it publishes nothing.
    virtual ChangePublisher* LayoutPublisher() = 0;
    virtual bool IsDesignMode() = 0;
    // The grid's DialogStrings text; false when the layout has no grid.
    virtual bool GetDialogString(LONG id, CDualString& text) = 0;
    // The layout's own resolution (its Font and ForeColor among others).
    virtual void ResolveLayoutAppearance(AppearanceData& block, AppearanceRequest& request) = 0;
    // The element of type 400 under the root element (one new reference);
    // null in design mode, when the layout is not its grid's displayed
    // layout, or when there is none.
    virtual IHvUIElement* GetAddNewBoxElement() = 0;
    // Has the box's element redrawn; nothing when there is none.
    virtual void RedrawAddNewBox() = 0;

protected:
    ~AddNewBoxLayoutSeam() = default;
};
