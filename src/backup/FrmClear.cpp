// The clearing windows' common layout and events.
#include "backup/FrmClear.h"

#include "backup/SelectEntries.h"
#include "base/Font.h"
#include "ui/App.h"

FrmClear::FrmClear(ui::App& app, const Design& design)
    : ui::Form(app, design.formName), frame(*this, design.frameName),
      info(*this, design.infoName, &frame), list(*this, design.listName, &frame),
      cmdDelete(*this, "cmdDelete", &frame), cmdSelectAll(*this, "cmdSelectAll", &frame),
      cmdSelectNon(*this, "cmdSelectNon", &frame), cmdClose(*this, "cmdClose") {
    caption = design.caption;
    bounds = {0, 0, 480, 237};

    // Help text on top, entries on the left, commands on the right, as in the restore windows.
    frame.caption = design.frameCaption;
    frame.bounds = {8, 8, 464, 190};
    info.caption = design.infoCaption;
    info.bounds = {10, 18, 444, 40};
    list.bounds = {10, 62, 318, 118};
    list.multiSelect = true;
    cmdDelete.caption = "Delete";
    cmdDelete.bounds = {336, 62, 118, 23};
    cmdSelectAll.caption = "Select All";
    cmdSelectAll.bounds = {336, 91, 118, 23};
    cmdSelectNon.caption = "Select Non";
    cmdSelectNon.bounds = {336, 120, 118, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 206, 80, 23};
    cmdClose.isCancel = true;

    cmdDelete.onClick = [this] { cmdDelete_Click(); };
    cmdSelectAll.onClick = [this] { cmdSelectAll_Click(); };
    cmdSelectNon.onClick = [this] { cmdSelectNon_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmClear::Form_Load() {
    applyTexts();
    ApplyFont(*this);
    fillList();
}

void FrmClear::cmdSelectAll_Click() {
    selectEveryEntry(list, true);
}

void FrmClear::cmdSelectNon_Click() {
    selectEveryEntry(list, false);
}

void FrmClear::cmdClose_Click() {
    app.unload(*this);
}

void FrmClear::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdDelete, &cmdSelectNon, &cmdSelectAll, &list}, on);
}

void FrmClear::cmdDelete_Click() {
    enableCommands(false);
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.selected(i)) {
            deleteEntry(list.item(i));
        }
    }
    list.clear();
    fillList();
    // Enabled again whatever the refill found: deleting the last entry leaves every button usable.
    enableCommands(true);
}

void FrmClear::fillList() {
    for (const std::string& entry : entries()) {
        list.addItem(entry);
    }
    if (list.listCount() > 0) {
        list.setListIndex(0);
    } else {
        setEnabled({&cmdDelete, &list, &cmdSelectAll, &cmdSelectNon}, false);
    }
}
