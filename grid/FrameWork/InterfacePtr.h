// InterfacePtr: the holder of one picture (IPicture), owning one reference.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

class InterfacePtr
{
public:
    InterfacePtr() noexcept = default;
    ~InterfacePtr() { Release(); }
    InterfacePtr(const InterfacePtr&) = delete;
    InterfacePtr& operator=(const InterfacePtr&) = delete;

    void Release() noexcept;
    // Each of these first releases the held picture.
    bool CreateEmptyPicture() noexcept;
    // own: the picture destroys the bitmap and palette when it is released.
    bool CreatePictureFromBitmap(HBITMAP bitmap, HPALETTE palette, bool own) noexcept;
    // Holds object's IPicture, or nothing when object is null or has none.
    void AssignPicture(IUnknown* object) noexcept;

    // A new reference, or null.
    IPictureDisp* GetPictureDisp() const noexcept;
    // The picture's PICTYPE_ value, -1 when none is held.
    SHORT GetPictureType() const noexcept;

    IPicture* Get() const noexcept { return m_picture; }
    explicit operator bool() const noexcept { return m_picture != nullptr; }

private:
    bool CreateFrom(PICTDESC& description, bool own) noexcept;

    IPicture* m_picture = nullptr;
};
