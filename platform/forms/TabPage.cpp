// Tab pages are plain container windows inside the tab control's frame.
#include "TabPage.h"

#include "TabControl.h"

namespace hv::forms {

TabPage::TabPage(TabControl& owner, HWND parent, const RECT& pixels) : owner_(owner)
{
    client_ = CreateHandlerWindow(WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  L"", pixels, parent);
}

TabPage::~TabPage()
{
    if (client_ && IsWindow(client_))
        DestroyWindow(client_);
}

Form& TabPage::OwnerForm()
{
    return owner_.OwnerForm();
}

} // namespace hv::forms
