// DateValue: the days of a date field. A day is kept as an automation date
// (whole days from 30 December 1899, no time of day) and crosses a rowset as
// the provider's DBDATE structure or as the text "yyyy-mm-dd".
#pragma once

#include <windows.h>
#include <oledb.h>

#include <string>
#include <string_view>

namespace hv::recordset {

class DateValue {
public:
    // The day of an automation date (its time of day dropped); false for a
    // value outside the dates automation knows.
    static bool DayOf(DATE value, DATE& day);
    static bool FromDbDate(const DBDATE& in, DATE& day);
    static bool ToDbDate(DATE day, DBDATE& out);
    // The day of a DBTIMESTAMP; its time of day is dropped.
    static bool FromTimestamp(const DBTIMESTAMP& in, DATE& day);
    static bool ToTimestamp(DATE day, DBTIMESTAMP& out);
    // "yyyy-mm-dd" (surrounding blanks allowed); false for anything else.
    static bool Parse(std::wstring_view text, DATE& day);
    static std::wstring Format(DATE day);
};

} // namespace hv::recordset
