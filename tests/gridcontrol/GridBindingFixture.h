// Fixture of the data-binding tests of the registered grid: the analysis
// recordset (our in-memory recordset), the grid made from Tavelle.ocx by
// class identifier and hosted in our container with a sink that records
// every event, and a recorder of the message boxes the grid shows.
#pragma once

#include "ContainerWindow.h"
#include "ControlHost.h"
#include "FrameworkTestSupport.h"
#include "Recordset.h"

#include <doctest/doctest.h>
#include <oledb.h>
#include <Tavelle.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// Texts of the records are plain ASCII: a failed check shows them.
namespace doctest {
template <>
struct StringMaker<std::wstring> {
    static String convert(const std::wstring& text)
    {
        std::string narrow;
        for (wchar_t c : text)
            narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return String(narrow.c_str());
    }
};
} // namespace doctest

namespace bindtest {

using hv::recordset::FieldType;
using hv::recordset::Recordset;

inline const wchar_t* const kFields[] = {L"AMOSTRA", L"ME",   L"TEMP_ENS", L"TEMP_EST",
                                          L"ME20",    L"GRAU", L"GRAU20",   L"FATOR"};

// A VARIANT that clears itself.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    explicit Var(double d) : Var() { v.vt = VT_R8; v.dblVal = d; }
    explicit Var(long l) : Var() { v.vt = VT_I4; v.lVal = l; }
    explicit Var(const wchar_t* text) : Var() { v.vt = VT_BSTR; v.bstrVal = SysAllocString(text); }
    explicit Var(IDispatch* object) : Var()
    {
        v.vt = VT_DISPATCH;
        v.pdispVal = object;
        if (object)
            object->AddRef();
    }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    static Var Missing()
    {
        Var m;
        m.v.vt = VT_ERROR;
        m.v.scode = DISP_E_PARAMNOTFOUND;
        return m;
    }
    Var(Var&& other) noexcept : v(other.v) { VariantInit(&other.v); }
};

inline void AddAnalysis(Recordset& rs, const wchar_t* sample, double me)
{
    REQUIRE(rs.AddNew() == S_OK);
    Var text(sample);
    REQUIRE(rs.SetValue(L"AMOSTRA", text.v) == S_OK);
    REQUIRE(rs.SetValue(L"ME", Var(me).v) == S_OK);
    REQUIRE(rs.Update() == S_OK);
}

// The eight analysis fields, opened, with records A1, A2 ... (ME 812.5,
// 813.5, ...).
inline void MakeAnalyses(Recordset& rs, int records)
{
    REQUIRE(rs.AppendField(kFields[0], FieldType::WideString, 20, hv::recordset::kFieldNullable) == S_OK);
    for (int i = 1; i < 8; ++i)
        REQUIRE(rs.AppendField(kFields[i], FieldType::Double, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(rs.Open() == S_OK);
    for (int i = 0; i < records; ++i)
        AddAnalysis(rs, (L"A" + std::to_wstring(i + 1)).c_str(), 812.5 + i);
}

inline ComPtr<IUnknown> DataSourceOf(Recordset& rs)
{
    ComPtr<IUnknown> source;
    REQUIRE(rs.GetDataSource(source.GetAddressOf()) == S_OK);
    return source;
}

// Records every message box shown on this thread and answers it: a hook
// on the thread sees the box's dialog window activate.
class BoxRecorder {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;
    };
    explicit BoxRecorder(int answer = IDOK)
    {
        current_ = this;
        answer_ = answer;
        hook_ = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxRecorder()
    {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    const std::vector<Box>& Boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && current_) {
            HWND box = reinterpret_cast<HWND>(wParam);
            wchar_t className[32] = L"";
            GetClassNameW(box, className, 32);
            if (std::wstring(className) == L"#32770") {
                wchar_t caption[256] = L"";
                wchar_t text[1024] = L"";
                GetWindowTextW(box, caption, 256);
                GetDlgItemTextW(box, 0xFFFF, text, 1024);
                current_->boxes_.push_back({caption, text});
                PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(current_->answer_), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline BoxRecorder* current_ = nullptr;
    HHOOK hook_ = nullptr;
    int answer_ = IDOK;
    std::vector<Box> boxes_;
};

// The grid from the registered library, hosted and active.
struct BoundGrid {
    BoundGrid() : window(400, 300), host(window.Hwnd(), RECT{10, 10, 390, 290})
    {
        REQUIRE(RunRegsvr32On(WindowsPathOf(HV_TAVELLE_OCX), L"/s") == 0);
        REQUIRE(host.Create(CLSID_HvTavelle) == S_OK);
        control = host.Query<IHvTavelleControl>();
        REQUIRE(control);
        REQUIRE(host.Activate() == S_OK);
    }
    ~BoundGrid()
    {
        control.Reset();
        host.Close();
    }

    HRESULT Bind(IUnknown* source)
    {
        return control->putref_DataSource(reinterpret_cast<DataSource*>(source));
    }
    ComPtr<IHvRow> Row(Constants_ChildRow which)
    {
        ComPtr<IHvRow> row;
        REQUIRE(control->GetRow(which, row.GetAddressOf()) == S_OK);
        REQUIRE(row);
        return row;
    }
    int Count(DISPID event) const { return host.Events().ReceivedCount(event); }
    // The position of the first event with that DISPID, or -1.
    int FirstIndex(DISPID event) const
    {
        const auto& received = host.Events().Received();
        for (size_t i = 0; i < received.size(); ++i)
            if (received[i] == event)
                return static_cast<int>(i);
        return -1;
    }

    hv::container::ContainerWindow window;
    hv::container::ControlHost host;
    ComPtr<IHvTavelleControl> control;
};

inline ComPtr<IHvCell> CellOf(IHvRow* row, const wchar_t* key)
{
    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(cells.GetAddressOf()) == S_OK);
    Var index(key);
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(index.v, cell.GetAddressOf()) == S_OK);
    return cell;
}

inline Var ValueOf(IHvRow* row, const wchar_t* key)
{
    Var value;
    REQUIRE(CellOf(row, key)->get_Value(&value.v) == S_OK);
    return value;
}

inline std::wstring TextOf(IHvRow* row, const wchar_t* key)
{
    Var value = ValueOf(row, key);
    REQUIRE(VariantChangeType(&value.v, &value.v, 0, VT_BSTR) == S_OK);
    return value.v.bstrVal ? value.v.bstrVal : L"";
}

inline double NumberOf(IHvRow* row, const wchar_t* key)
{
    Var value = ValueOf(row, key);
    REQUIRE(VariantChangeType(&value.v, &value.v, 0, VT_R8) == S_OK);
    return value.v.dblVal;
}

// The error description the last failed call left.
inline std::wstring LastErrorText()
{
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.GetAddressOf()) != S_OK || !info)
        return L"";
    BSTR text = nullptr;
    info->GetDescription(&text);
    std::wstring result(text ? text : L"");
    SysFreeString(text);
    return result;
}

} // namespace bindtest
