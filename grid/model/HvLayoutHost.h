// HvLayoutHost: what appearances, appearance references and overrides need
// of the layout that owns them: raising errors, the default font, whether it
// is still alive, and reporting a message to the user through the grid.
#pragma once

#include <windows.h>

class PropertySinkConnection;

class HvLayoutHost {
public:
    // Raises an automation error through the layout's automation base and
    // returns result.
    virtual HRESULT RaiseError(HRESULT result, WORD stringId) = 0;
    // The layout's Font holder, made on first use; null when it has none.
    virtual PropertySinkConnection* DefaultFont() = 0;
    virtual bool IsAlive() = 0;
    // E_FAIL when the layout is not shown by a grid.
    virtual HRESULT ReportMessage(long code, const wchar_t* text, const wchar_t* caption) = 0;

protected:
    ~HvLayoutHost() = default;
};
