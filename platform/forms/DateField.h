// A date entry field: shown "dd/mm/yyyy", typed "dd/mm/yy" (a two-digit year
// follows the platform's two-digit-year rule), an empty (null) state, and a
// drop-down month calendar (button, F4 or Alt+Down) in the user's language.
#pragma once

#include <optional>
#include <string>

#include <windows.h>
#include <oleauto.h>

#include "EditControl.h"

namespace hv::forms {

class DateField : public EditControl {
public:
    DateField(Container& parent, const TwipsRect& place);
    ~DateField() override;

    // VT_DATE (a whole day), or VT_NULL when the field is empty.
    VARIANT Value() const;
    // Null or empty empties the field; text is read in the user's locale.
    // False (field unchanged) for anything that is no date.
    bool SetValue(const VARIANT& value);
    bool ValueIsNull() const;
    // "" empties the field; other text is read as "dd/mm/yy" or "dd/mm/yyyy".
    bool SetText(const std::wstring& text);

    // The calendar drop-down; picking a day sets the value and closes it.
    void DropDown();
    void CloseUp();
    HWND CalendarHwnd() const { return calendar_; }

    // Reads "d/m/yy" or "d/m/yyyy"; nullopt when it is no valid date.
    static std::optional<DATE> ParseDate(const std::wstring& text);

protected:
    bool OnChar(int& ch) override;
    void OnCommand(int code) override;
    bool ValidateOwnValue() override;
    bool NeedsValidation() const override { return true; }
    void OnGotFocus() override;
    void OnLostFocus() override;
    bool PreviewMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static LRESULT CALLBACK CalendarProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    std::optional<DATE> CurrentValue() const;
    void ShowValue(bool editing);
    void Pick(DATE day);
    void PlaceButton();

    std::optional<DATE> value_;
    bool edited_ = false;
    bool showing_ = false;
    HWND button_ = nullptr;    // child of the edit box; destroyed with it
    HWND calendar_ = nullptr;  // popup; destroyed by CloseUp
};

} // namespace hv::forms
