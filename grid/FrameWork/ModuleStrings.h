// The module's fixed texts, read by the About box.
#pragma once

#include "DualString.h"

const CDualString& ModuleVersionText();     // "1.00"
const CDualString& ModuleBuildText();       // "0075"
const CDualString& ModuleProductName();     // the product's display name
const CDualString& ModuleNoticeText();      // the notice line
const CDualString& ModuleHelpFileName();    // "HvTavelle.chm"
