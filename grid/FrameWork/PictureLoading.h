// Picture loading: the image decoder library (loaded by full path, entry
// by ordinal), the URL download function (loaded at run time), pictures read
// back from streams, and the pictures of an image file at a URL.
#pragma once

#include "DecodedImageList.h"
#include "InterfacePtr.h"

#include <windows.h>
#include <urlmon.h>

#include <cstdio>

// The decoder's entry, export ordinal 100 of "HvPng2.dll": reads the file
// from its current position, calls OnImage once per picture and answers
// nonzero on success.
struct IHvPngCallback;
using PngDecodeEntry = BOOL(WINAPI*)(FILE* file, IHvPngCallback* callback);

// Decodes an open binary file into list; nonzero on success. The library
// is loaded by its full path, from the folder of the module that holds this
// code (the control library, or a program that links it in); a missing
// library (tried again on the next call) or entry gives 0.
int LoadPngDecoder(FILE* file, DecodedImageList& list);
// Takes the decoder library from another folder (null: the module's own
// again), for programs whose decoder does not lie beside them. A library
// already loaded stays in use.
void SetPngDecoderFolder(const wchar_t* folder);

// URLDownloadToCacheFileA, loaded from urlmon on first use; E_UNEXPECTED
// when the library or the entry is missing.
HRESULT DownloadUrlToCacheFile(IUnknown* caller, const char* url, char* fileName, DWORD size, DWORD reserved,
                               IBindStatusCallback* callback);

// Downloads url to the cache and decodes the file into list; the number of
// entries in list afterwards (0 on any failure).
int LoadImagesFromUrl(const char* url, DecodedImageList& list);

// Reads a picture saved in OLE's own persisted form, replacing the held one.
HRESULT ReadPictureFromStream(IStream* stream, InterfacePtr& picture);
