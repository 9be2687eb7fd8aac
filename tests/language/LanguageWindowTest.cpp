// The language window: the list of installed languages, the box when there is none, and a save
// that re-texts only the window that opened it.
#include <doctest/doctest.h>

#include "language/FrmLanguage.h"
#include "language/LanguageFixture.h"
#include "support/RecordingRenderer.h"
#include "support/User.h"
#include "ui/App.h"

#include <string>
#include <vector>

using testsupport::clickOn;
using testsupport::pick;

namespace {

// A stand-in for a window that opens the language window, with one control of its caption table.
template <const char* Name> class Opener : public ui::Form {
  public:
    static constexpr const char* kFormName = Name;
    explicit Opener(ui::App& app) : ui::Form(app, kFormName) {
        caption = "designed";
        cmdCancel.caption = "designed";
    }
    ui::Button cmdCancel{*this, "cmdCancel"};
};

inline constexpr char kMain[] = "frmMain";
inline constexpr char kAdvanced[] = "frmAdvanced";
inline constexpr char kWizard[] = "frmWiz1";

// The ordinary "*.lng" files of the program folder in the platform's order, without extension.
std::vector<std::string> listedByPlatform() {
    std::vector<platform::FindEntry> entries;
    platform::findFiles(langtest::programPath("*.lng"), entries);
    std::vector<std::string> names;
    for (const platform::FindEntry& entry : entries) {
        if ((entry.attributes & (platform::kAttrHidden | platform::kAttrDirectory)) == 0) {
            names.push_back(entry.name.substr(0, entry.name.rfind('.')));
        }
    }
    return names;
}

int indexOf(const ui::ComboBox& box, const std::string& entry) {
    for (int index = 0; index < box.listCount(); ++index) {
        if (box.item(index) == entry) {
            return index;
        }
    }
    return -1;
}

} // namespace

TEST_CASE("the language window lists every installed language and selects the stored one") {
    langtest::ProgramFolder folder;
    folder.addLanguage("TvxZulu", {"1041=Zulu title"});
    folder.addLanguage("Deutsch.Neu", {"1041=Neu"});
    folder.addLanguage("TvxAlpha", {"1041=Alpha"});
    folder.addLanguage("TvxHidden", {});
    platform::setAttributes(langtest::programPath("TvxHidden.lng"), platform::kAttrHidden);
    REQUIRE(platform::createFolder(langtest::programPath("TvxFolder.lng")) == platform::kOk);

    struct Row {
        const char* stored;
        const char* selected; // nullptr: no entry selected
    };
    const Row rows[] = {
        {"Deutsch.Neu", "Deutsch.Neu"}, // everything before the last point
        {"TvxAlpha", "TvxAlpha"},
        {"tvxalpha", nullptr}, // names are compared case-sensitively
        {"TvxHidden", nullptr},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.stored));
        langtest::ProgramFolder::choose(row.stored);
        RemoveLangFile();
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        FrmLanguage& window = app.show<FrmLanguage>();

        const std::vector<std::string> expected = listedByPlatform();
        CHECK(window.cboLanguage.items() == expected);
        CHECK(expected.size() == 3);
        CHECK(renderer.boxes.empty());
        if (row.selected != nullptr) {
            CHECK(window.cboLanguage.item(window.cboLanguage.listIndex()) == row.selected);
            CHECK(window.cmdSave.enabled);
        } else {
            CHECK(window.cboLanguage.listIndex() == -1);
            CHECK_FALSE(window.cmdSave.enabled);
            pick(window.cboLanguage, 0);
            CHECK(window.cmdSave.enabled);
        }
        app.unload(window);
    }
    platform::removeFolder(langtest::programPath("TvxFolder.lng"));
}

TEST_CASE("with no language installed the window says so and offers no working save") {
    langtest::ProgramFolder folder;
    REQUIRE(listedByPlatform().empty());
    langtest::ProgramFolder::choose("English");
    testsupport::RecordingRenderer renderer;
    renderer.answer(ui::MsgBoxResult::Ok);
    ui::App app(renderer);
    FrmLanguage& window = app.show<FrmLanguage>();

    REQUIRE(renderer.boxes.size() == 1);
    const ui::MessageBoxRequest& box = renderer.boxes.front();
    CHECK(box.text == "?"); // its own text needs a language file too
    CHECK(box.title == "?");
    CHECK(box.buttons == ui::MsgBoxButtons::Ok);
    CHECK(box.icon == ui::MsgBoxIcon::Critical);
    CHECK(window.cboLanguage.listCount() == 0);
    CHECK_FALSE(window.cmdSave.enabled);
    CHECK(app.isLoaded(window)); // it stays open and can only be closed
    clickOn(window.cmdClose);
    CHECK_FALSE(app.isLoaded<FrmLanguage>());
    CHECK(ReadIni("Tarvex.ini", "LANGUAGE", "CurrentLanguage", "?") == "English");
}

TEST_CASE("saving a language re-texts only the opener and replaces the decoded copy") {
    struct Row {
        const char* number;
        const char* opener;
        const char* title; // the opener's title in the new language
    };
    const Row rows[] = {{"1", "frmMain", "Neu 2.7"},
                        {"2", "frmAdvanced", "Neu 2.7 Extra"},
                        {"3", "frmWiz1", "Assistent 2.7"}};
    for (const Row& row : rows) {
        CAPTURE(std::string(row.opener));
        langtest::ProgramFolder folder;
        folder.addLanguage("TvxOld", {"1000=Old", "1066=Old wizard", "1067=Old cancel"});
        folder.addLanguage("TvxNew",
                           {"1000=Neu", "0005=Extra", "1066=Assistent", "1067=Abbrechen"});
        langtest::ProgramFolder::choose("TvxOld");
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        app.form<Opener<kMain>>();
        app.form<Opener<kAdvanced>>();
        app.form<Opener<kWizard>>();
        FrmLanguage& window = app.show<FrmLanguage>();
        REQUIRE(langtest::exists("TvxOld.dlf")); // the window's own texts were looked up
        window.lblfIdentify.caption = row.number;
        pick(window.cboLanguage, indexOf(window.cboLanguage, "TvxNew"));
        REQUIRE(window.cboLanguage.text == "TvxNew");
        clickOn(window.cmdSave);

        CHECK(ReadIni("Tarvex.ini", "LANGUAGE", "CurrentLanguage", "?") == "TvxNew");
        CHECK_FALSE(app.isLoaded<FrmLanguage>());
        CHECK_FALSE(langtest::exists("TvxOld.dlf"));
        CHECK(langtest::exists("TvxNew.dlf"));
        for (const char* name : {"frmMain", "frmAdvanced", "frmWiz1"}) {
            CAPTURE(std::string(name));
            const ui::Form& other = *app.findForm(name);
            const bool isOpener = std::string(name) == row.opener;
            CHECK(other.caption == (isOpener ? row.title : "designed"));
        }
        const std::string wizardCancel = app.findForm("frmWiz1")->find("cmdCancel")->caption;
        CHECK(wizardCancel == (std::string(row.number) == "3" ? "Abbrechen" : "designed"));
    }
}

TEST_CASE("closing the language window stores nothing") {
    langtest::ProgramFolder folder;
    folder.addLanguage("TvxAlpha", {});
    folder.addLanguage("TvxBeta", {});
    langtest::ProgramFolder::choose("TvxAlpha");
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    FrmLanguage& window = app.show<FrmLanguage>();
    pick(window.cboLanguage, indexOf(window.cboLanguage, "TvxBeta"));
    clickOn(window.cmdClose);
    CHECK(ReadIni("Tarvex.ini", "LANGUAGE", "CurrentLanguage", "?") == "TvxAlpha");
}
