// Days of date fields: through the calendar of automation dates, each date
// checked by a round trip so that 31 April or month 13 are refused rather
// than moved to another day.
#include "DateValue.h"

#include <oleauto.h>

#include <cstdio>

namespace hv::recordset {

namespace {

bool FromParts(int year, int month, int day, DATE& out)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    UDATE parts{};
    parts.st.wYear = static_cast<WORD>(year);
    parts.st.wMonth = static_cast<WORD>(month);
    parts.st.wDay = static_cast<WORD>(day);
    DATE made = 0;
    if (FAILED(VarDateFromUdate(&parts, 0, &made)))
        return false;
    UDATE back{};
    if (FAILED(VarUdateFromDate(made, 0, &back)) || back.st.wYear != year || back.st.wMonth != month ||
        back.st.wDay != day)
        return false;
    out = made;
    return true;
}

bool Parts(DATE value, UDATE& parts)
{
    return SUCCEEDED(VarUdateFromDate(value, 0, &parts));
}

} // namespace

bool DateValue::DayOf(DATE value, DATE& day)
{
    UDATE parts{};
    return Parts(value, parts) && FromParts(parts.st.wYear, parts.st.wMonth, parts.st.wDay, day);
}

bool DateValue::FromDbDate(const DBDATE& in, DATE& day)
{
    return FromParts(in.year, in.month, in.day, day);
}

bool DateValue::ToDbDate(DATE day, DBDATE& out)
{
    UDATE parts{};
    if (!Parts(day, parts))
        return false;
    out.year = static_cast<SHORT>(parts.st.wYear);
    out.month = parts.st.wMonth;
    out.day = parts.st.wDay;
    return true;
}

bool DateValue::FromTimestamp(const DBTIMESTAMP& in, DATE& day)
{
    return FromParts(in.year, in.month, in.day, day);
}

bool DateValue::ToTimestamp(DATE day, DBTIMESTAMP& out)
{
    DBDATE date{};
    if (!ToDbDate(day, date))
        return false;
    out = DBTIMESTAMP{};
    out.year = date.year;
    out.month = date.month;
    out.day = date.day;
    return true;
}

bool DateValue::Parse(std::wstring_view text, DATE& day)
{
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.size() != 10 || text[4] != L'-' || text[7] != L'-')
        return false;
    int values[3] = {};
    const size_t starts[3] = {0, 5, 8};
    const size_t lengths[3] = {4, 2, 2};
    for (int part = 0; part < 3; ++part)
        for (size_t i = starts[part]; i < starts[part] + lengths[part]; ++i) {
            if (text[i] < L'0' || text[i] > L'9')
                return false;
            values[part] = values[part] * 10 + (text[i] - L'0');
        }
    return FromParts(values[0], values[1], values[2], day);
}

std::wstring DateValue::Format(DATE day)
{
    DBDATE date{};
    if (!ToDbDate(day, date))
        return L"";
    wchar_t text[16];
    std::swprintf(text, 16, L"%04d-%02u-%02u", date.year, date.month, date.day);
    return text;
}

} // namespace hv::recordset
