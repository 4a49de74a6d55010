// CDualString and the message-insert helpers.
#include "DualString.h"

#include <mbstring.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int CompareAnsi(const char* mine, const char* theirs, DWORD flags)
{
    if (!mine || !theirs)
        return mine ? 1 : (theirs ? -1 : 0);
    int result = CompareStringA(LOCALE_SYSTEM_DEFAULT, flags, mine, -1, theirs, -1);
    return result == 0 ? -1 : result - 2;
}

} // namespace

CDualString::CDualString(const CDualString& other)
{
    SetBytes(other.text_, other.length_);
}

CDualString::CDualString(const char* text)
{
    AssignAnsi(text);
}

CDualString::CDualString(const wchar_t* text)
{
    AssignWide(text);
    RefreshBstr();
    stale_ = false;
}

CDualString::~CDualString()
{
    Empty();
}

CDualString& CDualString::operator=(const CDualString& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

void CDualString::SetBytes(const char* bytes, int count)
{
    Empty();
    if (!bytes || count <= 0)
        return;
    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(count) + 1));
    if (!block)
        return;
    std::memcpy(block, bytes, static_cast<size_t>(count));
    block[count] = '\0';
    text_ = block;
    length_ = count;
}

void CDualString::Assign(const CDualString& other)
{
    if (this == &other)
        return;
    SetBytes(other.text_, other.length_);
}

void CDualString::AssignAnsi(const char* text)
{
    SetBytes(text, text ? static_cast<int>(std::strlen(text)) : 0);
}

void CDualString::AssignWide(const wchar_t* text)
{
    Empty();
    if (!text || !*text)
        return;
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return;
    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(bytes)));
    if (!block)
        return;
    WideCharToMultiByte(CP_ACP, 0, text, -1, block, bytes, nullptr, nullptr);
    text_ = block;
    length_ = bytes - 1;
}

void CDualString::AppendAnsi(const char* text)
{
    if (!text || !*text)
        return;
    if (!text_) {
        AssignAnsi(text);
        return;
    }
    size_t extra = std::strlen(text);
    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(length_) + extra + 1));
    if (!block) {
        Empty();
        return;
    }
    std::memcpy(block, text_, static_cast<size_t>(length_));
    std::memcpy(block + length_, text, extra + 1);
    int newLength = length_ + static_cast<int>(extra);
    Empty();
    text_ = block;
    length_ = newLength;
}

void CDualString::Append(const CDualString& other)
{
    if (other.length_ == 0)
        return;
    if (this == &other) {
        CDualString copy(other);
        AppendAnsi(copy.text_);
        return;
    }
    AppendAnsi(other.text_);
}

void CDualString::Empty()
{
    std::free(text_);
    text_ = nullptr;
    length_ = 0;
    SysFreeString(cached_);
    cached_ = nullptr;
    stale_ = true;
}

void CDualString::RefreshBstr()
{
    SysFreeString(cached_);
    cached_ = nullptr;
    if (!text_)
        return;
    int chars = MultiByteToWideChar(CP_ACP, 0, text_, length_, nullptr, 0);
    if (chars <= 0)
        return;
    cached_ = SysAllocStringLen(nullptr, static_cast<UINT>(chars));
    if (cached_)
        MultiByteToWideChar(CP_ACP, 0, text_, length_, cached_, chars);
}

BSTR CDualString::AllocSysString()
{
    if (stale_) {
        RefreshBstr();
        stale_ = false;
    }
    return cached_ ? SysAllocStringLen(cached_, SysStringLen(cached_)) : nullptr;
}

int CDualString::Compare(const char* text) const
{
    return CompareAnsi(text_, text, 0);
}

int CDualString::CompareNoCase(const char* text) const
{
    return CompareAnsi(text_, text, NORM_IGNORECASE);
}

CDualString CDualString::Mid(int start, int count) const
{
    CDualString result;
    if (start < 0 || start > length_ || count <= 0)
        return result;
    int available = length_ - start;
    result.SetBytes(text_ + start, count < available ? count : available);
    return result;
}

CDualString CDualString::Left(int count) const
{
    CDualString result;
    result.SetBytes(text_, count < length_ ? count : length_);
    return result;
}

CDualString CDualString::Right(int count) const
{
    CDualString result;
    if (count <= 0)
        return result;
    int take = count < length_ ? count : length_;
    result.SetBytes(text_ + (length_ - take), take);
    return result;
}

int CDualString::Find(const char* text) const
{
    if (!text_ || !text)
        return -1;
    const unsigned char* found = _mbsstr(reinterpret_cast<const unsigned char*>(text_),
                                         reinterpret_cast<const unsigned char*>(text));
    return found ? static_cast<int>(reinterpret_cast<const char*>(found) - text_) : -1;
}

int CDualString::FindChar(unsigned int character) const
{
    if (!text_)
        return -1;
    const unsigned char* found = _mbschr(reinterpret_cast<const unsigned char*>(text_), character);
    return found ? static_cast<int>(reinterpret_cast<const char*>(found) - text_) : -1;
}

void CDualString::Format(const char* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        va_end(args);
        return;
    }
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(needed) + 1));
    if (!buffer) {
        va_end(args);
        return;
    }
    std::vsnprintf(buffer, static_cast<size_t>(needed) + 1, format, args);
    va_end(args);
    SetBytes(buffer, needed);
    std::free(buffer);
}

void SubstituteInserts(CDualString& message, const char* const* inserts)
{
    if (message.IsEmpty() || !inserts)
        return;
    for (int i = 1; i <= 9 && inserts[i - 1]; ++i) {
        char placeholder[3] = {'|', static_cast<char>('0' + i), '\0'};
        int position = message.Find(placeholder);
        if (position < 0)
            continue;
        CDualString result = message.Left(position);
        result.AppendAnsi(inserts[i - 1]);
        result.Append(message.Mid(position + 2, message.Length()));
        message.Assign(result);
    }
}

void IntToString(long value, CDualString& string, int radix)
{
    char buffer[40];
    if (radix < 2 || radix > 36) {
        string.Empty();
        return;
    }
    _ltoa(value, buffer, radix);
    string.AssignAnsi(buffer);
}

int CompareWideStrings(const wchar_t* a, const wchar_t* b)
{
    if (!a || !b)
        return a ? 1 : (b ? -1 : 0);
    return Sign(std::wcscmp(a, b));
}
