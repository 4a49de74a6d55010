// A report: a definition (sections of controls in twips, a data control, a
// document name) with the program's handlers, and the pages of its last run.
// A run formats every page in one pass in document order, firing the
// handlers, and keeps per page only its bands and changed captions; a page
// is drawn on demand by one routine into any device context (the preview,
// a metafile, a bitmap, a printer).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "CellValue.h"
#include "DataControl.h"
#include "PageItem.h"
#include "PageTable.h"
#include "ReportSection.h"

namespace hv::report {

class ReportPreview;

class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Definition. Sections come in print order: the page header, group
    // headers (outermost first), the detail, group footers (innermost
    // first), the page footer; each kind but the groups at most once.
    ReportSection& AddSection(SectionKind kind, std::wstring name, int height);
    ReportSection& Section(std::wstring_view name);
    ReportControl& Control(std::wstring_view name);
    const std::vector<std::unique_ptr<ReportSection>>& Sections() const { return sections_; }
    DataControl& Data() { return data_; }
    const DataControl& Data() const { return data_; }
    const std::wstring& DocumentName() const { return documentName_; }
    void SetDocumentName(std::wstring name) { documentName_ = std::move(name); }

    // Fired once at the start of a run, the recordset on its first record.
    std::function<void()> ReportStart;

    // Formats every page without showing them. Throws ReportError when the
    // recordset fails; a handler's exception ends the run and goes on to
    // the caller.
    void Run();
    // Runs, then shows the preview (modeless) at the first page.
    void Show();
    // While running: the page being formatted; afterwards the page count.
    long PageNumber() const { return static_cast<long>(pages_.PageCount()); }
    long PageCount() const { return static_cast<long>(pages_.PageCount()); }
    // The value bound to a field control at the current record (null when
    // there is none, or the field is not in the recordset).
    recordset::CellValue Value(std::wstring_view fieldControl);
    // Makes the next run fail with hr before it formats anything, so that a
    // caller's failure road can be tried.
    void FailNextRun(HRESULT hr) { failNextRun_ = hr; }

    // The pages of the last run, numbered from 1.
    PageModel Page(long page) const;
    // Draws the page stretched over target (device units of dc); the paper
    // itself is the caller's.
    void DrawPage(long page, HDC dc, const RECT& target) const;
    // A page as an enhanced metafile of the page's size; as a PNG picture at
    // that many dots per inch, on white. False on failure.
    bool SavePageEmf(long page, const std::wstring& path) const;
    bool SavePagePng(long page, const std::wstring& path, int dpi) const;
    // Asks for a printer and prints the chosen pages; false when there is
    // none, the user cancelled or printing failed.
    bool Print(HWND owner) const;

    // The preview window (made by the first Show), or nullptr.
    ReportPreview* Preview() const { return preview_.get(); }

    // Used by the run and the page composer.
    struct Layout {
        int pageHeader = -1;
        std::vector<int> groupHeaders;  // outermost first
        int detail = -1;
        std::vector<int> groupFooters;  // footer of group g, or -1
        int pageFooter = -1;
    };
    const Layout& Arrangement() const { return layout_; }
    // Every label of the definition, in section order.
    const std::vector<ReportControl*>& Labels() const { return labels_; }
    const PageTable& Pages() const { return pages_; }

private:
    void Arrange();
    int FindSection(SectionKind kind) const;

    std::vector<std::unique_ptr<ReportSection>> sections_;
    DataControl data_;
    std::wstring documentName_ = L"Documento";
    Layout layout_;
    std::vector<ReportControl*> labels_;
    PageTable pages_;
    // The recordset of the last run: its pages are drawn from it.
    std::shared_ptr<recordset::Recordset> printed_;
    HRESULT failNextRun_ = S_OK;
    std::unique_ptr<ReportPreview> preview_;
};

} // namespace hv::report
