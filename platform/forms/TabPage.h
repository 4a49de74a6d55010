// One page of a tab control: a container whose controls show only while its
// tab is the current one (placement relative to the page's top left corner).
#pragma once

#include "Container.h"

namespace hv::forms {

class TabControl;

class TabPage : public Container {
public:
    TabPage(TabControl& owner, HWND parent, const RECT& pixels);
    ~TabPage() override;

    Form& OwnerForm() override;

private:
    TabControl& owner_;  // not owned; owns this page
};

} // namespace hv::forms
