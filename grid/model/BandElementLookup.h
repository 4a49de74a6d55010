// BandElementLookup: how a band finds its element, its button in the
// add-new box, in the grid that shows it. The control, which sees the
// element tree, installs the finder when the library starts; without one a
// band has no element.
#pragma once

class HvBand;
class UIElementSeam;

// The element is lent: the element tree keeps it.
using BandElementFinder = UIElementSeam* (*)(HvBand& band);

BandElementFinder& BandElementLookup();
