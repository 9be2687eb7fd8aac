// Labels: STATIC windows showing the caption.
#include "ui/win32/ControlAdapter.h"

namespace ui::win32 {

namespace {

class LabelAdapter final : public WindowedAdapter {
  public:
    using WindowedAdapter::WindowedAdapter;

  private:
    WindowLook look(const Control*) const override { return {"STATIC", SS_LEFT}; }
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(Label& label, WORD id) {
    return std::make_unique<LabelAdapter>(label, id);
}

} // namespace ui::win32
