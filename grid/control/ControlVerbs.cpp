// The layout's refresh before verbs and property pages.
#include "ControlVerbs.h"

#include <oleidl.h>
#include <olectl.h>

bool VerbRefreshesLayout(LONG verb)
{
    return verb == OLEIVERB_PRIMARY || verb == 1 || verb == OLEIVERB_PROPERTIES;
}

void PrepareLayoutForPages(VerbLayoutHost& host)
{
    host.DirtyRootUIElement();
    if (host.HasColScrollRegions())
        host.MarkAllScrollRegionsDirty();
}
