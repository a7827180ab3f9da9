#pragma once

namespace farvik {

// A child window whose contents can be printed: the main window's "I&mprimir..." and its
// toolbar button print the active one, and are off while no such window is active.
class PrintableView {
  public:
    virtual ~PrintableView() = default;
    virtual void printView() = 0;
};

}  // namespace farvik
