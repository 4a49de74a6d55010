// The keyboard handler and the grid key state.
#include "KeyboardHandler.h"

#include "InputDispatcher.h"
#include "InputState.h"

#include <new>

namespace {

constexpr int kTabNavigationNextControl = 1;
constexpr std::uint32_t kNextRow = 1, kPrevRow = 2, kNextCell = 3, kPrevCell = 4;
constexpr std::uint32_t kNextCellByTab = 42, kPrevCellByTab = 43;

} // namespace

std::uint32_t GetKeyActionState(KeyboardHost& host)
{
    std::uint32_t state = 0;
    if (KeyCellQuery* cell = host.GetActiveCell()) {
        state |= KeyState::ActiveCell;
        if (!cell->HasCellBefore())
            state |= KeyState::FirstCellInBand;
        if (!cell->HasCellAfter())
            state |= KeyState::LastCellInBand;
        if (cell->IsInEditMode())
            state |= KeyState::InEditMode;
        if (cell->HasDropDown()) {
            state |= KeyState::HasDropDown;
            if (cell->IsDropDownShowing())
                state |= KeyState::DropDownShowing;
        }
        if (cell->IsCheckBox())
            state |= KeyState::CheckBoxCell;
    }
    if (KeyRowQuery* row = host.GetActiveRow()) {
        state |= KeyState::ActiveRow;
        if (!row->HasPrevSibling()) {
            state |= KeyState::NoPrevSibling;
            if (!row->HasPrevSiblingSpanningBands())
                state |= KeyState::NoPrevSiblingAcrossBands;
        }
        if (!row->HasNextSibling()) {
            state |= KeyState::NoNextSibling;
            if (!row->HasNextSiblingSpanningBands())
                state |= KeyState::NoNextSiblingAcrossBands;
        }
        if (row->IsExpanded())
            state |= KeyState::RowExpanded;
        if (row->IsExpandable())
            state |= KeyState::RowExpandable;
        if (row->HasParentRow())
            state |= KeyState::HasParentRow;
    }
    return state;
}

KeyboardHandler::~KeyboardHandler()
{
    Unregister();
}

bool KeyboardHandler::Register()
{
    Unregister();
    if (!m_map) {
        m_map.reset(new (std::nothrow) KeyActionMap);
        if (!m_map)
            return false;
    }
    InputDispatcher* dispatcher = m_host.GetInputDispatcher();
    m_registered = dispatcher && dispatcher->RegisterKeySink(this, &m_registrationId, Mask);
    return m_registered;
}

void KeyboardHandler::Unregister()
{
    if (!m_registered)
        return;
    if (InputDispatcher* dispatcher = m_host.GetInputDispatcher())
        dispatcher->Unregister(m_registrationId);
    m_registered = false;
    m_registrationId = 0;
}

LRESULT KeyboardHandler::OnKeyDown(WPARAM wParam, LPARAM lParam, bool& handled)
{
    (void)lParam;
    const std::uint32_t key = static_cast<std::uint32_t>(wParam);
    if (GetCapture()) {
        // Another operation holds the mouse: Esc ends it, and no key but
        // Tab acts meanwhile.
        if (key == VK_ESCAPE) {
            if (HWND grid = m_host.GetGridWindow())
                SendMessageW(grid, WM_CANCELMODE, 0, 0);
        }
        if (key != VK_TAB) {
            m_swallow = true;
            return 0;
        }
    }
    if (key == VK_TAB && m_host.GetTabNavigation() == kTabNavigationNextControl) {
        m_swallow = false;
        return 0;
    }
    if (!m_map)
        Register();
    if (!m_map)
        return 0;

    const InputState keys = CurrentInputState();
    const bool shift = keys.shift;
    const bool ctrl = keys.ctrl;
    const bool alt = keys.alt;
    const std::uint32_t action = m_map->Lookup(key, GetKeyActionState(m_host), shift, ctrl, alt);
    if (action == 0) {
        m_swallow = false;
        return 0;
    }

    KeyCellQuery* cellBefore = m_host.GetActiveCell();
    KeyRowQuery* rowBefore = m_host.GetActiveRow();
    // The backward Tab entries already carry Shift in their action.
    m_host.PerformKeyActionFromKeyboard(action, key == VK_TAB ? false : shift, ctrl, handled);

    if (key == VK_TAB && handled) {
        // A Tab that moved nothing lets the focus go on to the container.
        const bool rowAction = action == kNextRow || action == kPrevRow;
        const bool cellAction = action == kNextCell || action == kPrevCell || action == kNextCellByTab ||
                                action == kPrevCellByTab;
        HWND edit = m_host.GetEditWindow();
        if ((rowAction && m_host.GetActiveRow() == rowBefore) ||
            (cellAction && m_host.GetActiveCell() == cellBefore && !(edit && IsWindowVisible(edit))))
            handled = false;
    }
    m_swallow = handled;
    return 0;
}

LRESULT KeyboardHandler::OnSysKeyDown(WPARAM wParam, LPARAM lParam, bool& handled)
{
    return OnKeyDown(wParam, lParam, handled);
}

LRESULT KeyboardHandler::OnKeyUp(WPARAM wParam, LPARAM lParam, bool& handled)
{
    (void)wParam;
    (void)lParam;
    handled = m_swallow;
    m_swallow = false;
    return 0;
}

LRESULT KeyboardHandler::OnChar(WPARAM wParam, LPARAM lParam, bool& handled)
{
    (void)wParam;
    (void)lParam;
    handled = m_swallow;
    return 0;
}
