// Checks shared by the tests of Ostrelvia's table reports.
#pragma once

#include <string>
#include <vector>

#include <doctest/doctest.h>

#include "LocaleText.h"
#include "PageGeometry.h"
#include "Report.h"
#include "ReportTestSupport.h"
#include "TabelaLayout.h"

namespace reportstest {

// The rows of every page (by the control that prints a row's density):
// each page's first and last row are the ones its header names, and the
// body never reaches the page footer. Returns the rows per page.
inline std::vector<size_t> ConferirPaginas(hv::report::Report& report, const wchar_t* campoLinha)
{
    using reporttest::ItemsNamed;
    using reporttest::TextOf;
    const int rodape = hv::report::kPageHeight - hv::report::kPageMargin - ostrelvia::reports::kAlturaRodape;
    std::vector<size_t> linhas;
    for (long p = 1; p <= report.PageCount(); ++p) {
        CAPTURE(p);
        const hv::report::PageModel page = report.Page(p);
        const auto detalhes = ItemsNamed(page, campoLinha);
        linhas.push_back(detalhes.size());
        REQUIRE_FALSE(detalhes.empty());
        // The header's "#0.00" against the rows' own format.
        const std::wstring faixa = TextOf(page, L"LblCabMassa");
        const size_t traco = faixa.find(L" - ");
        REQUIRE(traco != std::wstring::npos);
        CHECK(*hv::forms::ParseNumber(faixa.substr(0, traco)) ==
              doctest::Approx(*hv::forms::ParseNumber(detalhes.front()->text)).epsilon(0.0001));
        CHECK(*hv::forms::ParseNumber(faixa.substr(traco + 3)) ==
              doctest::Approx(*hv::forms::ParseNumber(detalhes.back()->text)).epsilon(0.0001));
        int fundo = 0;
        for (const auto& item : page)
            if (item.box.top < rodape)
                fundo = std::max(fundo, item.box.Bottom());
        CHECK(fundo <= rodape);
    }
    return linhas;
}

} // namespace reportstest
