// The control's holder of site references.
#include "ControlSiteRefs.h"

#include "ReleaseField.h"

ControlSiteRefs::~ControlSiteRefs()
{
    ReleaseField(m_first);
    ReleaseField(m_second);
}

void ControlSiteRefs::Replace(IUnknown*& field, IUnknown* held)
{
    if (held)
        held->AddRef();
    ReleaseField(field);
    field = held;
}
