// Report controls: one constructor per kind.
#include "ReportControl.h"

#include <utility>

namespace hv::report {

ReportControl::ReportControl(ControlKind kind, std::wstring name, Box box)
    : kind_(kind), name_(std::move(name)), box_(box)
{
}

ReportControl ReportControl::Label(std::wstring name, Box box, std::wstring caption, TextStyle style)
{
    ReportControl c(ControlKind::Label, std::move(name), box);
    c.style_ = style;
    c.designCaption_ = caption;
    c.caption_ = std::move(caption);
    return c;
}

ReportControl ReportControl::Field(std::wstring name, Box box, std::wstring dataField, std::wstring format,
                                   TextStyle style)
{
    ReportControl c(ControlKind::Field, std::move(name), box);
    c.style_ = style;
    c.dataField_ = std::move(dataField);
    c.format_ = std::move(format);
    return c;
}

ReportControl ReportControl::PageField(std::wstring name, Box box, PageValue value, TextStyle style)
{
    ReportControl c(ControlKind::Field, std::move(name), box);
    c.style_ = style;
    c.pageValue_ = value;
    return c;
}

ReportControl ReportControl::Line(std::wstring name, int x1, int y1, int x2, int y2, int thickness)
{
    ReportControl c(ControlKind::Line, std::move(name), Box{x1, y1, x2 - x1, y2 - y1});
    c.thickness_ = thickness;
    return c;
}

ReportControl ReportControl::Picture(std::wstring name, Box box, std::shared_ptr<const ReportPicture> picture)
{
    ReportControl c(ControlKind::Picture, std::move(name), box);
    c.picture_ = std::move(picture);
    return c;
}

} // namespace hv::report
