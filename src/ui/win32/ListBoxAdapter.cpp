// List boxes: entries, selection and scroll width from the model; the user's selection read back
// before the model's click and change events run.
#include "ui/UserInput.h"
#include "ui/win32/ControlAdapter.h"

#include <algorithm>
#include <vector>

namespace ui::win32 {

namespace {

class ListBoxAdapter final : public WindowedAdapter {
  public:
    ListBoxAdapter(ListBox& list, WORD id) : WindowedAdapter(list, id), list(list) {}

  private:
    WindowLook look(const Control*) const override {
        DWORD style =
            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_GROUP;
        if (list.multiSelect) {
            style |= LBS_EXTENDEDSEL;
        }
        return {"LISTBOX", style, WS_EX_CLIENTEDGE};
    }
    bool showsCaption() const override { return false; }

    void addCommands(CommandTable& commands) override {
        commands[id] = [this](WORD code) {
            if (code == LBN_SELCHANGE) {
                // A list disabled since the user picked keeps the model as it was.
                (void)select(list, [this] { readSelection(); });
            }
        };
    }

    void readSelection() {
        const ListBoxWindow box(window.handle);
        if (list.multiSelect) {
            const int count = std::min(list.listCount(), box.count());
            for (int i = 0; i < count; ++i) {
                const bool on = box.selected(i);
                if (list.selected(i) != on) {
                    list.setSelected(i, on);
                }
            }
            list.setListIndex(box.current(true));
        } else {
            list.setListIndex(box.current(false));
        }
    }

    void refreshOwn(bool first) override {
        const ListBoxWindow box(window.handle);
        if (list.horizontalExtent != extent) {
            box.setHorizontalExtent(list.horizontalExtent);
            extent = list.horizontalExtent;
        }
        if (!first && revision == list.revision()) {
            return;
        }
        if (list.items() != items) {
            syncEntries(box, list.items(), items);
        }
        if (list.multiSelect) {
            const int count = std::min(list.listCount(), box.count());
            for (int i = 0; i < count; ++i) {
                if (box.selected(i) != list.selected(i)) {
                    box.setSelected(i, list.selected(i));
                }
            }
        } else if (box.current(false) != list.listIndex()) {
            box.setCurrent(list.listIndex());
        }
        revision = list.revision();
    }

    ListBox& list;
    std::vector<std::string> items;
    int extent = -1;
    unsigned revision = 0;
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(ListBox& list, WORD id) {
    return std::make_unique<ListBoxAdapter>(list, id);
}

} // namespace ui::win32
