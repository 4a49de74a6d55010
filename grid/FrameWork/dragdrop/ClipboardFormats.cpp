// Registered formats and the table of intrinsic formats.
#include "ClipboardFormats.h"

#include "CriticalSectionLock.h"
#include "Module.h"

namespace {

CLIPFORMAT g_richText = 0;
CLIPFORMAT g_link = 0;

const IntrinsicFormat kIntrinsicFormats[] = {
    {1, CF_TEXT, TYMED_HGLOBAL, VT_BSTR},
    {2, CF_BITMAP, TYMED_GDI, VT_DISPATCH},
    {9, CF_PALETTE, TYMED_GDI, VT_DISPATCH},
    {3, CF_METAFILEPICT, TYMED_MFPICT, VT_DISPATCH},
    {8, CF_DIB, TYMED_HGLOBAL, VT_DISPATCH},
    {15, CF_HDROP, TYMED_HGLOBAL, VT_EMPTY},
    {14, CF_ENHMETAFILE, TYMED_ENHMF, VT_DISPATCH},
};

const IntrinsicFormat* RichTextEntry()
{
    static IntrinsicFormat entry = {static_cast<SHORT>(kScriptFormatRichText), 0, TYMED_HGLOBAL, VT_BSTR};
    entry.format = RichTextFormat();
    return &entry;
}

} // namespace

void RegisterDragDropFormats()
{
    CriticalSectionLock guard(GlobalCriticalSection());
    if (!g_richText)
        g_richText = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Rich Text Format"));
    if (!g_link)
        g_link = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Link"));
}

CLIPFORMAT RichTextFormat()
{
    RegisterDragDropFormats();
    return g_richText;
}

CLIPFORMAT LinkFormat()
{
    RegisterDragDropFormats();
    return g_link;
}

const IntrinsicFormat* FindIntrinsicFormat(CLIPFORMAT format)
{
    if (format == 0)
        return nullptr;
    for (const IntrinsicFormat& entry : kIntrinsicFormats) {
        if (entry.format == format)
            return &entry;
    }
    return format == RichTextFormat() ? RichTextEntry() : nullptr;
}

bool IsPictureFormat(CLIPFORMAT format)
{
    return format == CF_BITMAP || format == CF_METAFILEPICT || format == CF_DIB || format == CF_PALETTE ||
           format == CF_ENHMETAFILE;
}

bool IsTextFormat(CLIPFORMAT format)
{
    return format == CF_TEXT || (format != 0 && format == RichTextFormat());
}

CLIPFORMAT ScriptToClipboardFormat(SHORT scriptValue)
{
    const WORD value = static_cast<WORD>(scriptValue);
    if (value == kScriptFormatRichText)
        return RichTextFormat();
    if (value == kScriptFormatLink)
        return LinkFormat();
    return value;
}

SHORT ClipboardToScriptFormat(CLIPFORMAT format)
{
    if (format != 0 && format == RichTextFormat())
        return static_cast<SHORT>(kScriptFormatRichText);
    if (format != 0 && format == LinkFormat())
        return static_cast<SHORT>(kScriptFormatLink);
    return static_cast<SHORT>(format);
}

bool IsUnnamedRegisteredFormat(CLIPFORMAT format)
{
    if (format < 0xC000)
        return false;
    char name[256];
    return GetClipboardFormatNameA(format, name, sizeof name) == 0;
}

bool BuildFormatEtc(CLIPFORMAT format, FORMATETC* out)
{
    if (!out || format == 0 || IsUnnamedRegisteredFormat(format))
        return false;
    const IntrinsicFormat* entry = FindIntrinsicFormat(format);
    *out = {format, nullptr, DVASPECT_CONTENT, -1, entry ? entry->medium : static_cast<DWORD>(TYMED_HGLOBAL)};
    return true;
}
