// The module's fixed texts.
#include "ModuleStrings.h"

const CDualString& ModuleVersionText()
{
    static const CDualString text("1.00");
    return text;
}

const CDualString& ModuleBuildText()
{
    static const CDualString text("0075");
    return text;
}

const CDualString& ModuleProductName()
{
    static const CDualString text("Halvren Tavelle");
    return text;
}

const CDualString& ModuleNoticeText()
{
    static const CDualString text("Copyright Halvren. All rights reserved.");
    return text;
}

const CDualString& ModuleHelpFileName()
{
    static const CDualString text("HvTavelle.chm");
    return text;
}
