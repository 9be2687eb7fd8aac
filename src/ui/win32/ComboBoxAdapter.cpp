// Combo boxes: entries, current entry and edit text from the model; the user's pick or typing
// written back before the model's events run.
#include "ui/UserInput.h"
#include "ui/win32/ControlAdapter.h"

#include <vector>

namespace ui::win32 {

namespace {

// Room below a combo box's edit field for its drop-down list.
constexpr int kComboDropHeight = 160;

class ComboBoxAdapter final : public WindowedAdapter {
  public:
    ComboBoxAdapter(ComboBox& combo, WORD id) : WindowedAdapter(combo, id), combo(combo) {}

  private:
    WindowLook look(const Control*) const override {
        const DWORD kind = combo.style == ComboBox::Style::DropDownList
                               ? static_cast<DWORD>(CBS_DROPDOWNLIST)
                               : static_cast<DWORD>(CBS_DROPDOWN | CBS_AUTOHSCROLL);
        return {"COMBOBOX", kind | WS_VSCROLL | WS_TABSTOP | WS_GROUP};
    }
    bool showsCaption() const override { return false; }
    int dropHeight() const override { return kComboDropHeight; }

    void addCommands(CommandTable& commands) override {
        commands[id] = [this](WORD code) {
            if (code == CBN_SELCHANGE) {
                // A combo box disabled since the user picked keeps the model as it was.
                (void)select(combo, [this] {
                    combo.setListIndex(ComboBoxWindow(window.handle).current());
                    text = combo.text;
                });
            } else if (code == CBN_EDITCHANGE) {
                // The typing is in the field already; the refresh after the event must not write
                // it back, unless the model refused it.
                const std::string before = text;
                text = window.text();
                if (!type(combo, text).empty()) {
                    text = before;
                }
            }
        };
    }

    void refreshOwn(bool first) override {
        const ComboBoxWindow box(window.handle);
        bool refilled = first;
        if (first || revision != combo.revision()) {
            if (combo.items() != items) {
                // Emptying a drop-down combo empties its edit field too.
                refilled = syncEntries(box, combo.items(), items) || refilled;
            }
            if (box.current() != combo.listIndex()) {
                box.setCurrent(combo.listIndex());
                refilled = true;
            }
            revision = combo.revision();
        }
        // The edit field shows the model's text whenever the program changed it, or the list
        // reset it; the user's own typing is already in the model.
        if (combo.style == ComboBox::Style::DropDownCombo &&
            (text != combo.text || (refilled && !combo.text.empty()))) {
            window.setText(combo.text);
            text = combo.text;
        }
    }

    ComboBox& combo;
    std::vector<std::string> items;
    unsigned revision = 0;
    std::string text; // the edit field's text as last written or typed
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(ComboBox& combo, WORD id) {
    return std::make_unique<ComboBoxAdapter>(combo, id);
}

} // namespace ui::win32
