// A picture: a bordered box showing a bitmap centred in it.
#pragma once

#include "Control.h"
#include "GdiObject.h"

namespace hv::forms {

class PictureBox : public Control {
public:
    PictureBox(Container& parent, const TwipsRect& place);

    // Takes ownership of the bitmap; an empty one clears the picture.
    void SetPicture(GdiObject<HBITMAP> bitmap);
    HBITMAP Picture() const { return picture_.Get(); }

protected:
    bool IsFocusable() const override { return false; }

private:
    GdiObject<HBITMAP> picture_;
};

} // namespace hv::forms
