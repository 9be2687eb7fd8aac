// The chosen font face on windows and controls, and the font window that stores the choice.
#include <doctest/doctest.h>

#include "base/Font.h"
#include "language/FrmFont.h"
#include "language/LanguageFixture.h"
#include "support/RecordingRenderer.h"
#include "support/User.h"
#include "ui/App.h"

#include <string>
#include <vector>

using testsupport::clickOn;
using testsupport::pick;

namespace {

// One control of every kind, one of them with a designed face of its own.
template <const char* Name> class Sample : public ui::Form {
  public:
    static constexpr const char* kFormName = Name;
    explicit Sample(ui::App& app) : ui::Form(app, kFormName) { lblDesigned.fontFace = "Arial"; }
    ui::Label lblPlain{*this, "lblPlain"};
    ui::Label lblDesigned{*this, "lblDesigned"};
    ui::Button cmdGo{*this, "cmdGo"};
    ui::Frame fraBox{*this, "fraBox"};
    ui::CheckBox chkOn{*this, "chkOn", &fraBox};
    ui::OptionButton optOne{*this, "optOne", &fraBox};
    ui::ListBox lstItems{*this, "lstItems"};
    ui::ComboBox cboPick{*this, "cboPick", ui::ComboBox::Style::DropDownList};
    ui::Picture picHolder{*this, "picHolder"};
    ui::Image imgLogo{*this, "imgLogo"};
    ui::Timer tmrTick{*this, "tmrTick"};
    ui::MenuItem mnuFile{*this, "mnuFile"};
    ui::MenuItem mnuFileExit{*this, "mnuFileExit", &mnuFile};
};

inline constexpr char kSample[] = "frmSample";
inline constexpr char kMain[] = "frmMain";
inline constexpr char kAdvanced[] = "frmAdvanced";
inline constexpr char kWizard[] = "frmWiz1";

bool showsText(ui::ControlKind kind) {
    return kind != ui::ControlKind::MenuItem && kind != ui::ControlKind::Timer &&
           kind != ui::ControlKind::Image && kind != ui::ControlKind::Picture;
}

// The faces of the window and its controls, "name=face" in control order.
std::string faces(const ui::Form& form) {
    std::string result = form.name + "=" + form.fontFace;
    for (const ui::Control* control : form.controls()) {
        result += " " + control->name + "=" + control->fontFace;
    }
    return result;
}

void storeFont(const std::string& file, const std::string& face) {
    WriteIni(file, "FONT", "Name", face);
}

} // namespace

TEST_CASE("a stored face reaches the window and every control that shows text") {
    langtest::ProgramFolder folder;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    storeFont("Tarvex.ini", "Tahoma");
    auto& window = app.form<Sample<kSample>>();
    ApplyFont(window);
    CHECK(window.fontFace == "Tahoma");
    for (const ui::Control* control : window.controls()) {
        CAPTURE(control->name);
        if (showsText(control->kind)) {
            CHECK(control->fontFace == "Tahoma");
        } else {
            CHECK(control->fontFace.empty());
        }
    }
}

TEST_CASE("the designed fonts stay for Default, a missing key and a stored question mark") {
    struct Row {
        const char* stored; // nullptr: no FONT section at all
    };
    const Row rows[] = {{"Default"}, {nullptr}, {"?"}};
    for (const Row& row : rows) {
        CAPTURE(std::string(row.stored ? row.stored : "(missing)"));
        langtest::ProgramFolder folder;
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        if (row.stored != nullptr) {
            storeFont("Tarvex.ini", row.stored);
        }
        auto& window = app.form<Sample<kSample>>();
        const std::string before = faces(window);
        ApplyFont(window);
        CHECK(faces(window) == before);
    }
}

TEST_CASE("face names are compared exactly and any other name is applied as given") {
    langtest::ProgramFolder folder;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    auto& window = app.form<Sample<kSample>>();
    for (const char* face : {"default", "Courier New", "NoSuchFace"}) {
        CAPTURE(std::string(face));
        storeFont("Tarvex.ini", face);
        ApplyFont(window);
        CHECK(window.fontFace == face);
        CHECK(window.lblDesigned.fontFace == face);
    }
}

TEST_CASE("each program passes its own settings file") {
    langtest::ProgramFolder folder;
    folder.expect("TvxOther.ini");
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    storeFont("Tarvex.ini", "Default");
    storeFont("TvxOther.ini", "Tahoma");
    auto& window = app.form<Sample<kSample>>();
    ApplyFont(window, "TvxOther.ini");
    CHECK(window.cmdGo.fontFace == "Tahoma");
}

TEST_CASE("the font window offers Default and Tahoma and selects the stored one") {
    struct Row {
        const char* stored;
        int selected;
    };
    const Row rows[] = {{"Default", 0}, {"Tahoma", 1}, {"tahoma", -1}, {nullptr, -1}};
    for (const Row& row : rows) {
        CAPTURE(std::string(row.stored ? row.stored : "(missing)"));
        langtest::ProgramFolder folder;
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        if (row.stored != nullptr) {
            storeFont("Tarvex.ini", row.stored);
        }
        FrmFont& window = app.form<FrmFont>();
        REQUIRE(window.cboFont.items() == std::vector<std::string>{"Default", "Tahoma"});
        CHECK(window.cboFont.listIndex() == row.selected);
        // Nothing selected: there is nothing to save.
        CHECK(window.cmdSave.enabled == (row.selected >= 0));
    }
}

TEST_CASE("saving a font stores it and re-fonts only the window that opened the font window") {
    struct Row {
        const char* number;
        const char* opener;
    };
    const Row rows[] = {{"1", "frmMain"}, {"2", "frmAdvanced"}, {"3", "frmWiz1"}};
    for (const Row& row : rows) {
        CAPTURE(std::string(row.opener));
        langtest::ProgramFolder folder;
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        app.form<Sample<kMain>>();
        app.form<Sample<kAdvanced>>();
        app.form<Sample<kWizard>>();
        FrmFont& window = app.show<FrmFont>();
        window.lblfIdentify.caption = row.number;
        pick(window.cboFont, 1);
        clickOn(window.cmdSave);

        CHECK(ReadIni("Tarvex.ini", "FONT", "Name", "?") == "Tahoma");
        CHECK_FALSE(app.isLoaded<FrmFont>());
        for (const char* name : {"frmMain", "frmAdvanced", "frmWiz1"}) {
            CAPTURE(std::string(name));
            const ui::Form* other = app.findForm(name);
            REQUIRE(other != nullptr);
            CHECK(other->fontFace == (std::string(name) == row.opener ? "Tahoma" : ""));
        }
    }
}

TEST_CASE("choosing Default after Tahoma stores it but leaves the open window as it is") {
    langtest::ProgramFolder folder;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    storeFont("Tarvex.ini", "Tahoma");
    auto& main = app.form<Sample<kMain>>();
    ApplyFont(main);
    FrmFont& window = app.show<FrmFont>();
    window.lblfIdentify.caption = "1";
    CHECK(window.cboFont.listIndex() == 1);
    pick(window.cboFont, 0);
    clickOn(window.cmdSave);
    CHECK(ReadIni("Tarvex.ini", "FONT", "Name", "?") == "Default");
    CHECK(main.fontFace == "Tahoma");
}

TEST_CASE("closing the font window stores nothing") {
    langtest::ProgramFolder folder;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    FrmFont& window = app.show<FrmFont>();
    pick(window.cboFont, 1);
    clickOn(window.cmdClose);
    CHECK_FALSE(app.isLoaded<FrmFont>());
    CHECK_FALSE(langtest::exists("Tarvex.ini"));
}
