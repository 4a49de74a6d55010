// ButtonPressSink: a held push button's mouse, through the grid control's
// input dispatcher.
#include "ButtonPressSink.h"

#include "HvButtonUIElementBase.h"
#include "HvTavelle.h"
#include "InputDispatcher.h"

#include <map>
#include <memory>

namespace {

// The sinks of the buttons held down, by registration id. A sink let go
// while it is handling a message (the release ends the press) is freed
// only when the next press begins.
struct Presses {
    std::map<ULONG, std::unique_ptr<ButtonPressSink>> held;
    std::unique_ptr<ButtonPressSink> retired;
};

Presses& ThePresses()
{
    static Presses presses;
    return presses;
}

InputDispatcher* DispatcherOf(UIElementControlSeam* control)
{
    auto* grid = dynamic_cast<HvTavelle*>(control);
    return grid ? grid->Dispatcher() : nullptr;
}

ULONG RegisterButton(UIElementControlSeam* control, HvButtonUIElementBase* button)
{
    InputDispatcher* dispatcher = DispatcherOf(control);
    if (!dispatcher || !button)
        return 0;
    Presses& presses = ThePresses();
    presses.retired.reset();
    auto sink = std::make_unique<ButtonPressSink>(button);
    std::uint32_t id = 0;
    // Mouse moves and the left button's release.
    const std::uint32_t mask = MessageMaskBit(WM_MOUSEMOVE) | MessageMaskBit(WM_LBUTTONUP);
    if (!dispatcher->RegisterMouseSink(sink.get(), &id, true, mask) || id == 0)
        return 0;
    presses.held[id] = std::move(sink);
    return id;
}

void UnregisterButton(UIElementControlSeam* control, ULONG id)
{
    if (InputDispatcher* dispatcher = DispatcherOf(control))
        dispatcher->Unregister(id);
    Presses& presses = ThePresses();
    auto found = presses.held.find(id);
    if (found == presses.held.end())
        return;
    presses.retired = std::move(found->second);
    presses.held.erase(found);
}

} // namespace

void ButtonPressSink::InstallHooks()
{
    ButtonCapture& hooks = ButtonCaptureHooks();
    hooks.registerSink = &RegisterButton;
    hooks.unregisterSink = &UnregisterButton;
}

LRESULT ButtonPressSink::OnMouseMove(UINT, int x, int y, bool& handled)
{
    handled = true;
    button_->OnPointerMove(POINT{x, y});
    return 0;
}

LRESULT ButtonPressSink::OnLButtonUp(UINT, int x, int y, bool& handled)
{
    handled = true;
    HvButtonUIElementBase* button = button_;
    // The release ends the press: this sink is let go inside the call.
    button->OnPointerMove(POINT{x, y});
    button->OnButtonUp();
    return 0;
}

LRESULT ButtonPressSink::CancelMode()
{
    ReleaseCapture();
    button_->OnCancel();
    return 0;
}
