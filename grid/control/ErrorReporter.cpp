// The grid's error reports: each builds an error object, raises Error with
// it, and shows a box or beeps unless the handler said otherwise.
#include "ErrorReporter.h"

#include "DataErrorInfo.h"
#include "DualString.h"
#include "HvError.h"
#include "HvMaskError.h"

#include <string>

namespace {

// Releases the report's reference on the error object; a handler that kept
// the object keeps it alive.
struct ErrorHold {
    explicit ErrorHold(HvError* e) : error(e) {}
    ~ErrorHold()
    {
        if (error)
            error->Release();
    }
    ErrorHold(const ErrorHold&) = delete;
    ErrorHold& operator=(const ErrorHold&) = delete;
    HvError* error;
};

// The system's text for an error code, without its line break; empty when
// the system has none. Inserts are not expanded: there are no arguments.
std::wstring SystemMessage(HRESULT code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer),
        0, nullptr);
    std::wstring text;
    if (length && buffer)
        text.assign(buffer, length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

} // namespace

ErrorReporter::ErrorReporter(ErrorReporterHost& host, ErrorAlerts* alerts)
    : m_host(host), m_alerts(alerts ? *alerts : SystemErrorAlerts::Instance())
{
}

void ErrorReporter::FillMissingMessage(DataErrorInfo& record)
{
    CDualString message;
    record.GetMessage(message);
    if (!message.IsEmpty())
        return;
    std::wstring text = SystemMessage(record.Code());
    if (text.empty())
        text = m_host.DialogString(ErrorReportText::DataErrorFallback);
    record.SetMessage(CDualString(text.c_str()));
}

void ErrorReporter::ShowBox(const CDualString& text, const wchar_t* caption)
{
    CDualString copy(text);
    BSTR wide = copy.AllocSysString();
    m_host.SetModalState(true);
    m_alerts.ShowMessage(m_host.GetGridWindow(), wide ? wide : L"", caption ? caption : L"",
                         ErrorReportText::BoxStyle);
    m_host.SetModalState(false);
    SysFreeString(wide);
}

void ErrorReporter::RaiseAndShow(HvError* error, const wchar_t* caption)
{
    m_host.FireError(error);
    if (!error->DisplayErrorDialog())
        return;
    CDualString text;
    error->GetDescriptionText(text);
    ShowBox(text, caption);
}

HRESULT ErrorReporter::ReportDataError(DataErrorInfo& record)
{
    if (!m_host.HasEventGateAndLayout())
        return E_FAIL;
    FillMissingMessage(record);
    if (!m_host.LayoutCanFireEvents())
        return S_OK;
    ErrorHold hold(HvError::ConstructFromRecord(hvErrorTypeData, record));
    if (!hold.error)
        return S_OK;
    RaiseAndShow(hold.error, m_host.DialogString(ErrorReportText::ErrorCaption).c_str());
    return S_OK;
}

HRESULT ErrorReporter::ReportBindingError(HRESULT code)
{
    DataErrorInfo record(code, nullptr, nullptr);
    record.SetMessage(CDualString(m_host.DialogString(ErrorReportText::BindingFailed).c_str()));
    return ReportDataError(record);
}

HRESULT ErrorReporter::ReportMaskError(const CDualString& invalidText, short startPosition)
{
    if (!m_host.HasEventGateAndLayout())
        return E_FAIL;
    if (!m_host.LayoutCanFireEvents())
        return S_OK;
    ErrorHold hold(HvError::ConstructWithMaskError(hvErrorTypeMask, ErrorReportText::MaskErrorCode,
                                                   CDualString("Masking Error"), invalidText, startPosition));
    if (!hold.error)
        return S_OK;
    m_host.FireError(hold.error);
    // A mask error never shows a box, whatever DisplayErrorDialog holds.
    HvMaskError* mask = hold.error->GetMaskErrorObject();
    if (mask && !mask->CancelBeep())
        m_alerts.Beep();
    return S_OK;
}

HRESULT ErrorReporter::ReportGenericError(LONG code, const CDualString& description, const wchar_t* caption)
{
    if (!m_host.HasEventGateAndLayout() || description.IsEmpty())
        return E_FAIL;
    if (!m_host.LayoutCanFireEvents())
        return S_OK;
    ErrorHold hold(HvError::Create(hvErrorTypeGeneric, code, description));
    if (!hold.error)
        return S_OK;
    RaiseAndShow(hold.error, caption);
    return S_OK;
}

HRESULT ErrorReporter::ReportTooManyItems()
{
    const std::wstring message = m_host.DialogString(ErrorReportText::TooManyItemsMessage);
    const std::wstring caption = m_host.DialogString(ErrorReportText::TooManyItemsCaption);
    return ReportGenericError(ErrorReportText::TooManyItemsCode, CDualString(message.c_str()), caption.c_str());
}
