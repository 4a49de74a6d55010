// One control of a report section: a label (a caption the program may change
// while the report runs), a field (a value of the current record, or the page
// number or page count, through an output format), a line or a picture. Its
// box is in twips from the top left of its section; a line runs from the
// box's top left corner to its bottom right one.
#pragma once

#include <memory>
#include <string>

#include "PageGeometry.h"

namespace hv::report {

class ReportPicture;

enum class ControlKind { Label, Field, Line, Picture };
enum class TextAlign { Left, Center, Right };
// What a field shows instead of a value of the record.
enum class PageValue { None, PageNumber, PageCount };

struct TextStyle {
    int tenthsOfPoint = 90;
    bool bold = false;
    TextAlign align = TextAlign::Left;
    bool wrap = false;  // several lines, broken between words; else one line, centred vertically
};

class ReportControl {
public:
    static ReportControl Label(std::wstring name, Box box, std::wstring caption, TextStyle style = {});
    static ReportControl Field(std::wstring name, Box box, std::wstring dataField, std::wstring format,
                               TextStyle style = {});
    static ReportControl PageField(std::wstring name, Box box, PageValue value, TextStyle style = {});
    static ReportControl Line(std::wstring name, int x1, int y1, int x2, int y2, int thickness = 15);
    static ReportControl Picture(std::wstring name, Box box, std::shared_ptr<const ReportPicture> picture);

    ControlKind Kind() const { return kind_; }
    const std::wstring& Name() const { return name_; }
    const Box& Place() const { return box_; }
    const TextStyle& Style() const { return style_; }

    // Labels: the caption of the design, and the one in force.
    const std::wstring& DesignCaption() const { return designCaption_; }
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }

    // Fields.
    const std::wstring& DataField() const { return dataField_; }
    const std::wstring& Format() const { return format_; }
    PageValue ShowsPage() const { return pageValue_; }

    int Thickness() const { return thickness_; }
    const ReportPicture* Image() const { return picture_.get(); }

private:
    ReportControl(ControlKind kind, std::wstring name, Box box);

    ControlKind kind_;
    std::wstring name_;
    Box box_;
    TextStyle style_;
    std::wstring designCaption_;
    std::wstring caption_;
    std::wstring dataField_;
    std::wstring format_;
    PageValue pageValue_ = PageValue::None;
    int thickness_ = 0;
    std::shared_ptr<const ReportPicture> picture_;
};

} // namespace hv::report
