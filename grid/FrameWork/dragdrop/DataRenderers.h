// The renderers of a drag source's data into OLE storage media: text,
// the file list, byte arrays and objects marshalled into a stream.
#pragma once

#include <windows.h>
#include <ole2.h>

class HvDataObjectFiles;

// The checks every renderer makes first: all arguments given, the request's
// clipboard format the required one (0: any; where CF_TEXT is required,
// "Rich Text Format" passes too), the request's media including the
// required medium, and the stored value of the required type. E_INVALIDARG
// or E_UNEXPECTED otherwise.
HRESULT CheckRenderRequest(const VARIANT* stored, const FORMATETC* request, const STGMEDIUM* medium,
                           CLIPFORMAT requiredFormat, DWORD requiredMedium, VARTYPE requiredType);

// Writes text as ANSI (system code page) with its terminating zero into the
// block, cut where it does not fit; the block's last byte is always 0.
// STG_E_MEDIUMFULL for a block under 2 bytes, E_INVALIDARG when it cannot
// be locked.
HRESULT WriteTextToGlobal(BSTR text, HGLOBAL block);

// CF_TEXT / "Rich Text Format" from a String.
HRESULT RenderTextMedium(const VARIANT& stored, const FORMATETC& request, STGMEDIUM* medium);
// CF_HDROP: a DROPFILES header, then every name as ANSI text with its zero,
// then one more zero.
HRESULT RenderFilesMedium(HvDataObjectFiles& files, STGMEDIUM* medium);
// Any other format from a Byte array (one zero byte for an empty array).
HRESULT RenderBytesMedium(const VARIANT& stored, const FORMATETC& request, STGMEDIUM* medium);
// An object's IDispatch marshalled into a stream on global memory; a failed
// marshalling is returned. The medium's release object releases the marshal
// data when the receiver lets the medium go unread.
HRESULT RenderObjectStream(const VARIANT& stored, const FORMATETC& request, STGMEDIUM* medium);
