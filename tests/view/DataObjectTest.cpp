// The control's data object: a metafile picture of the control, a stream
// set in the control's private clipboard format, and the formats it does
// not offer.
#include "ViewTestSupport.h"

#include "Units.h"

#include <string>

namespace {

// A stream whose references the test can count.
class CountedStream {
public:
    CountedStream(const BYTE* bytes, ULONG count)
    {
        REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, &stream) == S_OK);
        ULONG written = 0;
        stream->Write(bytes, count, &written);
        LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
    }
    ~CountedStream()
    {
        if (stream)
            stream->Release();
    }
    ULONG References() const
    {
        stream->AddRef();
        return stream->Release();
    }
    IStream* stream = nullptr;
};

FORMATETC Format(CLIPFORMAT format, DWORD tymed)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

} // namespace

TEST_CASE("GetData gives a metafile picture of the control, whatever clipboard format is named")
{
    for (CLIPFORMAT asked : {CLIPFORMAT(CF_METAFILEPICT), CLIPFORMAT(CF_TEXT)}) {
        CAPTURE(asked);
        ViewHost hosted;
        auto data = hosted.Query<IDataObject>();
        REQUIRE(data);
        FORMATETC format = Format(asked, TYMED_MFPICT | TYMED_HGLOBAL);
        STGMEDIUM medium{};
        REQUIRE(data->GetData(&format, &medium) == S_OK);
        REQUIRE(medium.tymed == static_cast<DWORD>(TYMED_MFPICT));
        CHECK(medium.pUnkForRelease == nullptr);

        const SIZE extent = hosted.control->ExtentPixels();   // 100 x 50 for a new control
        SIZE himetric{};
        PixelsToHimetric(extent, himetric);
        auto* picture = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
        REQUIRE(picture);
        CHECK(picture->mm == MM_ANISOTROPIC);
        CHECK(picture->xExt == himetric.cx);
        CHECK(picture->yExt == himetric.cy);
        REQUIRE(picture->hMF);

        // Played at twice its size, the picture fills the target with the
        // control's colour.
        Canvas canvas(2 * extent.cx + 20, 2 * extent.cy + 20);
        SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
        SetViewportExtEx(canvas.Dc(), 2 * extent.cx, 2 * extent.cy, nullptr);
        CHECK(PlayMetaFile(canvas.Dc(), picture->hMF));
        GlobalUnlock(medium.hMetaFilePict);
        const COLORREF colour = hosted.control->PaintColour();
        CHECK(canvas.At(2, 2) == colour);
        CHECK(canvas.At(extent.cx, extent.cy) == colour);
        CHECK(canvas.At(2 * extent.cx - 2, 2 * extent.cy - 2) == colour);
        CHECK(canvas.At(2 * extent.cx + 10, 2 * extent.cy + 10) == kWhite);

        // The control drew for the display, through a context made for that
        // drawing and deleted after it.
        const TestControl::DrawCall& call = hosted.control->LastDraw();
        CHECK(call.count == 1);
        CHECK(call.bounds.right == extent.cx);
        CHECK(call.bounds.bottom == extent.cy);
        CHECK(call.windowBounds);
        CHECK(call.targetTechnology == DT_RASDISPLAY);
        CHECK(GetObjectType(call.target) == 0);
        ReleaseStgMedium(&medium);
    }
}

TEST_CASE("GetData refuses other media; the data object offers no format list and no copies in place")
{
    ViewHost hosted;
    auto data = hosted.Query<IDataObject>();
    FORMATETC format = Format(CF_METAFILEPICT, TYMED_HGLOBAL | TYMED_ENHMF);
    STGMEDIUM medium{};
    CHECK(data->GetData(&format, &medium) == DV_E_FORMATETC);
    CHECK(medium.tymed == static_cast<DWORD>(TYMED_NULL));
    CHECK(data->GetData(&format, nullptr) == E_POINTER);
    CHECK(hosted.control->LastDraw().count == 0);

    format = Format(CF_METAFILEPICT, TYMED_MFPICT);
    CHECK(data->QueryGetData(&format) == E_NOTIMPL);
    CHECK(data->GetDataHere(&format, &medium) == E_NOTIMPL);
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(1);
    CHECK(data->EnumFormatEtc(DATADIR_GET, &formats) == E_NOTIMPL);
    CHECK(formats == nullptr);
}

TEST_CASE("SetData takes a stream in the private clipboard format, and frees every medium it is given")
{
    const CLIPFORMAT own = ControlPrivateClipboardFormat();
    char name[64] = "";
    REQUIRE(GetClipboardFormatNameA(own, name, sizeof name) == 38);
    CHECK(name[0] == '{');
    CHECK(name[37] == '}');
    CHECK(ControlPrivateClipboardFormat() == own);

    const BYTE bytes[8] = {9, 8, 7, 6, 5, 4, 3, 2};
    struct Case {
        const char* name;
        CLIPFORMAT format;
        DWORD tymed;
        HRESULT expected;
    };
    const Case cases[] = {
        {"its own format in a stream", own, TYMED_ISTREAM, S_OK},
        {"another format", CF_TEXT, TYMED_ISTREAM, DV_E_FORMATETC},
        {"another medium", own, TYMED_HGLOBAL, DV_E_TYMED},
    };
    for (const Case& c : cases) {
        for (BOOL release : {FALSE, TRUE}) {
            CAPTURE(c.name);
            CAPTURE(release);
            ViewHost hosted;
            auto data = hosted.Query<IDataObject>();
            CountedStream stream(bytes, sizeof bytes);
            FORMATETC format = Format(c.format, c.tymed);
            STGMEDIUM medium{};
            medium.tymed = c.tymed;
            if (c.tymed == TYMED_ISTREAM) {
                medium.pstm = stream.stream;
                stream.stream->AddRef();   // the medium's reference
            } else {
                medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 8);
            }
            CHECK(data->SetData(&format, &medium, release) == c.expected);
            CHECK((hosted.control->State()[0] == 9) == (c.expected == S_OK));
            if (!release)
                ReleaseStgMedium(&medium);
            CHECK(stream.References() == 1u);   // the medium's reference is gone either way
        }
    }
}
