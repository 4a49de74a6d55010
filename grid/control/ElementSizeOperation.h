// ElementSizeOperation: sizing a UI element with the mouse (a column or
// group width, a row height, a scroll-region split). It holds the capture,
// draws an XOR feedback bar that follows the mouse within the element's
// limits, and on release hands the element the clamped change. Esc or a
// cancelled capture ends it without a change. It deletes itself when it
// ends.
#pragma once

#include "InputOperation.h"
#include "KeyMessageSink.h"

#include <cstdint>

class HvUIElement;
class InputDispatcher;
class SizingHost;

class ElementSizeOperation final : public InputOperation, public KeyMessageSink
{
public:
    ElementSizeOperation(const ElementSizeOperation&) = delete;
    ElementSizeOperation& operator=(const ElementSizeOperation&) = delete;

    // Starts sizing element from start (grid client pixels). False, and no
    // operation, when the element is dead or belongs to no control, the
    // grid window is missing or hidden, there is no dispatcher, or the
    // element sizes in neither direction.
    friend bool StartElementSizing(SizingHost& host, HvUIElement* element, POINT start,
                                   ElementSizeOperation** operation);

    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
    LRESULT CancelMode() override;
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam, bool& handled) override;

    // The change the element would get for a release at (x, y).
    int HorizontalDelta(int x) const;
    int VerticalDelta(int y) const;
    bool SizesHorizontally() const { return sizesHorizontally_; }
    bool SizesVertically() const { return sizesVertically_; }
    bool IsHorizontalPatterned() const { return horizontalPatterned_; }
    bool IsVerticalPatterned() const { return verticalPatterned_; }
    // Where the feedback bars are drawn now (empty when not drawn).
    const RECT& HorizontalFeedback() const { return horizontalFeedback_; }
    const RECT& VerticalFeedback() const { return verticalFeedback_; }

    // The surface the feedback bars are drawn on: the screen, unless a
    // device context is set (null restores the screen). The context stands
    // for the whole screen: a bar lands at its screen position. It must
    // outlive every sizing that draws on it.
    static void SetFeedbackSurface(HDC surface);

private:
    ElementSizeOperation(HvUIElement* element, POINT start);
    ~ElementSizeOperation() override;

    bool Begin(SizingHost& host);
    void UpdateFeedback(int x, int y);
    void EraseFeedback();
    void DrawBar(HDC screen, const RECT& bar, bool patterned);
    void Unregister();
    void Cancel();
    static int Clamp(int delta, long shrink, long grow);

    HCURSOR sizingCursor_ = nullptr;
    HCURSOR replacedCursor_ = nullptr;
    bool cursorSet_ = false;
    RECT verticalFeedback_ = {};
    RECT horizontalFeedback_ = {};
    int lastHorizontal_ = -1;
    int lastVertical_ = -1;
    long verticalShrink_ = 0;
    long verticalGrow_ = 0;
    long horizontalShrink_ = 0;
    long horizontalGrow_ = 0;
    RECT verticalBar_ = {};
    RECT horizontalBar_ = {};
    bool sizesVertically_ = false;
    bool sizesHorizontally_ = false;
    bool verticalPatterned_ = false;
    bool horizontalPatterned_ = false;
    HWND grid_ = nullptr;
    InputDispatcher* dispatcher_ = nullptr;
    std::uint32_t mouseId_ = 0;
    std::uint32_t keyId_ = 0;
    HvUIElement* element_;  // referenced
    POINT start_;
};

bool StartElementSizing(SizingHost& host, HvUIElement* element, POINT start, ElementSizeOperation** operation);
