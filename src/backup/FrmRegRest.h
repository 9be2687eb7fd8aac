// The window that imports backed-up registry keys again.
#pragma once

#include "ui/Form.h"

#include <string>

class FrmRegRest : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmRegRest";

    explicit FrmRegRest(ui::App& app);

    ui::Frame fraRegRestoreOpt;
    ui::Label lblRegResInfo;
    ui::ComboBox cboResReg;
    ui::ListBox lstResReg;
    // The index lines of the chosen set in list order, from which the index is rewritten.
    ui::ListBox LstResReg2;
    ui::Button cmdRRestore;
    ui::Button cmdRSelectAll;
    ui::Button cmdRSelectNon;
    ui::Button cmdClose;

    // Texts, font, then the registry-backup sets.
    void Form_Load() override;

    // Loads the chosen set's index into lstResReg and LstResReg2.
    void cboResReg_Change();
    // Imports the selected exports of the chosen set with the registry editor and takes them out
    // of the set; an export the editor could not be started for keeps its file and its line.
    void cmdRRestore_Click();

    // Selects every entry of lstResReg.
    void cmdRSelectAll_Click();
    // Deselects every entry of lstResReg.
    void cmdRSelectNon_Click();
    // Unloads the window.
    void cmdClose_Click();

  private:
    // Lists the registry-backup sets in cboResReg and loads the first.
    void FillRegSets();
    // Adds the lines of the registry index `Filename` to lstResReg and LstResReg2.
    void LoadRestoreReg(const std::string& Filename);
    // Enables or disables, in this order, the six controls a restore holds while it works.
    void enableCommands(bool on);
};
