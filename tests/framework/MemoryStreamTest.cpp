// The memory stream that gathers a save: the stream members a writer and a
// reader use, and a save handed on whole or not at all.
#include <doctest/doctest.h>

#include "MemoryStream.h"

#include <string>

namespace {

std::string Contents(IStream* stream)
{
    STATSTG stat{};
    REQUIRE(stream->Stat(&stat, STATFLAG_NONAME) == S_OK);
    LARGE_INTEGER start{};
    REQUIRE(stream->Seek(start, STREAM_SEEK_SET, nullptr) == S_OK);
    std::string text(stat.cbSize.LowPart, '\0');
    ULONG read = 0;
    REQUIRE(stream->Read(text.data(), static_cast<ULONG>(text.size()), &read) == S_OK);
    text.resize(read);
    return text;
}

} // namespace

TEST_CASE("a memory stream writes, seeks, reads back, tells its size and grows over large saves")
{
    MemoryStream* stream = MemoryStream::Create();
    REQUIRE(stream);
    ULONG written = 0;
    CHECK(stream->Write("abcdef", 6, &written) == S_OK);
    CHECK(written == 6);
    LARGE_INTEGER back{};
    back.QuadPart = -2;
    ULARGE_INTEGER at{};
    CHECK(stream->Seek(back, STREAM_SEEK_END, &at) == S_OK);
    CHECK(at.QuadPart == 4);
    CHECK(stream->Write("XYZ", 3, nullptr) == S_OK);
    CHECK(Contents(stream) == "abcdXYZ");
    // Reading past the end gives what there is.
    char rest[8] = {};
    ULONG read = 9;
    CHECK(stream->Read(rest, sizeof rest, &read) == S_OK);
    CHECK(read == 0);
    back.QuadPart = -1;
    CHECK(stream->Seek(back, STREAM_SEEK_SET, nullptr) == STG_E_INVALIDFUNCTION);

    // A million small writes.
    ULARGE_INTEGER empty{};
    CHECK(stream->SetSize(empty) == S_OK);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    const DWORD word = 0x01020304;
    for (int i = 0; i < 1000000; ++i)
        REQUIRE(stream->Write(&word, sizeof word, nullptr) == S_OK);
    STATSTG stat{};
    CHECK(stream->Stat(&stat, STATFLAG_NONAME) == S_OK);
    CHECK(stat.cbSize.QuadPart == 4000000);
    stream->Release();
}

TEST_CASE("a save gathered in memory reaches its stream in one piece, or nothing does")
{
    IStream* target = nullptr;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, &target) == S_OK);
    REQUIRE(target->Write("head:", 5, nullptr) == S_OK);
    CHECK(MemoryStream::SaveThrough(target, [](IStream* buffer) {
              HRESULT hr = S_OK;
              for (char c : std::string("items")) {
                  if (SUCCEEDED(hr))
                      hr = buffer->Write(&c, 1, nullptr);
              }
              return hr;
          }) == S_OK);
    CHECK(Contents(target) == "head:items");

    LARGE_INTEGER end{};
    target->Seek(end, STREAM_SEEK_END, nullptr);
    CHECK(MemoryStream::SaveThrough(target, [](IStream* buffer) {
              buffer->Write("half", 4, nullptr);
              return E_FAIL;
          }) == E_FAIL);
    CHECK(Contents(target) == "head:items");
    CHECK(MemoryStream::SaveThrough(nullptr, [](IStream*) { return S_OK; }) == E_INVALIDARG);
    target->Release();
}
