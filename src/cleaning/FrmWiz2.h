// The wizard's second page: confirm and clean with the configuration chosen on the first page.
#pragma once

#include "cleaning/FrmShared.h"
#include "ui/Form.h"

class FrmWiz2 : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmWiz2";

    explicit FrmWiz2(ui::App& app);

    ui::Button cmdBack;
    ui::Button cmdClose;
    ui::Button cmdClean;
    // The chosen configuration's name: the only place the first page hands it over.
    ui::Label lblWizCFilter;
    ui::Label lblWizStatus;
    ui::Label lblWizSelected;
    ui::Label lblWiz2Info;

    // Texts, font, then the page's run objects.
    void Form_Load() override;
    // Releases the run objects, removes the decoded language file and the decoded configuration.
    void Form_Unload() override;

    // Back to the first page, which reloads its list.
    void cmdBack_Click();
    // Leaves the wizard for the cleaning window that "Interface" names.
    void cmdClose_Click();
    // Asks for confirmation ("0009"/"0010") and, on Yes, cleans with the chosen configuration.
    void cmdClean_Click();

  private:
    // The engine's part of loading: the decoder and registry search objects.
    void prepareCleaning();
    // The engine's part of unloading: stops a registry search and releases the run objects.
    void releaseCleaning();
    // The wizard's clean run (no backups, no log, no detail lists), after the user confirmed it.
    void cleanRun();

    RunObjects objects;
};
