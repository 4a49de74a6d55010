// Scope guards for the paired calls of drawing: a screen DC taken and given
// back, a DC made for us (memory, printer) and deleted, an object selected
// and the previous one put back, a DC's whole state saved and restored.
#pragma once

#include <windows.h>

namespace hv::report {

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Deletes a DC made for the caller (a memory DC, a printer's DC).
class OwnedDc {
public:
    explicit OwnedDc(HDC dc) : dc_(dc) {}
    ~OwnedDc()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

class MemoryDc : public OwnedDc {
public:
    explicit MemoryDc(HDC compatibleWith = nullptr) : OwnedDc(CreateCompatibleDC(compatibleWith)) {}
};

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, saved_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

} // namespace hv::report
