// Frames: group boxes around the controls they hold.
#include "ui/win32/ControlAdapter.h"

namespace ui::win32 {

namespace {

class FrameAdapter final : public WindowedAdapter {
  public:
    using WindowedAdapter::WindowedAdapter;
    bool holdsControls() const override { return true; }

  private:
    WindowLook look(const Control*) const override {
        return {"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS};
    }
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(Frame& frame, WORD id) {
    return std::make_unique<FrameAdapter>(frame, id);
}

} // namespace ui::win32
