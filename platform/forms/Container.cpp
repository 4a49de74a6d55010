// Message handling common to every container window: notifications of child
// controls go back to their control object; labels and buttons are drawn on
// the container's button-face background.
#include "Container.h"

#include "Control.h"
#include "Form.h"

namespace hv::forms {

void Container::Adopt(std::unique_ptr<Control> control)
{
    OwnerForm().AdoptControl(std::move(control));
}

LRESULT Container::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->OnCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* child = Control::FromHandle(header->hwndFrom))
            return child->OnNotify(*header);
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (Control* child = Control::FromHandle(item->hwndItem)) {
            child->OnDrawItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        Paint(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace hv::forms
