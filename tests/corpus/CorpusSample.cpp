// The corpus samples: a grid with stored state of every kind.
#include "CorpusSample.h"

#include "HvBands.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "Late.h"
#include "OleDragDrop.h"

#include <olectl.h>

#include <stdexcept>

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out);

namespace corpus {

namespace {

void Check(HRESULT hr, const char* step)
{
    if (FAILED(hr))
        throw std::runtime_error(std::string("sample: ") + step);
}

IDispatch* NewPicture(int size, COLORREF color)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    IDispatch* picture = nullptr;
    Check(OleCreatePictureIndirect(&description, IID_IDispatch, TRUE, reinterpret_cast<void**>(&picture)),
          "picture");
    return picture;
}

IDispatch* NewFont(const wchar_t* face, int points, bool bold)
{
    FONTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = const_cast<LPOLESTR>(face);
    description.cySize.int64 = points * 10000LL;
    description.sWeight = static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL);
    IDispatch* font = nullptr;
    Check(OleCreateFontIndirect(&description, IID_IDispatch, reinterpret_cast<void**>(&font)), "font");
    return font;
}

void PutText(IDispatch* object, const wchar_t* name, const wchar_t* text)
{
    Var value;
    value.v = Text(text);
    Put(object, name, value.v);
}

IDispatch* AddKeyed(IDispatch* collection, const wchar_t* key)
{
    Var name;
    name.v = Text(key);
    return CallObject(collection, L"Add", {name.v});
}

void FillGeneral(IDispatch* layout)
{
    Put(layout, L"BorderStyle", Long(6));
    Put(layout, L"ScrollBars", Long(3));
    Put(layout, L"TipDelay", Long(500));
    Put(layout, L"EstimatedRows", Long(25));
    Put(layout, L"InterBandSpacing", Real(120));
    Put(layout, L"MaxColScrollRegions", Long(4));
    Put(layout, L"RowConnectorStyle", Long(5));
    Put(layout, L"RowConnectorColor", Long(static_cast<long>(0x80000005)));
    Put(layout, L"TabNavigation", Long(1));
    Put(layout, L"AlphaBlendEnabled", Flag(false));
    PutText(layout, L"Caption", L"Amostras do dia");
    PutText(layout, L"TagVariant", L"etiqueta");
    Disp font(NewFont(L"Tahoma", 10, true));
    PutRef(layout, L"Font", Object(font.p));
}

void FillAppearances(IDispatch* layout)
{
    Disp appearances(GetObject(layout, L"Appearances"));
    Disp strong(AddKeyed(appearances.p, L"Destaque"));
    Put(strong.p, L"BackColor", Long(0x00FF00));
    Put(strong.p, L"ForeColor", Long(static_cast<long>(0x80000008)));
    Put(strong.p, L"TextAlign", Long(2));
    Put(strong.p, L"MousePointer", Long(3));
    Disp font(NewFont(L"Arial", 9, false));
    PutRef(strong.p, L"Font", Object(font.p));
    Disp picture(NewPicture(8, RGB(200, 0, 0)));
    PutRef(strong.p, L"Picture", Object(picture.p));
    Disp background(NewPicture(4, RGB(0, 0, 200)));
    PutRef(strong.p, L"PictureBackground", Object(background.p));
    Disp indexed(AddKeyed(appearances.p, L"Indice"));
    Put(indexed.p, L"Picture", Long(1));
    Put(indexed.p, L"AlphaLevel", Long(128));
    Put(indexed.p, L"BackColorAlpha", Long(1));
    Disp unkeyed(CallObject(appearances.p, L"Add", {}));
    Put(unkeyed.p, L"BorderColor", Long(0x123456));
    PutText(layout, L"Appearance", L"Destaque");
    Disp caption(GetObject(layout, L"CaptionAppearance"));
    Put(caption.p, L"BackColor", Long(0x0000FF));
}

void FillOverrides(IDispatch* layout)
{
    Disp overrides(GetObject(layout, L"Overrides"));
    Disp keyed(AddKeyed(overrides.p, L"Padrao"));
    Put(keyed.p, L"AllowAddNew", Long(1));
    Put(keyed.p, L"CellPadding", Real(45));
    Put(keyed.p, L"DefaultColWidth", Real(1200));
    Put(keyed.p, L"HeaderClickAction", Long(1));
    Put(keyed.p, L"MaxSelectedRows", Long(5));
    PutText(keyed.p, L"RowAppearance", L"Indice");
    Disp own(GetObject(layout, L"Override"));
    Put(own.p, L"AllowUpdate", Long(2));
    Put(own.p, L"RowSelectors", Long(1));
    Put(own.p, L"RowSizingAutoMaxLines", Long(3));
    Disp selected(GetObject(own.p, L"SelectedRowAppearance"));
    Put(selected.p, L"ForeColor", Long(0x00AA00));
    Disp box(GetObject(layout, L"AddNewBox"));
    Put(box.p, L"Hidden", Flag(false));
    PutText(box.p, L"Prompt", L"Nova amostra");
}

void FillValueLists(IDispatch* layout)
{
    Disp lists(GetObject(layout, L"ValueLists"));
    Disp list(AddKeyed(lists.p, L"Estados"));
    Put(list.p, L"SortStyle", Long(1));
    Put(list.p, L"DisplayStyle", Long(2));
    PutText(list.p, L"Appearance", L"Destaque");
    Disp items(GetObject(list.p, L"ValueListItems"));
    VARIANT when = Date(45000.25);
    Var today;
    today.v = Text(L"Hoje");
    Disp dated(CallObject(items.p, L"Add", {when, today.v}));
    Disp picture(NewPicture(6, RGB(0, 128, 0)));
    Disp datedLook(GetObject(dated.p, L"Appearance"));
    PutRef(datedLook.p, L"Picture", Object(picture.p));
    Var code, shown;
    code.v = Text(L"A");
    shown.v = Text(L"Aceito");
    Disp text(CallObject(items.p, L"Add", {code.v, shown.v}));
    Disp textLook(GetObject(text.p, L"Appearance"));
    Put(textLook.p, L"Picture", Long(2));
    Var half;
    half.v = Text(L"Tres e meio");
    Disp number(CallObject(items.p, L"Add", {Real(3.5), half.v}));
}

void FillBand(HvLayout& layout)
{
    BSTR key = SysAllocString(L"Analises");
    IDispatch* made = nullptr;
    const HRESULT hr = layout.Bands()->AddInternal(key, nullptr, &made, 0);
    SysFreeString(key);
    Check(hr, "band");
    Disp band(made);
    Disp columns(GetObject(band.p, L"Columns"));
    const wchar_t* const keys[] = {L"AMOSTRA", L"ME", L"GRAU"};
    for (const wchar_t* name : keys) {
        Var column, caption;
        column.v = Text(name);
        caption.v = Text(std::wstring(L"Coluna ") + name);
        Disp made(CallObject(columns.p, L"Add", {column.v, caption.v}));
    }
    Var first;
    first.v = Text(L"ME");
    Disp me(CallObject(columns.p, L"Item", {first.v}));
    Put(me.p, L"Width", Real(1500));
    PutText(me.p, L"ValueList", L"Estados");
    PutText(me.p, L"CellAppearance", L"Indice");
    PutText(me.p, L"MaskInput", L"###,##");
    Put(me.p, L"Case", Long(1));
    Put(me.p, L"TabStop", Long(1));
    Disp header(GetObject(me.p, L"Header"));
    Disp headerLook(GetObject(header.p, L"Appearance"));
    Put(headerLook.p, L"ForeColor", Long(0x404040));
    Disp groups(GetObject(band.p, L"Groups"));
    Var groupKey, groupCaption;
    groupKey.v = Text(L"Medidas");
    groupCaption.v = Text(L"Medidas");
    Disp group(CallObject(groups.p, L"Add", {groupKey.v, Omitted(), groupCaption.v}));
    Put(group.p, L"Width", Real(2400));
    PutText(me.p, L"Group", L"Medidas");
    Disp bandOverride(GetObject(band.p, L"Override"));
    Put(bandOverride.p, L"BorderStyleRow", Long(5));
    PutText(band.p, L"AddButtonCaption", L"Analises");
}

void FillGrid(HvTavelle& grid)
{
    grid.SetUpdateMode(1);
    CDualString member;
    member.AssignAnsi("Analises");
    grid.SetDataMemberName(member);
    grid.ImagesUrl().AssignAnsi("file:///C:/nada/imagens.bmp");
    Check(grid.DragDrop().put_OLEDropMode(1), "drop mode");
    Var tag;
    tag.v = Text(L"controle");
    grid.Tag().SetValue(tag.v);
    HvImages* images = grid.GetControlImages();
    if (!images)
        throw std::runtime_error("sample: images");
    const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 0, 255)};
    const wchar_t* const keys[] = {L"vermelho", L"azul"};
    for (int i = 0; i < 2; ++i) {
        Disp picture(NewPicture(16, colors[i]));
        Var key;
        key.v = Text(keys[i]);
        IHvImage* image = nullptr;
        Check(images->Add(Omitted(), key.v, Object(picture.p), &image), "image");
        image->Release();
    }
}

} // namespace

GridObject::GridObject()
{
    IClassFactory* factory = nullptr;
    Check(DllGetClassObject(CLSID_HvTavelle, IID_IClassFactory, reinterpret_cast<void**>(&factory)), "factory");
    const HRESULT hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown_));
    factory->Release();
    Check(hr, "grid");
    grid_ = HvTavelle::FromUnknown(unknown_);
    if (!grid_)
        throw std::runtime_error("sample: grid object");
}

GridObject::~GridObject()
{
    if (unknown_)
        unknown_->Release();
}

HvLayout& GridObject::Layout() const
{
    if (!grid_->Layout())
        throw std::runtime_error("sample: layout");
    return *grid_->Layout();
}

IDispatch* GridObject::LayoutDispatch() const
{
    return static_cast<IHvLayout*>(&Layout());
}

void FillSample(GridObject& grid)
{
    IDispatch* layout = grid.LayoutDispatch();
    FillGeneral(layout);
    FillAppearances(layout);
    FillOverrides(layout);
    FillValueLists(layout);
    FillBand(grid.Layout());
    FillGrid(grid.Grid());
}

} // namespace corpus
