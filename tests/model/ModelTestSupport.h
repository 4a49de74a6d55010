// Fixtures shared by the object-model tests: memory streams, pictures and
// fonts made through OLE, VARIANT arguments, and reading back the error
// information of a call.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <string>
#include <vector>

// Owns one interface reference.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) : p_(adopted) {}
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { Reset(); }
    void Reset(T* adopted = nullptr)
    {
        if (p_)
            p_->Release();
        p_ = adopted;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T** Out() { Reset(); return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

IStream* NewStream(const std::vector<BYTE>& bytes = {});
std::vector<BYTE> StreamBytes(IStream* stream);
void Rewind(IStream* stream);

IPictureDisp* NewBitmapPicture(int width, int height);
IPictureDisp* NewIconPicture();
IFontDisp* NewFont(const wchar_t* face, int points);

// VARIANT arguments for late-bound calls. MakeText's value is the caller's
// to clear; MakeObject's is borrowed (not add-ref'd).
VARIANT MakeI4(long value);
VARIANT MakeR4(float value);
VARIANT MakeBool(bool value);
VARIANT MakeText(const wchar_t* text);
VARIANT MakeObject(IDispatch* object);

// The description of the thread's current error information ("" when none).
std::wstring LastErrorDescription();
