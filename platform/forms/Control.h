// Base of every control of a form: placement in twips inside its container,
// visibility, enabling, z-order, tag, tab index, its own mouse pointer, focus
// and keyboard handling (Tab, Shift+Tab, KeyPress) and validation when the
// focus leaves it. A derived control makes its window (a system control or a
// window of the layer's own class) and attaches it; a control that hosts
// another component in a window of its own derives from here the same way.
#pragma once

#include <functional>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "Twips.h"

namespace hv::forms {

class Container;
class Form;

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Hwnd() const { return hwnd_; }
    // The window that takes the keyboard focus for this control.
    HWND FocusHwnd() const { return focusHwnd_; }
    Form& OwnerForm() const { return form_; }

    // Placement in twips relative to the container's client area.
    int Left() const { return place_.left; }
    int Top() const { return place_.top; }
    int Width() const { return place_.width; }
    int Height() const { return place_.height; }
    void SetLeft(int twips);
    void SetTop(int twips);
    void SetWidth(int twips);
    void SetHeight(int twips);
    void Move(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Window text: the caption of labels, frames and buttons, the text of boxes.
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    const std::wstring& Tag() const { return tag_; }
    void SetTag(const std::wstring& tag) { tag_ = tag; }
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index) { tabIndex_ = index; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop) { tabStop_ = stop; }
    // PointerDefault leaves the form's pointer (or the window's cursor) in force.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    // 0 brings the control in front of its siblings, 1 sends it behind them.
    void ZOrder(int position = 0);

    // Moves the focus here; the control that loses it is validated first.
    // Returns false when that validation cancelled.
    bool SetFocus();
    bool HasFocus() const;
    // True when the control can take the focus now (kind, tab stop aside).
    bool CanFocusNow() const;

    // Events. KeyPress may change or clear (0) the character; Validate runs
    // when the focus leaves for another control of the form, and setting
    // cancel keeps the focus here.
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(bool& cancel)> Validate;

    // The control object behind a window of the layer (or nullptr).
    static Control* FromHandle(HWND hwnd);

protected:
    Control(Container& parent, const TwipsRect& place);

    // Creates a child window in the container at the control's placement.
    HWND CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text);
    // Takes over a created window (and the one that takes the focus, when it
    // is another): the layer sees its messages from now on.
    void Attach(HWND hwnd, HWND focusHwnd = nullptr);
    Container& ParentContainer() const { return parent_; }

    // Controls that never take the focus (labels, frames, pictures) say so.
    virtual bool IsFocusable() const { return true; }
    // Notifications the control's window sent to its container.
    virtual void OnCommand(int) {}
    virtual LRESULT OnNotify(const NMHDR&) { return 0; }
    virtual void OnDrawItem(const DRAWITEMSTRUCT&) {}
    // A typed character after KeyPress; return false to swallow it.
    virtual bool OnChar(int& ch);
    // First look at every message of the control's windows; return true
    // with result set to answer it.
    virtual bool PreviewMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // Validation of the control's own value before its Validate event
    // (input fields commit their text here); false refuses leaving.
    virtual bool ValidateOwnValue() { return true; }
    // True when leaving the control must run validation.
    virtual bool NeedsValidation() const { return static_cast<bool>(Validate); }
    virtual void OnGotFocus() {}
    virtual void OnLostFocus() {}

private:
    friend class Container;
    friend class Form;

    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT HandleSubclassed(HWND, UINT, WPARAM, LPARAM);
    void ApplyPlacement();
    void Detach(HWND hwnd);

    Container& parent_;  // not owned; the form owns both
    Form& form_;         // not owned
    HWND hwnd_ = nullptr;
    HWND focusHwnd_ = nullptr;
    TwipsRect place_;
    bool visible_ = true;
    std::wstring tag_;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    int mousePointer_ = 0;
    unsigned serial_ = 0;
    bool validating_ = false;
    bool skipValidation_ = false;
};

} // namespace hv::forms
