// The window that puts backed-up files and folders back: a file half and a directory half.
#pragma once

#include "ui/Form.h"

#include <string>

class FrmRestore : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmRestore";

    explicit FrmRestore(ui::App& app);

    ui::Frame fraFileRestoreOpt;
    ui::Label lblFileResInfo;
    ui::ComboBox cboResFile;
    ui::ListBox lstResFile;
    // The index lines of the chosen file set in list order, from which the index is rewritten.
    ui::ListBox lstResFile2;
    ui::Button cmdFRestore;
    ui::Button cmdFSelectAll;
    ui::Button cmdFSelectNon;
    ui::Frame fraDirRestoreOpt;
    ui::Label lblDirResInfo;
    ui::ComboBox cboResDir;
    ui::ListBox lstResDir;
    // The index lines of the chosen directory set in list order, from which the index is
    // rewritten.
    ui::ListBox lstResDir2;
    ui::Button cmdDRestore;
    ui::Button cmdDSelectAll;
    ui::Button cmdDSelectNon;
    ui::Button cmdClose;

    // Texts, font, then both halves filled with their sets.
    void Form_Load() override;

    // Loads the chosen file set's index into lstResFile and lstResFile2.
    void cboResFile_Change();
    // Loads the chosen directory set's index into lstResDir and lstResDir2.
    void cboResDir_Change();
    // Copies the selected files of the chosen set back to their folders and takes them out of the
    // set; an entry whose copy back failed keeps its copy and its line.
    void cmdFRestore_Click();
    // The same for the selected folders of the chosen directory set.
    void cmdDRestore_Click();

    // Selects every entry of lstResFile.
    void cmdFSelectAll_Click();
    // Deselects every entry of lstResFile.
    void cmdFSelectNon_Click();
    // Selects every entry of lstResDir.
    void cmdDSelectAll_Click();
    // Deselects every entry of lstResDir.
    void cmdDSelectNon_Click();
    // Unloads the window.
    void cmdClose_Click();

  private:
    // Lists the file-backup sets in cboResFile and loads the first.
    void FillFileSets();
    // Lists the directory-backup sets in cboResDir and loads the first.
    void FillDirSets();
    // Adds the lines of the file index `Filename` to lstResFile and lstResFile2.
    void LoadRestoreFiles(const std::string& Filename);
    // Adds the lines of the directory index `Filename` to lstResDir and lstResDir2.
    void LoadRestoreDir(const std::string& Filename);
    // Enables or disables, in this order, the eleven controls a restore holds while it works.
    void enableCommands(bool on);
};
