// Menu entries: no window of their own (the menu bar is built whole from the model); their command
// is the model's click.
#include "ui/UserInput.h"
#include "ui/win32/ControlAdapter.h"

namespace ui::win32 {

namespace {

class MenuEntryAdapter final : public ControlAdapter {
  public:
    using ControlAdapter::ControlAdapter;

    void create(const AdapterHost& host, const Control*) override {
        // Menu clicks (code 0) and accelerators (code 1) alike. An accelerator of a hidden or
        // disabled entry is refused, as the system refuses the entry itself.
        host.commands[id] = [this](WORD) { (void)click(control); };
    }

    void refresh(const AdapterHost&) override {}
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(MenuItem& item, WORD id) {
    return std::make_unique<MenuEntryAdapter>(item, id);
}

} // namespace ui::win32
