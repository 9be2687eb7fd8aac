// The cab cleaner window: strips ATI and NVIDIA driver files out of Windows' driver cabinets.
#pragma once

#include "ui/Form.h"

class FrmCC : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmCC";

    explicit FrmCC(ui::App& app);

    ui::ComboBox cboConfig;
    // Every installed cab configuration name; never shown.
    ui::ListBox lstCabNames;
    // The files that go into the rebuilt cabinet; never shown.
    ui::ListBox lstCAB;
    ui::Button cmdClean;
    ui::Button cmdClose;
    ui::Label lblOS;
    ui::Label lblStatus;
    ui::Label lblStatus2;
    ui::Label lblInfoMin;
    ui::MenuItem mnuFile;
    ui::MenuItem mnuFileClean;
    ui::MenuItem mnuFileBar1;
    ui::MenuItem mnuFileExit;
    ui::MenuItem mnuTools;
    ui::MenuItem mnuToolsDriver;
    ui::MenuItem mnuHelp;
    ui::MenuItem mnuHelpHelp;
    ui::MenuItem mnuHelpBar1;
    ui::MenuItem mnuHelpAbout;

    // Texts, font, then the cab cleaner's own set-up.
    void Form_Load() override;
    // Releases the decoder and removes the scratch folders and the decoded configuration.
    void Form_Unload() override;

    // Asks for confirmation ("0009"/"0010") and, on Yes, cleans the selected configuration's
    // cabinets.
    void cmdClean_Click();
    // Back to the cleaning window that "Interface" names; the cab cleaner unloads.
    void cmdClose_Click();
    // Opens frmAbout modally.
    void mnuHelpAbout_Click();
    // Opens the help file.
    void mnuHelpHelp_Click();

  private:
    // The cab cleaning part of loading: decoder, OS line and the cleanable configurations.
    void prepareCabCleaning();
    // Releases the decoder.
    void releaseCabCleaning();
    // The run over the selected configuration's cabinets, after the user confirmed it.
    void cleanRun();
};
