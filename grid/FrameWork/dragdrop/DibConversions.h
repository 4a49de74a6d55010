// GDI conversions beneath the picture formats of drag and drop: packed DIBs
// from bitmaps and back, palettes made from a DIB's colour table, the
// colour-cube palette, bitmap copies and a picture drawn into a new bitmap.
//
// A packed DIB is one global memory block: a BITMAPINFOHEADER (40 bytes) or
// BITMAPCOREHEADER (12 bytes), the colour table, then the bits.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

// Entries of the colour table: biClrUsed when set (not for a core header),
// else 2, 16 or 256 for 1, 4 or 8 bits per pixel, else 0.
DWORD DibColorCount(const BITMAPINFOHEADER* header);
// Bytes of the colour table: 3 per entry after a core header, else 4.
DWORD DibColorTableSize(const BITMAPINFOHEADER* header);
// Offset of the bits from the start of the header: header, BI_BITFIELDS
// masks when the header has none of its own, colour table.
DWORD DibBitsOffset(const BITMAPINFOHEADER* header);

// Whether size bytes at dib hold a packed DIB that can be read without
// reading past them: a known header size, one plane, a bit count and
// compression that go together, a colour count within what the bit count
// can index, BI_BITFIELDS masks that are there, not empty and apart, and
// every row of the bits inside the block. The block form measures itself
// with GlobalSize.
bool IsValidPackedDib(const BYTE* dib, SIZE_T size);
bool IsValidPackedDib(HGLOBAL packedDib);

// The process-wide colour-cube palette (the 20 system colours with their
// nearest screen colours, then a 6x6x6 cube); never deleted. Null when it
// cannot be made.
HPALETTE GetColorCubePalette();

// A new palette for the DIB's colours on a palette device, or null: a DIB of
// at most 16 standard colours needs none, a DIB without a colour table gets
// the colour-cube palette (which the caller must not delete).
HPALETTE PaletteFromDib(HGLOBAL packedDib);

// A new packed DIB (moveable block) of the bitmap, or null.
HGLOBAL BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette);
// A new bitmap of the DIB, or null (also for a DIB that is not valid);
// *palette receives the palette made for
// it on a palette device, or null.
HBITMAP PackedDibToBitmap(HGLOBAL packedDib, HPALETTE* palette);

// A new palette with the entries of the given one, or null.
HPALETTE DuplicatePalette(HPALETTE palette);
// A new device-dependent copy of the bitmap, or null.
HBITMAP CopyBitmap(HBITMAP bitmap);
// Replaces bitmap and palette by copies made together (through a DIB when
// there is a palette). Returns 0, or 7 when a copy cannot be made, in which
// case both stay as they were.
long CopyBitmapAndPalette(HBITMAP& bitmap, HPALETTE& palette);

// A new screen-compatible bitmap with the picture stretched to width x
// height pixels (0 takes the picture's own size), or null.
HBITMAP PictureToBitmap(IPicture* picture, int width, int height);
