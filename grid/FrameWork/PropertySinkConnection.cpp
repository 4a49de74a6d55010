// Font holder with a property-notification connection.
#include "PropertySinkConnection.h"

#include "AdviseConnection.h"

PropertySinkConnection::PropertySinkConnection(IPropertyNotifySink* sink) noexcept : m_sink(sink)
{
}

PropertySinkConnection::~PropertySinkConnection()
{
    Disconnect();
}

void PropertySinkConnection::Disconnect() noexcept
{
    if (!m_object)
        return;
    if (m_sink && m_cookie != 0)
        UnadviseConnection(m_object, IID_IPropertyNotifySink, m_sink, false, m_cookie);
    m_cookie = 0;
    IUnknown* object = m_object;
    m_object = nullptr;
    object->Release();
}

void PropertySinkConnection::Connect(IUnknown* object) noexcept
{
    Disconnect();
    m_object = object;
    if (m_object && m_sink) {
        DWORD cookie = 0;
        if (AdviseConnection(m_object, IID_IPropertyNotifySink, m_sink, false, &cookie))
            m_cookie = cookie;
    }
}

void PropertySinkConnection::AssignFont(const FONTDESC* description, IUnknown* font) noexcept
{
    Disconnect();
    IFont* source = nullptr;
    if (font && SUCCEEDED(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&source))) && source) {
        IFont* clone = nullptr;
        if (FAILED(source->Clone(&clone)))
            clone = nullptr;
        source->Release();
        if (clone)
            Connect(clone);
        return;
    }
    FONTDESC desc = description ? *description : DefaultFontDescription();
    IUnknown* created = nullptr;
    if (SUCCEEDED(OleCreateFontIndirect(&desc, IID_IUnknown, reinterpret_cast<void**>(&created))) && created)
        Connect(created);
}

HFONT PropertySinkConnection::GetHFont() const noexcept
{
    HFONT handle = nullptr;
    IFont* font = nullptr;
    if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font))) && font) {
        if (FAILED(font->get_hFont(&handle)))
            handle = nullptr;
        font->Release();
    }
    return handle;
}

IFontDisp* PropertySinkConnection::GetFontDisp() const noexcept
{
    IFontDisp* disp = nullptr;
    if (m_object && FAILED(m_object->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&disp))))
        disp = nullptr;
    return disp;
}

const FONTDESC& PropertySinkConnection::DefaultFontDescription() noexcept
{
    static wchar_t face[] = L"MS Sans Serif";
    static const FONTDESC description = {
        sizeof(FONTDESC), face, CY{{80000, 0}}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    return description;
}
