// CDragTracker: follows the mouse while a column or group header is dragged
// inside the grid: floats the header's image above the cursor, asks the
// header drag operation what lies under it, marks the drop position with
// the drop guide, switches between the drop and no-drop cursors, scrolls
// the column scroll regions, and on release lets the operation move the
// headers. Esc, the loss of capture or the release end the drag. The
// control makes one on first use and keeps it.
#pragma once

#include "HeaderDragTarget.h"
#include "InputOperation.h"
#include "KeyMessageSink.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class HeaderDragHost;
class HeaderDragOperation;
class HvDragEffectWnd;
class HvDropGuideWnd;
class InputDispatcher;

class CDragTracker : public InputOperation, public KeyMessageSink
{
public:
    enum CursorState { CursorNone = 0, CursorTarget = 1, CursorNoTarget = 2 };

    // host and dispatcher are not owned.
    CDragTracker(HeaderDragHost* host, InputDispatcher* dispatcher);
    ~CDragTracker() override;
    CDragTracker(const CDragTracker&) = delete;
    CDragTracker& operator=(const CDragTracker&) = delete;

    // Replaces the tracked operation (taking a reference) and lets its
    // first item paint the drag image.
    bool SetOperation(HeaderDragOperation* operation, bool noImage, HWND gridWindow);
    // The effect window's device context (class DC: not released by the
    // caller); null while no image is wanted or without window.
    HDC GetEffectWindowDC();
    // Takes the bitmap and the region (grid-independent sizes in pixels).
    void SetDragImage(HBITMAP bitmap, int width, int height, HRGN region);
    bool Start();
    void End();

    // Cursors used instead of the system arrow and no-drop cursors.
    void SetCursors(HCURSOR drop, HCURSOR noDrop);
    int GetCursorState() const { return m_cursorState; }
    const RECT& QuietRect() const { return m_quiet; }
    bool IsRegistered() const { return m_mouseId != 0 || m_keyId != 0; }
    HeaderDragOperation* Operation() const { return m_operation; }
    HvDragEffectWnd* EffectWindow() const { return m_effect.get(); }
    HvDropGuideWnd* DropGuide() const { return m_guide.get(); }

    // InputOperation
    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
    LRESULT CancelMode() override;
    // KeyMessageSink
    LRESULT OnKeyDown(WPARAM key, LPARAM flags, bool& handled) override;

private:
    void Register();
    void Unregister();
    bool FindTarget(POINT point, HeaderDragTarget* target, RECT* rectangle);
    void ShowDropGuide(HeaderDragTarget* target, POINT point, const RECT& rectangle);
    void HideDropGuide();
    // Decides the guide for an allowed or refused drop at the point.
    void UpdateGuide(HeaderDragTarget* target, POINT point, const RECT& rectangle, bool allowed);
    void FollowWithEffect(POINT client);
    POINT ToScreen(POINT client) const;
    void SetCursorState(int state);
    void RestoreCursor();

    HeaderDragOperation* m_operation = nullptr; // one reference
    std::unique_ptr<HvDragEffectWnd> m_effect;
    InputDispatcher* m_dispatcher;  // not owned
    HeaderDragHost* m_host;         // not owned: the control
    std::unique_ptr<HvDropGuideWnd> m_guide;
    std::uint32_t m_mouseId = 0;
    std::uint32_t m_keyId = 0;
    bool m_noImage = false;
    int m_cursorState = CursorNone;
    HWND m_grid = nullptr;
    RECT m_quiet{};
    HCURSOR m_dropCursor = nullptr;
    HCURSOR m_noDropCursor = nullptr;
    HCURSOR m_savedCursor = nullptr;
    bool m_cursorSaved = false;
    bool m_dropAllowed = false;     // the last move showed the drop guide
};

// The drop anchor: the rectangle's left (side 0) or right (side 1) edge at
// its top.
POINT DragEdgePoint(const RECT& rectangle, int side);
