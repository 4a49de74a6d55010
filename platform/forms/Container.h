// A window that holds controls: the form itself, a frame, a page of a tab
// control. It creates controls inside itself and answers the notifications its
// child controls send to their parent (commands, colours, owner drawing) by
// handing them back to the control object.
#pragma once

#include <memory>
#include <utility>

#include "WindowHandler.h"

namespace hv::forms {

class Control;
class Form;

class Container : public WindowHandler {
public:
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // The window the container's controls are children of.
    HWND ClientWindow() const { return client_; }
    // The form that owns every control of this container.
    virtual Form& OwnerForm() = 0;

    // Creates a control of type T in this container: T(Container&, args...).
    // The form owns it; the reference stays valid until the form unloads.
    template <class T, class... Args>
    T& Add(Args&&... args)
    {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& result = *control;
        Adopt(std::move(control));
        return result;
    }

protected:
    Container() = default;
    virtual ~Container() = default;

    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Draws the container's own face (a frame's border and caption).
    virtual void Paint(HDC, const RECT&) {}

    HWND client_ = nullptr;  // owned by the window system; destroyed with the form

private:
    void Adopt(std::unique_ptr<Control> control);
};

} // namespace hv::forms
