// The routines that give each window its title and captions in the current language.
#pragma once

namespace ui {
class App;
}

// Each routine works on the program's single instance of its window, loading it when needed,
// and writes the text of each id into its title and controls.
void ApplyLangMain(ui::App& app);
void ApplyLangAdvanced(ui::App& app);
void ApplyLangCC(ui::App& app);
void ApplyLangWiz1(ui::App& app);
void ApplyLangWiz2(ui::App& app);
void ApplyLangWarning(ui::App& app);
void ApplyLangAbout(ui::App& app);
void ApplyLangClearB(ui::App& app);
void ApplyLangClearL(ui::App& app);
void ApplyLangClearR(ui::App& app);
void ApplyLangFont(ui::App& app);
void ApplyLangLanguage(ui::App& app);
void ApplyLangOptions(ui::App& app);
void ApplyLangRegRest(ui::App& app);
void ApplyLangRestore(ui::App& app);
void ApplyLangPreview(ui::App& app);
