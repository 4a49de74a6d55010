// CDualString: the library's string: narrow (ANSI code page) text with a
// cached BSTR copy that is rebuilt only after the text has changed.
#pragma once

#include <windows.h>
#include <oleauto.h>

class CDualString {
public:
    CDualString() = default;
    CDualString(const CDualString& other);
    explicit CDualString(const char* text);
    explicit CDualString(const wchar_t* text);
    ~CDualString();
    CDualString& operator=(const CDualString& other);

    static CDualString FromAnsi(const char* text) { return CDualString(text); }
    static CDualString FromWide(const wchar_t* text) { return CDualString(text); }

    void InitEmpty() { Empty(); }
    void Assign(const CDualString& other);
    void AssignAnsi(const char* text);
    void AssignWide(const wchar_t* text);
    void AppendAnsi(const char* text);
    void Append(const CDualString& other);
    void Empty();

    // A new BSTR the caller owns (null for the empty string).
    BSTR AllocSysString();
    void RefreshBstr();

    // -1, 0 or 1 in the system locale; a null text sorts first.
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    // Positions and counts are in bytes.
    CDualString Mid(int start, int count) const;
    CDualString Left(int count) const;
    CDualString Right(int count) const;
    int Find(const char* text) const;
    int FindChar(unsigned int character) const;

    // printf-style; the text prints whole however long it is. The string is
    // left unchanged when the text cannot be made.
    void Format(const char* format, ...);

    const char* Text() const { return text_; }
    const char* c_str() const { return text_ ? text_ : ""; }
    int Length() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }
    bool IsStale() const { return stale_; }

private:
    void SetBytes(const char* bytes, int count);

    char* text_ = nullptr;
    int length_ = 0;
    BSTR cached_ = nullptr;
    bool stale_ = true;
};

// Replaces the first "|1" ... "|9" of message by inserts[0] ... (a
// null-terminated array; at most nine are used).
void SubstituteInserts(CDualString& message, const char* const* inserts);
// The text of value in radix (2 to 36); negative decimal values get a sign.
void IntToString(long value, CDualString& string, int radix);
// wcscmp with null sorting first; -1, 0 or 1.
int CompareWideStrings(const wchar_t* a, const wchar_t* b);
