// ControlSiteRefs: a small holder that the control object makes when it is
// built: the control, the address of its client-site field, and two
// interface references the control may park here (released with the
// holder), with one flag byte for the control's own use.
#pragma once

#include <windows.h>
#include <ole2.h>

class ControlSiteRefs
{
public:
    // control and siteField are not owned: both live as long as the control.
    ControlSiteRefs(IUnknown* control, IOleClientSite** siteField) : m_control(control), m_siteField(siteField) {}
    virtual ~ControlSiteRefs();
    ControlSiteRefs(const ControlSiteRefs&) = delete;
    ControlSiteRefs& operator=(const ControlSiteRefs&) = delete;

    IUnknown* Control() const { return m_control; }
    IOleClientSite* ClientSite() const { return m_siteField ? *m_siteField : nullptr; }

    // The held references: Set takes one count on the new pointer and lets
    // go of the old one.
    IUnknown* First() const { return m_first; }
    IUnknown* Second() const { return m_second; }
    void SetFirst(IUnknown* held) { Replace(m_first, held); }
    void SetSecond(IUnknown* held) { Replace(m_second, held); }

    BYTE Flag() const { return m_flag; }
    void SetFlag(BYTE flag) { m_flag = flag; }

private:
    static void Replace(IUnknown*& field, IUnknown* held);

    IUnknown* m_control;
    IOleClientSite** m_siteField;
    IUnknown* m_first = nullptr;
    IUnknown* m_second = nullptr;
    BYTE m_flag = 0;
};
