// The Win32 renderer against a sample window: model state reaches the real controls, and user
// input reaches the model before its events fire. Needs a display; without one the checks are
// skipped with a notice (scripts/gui-check.sh runs them under Xvfb).
#include <doctest/doctest.h>

#include "ui/App.h"
#include "ui/win32/Menus.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Win32Renderer.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using ui::ControlKind;

class SampleForm : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmSample";
    explicit SampleForm(ui::App& app) : ui::Form(app, kFormName) {
        caption = "Sample";
        bounds = {0, 0, 360, 260};
        lblInfo.caption = "Information";
        lblInfo.bounds = {8, 8, 200, 16};
        cmdGo.caption = "Go";
        cmdGo.bounds = {270, 8, 80, 24};
        cmdGo.isDefault = true;
        cmdCancel.caption = "Cancel";
        cmdCancel.bounds = {270, 36, 80, 24};
        cmdCancel.isCancel = true;
        fraChoice.caption = "Choice";
        fraChoice.bounds = {8, 30, 120, 70};
        optA.caption = "A";
        optA.bounds = {10, 18, 90, 18};
        optB.caption = "B";
        optB.bounds = {10, 40, 90, 18};
        chkKeep.caption = "Keep";
        chkKeep.bounds = {140, 30, 100, 18};
        lstFound.bounds = {8, 110, 160, 80};
        lstMany.bounds = {176, 110, 170, 80};
        lstMany.multiSelect = true;
        cboNames.bounds = {8, 200, 160, 21};
        cboFixed.bounds = {176, 200, 170, 21};
        imgLogo.bounds = {140, 52, 40, 40};
        imgLogo.resource = "logo";
        tmrTick.interval = 10;
        mnuFile.caption = "&File";
        mnuFileRun.caption = "&Run";
        mnuFileExit.caption = "E&xit";
        mnuTools.caption = "&Tools";
        mnuToolsMore.caption = "More";
        mnuToolsMoreOne.caption = "One";
        mnuHelp.caption = "&Help";
        mnuHelpHelp.caption = "&Help";
    }

    ui::Label lblInfo{*this, "lblInfo"};
    ui::Button cmdGo{*this, "cmdGo"};
    ui::Button cmdCancel{*this, "cmdCancel"};
    ui::Frame fraChoice{*this, "fraChoice"};
    ui::OptionButton optA{*this, "optA", &fraChoice};
    ui::OptionButton optB{*this, "optB", &fraChoice};
    ui::CheckBox chkKeep{*this, "chkKeep"};
    ui::ListBox lstFound{*this, "lstFound"};
    ui::ListBox lstMany{*this, "lstMany"};
    ui::ComboBox cboNames{*this, "cboNames", ui::ComboBox::Style::DropDownCombo};
    ui::ComboBox cboFixed{*this, "cboFixed", ui::ComboBox::Style::DropDownList};
    ui::Image imgLogo{*this, "imgLogo"};
    ui::Timer tmrTick{*this, "tmrTick"};
    ui::MenuItem mnuFile{*this, "mnuFile"};
    ui::MenuItem mnuFileRun{*this, "mnuFileRun", &mnuFile, "Ctrl+R"};
    ui::MenuItem mnuFileBar1{*this, "mnuFileBar1", &mnuFile, "", true};
    ui::MenuItem mnuFileExit{*this, "mnuFileExit", &mnuFile, "Ctrl+X"};
    ui::MenuItem mnuTools{*this, "mnuTools"};
    ui::MenuItem mnuToolsMore{*this, "mnuToolsMore", &mnuTools};
    ui::MenuItem mnuToolsMoreOne{*this, "mnuToolsMoreOne", &mnuToolsMore};
    ui::MenuItem mnuHelp{*this, "mnuHelp"};
    ui::MenuItem mnuHelpHelp{*this, "mnuHelpHelp", &mnuHelp, "F1"};
};

// A second window, shown modally by the sample's Go button in the modal test.
class DialogForm : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmDialog";
    explicit DialogForm(ui::App& app) : ui::Form(app, kFormName) {
        caption = "Dialog";
        bounds = {0, 0, 200, 80};
        cmdClose.caption = "Close";
        cmdClose.bounds = {60, 30, 80, 24};
        cmdClose.onClick = [this] { this->app.unload(*this); };
    }
    ui::Button cmdClose{*this, "cmdClose"};
};

bool windowsAvailable() {
    static const bool available = [] {
        HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     nullptr, nullptr);
        if (probe == nullptr) {
            return false;
        }
        DestroyWindow(probe);
        return true;
    }();
    if (!available) {
        MESSAGE("no display: the Win32 renderer checks are skipped");
    }
    return available;
}

std::string textOf(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::vector<std::string> listEntries(HWND list) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<char> buffer(length > 0 ? static_cast<std::size_t>(length) + 1 : 1);
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(buffer.data()));
        entries.emplace_back(buffer.data());
    }
    return entries;
}

// The notification a control sends its window when the user works it.
void notify(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                 reinterpret_cast<LPARAM>(control));
}

std::string menuString(HMENU menu, UINT position) {
    char buffer[256] = {};
    GetMenuStringA(menu, position, buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

struct Fixture {
    ui::win32::Win32Renderer renderer;
    ui::App app{renderer};
    SampleForm& form() { return app.form<SampleForm>(); }
    HWND window(const ui::Control& control) { return renderer.windowOf(control); }
};

} // namespace

TEST_CASE("shortcuts are read into accelerator keys") {
    struct Row {
        const char* text;
        bool known;
        BYTE fVirt;
        WORD key;
    };
    const Row rows[] = {
        {"Ctrl+R", true, FVIRTKEY | FCONTROL, 'R'},
        {"ctrl+x", true, FVIRTKEY | FCONTROL, 'X'},
        {"F1", true, FVIRTKEY, VK_F1},
        {"F12", true, FVIRTKEY, VK_F12},
        {"Shift+Ctrl+U", true, FVIRTKEY | FCONTROL | FSHIFT, 'U'},
        {"Alt+Del", true, FVIRTKEY | FALT, VK_DELETE},
        {"", false, 0, 0},
        {"Ctrl+", false, 0, 0},
        {"F0", false, 0, 0},
        {"F25", false, 0, 0},
        {"Hyper+R", false, 0, 0},
        {"Ctrl+Enter", false, 0, 0},
    };
    for (const Row& row : rows) {
        CAPTURE(row.text);
        ACCEL accel{};
        REQUIRE(ui::win32::parseShortcut(row.text, accel) == row.known);
        if (row.known) {
            CHECK(accel.fVirt == row.fVirt);
            CHECK(accel.key == row.key);
        }
    }
}

TEST_CASE("a loaded form becomes a window whose controls show the model") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    form.optB.value = true;
    form.chkKeep.value = 2;
    form.lstFound.addItem("one");
    form.lstFound.addItem("two");
    form.lstFound.setListIndex(1);
    form.cboFixed.addItem("Default");
    form.cboFixed.addItem("Tahoma");
    form.cboFixed.setListIndex(1);
    form.lblInfo.visible = false;
    form.cmdGo.enabled = false;
    fixture.app.showModeless(form);

    const HWND window = fixture.renderer.windowOf(form);
    REQUIRE(window != nullptr);
    CHECK(IsWindowVisible(window));
    CHECK(textOf(window) == "Sample");
    RECT client{};
    GetClientRect(window, &client);
    CHECK(client.right == 360);
    CHECK(client.bottom == 260);

    CHECK(textOf(fixture.window(form.cmdGo)) == "Go");
    CHECK_FALSE(IsWindowEnabled(fixture.window(form.cmdGo)));
    CHECK_FALSE(IsWindowVisible(fixture.window(form.lblInfo)));
    CHECK(SendMessageA(fixture.window(form.optA), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    CHECK(SendMessageA(fixture.window(form.optB), BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK(SendMessageA(fixture.window(form.chkKeep), BM_GETCHECK, 0, 0) == BST_INDETERMINATE);
    CHECK(listEntries(fixture.window(form.lstFound)) == std::vector<std::string>{"one", "two"});
    CHECK(SendMessageA(fixture.window(form.lstFound), LB_GETCURSEL, 0, 0) == 1);
    CHECK(SendMessageA(fixture.window(form.cboFixed), CB_GETCURSEL, 0, 0) == 1);
    CHECK(fixture.window(form.tmrTick) == nullptr);

    // Controls inside a frame sit at the frame's position plus their own.
    RECT option{};
    GetWindowRect(fixture.window(form.optA), &option);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&option), 2);
    CHECK(option.left == 8 + 10);
    CHECK(option.top == 30 + 18);
}

TEST_CASE("refresh brings the windows in line with later model changes") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    fixture.app.showModeless(form);
    const HWND list = fixture.window(form.lstFound);

    form.caption = "Renamed";
    form.cmdGo.caption = "&Clean";
    form.fraChoice.visible = false;
    form.fraChoice.enabled = false;
    form.lstFound.addItem("a");
    form.lstFound.addItem("b");
    form.lstFound.horizontalExtent = 640;
    form.lstFound.foreColor = ui::rgb(0, 128, 0);
    fixture.renderer.refresh(form);
    CHECK(textOf(fixture.renderer.windowOf(form)) == "Renamed");
    CHECK(textOf(fixture.window(form.cmdGo)) == "&Clean");
    // Hiding a frame hides what is inside it.
    CHECK_FALSE(IsWindowVisible(fixture.window(form.fraChoice)));
    CHECK_FALSE(IsWindowVisible(fixture.window(form.optA)));
    CHECK_FALSE(IsWindowEnabled(fixture.window(form.optA)));
    CHECK(listEntries(list) == std::vector<std::string>{"a", "b"});
    CHECK(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0) == 640);

    // Growing lists are appended to; any other change fills the list anew.
    form.lstFound.addItem("c");
    fixture.renderer.refresh(form);
    CHECK(listEntries(list) == std::vector<std::string>{"a", "b", "c"});
    form.lstFound.removeItem(0);
    fixture.renderer.refresh(form);
    CHECK(listEntries(list) == std::vector<std::string>{"b", "c"});
    form.lstFound.clear();
    fixture.renderer.refresh(form);
    CHECK(listEntries(list).empty());

    // Multi-selection marks are copied entry by entry.
    form.lstMany.addItem("x");
    form.lstMany.addItem("y");
    form.lstMany.addItem("z");
    form.lstMany.setSelected(0, true);
    form.lstMany.setSelected(2, true);
    fixture.renderer.refresh(form);
    const HWND many = fixture.window(form.lstMany);
    CHECK(SendMessageA(many, LB_GETSEL, 0, 0) > 0);
    CHECK(SendMessageA(many, LB_GETSEL, 1, 0) == 0);
    CHECK(SendMessageA(many, LB_GETSEL, 2, 0) > 0);

    // The list's own colour is handed out when it paints.
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(fixture.renderer.windowOf(form), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(list));
    CHECK(GetTextColor(dc) == RGB(0, 128, 0));
    DeleteDC(dc);

    // A chosen face replaces the design font at the same size.
    form.cmdGo.fontFace = "Tahoma";
    fixture.renderer.refresh(form);
    LOGFONTA chosen{};
    LOGFONTA design{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(fixture.window(form.cmdGo), WM_GETFONT, 0, 0)),
               sizeof chosen, &chosen);
    GetObjectA(
        reinterpret_cast<HFONT>(SendMessageA(fixture.window(form.cmdCancel), WM_GETFONT, 0, 0)),
        sizeof design, &design);
    CHECK(std::string(chosen.lfFaceName) == "Tahoma");
    CHECK(std::string(design.lfFaceName) == "MS Sans Serif");
    CHECK(chosen.lfHeight == design.lfHeight);
}

TEST_CASE("user input is written to the model before the event fires") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    form.lstFound.addItem("first");
    form.lstFound.addItem("second");
    form.cboNames.addItem("Default");
    form.cboNames.addItem("Tahoma");
    fixture.app.showModeless(form);

    std::vector<std::string> heard;
    form.chkKeep.onClick = [&] { heard.push_back("keep " + std::to_string(form.chkKeep.value)); };
    form.optA.onClick = [&] {
        heard.push_back(std::string("A ") + (form.optA.value ? "on" : "off") + " B " +
                        (form.optB.value ? "on" : "off"));
    };
    form.lstFound.onClick = [&] {
        heard.push_back("click " + form.lstFound.item(form.lstFound.listIndex()));
    };
    form.lstFound.onChange = [&] { heard.push_back("change"); };
    form.cboNames.onChange = [&] { heard.push_back("text " + form.cboNames.text); };
    form.cmdGo.onClick = [&] { heard.push_back("go"); };
    form.cmdCancel.onClick = [&] { heard.push_back("cancel"); };

    form.optB.value = true;
    fixture.renderer.refresh(form);
    SendMessageA(fixture.window(form.chkKeep), BM_CLICK, 0, 0);
    SendMessageA(fixture.window(form.optA), BM_CLICK, 0, 0);
    SendMessageA(fixture.window(form.lstFound), LB_SETCURSEL, 1, 0);
    notify(fixture.window(form.lstFound), LBN_SELCHANGE);
    // The same entry again is a click without a change.
    notify(fixture.window(form.lstFound), LBN_SELCHANGE);
    SendMessageA(fixture.window(form.cboNames), CB_SETCURSEL, 1, 0);
    notify(fixture.window(form.cboNames), CBN_SELCHANGE);
    SetWindowTextA(fixture.window(form.cboNames), "Arial");
    notify(fixture.window(form.cboNames), CBN_EDITCHANGE);
    // Enter presses the default button and Escape the cancel button (the dialog manager asks).
    SendMessageA(fixture.renderer.windowOf(form), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    SendMessageA(fixture.window(form.cmdGo), BM_CLICK, 0, 0);

    const std::vector<std::string> expected{"keep 1",     "A on B off",   "click second",
                                            "change",     "click second", "text Tahoma",
                                            "text Arial", "cancel",       "go"};
    CHECK(heard == expected);
    CHECK(form.cboNames.listIndex() == 1);
    CHECK(form.cboNames.text == "Arial");
    CHECK(SendMessageA(fixture.window(form.optB), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    CHECK(SendMessageA(fixture.window(form.chkKeep), BM_GETCHECK, 0, 0) == BST_CHECKED);
    const LRESULT defaultId = SendMessageA(fixture.renderer.windowOf(form), DM_GETDEFID, 0, 0);
    CHECK(HIWORD(defaultId) == DC_HASDEFID);
    CHECK(LOWORD(defaultId) == GetDlgCtrlID(fixture.window(form.cmdGo)));

    // A greyed check box clicked is cleared, as the model's own click clears it.
    form.chkKeep.value = 2;
    fixture.renderer.refresh(form);
    SendMessageA(fixture.window(form.chkKeep), BM_CLICK, 0, 0);
    CHECK(form.chkKeep.value == 0);
    CHECK(SendMessageA(fixture.window(form.chkKeep), BM_GETCHECK, 0, 0) == BST_UNCHECKED);

    // A disabled control's late notification runs nothing.
    heard.clear();
    form.cmdGo.enabled = false;
    fixture.renderer.refresh(form);
    notify(fixture.window(form.cmdGo), BN_CLICKED);
    CHECK(heard.empty());
}

TEST_CASE("multi-selection lists read every mark back") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    for (const char* entry : {"a", "b", "c", "d"}) {
        form.lstMany.addItem(entry);
    }
    fixture.app.showModeless(form);
    const HWND many = fixture.window(form.lstMany);
    CHECK((GetWindowLongA(many, GWL_STYLE) & LBS_EXTENDEDSEL) != 0);
    SendMessageA(many, LB_SETSEL, TRUE, 1);
    SendMessageA(many, LB_SETSEL, TRUE, 3);
    notify(many, LBN_SELCHANGE);
    CHECK_FALSE(form.lstMany.selected(0));
    CHECK(form.lstMany.selected(1));
    CHECK_FALSE(form.lstMany.selected(2));
    CHECK(form.lstMany.selected(3));
}

TEST_CASE("menus carry captions, shortcuts, separators, submenus and states") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    form.mnuFileExit.enabled = false;
    fixture.app.showModeless(form);
    HMENU bar = GetMenu(fixture.renderer.windowOf(form));
    REQUIRE(bar != nullptr);
    CHECK(GetMenuItemCount(bar) == 3);
    CHECK(menuString(bar, 0) == "&File");
    HMENU file = GetSubMenu(bar, 0);
    REQUIRE(file != nullptr);
    CHECK(GetMenuItemCount(file) == 3);
    CHECK(menuString(file, 0) == "&Run\tCtrl+R");
    CHECK((GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR) != 0);
    CHECK((GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED) != 0);
    HMENU more = GetSubMenu(GetSubMenu(bar, 1), 0);
    REQUIRE(more != nullptr);
    CHECK(menuString(more, 0) == "One");

    // Hidden entries leave the menu; captions follow the model.
    int ran = 0;
    form.mnuFileRun.onClick = [&] { ++ran; };
    form.mnuTools.visible = false;
    form.mnuHelpHelp.caption = "&Contents";
    fixture.renderer.refresh(form);
    bar = GetMenu(fixture.renderer.windowOf(form));
    CHECK(GetMenuItemCount(bar) == 2);
    CHECK(menuString(GetSubMenu(bar, 1), 0) == "&Contents\tF1");

    // A menu command (as the accelerator sends it) runs the entry's click while it is usable.
    const HWND window = fixture.renderer.windowOf(form);
    const WORD runId = static_cast<WORD>(GetMenuItemID(GetSubMenu(bar, 0), 0));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(runId, 1), 0);
    CHECK(ran == 1);
    form.mnuFile.enabled = false;
    fixture.renderer.refresh(form);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(runId, 1), 0);
    CHECK(ran == 1);
}

TEST_CASE("timers tick while enabled, and the close box asks the form") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    int ticks = 0;
    form.tmrTick.onTimer = [&] {
        ++ticks;
        form.tmrTick.enabled = false;
    };
    form.tmrTick.enabled = true;
    fixture.app.showModeless(form);
    // No timed check: wait for the first tick, however long the machine takes.
    MSG message;
    while (ticks == 0 && GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    CHECK(ticks == 1);
    fixture.renderer.processPendingMessages();

    const HWND window = fixture.renderer.windowOf(form);
    SendMessageA(window, WM_CLOSE, 0, 0);
    CHECK_FALSE(fixture.app.isLoaded<SampleForm>());
    CHECK_FALSE(IsWindow(window));
    CHECK(fixture.app.ended());
    // With no window left the main loop returns at once.
    fixture.renderer.run();
}

TEST_CASE("Alt+F4 closes the window from any control") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    fixture.app.showModeless(form);
    const HWND combo = fixture.window(form.cboFixed);
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageA(combo, WM_SYSKEYDOWN, VK_F4, kAltDown);
    // The close arrives as a message of its own; a few rounds of pending messages deliver it.
    for (int round = 0; round < 3 && fixture.app.isLoaded<SampleForm>(); ++round) {
        fixture.renderer.processPendingMessages();
    }
    CHECK_FALSE(fixture.app.isLoaded<SampleForm>());
}

TEST_CASE("a modal window disables the others until it is unloaded") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    fixture.app.showModeless(form);
    const HWND main = fixture.renderer.windowOf(form);
    bool ownerDisabled = false;
    bool returned = false;
    form.cmdGo.onClick = [&] {
        DialogForm& dialog = fixture.app.form<DialogForm>();
        dialog.cmdClose.onClick = [&fixture, &dialog, &ownerDisabled, main] {
            ownerDisabled = !IsWindowEnabled(main);
            fixture.app.unload(dialog);
        };
        // The user's click on Close arrives through the modal loop.
        PostMessageA(fixture.renderer.windowOf(dialog.cmdClose), BM_CLICK, 0, 0);
        fixture.app.showModal(dialog, &form);
        returned = true;
    };
    SendMessageA(fixture.window(form.cmdGo), BM_CLICK, 0, 0);
    CHECK(returned);
    CHECK(ownerDisabled);
    CHECK(IsWindowEnabled(main));
    CHECK_FALSE(fixture.app.isLoaded<DialogForm>());
}

TEST_CASE("text is measured in the control's font") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    fixture.app.showModeless(form);
    const int short_ = fixture.renderer.textWidth(form.lstFound, "abc");
    const int long_ = fixture.renderer.textWidth(form.lstFound, "abcabcabc");
    CHECK(short_ > 0);
    CHECK(long_ > short_);
    CHECK(fixture.renderer.textWidth(form.lstFound, "") == 0);
    // Timers have no window: their form's font measures.
    CHECK(fixture.renderer.textWidth(form.tmrTick, "abc") > 0);
}

TEST_CASE("odd layouts do not break the renderer") {
    if (!windowsAvailable()) {
        return;
    }
    Fixture fixture;
    SampleForm& form = fixture.form();
    form.cmdGo.bounds = {-20, -20, -5, -5};
    form.bounds = {0, 0, 0, 0};
    form.imgLogo.resource = "no such picture";
    form.lstFound.horizontalExtent = -3;
    form.lstFound.setListIndex(7);
    fixture.app.showModeless(form);
    form.lstFound.addItem(std::string(3000, 'x'));
    fixture.renderer.refresh(form);
    CHECK(listEntries(fixture.window(form.lstFound)).size() == 1);
    UpdateWindow(fixture.renderer.windowOf(form));
}

TEST_CASE("the splash draws the words its program gives it") {
    if (!windowsAvailable()) {
        return;
    }
    // Drawn into a bitmap of the screen's format, and compared there.
    const auto pixels = [](const ui::PictureWords& words) {
        constexpr int kWidth = 360;
        constexpr int kHeight = 200;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        const RECT area{0, 0, kWidth, kHeight};
        CHECK(ui::win32::drawPicture(dc, area, "splash", words));
        SelectObject(dc, previous);
        BITMAP shape{};
        GetObjectA(bitmap, sizeof shape, &shape);
        std::vector<char> bits(static_cast<std::size_t>(shape.bmWidthBytes) *
                               static_cast<std::size_t>(shape.bmHeight));
        GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return bits;
    };
    const ui::PictureWords tarvex{"Tarvex", "Display driver cleaner", "Version 2.7"};
    const auto drawn = pixels(tarvex);
    REQUIRE_FALSE(drawn.empty());
    CHECK(pixels(tarvex) == drawn);
    CHECK(pixels({"Quellix", "Display driver cleaner", "Version 2.7"}) != drawn);
    CHECK(pixels({"Tarvex", "Display driver cleaner", "Version 3.0"}) != drawn);
    CHECK(pixels({}) != drawn);
}
