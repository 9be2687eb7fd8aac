// The normal cleaning window: one configuration, one Clean, the lists of what was found.
#pragma once

#include "cleaning/FrmCleaningMenu.h"
#include "cleaning/FrmShared.h"
#include "ui/Form.h"

class FrmMain : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmMain";

    explicit FrmMain(ui::App& app);

    ui::Label lblOS;
    ui::Label lblGPU;
    ui::ComboBox cboConfigs;
    ui::Button cmdClean;
    ui::Button cmdClose;
    ui::Label lblStatus;
    ui::Label lblDetails;
    ui::Label lblDetinfo;
    ui::ListBox lstDetail;
    ui::ListBox lstDetails;
    CleaningMenuBar menus;

    // Texts, font, then the cleaning window's own set-up.
    void Form_Load() override;
    // Releases what the window holds and removes the decoded language file.
    void Form_Unload() override;

    // Asks for confirmation ("0009"/"0010") and, on Yes, cleans with the selected configuration.
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
    // The clean run with the selected configuration, after the user confirmed it.
    void cleanRun();
    // Enables or disables the commands that would start another run or close the window.
    void enableRunCommands(bool enabled);

    RunObjects objects;
    LoadTime loaded;
};
