// ControlErrorHost: the grid control as its error reports see it, and the
// reporter it serves. The control holds one; the reports of refused data,
// of the cell editor's findings and of input masks go through it.
#pragma once

#include "ErrorReporter.h"
#include "ErrorReporterHost.h"

class HvTavelle;

class ControlErrorHost final : public ErrorReporterHost {
public:
    explicit ControlErrorHost(HvTavelle& control);
    ControlErrorHost(const ControlErrorHost&) = delete;
    ControlErrorHost& operator=(const ControlErrorHost&) = delete;

    // How every grid's reports reach the user: null puts the system's box
    // and beep back. Tests put their own in place, since a box would block.
    static ErrorAlerts* SetAlerts(ErrorAlerts* alerts);

    ErrorReporter& Reporter() { return reporter_; }

    // ErrorReporterHost
    bool HasEventGateAndLayout() override;
    bool LayoutCanFireEvents() override;
    void FireError(IDispatch* error) override;
    HWND GetGridWindow() override;
    void SetModalState(bool modal) override;
    std::wstring DialogString(int id) override;

private:
    HvTavelle& control_;
    ErrorReporter reporter_;
};
