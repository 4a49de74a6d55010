// ReleaseField: lets go of an interface pointer held in a field, clearing
// the field before the Release so that re-entrant code never sees it.
#pragma once

template <class T>
void ReleaseField(T*& field)
{
    if (field) {
        T* held = field;
        field = nullptr;
        held->Release();
    }
}
