// The advanced cleaning window: up to four configurations cleaned one after another in one run.
#pragma once

#include "cleaning/FrmCleaningMenu.h"
#include "cleaning/FrmShared.h"
#include "ui/Form.h"

#include <string>

class FrmAdvanced : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmAdvanced";

    explicit FrmAdvanced(ui::App& app);

    ui::Frame fraSelection;
    ui::Picture picSelection;
    ui::CheckBox chkConfig1;
    ui::CheckBox chkConfig2;
    ui::CheckBox chkConfig3;
    ui::CheckBox chkConfig4;
    ui::ComboBox cboConfigs4;
    ui::ComboBox cboConfigs3;
    ui::ComboBox cboConfigs2;
    ui::ComboBox cboConfigs1;
    ui::ListBox lstDetail;
    ui::Button cmdClose;
    ui::Button cmdClean;
    ui::ListBox lstDetails;
    ui::Label lblStatusFile;
    ui::Label lblDetinfo;
    ui::Label lblStatus;
    ui::Label lblGPU;
    ui::Label lblDetails;
    ui::Label lblOS;
    CleaningMenuBar menus;

    // Texts, font, then the cleaning window's own set-up.
    void Form_Load() override;
    // Releases what the window holds and removes the decoded language file.
    void Form_Unload() override;

    // Each check box toggles whether its slot's list can be used; box and list start in step
    // (unchecked, disabled), so a checked box goes with a usable list.
    void chkConfig1_Click();
    void chkConfig2_Click();
    void chkConfig3_Click();
    void chkConfig4_Click();
    // Asks for confirmation ("0009"/"0010") and, on Yes, cleans every checked slot.
    void cmdClean_Click();
    // Unloads the window.
    void cmdClose_Click();
    // Previews the configuration(s) a clean would take now and shows them in frmPreview.
    void mnuFilePreview_Click();

  private:
    // The engine's part of loading: run objects, OS line, adapter name, load time, configurations.
    void prepareCleaning();
    // The engine's part of unloading: stops a registry search and releases the run objects.
    void releaseCleaning();
    // The clean run over the checked slots, after the user confirmed it.
    void cleanRun();
    // Enables or disables the commands that would start another run or close the window.
    void enableRunCommands(bool enabled);
    // Slot `number` (1 to 4): its check box and its list.
    ui::CheckBox& slotBox(int number);
    ui::ComboBox& slotList(int number);

    RunObjects objects;
    LoadTime loaded;
    // The slot being cleaned, "1" to "4"; the run's operations take the configuration name
    // from its list.
    std::string currentSlot = "1";
};
