// The preview window: layout and its one command.
#include "cleaning/FrmPreview.h"

#include "base/Font.h"
#include "language/ApplyLang.h"
#include "ui/App.h"

FrmPreview::FrmPreview(ui::App& app)
    : ui::Form(app, kFormName), lblPreviewInfo(*this, "lblPreviewInfo"),
      lblFilters(*this, "lblFilters"), lstPreview(*this, "lstPreview"),
      lblSummary(*this, "lblSummary"), cmdClose(*this, "cmdClose") {
    caption = "Tarvex Preview";
    bounds = {0, 0, 560, 420};

    lblPreviewInfo.caption =
        "Nothing has been removed. This is what Clean would remove from this machine now, in this "
        "order:";
    lblPreviewInfo.bounds = {8, 8, 544, 26};
    lblFilters.bounds = {8, 38, 544, 13};
    lstPreview.bounds = {8, 56, 544, 320};
    lblSummary.bounds = {8, 389, 450, 13};
    cmdClose.caption = "Close";
    cmdClose.bounds = {472, 384, 80, 23};
    cmdClose.isCancel = true;
    cmdClose.isDefault = true;

    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmPreview::Form_Load() {
    ApplyLangPreview(app);
    ApplyFont(*this);
}

void FrmPreview::cmdClose_Click() {
    app.unload(*this);
}
