// InputMask: a column's hold on the input-mask component that takes over
// the grid's EDIT window while a masked cell is edited. A component that
// cannot be made or configured leaves the column unmasked: every helper then
// answers not ready, 0 or the text unchanged.
#pragma once

#include "ComRef.h"
#include "MaskEngine.h"

#include <string>

// What the helper reads of its column and the layout.
class InputMaskColumnSeam {
public:
    virtual std::wstring MaskInput() = 0;
    virtual WCHAR PromptChar() = 0;
    virtual LONG MaskClipMode() = 0;
    virtual LONG MaskDataMode() = 0;
    virtual LONG MaskDisplayMode() = 0;
    // The resolved CellMultiLine.
    virtual bool IsMultiLine() = 0;
    // The column is the active cell's column.
    virtual bool IsActiveCellColumn() = 0;
    // The layout's EDIT window, null when none.
    virtual HWND EditWindow() = 0;
    // The column's notification object handed to the component (not referenced).
    virtual IUnknown* NotifyObject() = 0;
    // The component refused a text; position: its first character that does not fit.
    virtual void ReportMaskError(const std::wstring& text, LONG position) = 0;

protected:
    ~InputMaskColumnSeam() = default;
};

class InputMask {
public:
    // Makes the component; replaceable so that tests can hand in their own.
    using EngineFactory = HRESULT (*)(IHvMaskEngine** out);
    static EngineFactory SetEngineFactory(EngineFactory factory);

    explicit InputMask(InputMaskColumnSeam* column) : column_(column) {}
    InputMask(const InputMask&) = delete;
    InputMask& operator=(const InputMask&) = delete;

    bool UsesInputMask();
    bool CreateMaskEngine();
    bool IsMaskEngineReady();
    bool ConfigureMaskEngine();
    bool DetachMaskEngine();
    // Called by the column's mask setters and when the EDIT window is made.
    bool ApplyInputMask(bool apply);
    // The component's answer; 0 when it is not ready.
    LONG MaskProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The text formatted with a mask mode, unchanged when that fails.
    std::wstring FormatMaskedText(const std::wstring& text, LONG mode);
    // A BSTR value is replaced by its formatting; others are left alone.
    void ApplyMaskModeToValue(VARIANT* value, LONG mode);

    IHvMaskEngine* Engine() const { return engine_.Get(); }

private:
    InputMaskColumnSeam* column_;  // not owned
    ComRef<IHvMaskEngine> engine_;
};
