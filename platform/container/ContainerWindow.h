// ContainerWindow: a plain window of the container's own class in which
// controls are hosted (a top-level window, or a child of a given parent).
#pragma once

#include <windows.h>

namespace hv::container {

class ContainerWindow {
public:
    // A hidden top-level window of the given client size.
    ContainerWindow(int width, int height);
    // A visible child window of parent at the given place.
    ContainerWindow(HWND parent, const RECT& place);
    ~ContainerWindow();
    ContainerWindow(const ContainerWindow&) = delete;
    ContainerWindow& operator=(const ContainerWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

} // namespace hv::container
