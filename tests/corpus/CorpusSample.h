// The samples of the mutation corpus: a grid control made through the
// library's class factory, given stored state of every kind (its own
// settings, images, a tag, and a layout with a font, appearances with
// pictures, overrides, value lists with dates and pictures, a band with
// columns and a group, the add-new box).
#pragma once

#include <windows.h>
#include <ocidl.h>

class HvLayout;
class HvTavelle;

namespace corpus {

// A grid control held by one reference on its unknown.
class GridObject {
public:
    GridObject();
    ~GridObject();
    GridObject(const GridObject&) = delete;
    GridObject& operator=(const GridObject&) = delete;

    IUnknown* Unknown() const { return unknown_; }
    HvTavelle& Grid() const { return *grid_; }
    HvLayout& Layout() const;
    IDispatch* LayoutDispatch() const;
    template <class T>
    T* Query(REFIID iid) const
    {
        T* out = nullptr;
        unknown_->QueryInterface(iid, reinterpret_cast<void**>(&out));
        return out;
    }

private:
    IUnknown* unknown_ = nullptr;
    HvTavelle* grid_ = nullptr;
};

// Gives the grid the sample's state; throws std::runtime_error naming the
// step that failed.
void FillSample(GridObject& grid);

} // namespace corpus
