// A form: a top-level window with a caption that owns its controls, shown
// modeless or modal, loaded and unloaded with a cancellable unload (the close
// box takes the same road). It keeps the focus order by tab index, moves the
// focus on Tab, Shift+Tab and SendTab, and validates the control the focus
// leaves. A derived form creates its controls in CreateControls and answers
// Form_Load and Form_Unload.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Container.h"
#include "GdiObject.h"
#include "Twips.h"

namespace hv::forms {

class Control;

enum class ShowMode { Modeless = 0, Modal = 1 };

class Form : public Container {
public:
    Form();
    ~Form() override;

    // Creates the window and the controls and runs Form_Load (once).
    void Load();
    bool IsLoaded() const { return loaded_; }
    // Loads when needed and shows. Modal returns when the form is hidden or unloaded.
    void Show(ShowMode mode = ShowMode::Modeless);
    void Hide();
    // Runs Form_Unload; unless cancelled, destroys the window and the controls.
    // Returns true when the form is unloaded.
    bool Unload();

    HWND Hwnd() const { return client_; }
    Form& OwnerForm() override { return *this; }

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // Outer placement in twips (screen), client size in twips.
    int Left() const { return place_.left; }
    int Top() const { return place_.top; }
    int Width() const { return place_.width; }
    int Height() const { return place_.height; }
    void Move(int left, int top, int width, int height);
    int ScaleWidth() const;
    int ScaleHeight() const;

    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    // The font of the form's controls.
    HFONT Font() const { return font_.Get(); }

    // The control that has (or last had) the focus on this form.
    Control* ActiveControl() const { return active_; }
    // Moves the focus to the next control in tab order, as the Tab key does,
    // after the current messages are handled.
    void SendTab();
    // Moves the focus to the next (or previous) control in tab order at once,
    // validating the control it leaves. False when nothing moved.
    bool MoveFocus(bool forward);

    // Used by controls.
    void AdoptControl(std::unique_ptr<Control> control);
    void ControlAttached(Control& control);
    void ControlGotFocus(Control& control);
    void ControlLostFocus(Control& control, HWND newFocus);
    bool FocusControl(Control& target);
    // Validates the control the focus is on (or has just left) before a move
    // the layer makes itself, such as a change of tab; true when it cancelled.
    bool ValidateBeforeMove();
    // Moves the focus away from the focused control without validating it
    // (its page is being hidden by the program).
    void MoveFocusWithoutValidation(HWND to);
    void RefreshCursor();
    // Destroys the window without events (the program is ending).
    void Discard();

protected:
    // The form's design: creates its controls (runs on every load).
    virtual void CreateControls() {}
    virtual void Form_Load() {}
    virtual void Form_Unload(bool& cancel) { (void)cancel; }

    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    Control* ControlWithFocus() const;
    Control* FindNext(Control* from, bool forward) const;
    Control* FindBySerial(unsigned serial) const;
    bool RunValidation(Control& control);
    bool ResolvePendingValidation();
    void ValidateAfterFocusLoss(unsigned serial);
    void FocusFirst();
    void DestroyWindowAndControls();
    void RunModalLoop();

    std::wstring caption_;
    TwipsRect place_{1200, 1200, 9600, 7200};
    int mousePointer_ = 0;
    bool loaded_ = false;
    bool restoringFocus_ = false;
    GdiObject<HFONT> font_;
    std::vector<std::unique_ptr<Control>> controls_;
    // Controls of an unloaded form wait here until the next load or the
    // form's end: an unload may run inside one of their own handlers.
    std::vector<std::unique_ptr<Control>> unloaded_;
    Control* active_ = nullptr;   // one of controls_, or nullptr
    HWND focusOnDeactivate_ = nullptr;
    unsigned nextSerial_ = 1;
    unsigned pendingValidation_ = 0;  // serial of a control whose validation is posted
};

} // namespace hv::forms
