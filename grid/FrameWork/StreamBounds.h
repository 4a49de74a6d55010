// Where a stream being read stands and how much of it is left, so that a
// reader refuses a stored count or length before it allocates for it, and so
// that stored state can be read a second time from the same place.
#pragma once

#include <windows.h>
#include <objidl.h>

// The current position; fails for a stream that cannot tell it.
HRESULT StreamPosition(IStream* stream, ULONGLONG* position) noexcept;
HRESULT StreamSeekTo(IStream* stream, ULONGLONG position) noexcept;
// The bytes between the current position and the end; false when the stream
// cannot tell.
bool StreamBytesLeft(IStream* stream, ULONGLONG* left) noexcept;
// False only when the stream tells that fewer than count bytes are left.
bool StreamHasBytes(IStream* stream, ULONGLONG count) noexcept;

// A picture in the standard OLE stream form may begin with a header that
// states the length of the picture data ("lt\0\0", length); a length beyond
// the end of the stream refuses the picture with E_FAIL before it is loaded,
// and so does a bitmap whose header places its bits beyond the picture's
// length (or describes no bitmap), or an icon whose images lie beyond it.
// The stream is left where it was.
HRESULT CheckPictureStream(IStream* stream) noexcept;

// The picture in the standard OLE stream form at the stream's position,
// loaded after CheckPictureStream, and refused (E_FAIL) when the form it
// saves itself in would not pass that check: what is loaded can be saved
// and loaded again.
HRESULT LoadCheckedPicture(IStream* stream, REFIID iid, void** out) noexcept;
