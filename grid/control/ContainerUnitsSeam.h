// ContainerUnitsSeam: what the event firers need of the control to hand a
// row height to the container in its own vertical units and take it back.
#pragma once

class ContainerUnitsSeam
{
public:
    virtual double PixelsToContainerY(long pixels) = 0;
    virtual long ContainerYToPixels(double units) = 0;

protected:
    ~ContainerUnitsSeam() = default;
};
