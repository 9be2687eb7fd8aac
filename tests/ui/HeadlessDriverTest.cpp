// The headless driver against test-only windows: events a user's actions fire, modal windows,
// the program's end, timers on the virtual clock, and every way a script fails loudly.
#include <doctest/doctest.h>

#include "ui/App.h"
#include "ui/headless/Driver.h"
#include "ui/headless/TextMetrics.h"

#include <sstream>
#include <string>

namespace {

// Appends `entry` and ";" to a log label, so scripts can check which events ran, in order.
void note(ui::Label& log, const std::string& entry) {
    log.caption += entry + ";";
}

class InnerWindow : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmInner";
    explicit InnerWindow(ui::App& app) : Form(app, kFormName) {
        caption = "Inner";
        cmdOK.onClick = [this] { this->app.unload(*this); };
    }
    ui::Button cmdOK{*this, "cmdOK"};
};

class DialogWindow : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmDialog";
    explicit DialogWindow(ui::App& app) : Form(app, kFormName) {
        caption = "Dialog";
        cmdNested.onClick = [this] {
            note(lblLog, "nested");
            this->app.showModal<InnerWindow>(*this);
            note(lblLog, "inner closed");
        };
        cmdOK.onClick = [this] {
            this->app.unload(*this);
            // Still alive: the window dies only once its own event has finished.
            note(lblLog, "unloaded");
        };
    }
    ui::Label lblLog{*this, "lblLog"};
    ui::Button cmdNested{*this, "cmdNested"};
    ui::Button cmdOK{*this, "cmdOK"};
};

class MainWindow : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmTest";
    explicit MainWindow(ui::App& app);
    void Form_Load() override;

    ui::Label lblLog{*this, "lblLog"};
    ui::Label lblTimers{*this, "lblTimers"};
    ui::Button cmdOpen{*this, "cmdOpen"};
    ui::Button cmdAsk{*this, "cmdAsk"};
    ui::Button cmdSwallow{*this, "cmdSwallow"};
    ui::Button cmdQuit{*this, "cmdQuit"};
    ui::Button cmdOff{*this, "cmdOff"};
    ui::Button cmdHideB{*this, "cmdHideB"};
    ui::Button cmdStop{*this, "cmdStop"};
    ui::Button cmdLong{*this, "cmdLong"};
    ui::Frame fraA{*this, "fraA"};
    ui::OptionButton optA1{*this, "optA1", &fraA};
    ui::OptionButton optA2{*this, "optA2", &fraA};
    ui::Frame fraB{*this, "fraB"};
    ui::OptionButton optB1{*this, "optB1", &fraB};
    ui::OptionButton optB2{*this, "optB2", &fraB};
    ui::CheckBox chkFlag{*this, "chkFlag"};
    ui::ListBox lstOne{*this, "lstOne"};
    ui::ListBox lstMany{*this, "lstMany"};
    ui::ComboBox cboPick{*this, "cboPick", ui::ComboBox::Style::DropDownList};
    ui::ComboBox cboEdit{*this, "cboEdit", ui::ComboBox::Style::DropDownCombo};
    ui::Timer tmrFast{*this, "tmrFast"};
    ui::Timer tmrSlow{*this, "tmrSlow"};
    ui::MenuItem mnuFile{*this, "mnuFile"};
    ui::MenuItem mnuFileOpen{*this, "mnuFileOpen", &mnuFile, "Ctrl+O"};
    ui::MenuItem mnuFileBar{*this, "mnuFileBar", &mnuFile, "", true};
    ui::MenuItem mnuFileHidden{*this, "mnuFileHidden", &mnuFile, "Ctrl+H"};
};

MainWindow::MainWindow(ui::App& app) : Form(app, kFormName) {
    caption = "Test";
    cmdOpen.caption = "Open";
    cmdOpen.isDefault = true;
    optA1.caption = "Yes";
    cmdOff.onClick = [this] { cmdOff.enabled = false; };
    cmdHideB.onClick = [this] { fraB.visible = false; };
    cmdStop.onClick = [this] {
        tmrFast.enabled = false;
        tmrSlow.enabled = false;
    };
    cmdOpen.onClick = [this] {
        note(lblLog, "open");
        this->app.showModal<DialogWindow>(*this);
        note(lblLog, "back");
    };
    mnuFileOpen.onClick = cmdOpen.onClick;
    cmdLong.onClick = [this] {
        // A long operation: disabled while it runs, letting pending messages through.
        note(lblLog, "long");
        cmdLong.enabled = false;
        for (int pass = 0; pass < 3; ++pass) {
            this->app.doEvents();
        }
        cmdLong.enabled = true;
        note(lblLog, "done");
    };
    mnuFileHidden.visible = false;
    cmdAsk.onClick = [this] {
        const ui::MsgBoxResult answer = this->app.msgBox(
            "Go on?", "Question", ui::MsgBoxButtons::YesNo, ui::MsgBoxIcon::Exclamation, this);
        note(lblLog, answer == ui::MsgBoxResult::Yes ? "yes" : "no");
    };
    cmdSwallow.onClick = [this] {
        // Code that ignores every error must not hide a failed run.
        try {
            this->app.msgBox("Swallowed?", "Question", ui::MsgBoxButtons::Ok, ui::MsgBoxIcon::None,
                             this);
        } catch (...) {
        }
        note(lblLog, "went on");
    };
    cmdQuit.onClick = [this] {
        this->app.unload(*this);
        note(lblLog, "after unload");
    };
    for (ui::OptionButton* option : {&optA1, &optA2, &optB1, &optB2}) {
        option->onClick = [this, option] { note(lblLog, option->name); };
    }
    chkFlag.onClick = [this] { note(lblLog, "chk" + std::to_string(chkFlag.value)); };
    lstOne.onClick = [this] { note(lblLog, "one:" + std::to_string(lstOne.listIndex())); };
    lstOne.onChange = [this] { note(lblLog, "one-change"); };
    lstMany.multiSelect = true;
    lstMany.onClick = [this] {
        std::string marks;
        for (int i = 0; i < lstMany.listCount(); ++i) {
            marks += lstMany.selected(i) ? std::to_string(i) : "";
        }
        note(lblLog, "many:" + marks);
    };
    cboPick.onChange = [this] { note(lblLog, "pick:" + cboPick.text); };
    cboEdit.onChange = [this] { note(lblLog, "edit:" + cboEdit.text); };
    tmrFast.interval = 300;
    tmrFast.onTimer = [this] { note(lblTimers, "F"); };
    tmrSlow.interval = 500;
    tmrSlow.onTimer = [this] { note(lblTimers, "S"); };
}

void MainWindow::Form_Load() {
    for (const char* entry : {"alpha", "beta", "gamma"}) {
        lstOne.addItem(entry);
    }
    for (const char* entry : {"a", "b", "c"}) {
        lstMany.addItem(entry);
    }
    cboPick.addItem("NVIDIA");
    cboPick.addItem("ATI");
    cboEdit.addItem("Arial");
    tmrFast.enabled = true;
    tmrSlow.enabled = true;
}

void startTestWindows(ui::App& app) {
    app.registerForm<MainWindow>();
    app.registerForm<DialogWindow>();
    app.registerForm<InnerWindow>();
    app.show<MainWindow>();
}

struct Run {
    bool ok = false;
    std::string output;
};

Run drive(const std::string& script) {
    std::ostringstream out;
    Run run;
    run.ok = ui::headless::runScript(script, startTestWindows, out);
    run.output = out.str();
    return run;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct Case {
    const char* name;
    const char* script;
};

void requirePasses(const Case& row) {
    const std::string name = row.name;
    CAPTURE(name);
    const Run run = drive(row.script);
    INFO(run.output);
    CHECK(run.ok);
    CHECK(contains(run.output, " actions, OK\n"));
}

} // namespace

TEST_CASE("user actions fire the events a user's would and leave the controls consistent") {
    const Case cases[] = {
        {"option buttons are exclusive within their own container only",
         "click frmTest.optA1\nclick frmTest.optB2\nclick frmTest.optA2\n"
         "expect frmTest.optA1.value false\nexpect frmTest.optA2.value true\n"
         "expect frmTest.optB1.value 0\nexpect frmTest.optB2.value 1\n"
         "expect frmTest.lblLog.caption \"optA1;optB2;optA2;\"\n"},
        {"a check box toggles on each click",
         "click frmTest.chkFlag\nexpect frmTest.chkFlag.value 1\nclick frmTest.chkFlag\n"
         "expect frmTest.chkFlag.value 0\nexpect frmTest.lblLog.caption \"chk1;chk0;\"\n"},
        {"a single list selects by text or position; picking the current entry again is no change",
         "select frmTest.lstOne \"beta\"\nexpect frmTest.lstOne.listindex 1\n"
         "expect frmTest.lstOne.selected 1\nselect frmTest.lstOne #1\nselect frmTest.lstOne #2\n"
         "expect frmTest.lstOne.selected 2\n"
         "expect frmTest.lblLog.caption \"one:1;one-change;one:1;one:2;one-change;\"\n"},
        {"a multi-selection list selects alone, adds and removes",
         "select frmTest.lstMany #0\nselect-add frmTest.lstMany \"c\"\n"
         "expect frmTest.lstMany.selected 0,2\ndeselect frmTest.lstMany #0\n"
         "expect frmTest.lstMany.selected 2\nselect frmTest.lstMany b\n"
         "expect frmTest.lstMany.selected 1\n"
         "expect frmTest.lblLog.caption \"many:0;many:02;many:2;many:1;\"\n"},
        {"combo boxes: a picked entry becomes the text, typed text fires a change",
         "select frmTest.cboPick \"ATI\"\nexpect frmTest.cboPick.text ATI\n"
         "type frmTest.cboEdit \"Tahoma\"\nexpect frmTest.cboEdit.text Tahoma\n"
         "expect frmTest.cboEdit.listindex -1\n"
         "expect frmTest.lblLog.caption \"pick:ATI;edit:Tahoma;\"\n"},
        {"a menu shortcut and Enter press their entry and default button",
         "key frmTest Ctrl+O\nclose frmDialog\nkey frmTest Enter\nclick frmDialog.cmdOK\n"
         "expect frmTest.lblLog.caption \"open;back;open;back;\"\n"},
        {"expectations on windows, contains, and items",
         "expect frmTest.caption Test\nexpect frmTest.visible true\n"
         "expect frmTest.lstOne.items \"alpha|beta|gamma\"\n"
         "expect frmTest.lstOne.item#2 gamma\nexpect frmTest.lstOne.listcount 3\n"
         "expect frmTest.cmdOpen.caption contains pe\nexpect frmTest.font \"MS Sans Serif\"\n"
         "expect running\nexpect loaded frmTest\nexpect not-loaded frmDialog\n"},
        {"show loads and shows a window without its opener",
         "show frmInner\nexpect loaded frmInner\nexpect frmInner.visible true\n"
         "expect frmTest.enabled true\n"},
        {"deferred actions run one per pending-message pass of a long operation",
         "during expect frmTest.cmdLong.enabled false\nduring click frmTest.chkFlag\n"
         "click frmTest.cmdLong\nexpect frmTest.cmdLong.enabled true\n"
         "expect frmTest.lblLog.caption \"long;chk1;done;\"\n"},
        {"queued answers are used in order and the last box is remembered",
         "answer No\nanswer Yes\nclick frmTest.cmdAsk\nclick frmTest.cmdAsk\n"
         "expect msgbox \"Go on?\"\nexpect frmTest.lblLog.caption \"no;yes;\"\n"},
    };
    for (const Case& row : cases) {
        requirePasses(row);
    }
}

TEST_CASE("a modal window opened from a modal window disables its owners until it closes") {
    requirePasses({"nesting", R"(
        click frmTest.cmdOpen
        expect frmTest.enabled false
        click frmDialog.cmdNested
        expect frmDialog.enabled false
        expect frmTest.enabled false
        click frmInner.cmdOK
        expect not-loaded frmInner
        expect frmDialog.enabled true
        expect frmTest.enabled false
        expect frmDialog.lblLog.caption "nested;inner closed;"
        click frmDialog.cmdOK
        expect not-loaded frmDialog
        expect frmTest.enabled true
        expect frmTest.lblLog.caption "open;back;"
    )"});
    const Run run = drive("click frmTest.cmdOpen\nclick frmDialog.cmdOK\nclick frmTest.cmdOpen\n"
                          "click frmDialog.cmdOK\n");
    INFO(run.output);
    CHECK(run.ok);
    CHECK(contains(run.output, "modal frmDialog\nunload frmDialog\nload frmDialog\n"));
}

TEST_CASE("the program ends when its last window is unloaded, also from that window's handler") {
    requirePasses({"quit from its own handler",
                   "click frmTest.cmdQuit\nexpect ended\nexpect not-loaded frmTest\n"});
    requirePasses({"close box", "show frmInner\nclose frmTest\nexpect running\n"
                                "close frmInner\nexpect ended\n"});
    const Run after = drive("click frmTest.cmdQuit\nclick frmTest.cmdOpen\n");
    CHECK_FALSE(after.ok);
    CHECK(contains(after.output, "line 2: click frmTest.cmdOpen: window frmTest is not loaded"));
}

TEST_CASE("timers fire on the virtual clock in time order, ties in control order") {
    const Case cases[] = {
        {"one tick is the earliest timer", "tick\nexpect frmTest.lblTimers.caption F;\n"},
        {"ticks step from event to event", "tick 3\nexpect frmTest.lblTimers.caption F;S;F;\n"},
        {"wait fires everything due up to its end",
         "wait 1000\nexpect frmTest.lblTimers.caption \"F;S;F;F;S;\"\n"},
        {"timers due together fire in control order",
         "wait 1499\ntick\nexpect frmTest.lblTimers.caption \"F;S;F;F;S;F;F;S;\"\n"},
        {"a wait too short fires nothing", "wait 299\nexpect frmTest.lblTimers.caption \"\"\n"},
        {"a stopped timer does not fire",
         "click frmTest.cmdStop\nwait 5000\nexpect frmTest.lblTimers.caption \"\"\n"},
    };
    for (const Case& row : cases) {
        requirePasses(row);
    }
}

TEST_CASE("anything a user could not do, or a script mistake, fails with its line") {
    struct Failing {
        const char* script;
        const char* message;
    };
    const Failing cases[] = {
        {"click frmTest.cmdOff\nclick frmTest.cmdOff",
         "line 2: click frmTest.cmdOff: cmdOff is disabled"},
        {"click frmTest.cmdHideB\nclick frmTest.optB1",
         "line 2: click frmTest.optB1: fraB (holding optB1) is not visible"},
        {"click frmTest.cmdOpen\nclick frmTest.cmdAsk",
         "line 2: click frmTest.cmdAsk: window frmTest is disabled while the modal window "
         "frmDialog is open"},
        {"click frmTest.cmdAsk",
         "line 1: click frmTest.cmdAsk: a message box appeared with no answer queued: \"Go on?\""},
        {"answer OK\nclick frmTest.cmdAsk", "the queued answer OK does not fit a box with Yes/No"},
        {"click frmTest.cmdSwallow", "line 1: click frmTest.cmdSwallow: a message box appeared"},
        {"answer Yes\nexpect running", "at the end: 1 queued answer(s) never used: Yes"},
        {"# comment\n\nclick frmTest.cmdOpen",
         "the script ended while the modal window frmDialog is open (opened by line 3)"},
        {"expect frmTest.chkFlag.value 1",
         "line 1: expect frmTest.chkFlag.value 1: expected \"1\", found \"0\""},
        {"expect frmTest.caption contains \"Best\"", "found \"Test\", which does not contain"},
        {"expect frmTest.cmdOpen.text x", "cmdOpen (button) has no property text"},
        {"click frmTest.cmdNone", "window frmTest has no control called cmdNone"},
        {"click frmDialog.cmdOK", "window frmDialog is not loaded"},
        {"select frmTest.lstOne \"delta\"",
         "lstOne has no entry \"delta\" (entries: \"alpha\", \"beta\", \"gamma\")"},
        {"select frmTest.lstOne #3", "lstOne has no entry #3 (it has 3)"},
        {"select-add frmTest.lstOne #0", "lstOne allows one selected entry only"},
        {"click frmTest.lstOne", "lstOne is a list: pick an entry with select"},
        {"type frmTest.cboPick \"x\"", "cboPick has no text field to type into"},
        {"click frmTest.mnuFileBar", "mnuFileBar is a separator"},
        {"key frmTest Ctrl+H", "line 1: key frmTest Ctrl+H: mnuFileHidden is not visible"},
        {"key frmTest F5", "no menu entry of frmTest has the shortcut F5"},
        {"key frmTest Escape", "window frmTest has no cancel button"},
        {"click frmTest.cmdStop\ntick", "line 2: tick: no timer is running"},
        {"show frmNothing", "no window is called frmNothing"},
        {"expect ended", "the program is still running (loaded: frmTest)"},
        {"expect msgbox \"Go on?\"", "no message box has been shown"},
        {"print frmDialog", "window frmDialog is not loaded"},
        {"during click frmTest.cmdLong\nclick frmTest.cmdLong",
         "line 1: during click frmTest.cmdLong: cmdLong is disabled"},
        {"during expect running\nclick frmTest.chkFlag",
         "at the end: 1 'during' action(s) never ran: nothing processed pending messages after "
         "line 1"},
    };
    for (const Failing& row : cases) {
        const std::string script = row.script;
        CAPTURE(script);
        const Run run = drive(row.script);
        INFO(run.output);
        CHECK_FALSE(run.ok);
        CHECK(contains(run.output, row.message));
        CHECK(contains(run.output, "\ntvxdrive: "));
    }
}

TEST_CASE("a script that does not parse fails before the program starts") {
    const Run run = drive("click frmTest.cmdAsk\n\nclikc frmTest.cmdAsk\n");
    CHECK_FALSE(run.ok);
    CHECK(run.output == "tvxdrive: line 3: unknown command 'clikc'\n");
}

TEST_CASE("message boxes and help requests are printed with everything they showed") {
    std::ostringstream out;
    const bool ok = ui::headless::runScript(
        "answer OK\nexpect msgbox \"Hello\"\n",
        [](ui::App& app) {
            app.msgBox("Hello", "Start", ui::MsgBoxButtons::Ok, ui::MsgBoxIcon::Critical);
            app.registerForm<InnerWindow>();
            InnerWindow& inner = app.show<InnerWindow>();
            app.renderer.openHelp(inner, "C:\\Tarvex\\Tarvex.hlp", 11);
        },
        out, "drv");
    INFO(out.str());
    CHECK(ok);
    CHECK(out.str() == "msgbox title=\"Start\" text=\"Hello\" buttons=OK icon=critical -> OK\n"
                       "load frmInner\nshow frmInner\n"
                       "help \"C:\\Tarvex\\Tarvex.hlp\" command=11 owner=frmInner\n"
                       "drv: 2 actions, OK\n");
}

TEST_CASE("print shows each control's state, indented by container") {
    const Run run = drive("click frmTest.optA1\nselect frmTest.lstOne #1\nprint frmTest\n");
    INFO(run.output);
    CHECK(run.ok);
    for (const char* line :
         {"frmTest \"Test\" shown\n", "  fraA frame \"\"\n",
          "    optA1 option \"Yes\" value=true\n", "  lstOne listbox listindex=1 listcount=3\n",
          "   #0 \"alpha\"\n", "  *#1 \"beta\"\n", "  tmrFast timer interval=300\n",
          "    mnuFileOpen menu \"\" Ctrl+O\n", "    mnuFileHidden menu \"\" hidden Ctrl+H\n",
          "  cboPick combo (list) text=\"\" listindex=-1 listcount=2\n"}) {
        CHECK(contains(run.output, line));
    }
}

TEST_CASE("text widths come from fixed per-face tables") {
    struct Row {
        const char* face;
        const char* text;
        int width;
    };
    const Row rows[] = {
        {"MS Sans Serif", "", 0},          {"Tahoma", "i", 2},    {"tahoma", "W", 10},
        {"Tahoma", "Ab 1", 6 + 6 + 3 + 6}, {"Arial", "A", 7},     {"MS Sans Serif", "A", 7},
        {"Tahoma", "\x01\t", 0},           {"Tahoma", "\xE9", 6},
    };
    for (const Row& row : rows) {
        const std::string face = row.face;
        const std::string text = row.text;
        CAPTURE(face);
        CAPTURE(text);
        CHECK(ui::headless::textWidth(row.face, row.text) == row.width);
    }
}
