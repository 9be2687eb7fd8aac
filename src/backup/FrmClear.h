// What the three clearing windows share: a help text, a list of what can be deleted (several
// entries selectable) and Delete, Select All, Select None and Close.
#pragma once

#include "ui/Form.h"

#include <string>
#include <vector>

class FrmClear : public ui::Form {
  public:
    // The names and designed captions that tell the three windows apart.
    struct Design {
        const char* formName;
        const char* caption;
        const char* frameName;
        const char* frameCaption;
        const char* infoName;
        const char* infoCaption;
        const char* listName;
    };

    FrmClear(ui::App& app, const Design& design);

    ui::Frame frame;
    ui::Label info;
    ui::ListBox list;
    ui::Button cmdDelete;
    ui::Button cmdSelectAll;
    ui::Button cmdSelectNon;
    ui::Button cmdClose;

    // Texts, font, then the list filled from the disk.
    void Form_Load() override;

    // Deletes the selected entries, then lists again what is left.
    void cmdDelete_Click();
    // Selects every entry of the list.
    void cmdSelectAll_Click();
    // Deselects every entry of the list.
    void cmdSelectNon_Click();
    // Unloads the window.
    void cmdClose_Click();

  protected:
    // Adds what can be deleted to the list (without emptying it), makes the first entry the
    // current one, or disables the commands when there is nothing.
    void fillList();

  private:
    // The window's texts in the current language.
    virtual void applyTexts() = 0;
    // The entries to list, in the order the disk gives them.
    virtual std::vector<std::string> entries() const = 0;
    // Deletes what the entry names; failures leave it to be listed again.
    virtual void deleteEntry(const std::string& entry) = 0;
    // Enables or disables, in this order, the five controls a delete holds while it works.
    void enableCommands(bool on);
};
