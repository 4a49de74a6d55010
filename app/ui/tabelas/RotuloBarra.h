// RotuloBarra: the labels of the progress bar: the frame (a sunken border),
// the part done (filled with the selection colour) and the caption (centred).
#pragma once

#include "Label.h"

class RotuloBarra : public hv::forms::Label
{
public:
    enum class Tipo
    {
        Moldura,
        Preenchido,
        Legenda,
    };

    RotuloBarra(hv::forms::Container& parent, const hv::forms::TwipsRect& place, Tipo tipo);

protected:
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
};
