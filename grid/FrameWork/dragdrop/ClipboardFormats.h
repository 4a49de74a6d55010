// The clipboard formats of the data objects: the two registered formats,
// the table of intrinsic formats (script value, clipboard format, medium,
// script type) and the FORMATETC every format is offered with.
#pragma once

#include <windows.h>
#include <ole2.h>

// Script values that stand for the registered formats.
constexpr WORD kScriptFormatLink = 0xBF00;
constexpr WORD kScriptFormatRichText = 0xBF01;

// "Rich Text Format" and "Link", registered once per process (under the
// global critical section) on the first call of any of these.
void RegisterDragDropFormats();
CLIPFORMAT RichTextFormat();
CLIPFORMAT LinkFormat();

struct IntrinsicFormat {
    SHORT scriptValue;
    CLIPFORMAT format;
    DWORD medium;
    VARTYPE scriptType;   // VT_BSTR text, VT_DISPATCH a picture, VT_EMPTY the file list
};

// The table's entry for a clipboard format, or null for any other format.
const IntrinsicFormat* FindIntrinsicFormat(CLIPFORMAT format);
bool IsPictureFormat(CLIPFORMAT format);
// CF_TEXT or the "Rich Text Format" format.
bool IsTextFormat(CLIPFORMAT format);

// A script value to a clipboard format (0xBF00 and 0xBF01 become the
// registered formats) and back.
CLIPFORMAT ScriptToClipboardFormat(SHORT scriptValue);
SHORT ClipboardToScriptFormat(CLIPFORMAT format);

// A registered format (0xC000 and above) that the system has no name for.
bool IsUnnamedRegisteredFormat(CLIPFORMAT format);

// The FORMATETC of a format: no target device, DVASPECT_CONTENT, index -1,
// the table's medium or TYMED_HGLOBAL. False for a format that cannot be
// described (0, or a registered format without a name).
bool BuildFormatEtc(CLIPFORMAT format, FORMATETC* out);
