#pragma once
// The mouse cursor's display counter: shown while it is 0 or more.
namespace gf {

class CursorDisplay {
  public:
    virtual ~CursorDisplay() = default;
    // Raises (show) or lowers the counter by one; the new counter.
    virtual int showCursor(bool show) = 0;
};

} // namespace gf
