// The preview window: what a clean of the chosen configurations would remove, before anything is.
#pragma once

#include "ui/Form.h"

class FrmPreview : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmPreview";

    explicit FrmPreview(ui::App& app);

    ui::Label lblPreviewInfo;
    ui::Label lblFilters;
    // One line per item, in the order the clean would meet them (filled by the opener).
    ui::ListBox lstPreview;
    ui::Label lblSummary;
    ui::Button cmdClose;

    // Texts, then font.
    void Form_Load() override;
    // Unloads the window.
    void cmdClose_Click();
};
