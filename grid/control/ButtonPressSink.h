// ButtonPressSink: the mouse of a push button held down in the grid (a cell
// button, a band's button in the add-new box). While the button is down its
// sink is the input dispatcher's capturing mouse sink: it tells the button
// where the pointer goes and when it is let go, and a lost capture cancels
// the press.
#pragma once

#include "InputOperation.h"

class HvButtonUIElementBase;

class ButtonPressSink final : public InputOperation {
public:
    explicit ButtonPressSink(HvButtonUIElementBase* button) : button_(button) {}

    // Installs the buttons' capture hooks for every grid of the process.
    static void InstallHooks();

    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    LRESULT CancelMode() override;

private:
    HvButtonUIElementBase* button_;  // not referenced: the button unregisters before it goes
};
