// The language routines: every caption table matches the real windows, titles carry the version,
// and without a language file every caption reads "?".
#include <doctest/doctest.h>

#include "language/ApplyLang.h"
#include "language/CaptionTables.h"
#include "language/LanguageFixture.h"
#include "main/TarvexWindows.h"
#include "support/CleanableCabinet.h"
#include "support/RecordingRenderer.h"
#include "ui/App.h"

#include <map>
#include <string>

namespace {

using Routine = void (*)(ui::App&);

const std::map<std::string, Routine>& routines() {
    static const std::map<std::string, Routine> byWindow = {
        {"frmMain", ApplyLangMain},       {"frmAdvanced", ApplyLangAdvanced},
        {"frmCC", ApplyLangCC},           {"frmWiz1", ApplyLangWiz1},
        {"frmWiz2", ApplyLangWiz2},       {"frmWarning", ApplyLangWarning},
        {"frmAbout", ApplyLangAbout},     {"frmClearB", ApplyLangClearB},
        {"frmClearL", ApplyLangClearL},   {"frmClearR", ApplyLangClearR},
        {"frmFont", ApplyLangFont},       {"frmLanguage", ApplyLangLanguage},
        {"frmOptions", ApplyLangOptions}, {"frmRegRest", ApplyLangRegRest},
        {"frmRestore", ApplyLangRestore}, {"frmPreview", ApplyLangPreview}};
    return byWindow;
}

void unloadAll(ui::App& app) {
    for (ui::Form* form : app.loadedForms()) {
        app.unload(*form);
    }
}

// A stand-in window with just the controls a title test needs.
template <const char* Name> class StandIn : public ui::Form {
  public:
    static constexpr const char* kFormName = Name;
    explicit StandIn(ui::App& app) : ui::Form(app, kFormName) { caption = "designed"; }
    ui::Frame fraAbout{*this, "fraAbout"};
    ui::Label lblVersion{*this, "lblVersion", &fraAbout};
    ui::Label lblWarning{*this, "lblWarning"};
};

inline constexpr char kMain[] = "frmMain";
inline constexpr char kAdvanced[] = "frmAdvanced";
inline constexpr char kAbout[] = "frmAbout";
inline constexpr char kWarning[] = "frmWarning";
inline constexpr char kOptions[] = "frmOptions";

// A configuration and a language to list, so every window loads without a box about them.
void plantLists(langtest::ProgramFolder& folder) {
    folder.plant("TvxCaptions.txf", "");
    folder.addLanguage("TvxCaptions", {});
}

} // namespace

TEST_CASE("there is one routine for each caption table") {
    CHECK(captions::allWindowTexts().size() == routines().size());
    for (const captions::WindowTexts& texts : captions::allWindowTexts()) {
        CAPTURE(std::string(texts.form));
        CHECK(routines().count(texts.form) == 1);
    }
}

TEST_CASE("every caption table names controls the real window has") {
    langtest::ProgramFolder folder;
    plantLists(folder);
    const testsupport::CleanableCabinet cabinet;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    RegisterWindows(app);
    for (const captions::WindowTexts& texts : captions::allWindowTexts()) {
        CAPTURE(std::string(texts.form));
        ui::Form* form = app.formNamed(texts.form);
        CHECK(form != nullptr);
        if (form == nullptr) {
            continue;
        }
        for (const captions::Caption& entry : texts.captions) {
            CAPTURE(std::string(entry.control));
            CHECK(form->find(entry.control) != nullptr);
        }
        unloadAll(app);
    }
}

TEST_CASE("without a language file every caption is a question mark and titles keep the version") {
    langtest::ProgramFolder folder;
    plantLists(folder);
    const testsupport::CleanableCabinet cabinet;
    langtest::ProgramFolder::choose("TvxNoSuchLanguage");
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    RegisterWindows(app);
    for (const captions::WindowTexts& texts : captions::allWindowTexts()) {
        CAPTURE(std::string(texts.form));
        ui::Form* form = app.formNamed(texts.form);
        if (form == nullptr) {
            continue; // reported by the test above
        }
        form->caption = "designed";
        routines().at(texts.form)(app);
        switch (texts.title) {
        case captions::Title::Designed:
            CHECK(form->caption == "designed");
            break;
        case captions::Title::Plain:
            CHECK(form->caption == "?");
            break;
        case captions::Title::WithVersion:
            CHECK(form->caption == "? 2.7");
            break;
        case captions::Title::Advanced:
            CHECK(form->caption == "? 2.7 ?");
            break;
        }
        for (const captions::Caption& entry : texts.captions) {
            CAPTURE(std::string(entry.control));
            if (const ui::Control* control = form->find(entry.control)) {
                const char* expected = entry.id == nullptr ? "" : entry.withVersion ? "? 2.7" : "?";
                CHECK(control->caption == expected);
            }
        }
        unloadAll(app);
        CHECK_FALSE(langtest::exists("TvxNoSuchLanguage.dlf"));
    }
}

TEST_CASE("titles are built from the title word, the version and the advanced suffix") {
    langtest::ProgramFolder folder;
    folder.addLanguage("TvxLangA", {"1000=Cleaner", "0005=Expert", "0006=Release", "1025=Heed",
                                    "1040=Careful", "1044=Settings"});
    langtest::ProgramFolder::choose("TvxLangA");
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    app.registerForm<StandIn<kMain>>();
    app.registerForm<StandIn<kAdvanced>>();
    app.registerForm<StandIn<kAbout>>();
    app.registerForm<StandIn<kWarning>>();
    app.registerForm<StandIn<kOptions>>();

    ApplyLangMain(app);
    ApplyLangAdvanced(app);
    ApplyLangAbout(app);
    ApplyLangWarning(app);
    ApplyLangOptions(app);

    struct Row {
        const char* form;
        const char* title;
    };
    const Row rows[] = {
        {"frmMain", "Cleaner 2.7"}, {"frmAdvanced", "Cleaner 2.7 Expert"},
        {"frmAbout", "designed"},   // the about window has no title text of its own
        {"frmWarning", "designed"}, // keeps its designed title
        {"frmOptions", "Settings"}, // secondary windows carry no version
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.form));
        const ui::Form* form = app.findForm(row.form);
        REQUIRE(form != nullptr); // each routine loads its window when it is not loaded yet
        CHECK(form->caption == row.title);
    }
    const ui::Form& about = *app.findForm("frmAbout");
    CHECK(about.find("fraAbout")->caption.empty());
    CHECK(about.find("lblVersion")->caption == "Release 2.7");
    CHECK(app.findForm("frmWarning")->find("lblWarning")->caption == "Careful");
    unloadAll(app);
}

TEST_CASE("a routine whose window is not known changes nothing") {
    langtest::ProgramFolder folder;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    ApplyLangCC(app);
    CHECK(app.loadedForms().empty());
    CHECK(renderer.boxes.empty());
}
