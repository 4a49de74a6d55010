// ErrorReporter: reports the errors met while the user works with the grid
// (refused data changes, a data source that cannot be bound, input-mask
// rejections, too many selected items) to the container through the Error
// event, then shows a box or beeps as the handler left the error object.
// The control holds one.
#pragma once

#include "ErrorAlerts.h"
#include "ErrorReporterHost.h"

class CDualString;
class DataErrorInfo;
class HvError;

namespace ErrorReportText {
constexpr int TooManyItemsCaption = 6004;
constexpr int TooManyItemsMessage = 6005;
constexpr int ErrorCaption = 6007;
constexpr int BindingFailed = 6008;
constexpr int DataErrorFallback = 6010;
constexpr LONG TooManyItemsCode = 16389;
constexpr LONG MaskErrorCode = 1001;
constexpr UINT BoxStyle = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL;
} // namespace ErrorReportText

class ErrorReporter
{
public:
    // host is not owned; alerts null: the system's.
    explicit ErrorReporter(ErrorReporterHost& host, ErrorAlerts* alerts = nullptr);

    // Each answers E_FAIL when the control has no gate or no layout, S_OK
    // otherwise, also when nothing could be reported now.
    // A record without message gets the system's text of its code first.
    HRESULT ReportDataError(DataErrorInfo& record);
    HRESULT ReportBindingError(HRESULT code);
    HRESULT ReportMaskError(const CDualString& invalidText, short startPosition);
    // An empty description is E_FAIL.
    HRESULT ReportGenericError(LONG code, const CDualString& description, const wchar_t* caption);

    // The selection beyond MaxSelectedCells or MaxSelectedRows.
    HRESULT ReportTooManyItems();

private:
    void FillMissingMessage(DataErrorInfo& record);
    void ShowBox(const CDualString& text, const wchar_t* caption);
    // Error, then the box unless the handler turned it off.
    void RaiseAndShow(HvError* error, const wchar_t* caption);

    ErrorReporterHost& m_host;
    ErrorAlerts& m_alerts;
};
