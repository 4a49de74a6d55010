// Pictures over a static bitmap control, which does not own its image.
#include "PictureBox.h"

#include <utility>

namespace hv::forms {

PictureBox::PictureBox(Container& parent, const TwipsRect& place) : Control(parent, place)
{
    Attach(CreateChild(L"STATIC", SS_BITMAP | SS_CENTERIMAGE, WS_EX_CLIENTEDGE, nullptr));
    // A bitmap static sizes itself to its image; keep the designed size.
    Move(place.left, place.top, place.width, place.height);
}

void PictureBox::SetPicture(GdiObject<HBITMAP> bitmap)
{
    SendMessageW(Hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    picture_ = std::move(bitmap);
    Move(Left(), Top(), Width(), Height());
}

} // namespace hv::forms
