// PropertySinkConnection: holds one object (in practice a font) together with
// the connection of its owner's property-notification sink to it.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

class PropertySinkConnection
{
public:
    // sink is not owned: it is the object that owns this holder.
    explicit PropertySinkConnection(IPropertyNotifySink* sink = nullptr) noexcept;
    ~PropertySinkConnection();
    PropertySinkConnection(const PropertySinkConnection&) = delete;
    PropertySinkConnection& operator=(const PropertySinkConnection&) = delete;

    // Takes over the caller's reference to object and connects the sink, if any.
    void Connect(IUnknown* object) noexcept;
    void Disconnect() noexcept;
    // Sets the sink for later connections; an existing one is not moved.
    void SetSink(IPropertyNotifySink* sink) noexcept { m_sink = sink; }

    // Holds a clone of font when it answers IFont, else a new font made from
    // description (or the default description when none is given).
    void AssignFont(const FONTDESC* description, IUnknown* font) noexcept;
    // The handle stays owned by the font; 0 when none is held.
    HFONT GetHFont() const noexcept;
    // A new reference, or null.
    IFontDisp* GetFontDisp() const noexcept;

    IUnknown* Object() const noexcept { return m_object; }
    DWORD Cookie() const noexcept { return m_cookie; }

    // "MS Sans Serif", 8 points, normal weight, default character set.
    static const FONTDESC& DefaultFontDescription() noexcept;

private:
    IUnknown* m_object = nullptr;          // owned
    DWORD m_cookie = 0;
    IPropertyNotifySink* m_sink = nullptr; // not owned
};
