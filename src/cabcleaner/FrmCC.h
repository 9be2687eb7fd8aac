// The cab cleaner window: strips ATI and NVIDIA driver files out of Windows' driver cabinets.
#pragma once

#include "ui/Form.h"

#include <memory>
#include <string>

class clsProtection;

class FrmCC : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmCC";

    explicit FrmCC(ui::App& app);
    ~FrmCC() override;

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
    // While a cabinet is being processed the window stays: the run stops at the next safe point,
    // leaving that cabinet as it was, and the window closes when the run has ended.
    void closeRequested() override;

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
    // How the cleaning of one cabinet ended.
    enum class Outcome { Skipped, Cleaned, NothingToRemove, Failed };

    // The cab cleaning part of loading: decoder, OS line and the cleanable configurations.
    void prepareCabCleaning();
    // Releases the decoder.
    void releaseCabCleaning();
    // The cab configuration name Clean works on: the selected entry, or the entry the typed text
    // names; "" when it names none.
    std::string chosenConfiguration() const;
    // The run over the cab configuration `cabName`'s cabinets, after the user confirmed it.
    void cleanRun(const std::string& cabName);
    // Cleans the cabinet of configuration line `line`; the original is replaced only by a packed,
    // verified (and, with "BackupFiles", backed-up) new cabinet.
    Outcome oneCabinet(const std::string& line, const std::string& cabName);
    // The steps of oneCabinet once the scratch folder `scratch` exists.
    Outcome cleanInScratch(const std::string& line, const std::string& cabName,
                           const std::string& scratch);
    // Packs the entries of lstCAB from `scratch` into the new cabinet `target`; true when it is
    // complete on disk. Error boxes as the packing texts say.
    bool pack(const std::string& target, const std::string& scratch);
    // Shows why the current cabinet was left as it was, and keeps the first such text of the run.
    Outcome fail(const char* textId);
    // Enables or disables the commands that would start another run or close the window.
    void enableRunCommands(bool enabled);

    std::unique_ptr<clsProtection> decoder;
    std::string loadStamp; // the backup stamp: the load date and time, "dd-mm-yyyy_hhmmss"
    std::string windowsFolder;
    std::string tempFolder;
    std::string currentCabinet; // the full path of the line being processed
    bool running = false;
    bool closeAsked = false;
    std::string firstFailure; // the text of the run's first failed cabinet
    std::string firstFailedCabinet;
};
