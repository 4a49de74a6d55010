// Fixtures of the appearance and override tests: a stand-in layout (host,
// units at a chosen DPI, Appearances, strategies), a stand-in band for
// resolved overrides, notice recording and late-bound calls.
#pragma once

#include "ModelTestSupport.h"

#include "AppearanceData.h"
#include "AppearanceRef.h"
#include "ChangeSubscriber.h"
#include "HvAppearances.h"
#include "HvLayoutHost.h"
#include "OverrideBandSeam.h"
#include "OverrideLayoutSeam.h"
#include "PropertySinkConnection.h"
#include "SubscriptionLink.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CAutomationObject;

class FakeLayout final : public HvLayoutHost, public OverrideLayoutSeam {
public:
    explicit FakeLayout(int dpi = 96);
    ~FakeLayout();

    // HvLayoutHost
    HRESULT RaiseError(HRESULT result, WORD stringId) override;
    PropertySinkConnection* DefaultFont() override { return &font_; }
    bool IsAlive() override { return alive; }
    HRESULT ReportMessage(long code, const wchar_t* text, const wchar_t* caption) override;

    // OverrideLayoutSeam (container units are twips)
    double PixelsToUnitsX(LONG pixels) override;
    double PixelsToUnitsY(LONG pixels) override;
    LONG UnitsToPixelsX(float units) override;
    LONG UnitsToPixelsY(float units) override;
    HvLayoutHost* Host() override { return this; }
    HvAppearances* Appearances() override { return appearances_; }
    LONG FixedPixelsToUnitsX(LONG pixels) override;
    LONG FixedPixelsToUnitsY(LONG pixels) override;
    LONG FixedUnitsToPixelsX(LONG twips) override;
    LONG FixedUnitsToPixelsY(LONG twips) override;
    LONG GetFontLineHeight(PropertySinkConnection* font) override;
    AppearanceRef* GetOverrideAppearance(int) override { return nullptr; }
    std::unique_ptr<OverrideStrategy> CreateStrategy(OverrideStrategyKind kind, int value) override;

    int dpi;
    bool alive = true;
    std::vector<std::wstring> reports;
    int strategiesMade = 0;
    IFontDisp* LayoutFont() const;

private:
    CAutomationObject* raiser_;
    PropertySinkConnection font_;
    HvAppearances* appearances_ = nullptr;
};

// A band whose resolution answers from a table and from one appearance block.
class FakeBand final : public OverrideBandSeam {
public:
    explicit FakeBand(FakeLayout& layout) : layout_(layout) {}
    void AddRefBand() override { ++refs; }
    void ReleaseBand() override { --refs; }
    OverrideLayoutSeam* Layout() override { return &layout_; }
    LONG ResolveSetting(DISPID setting) override;
    void ResolveAppearance(AppearanceData& block, AppearanceRequest& request) override;

    std::map<DISPID, LONG> settings;
    AppearanceData level;          // what every request resolves from
    AppearanceData stateLevel;     // what a request with a state flag resolves from first
    std::vector<AppearanceRequest> requests;
    int refs = 0;

private:
    FakeLayout& layout_;
};

// Records every notice it hears.
class NoticeRecorder final : public ChangeSubscriber {
public:
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher*, ChangePublisher*, std::intptr_t) override { return followTransfers; }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }
    // Subscribes to publisher through a link of its own.
    void Watch(ChangePublisher* publisher);
    void Clear()
    {
        notices.clear();
        innerWhat.clear();
    }

    std::vector<ChangeNotice> notices;
    std::vector<std::int32_t> innerWhat; // what of the inner notice, or 0
    bool followTransfers = true;

private:
    std::vector<std::unique_ptr<SubscriptionLink>> links_;
};

// Late-bound calls through IDispatch by name; Result carries the HRESULT
// (the exception's code when Invoke reports one) and the error text.
struct LateResult {
    HRESULT hr = S_OK;
    std::wstring description;
};
LateResult LateGet(IDispatch* object, const wchar_t* name, VARIANT* result);
LateResult LatePut(IDispatch* object, const wchar_t* name, const VARIANT& value, bool byRef = false);
LateResult LateCall(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* result);

VARIANT Missing();
