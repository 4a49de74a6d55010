// A tab control: a strip of tabs over pages of controls. Only the current
// tab's page is shown; Click runs after every change of the current tab
// (by the user or by SetTab) with the previous tab. A click on a tab first
// validates the focused control (a cancel keeps the tab); SetTab does not.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Container.h"
#include "Control.h"
#include "TabPage.h"

namespace hv::forms {

class TabControl : public Control, public Container {
public:
    TabControl(Container& parent, const TwipsRect& place, int tabs);

    Form& OwnerForm() override { return Control::OwnerForm(); }

    int Tabs() const { return static_cast<int>(pages_.size()); }
    int Tab() const { return current_; }
    void SetTab(int tab);
    std::wstring TabCaption(int tab) const;
    void SetTabCaption(int tab, const std::wstring& caption);
    // The container of a tab's controls.
    TabPage& Page(int tab) { return *pages_.at(static_cast<size_t>(tab)); }

    std::function<void(int previousTab)> Click;

protected:
    LRESULT OnNotify(const NMHDR& header) override;
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCurrentPage();
    RECT PageRect() const;

    HWND strip_ = nullptr;  // the system tab control; a child of our frame window
    std::vector<std::unique_ptr<TabPage>> pages_;
    int current_ = 0;
};

} // namespace hv::forms
