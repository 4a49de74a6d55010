// ControlVerbs: the control's preparation before the framework's DoVerb
// and GetPages: the verbs that may show the property pages bring the
// layout's elements and scroll regions up to date first.
#pragma once

#include <windows.h>

class VerbLayoutHost
{
public:
    // Marks the layout's root element for re-layout.
    virtual void DirtyRootUIElement() = 0;
    virtual bool HasColScrollRegions() = 0;
    virtual void MarkAllScrollRegionsDirty() = 0;

protected:
    ~VerbLayoutHost() = default;
};

// Verb 0 (primary), 1 and -7 (properties).
bool VerbRefreshesLayout(LONG verb);
// Done before DoVerb for those verbs and before GetPages.
void PrepareLayoutForPages(VerbLayoutHost& host);
