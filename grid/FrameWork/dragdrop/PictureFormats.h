// Pictures on both sides of a drag: the check of a picture object against a
// clipboard format, and the rendering of a picture into the GDI handle or
// memory block of an OLE storage medium.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

class BitmapPalettePair;
class OleDragDrop;

// Checks that the picture can travel in clipboard format `format` (0: any)
// and sets *outFormat to the format it will take: a bitmap CF_DIB, a
// metafile CF_METAFILEPICT, an enhanced metafile CF_ENHMETAFILE when none
// was given. An empty picture raises 380, a mismatch 461 (through dragDrop,
// which may be null or dead); a metafile asked for in another format only
// answers 0x800A01CD.
HRESULT CheckPictureFormat(IPicture* picture, CLIPFORMAT format, CLIPFORMAT* outFormat, OleDragDrop* dragDrop);

// Renders the picture object held in stored into medium for the request
// (CF_BITMAP, CF_PALETTE, CF_DIB, CF_METAFILEPICT or CF_ENHMETAFILE). The
// receiver owns what the medium holds. A bitmap and palette asked for one
// after the other come from the same copy, kept in pair meanwhile.
HRESULT RenderPictureMedium(const VARIANT& stored, BitmapPalettePair& pair, const FORMATETC& request,
                            STGMEDIUM* medium, OleDragDrop* dragDrop);
