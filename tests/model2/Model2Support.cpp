// Fixtures of the appearance and override tests.
#include "Model2Support.h"

#include "AutomationObject.h"
#include "ObjectInfo.h"
#include "Units.h"

#include <cmath>

namespace {

// Raises the layout's errors as a layout object of the library would.
class ErrorRaiser final : public CAutomationObject {
public:
    ErrorRaiser() : CAutomationObject(nullptr, ObjectType::HvLayout, this) {}
};

class CountedStrategy final : public OverrideStrategy {};

} // namespace

FakeLayout::FakeLayout(int dpiValue) : dpi(dpiValue), raiser_(new ErrorRaiser)
{
    FONTDESC description = PropertySinkConnection::DefaultFontDescription();
    description.cySize.int64 = 120000; // 12 points, told apart from a new font's 8
    font_.AssignFont(&description, nullptr);
    HvAppearances::Create(this, &appearances_);
}

FakeLayout::~FakeLayout()
{
    if (appearances_) {
        appearances_->Deactivate();
        appearances_->Release();
    }
    raiser_->PrivateUnknown()->Release();
}

IFontDisp* FakeLayout::LayoutFont() const
{
    return font_.GetFontDisp();
}

HRESULT FakeLayout::RaiseError(HRESULT result, WORD stringId)
{
    return raiser_->Exception(result, stringId);
}

HRESULT FakeLayout::ReportMessage(long, const wchar_t* text, const wchar_t* caption)
{
    reports.push_back(std::wstring(caption) + L"|" + text);
    return S_OK;
}

double FakeLayout::PixelsToUnitsX(LONG pixels)
{
    return static_cast<double>(PixelsToTwips(pixels, TwipsPerPixel(dpi)));
}

double FakeLayout::PixelsToUnitsY(LONG pixels)
{
    return PixelsToUnitsX(pixels);
}

LONG FakeLayout::UnitsToPixelsX(float units)
{
    return TwipsToPixels(static_cast<int>(std::lround(units)), TwipsPerPixel(dpi));
}

LONG FakeLayout::UnitsToPixelsY(float units)
{
    return UnitsToPixelsX(units);
}

LONG FakeLayout::FixedPixelsToUnitsX(LONG pixels)
{
    return PixelsToTwips(pixels, TwipsPerPixel(dpi));
}

LONG FakeLayout::FixedPixelsToUnitsY(LONG pixels)
{
    return FixedPixelsToUnitsX(pixels);
}

LONG FakeLayout::FixedUnitsToPixelsX(LONG twips)
{
    return TwipsToPixels(twips, TwipsPerPixel(dpi));
}

LONG FakeLayout::FixedUnitsToPixelsY(LONG twips)
{
    return FixedUnitsToPixelsX(twips);
}

LONG FakeLayout::GetFontLineHeight(PropertySinkConnection* font)
{
    return font ? 17 : 20;
}

std::unique_ptr<OverrideStrategy> FakeLayout::CreateStrategy(OverrideStrategyKind, int)
{
    ++strategiesMade;
    return std::make_unique<CountedStrategy>();
}

LONG FakeBand::ResolveSetting(DISPID setting)
{
    auto found = settings.find(setting);
    return found == settings.end() ? 0 : found->second;
}

void FakeBand::ResolveAppearance(AppearanceData& block, AppearanceRequest& request)
{
    requests.push_back(request);
    bool anyState = false;
    for (int i : {0, 1, 2, 3, 5})
        anyState = anyState || request.state[i] != 0;
    std::uint32_t resolved = request.resolvedMask;
    AppearanceData::ResolveAppearance(block, anyState ? stateLevel : level, request.requestMask, &resolved);
    request.resolvedMask = resolved;
}

void NoticeRecorder::OnChange(const ChangeNotice* notice)
{
    notices.push_back(*notice);
    const ChangeNotice* inner = reinterpret_cast<const ChangeNotice*>(notice->argument);
    innerWhat.push_back(inner ? inner->what : 0);
}

void NoticeRecorder::Watch(ChangePublisher* publisher)
{
    links_.push_back(std::make_unique<SubscriptionLink>(this));
    links_.back()->RelinkSubscription(publisher);
}

namespace {

LateResult Finish(HRESULT hr, EXCEPINFO& exception)
{
    LateResult result;
    result.hr = hr;
    if (hr == DISP_E_EXCEPTION) {
        result.hr = exception.scode;
        if (exception.bstrDescription)
            result.description = exception.bstrDescription;
    } else if (FAILED(hr)) {
        result.description = LastErrorDescription();
    }
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

DISPID IdOf(IDispatch* object, const wchar_t* name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

} // namespace

LateResult LateGet(IDispatch* object, const wchar_t* name, VARIANT* result)
{
    EXCEPINFO exception = {};
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VariantInit(result);
    HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                result, &exception, nullptr);
    return Finish(hr, exception);
}

LateResult LatePut(IDispatch* object, const wchar_t* name, const VARIANT& value, bool byRef)
{
    EXCEPINFO exception = {};
    VARIANT argument = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &named, 1, 1};
    HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT,
                                byRef ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, &params, nullptr, &exception,
                                nullptr);
    return Finish(hr, exception);
}

LateResult LateCall(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* result)
{
    EXCEPINFO exception = {};
    // Arguments go in reverse order.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT ignored;
    VariantInit(&ignored);
    VARIANT* out = result ? result : &ignored;
    VariantInit(out);
    HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, out,
                                &exception, nullptr);
    VariantClear(&ignored);
    return Finish(hr, exception);
}

VARIANT Missing()
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}
