// The form model's user input: what a user cannot reach is refused with its reason, and clicks,
// picks and typing change the controls as the Windows controls do before the events run.
#include <doctest/doctest.h>

#include "support/RecordingRenderer.h"
#include "ui/App.h"
#include "ui/UserInput.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace {

class Sample : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmSample";
    explicit Sample(ui::App& app) : ui::Form(app, kFormName) {
        lstMany.multiSelect = true;
        const std::initializer_list<ui::ListControl*> lists = {&lstOne, &lstMany, &cboPick};
        for (ui::ListControl* list : lists) {
            for (const char* entry : {"a", "b", "c"}) {
                list->addItem(entry);
            }
            list->onClick = [this, list] { heard += list->name + " click;"; };
            list->onChange = [this, list] { heard += list->name + " change;"; };
        }
        cboEdit.onChange = [this] { heard += "edit " + cboEdit.text + ";"; };
        for (ui::Control* control : controls()) {
            if (!control->onClick) {
                control->onClick = [this, control] { heard += control->name + ";"; };
            }
        }
    }
    ui::Button cmdGo{*this, "cmdGo"};
    ui::CheckBox chkFlag{*this, "chkFlag"};
    ui::Frame fraOuter{*this, "fraOuter"};
    ui::Picture picInner{*this, "picInner", &fraOuter};
    ui::CheckBox chkInner{*this, "chkInner", &picInner};
    ui::OptionButton optA{*this, "optA", &fraOuter};
    ui::OptionButton optB{*this, "optB", &fraOuter};
    ui::OptionButton optElsewhere{*this, "optElsewhere"};
    ui::ListBox lstOne{*this, "lstOne"};
    ui::ListBox lstMany{*this, "lstMany"};
    ui::ComboBox cboPick{*this, "cboPick", ui::ComboBox::Style::DropDownList};
    ui::ComboBox cboEdit{*this, "cboEdit", ui::ComboBox::Style::DropDownCombo};
    ui::Timer tmrTick{*this, "tmrTick"};
    ui::MenuItem mnuFile{*this, "mnuFile"};
    ui::MenuItem mnuFileBar{*this, "mnuFileBar", &mnuFile, "", true};
    std::string heard; // the events that ran, in order
};

class Dialog : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmDialog";
    explicit Dialog(ui::App& app) : ui::Form(app, kFormName) {}
};

struct Fixture {
    testsupport::RecordingRenderer renderer;
    ui::App app{renderer};
    Sample& form = app.show<Sample>();
};

} // namespace

TEST_CASE("a click is refused wherever a user could not reach the control, and nothing runs") {
    struct Row {
        const char* what;
        std::function<void(Sample&)> arrange;
        const char* control;
        const char* refusal;
    };
    const Row rows[] = {
        {"disabled", [](Sample& f) { f.cmdGo.enabled = false; }, "cmdGo", "cmdGo is disabled"},
        {"hidden", [](Sample& f) { f.cmdGo.visible = false; }, "cmdGo", "cmdGo is not visible"},
        {"in a hidden frame", [](Sample& f) { f.fraOuter.visible = false; }, "chkInner",
         "fraOuter (holding chkInner) is not visible"},
        {"in a disabled picture", [](Sample& f) { f.picInner.enabled = false; }, "chkInner",
         "picInner (holding chkInner) is disabled"},
        {"in a hidden window", [](Sample& f) { f.visible = false; }, "chkFlag",
         "window frmSample is not shown"},
        {"in a disabled window", [](Sample& f) { f.enabled = false; }, "chkFlag",
         "window frmSample is disabled"},
        {"a list", [](Sample&) {}, "lstOne", "lstOne is a list: pick an entry with select"},
        {"a timer", [](Sample& f) { f.tmrTick.enabled = true; }, "tmrTick",
         "tmrTick is a timer, which nobody can click"},
        {"a separator", [](Sample&) {}, "mnuFileBar", "mnuFileBar is a separator"},
    };
    for (const Row& row : rows) {
        const std::string what = row.what;
        CAPTURE(what);
        Fixture fixture;
        Sample& form = fixture.form;
        row.arrange(form);
        ui::Control& control = *form.find(row.control);
        CHECK(ui::click(control) == row.refusal);
        CHECK(form.heard.empty());
        CHECK(form.chkInner.value == 0);
        CHECK(form.chkFlag.value == 0);
    }
}

TEST_CASE("a window waiting for a modal one refuses, naming the modal window") {
    Fixture fixture;
    std::string refused;
    fixture.renderer.whileModal = [&](ui::Form&) { refused = ui::click(fixture.form.cmdGo); };
    fixture.app.showModal<Dialog>(fixture.form);
    CHECK(refused == "window frmSample is disabled while the modal window frmDialog is open");
    CHECK(fixture.form.heard.empty());
    CHECK(ui::click(fixture.form.cmdGo).empty());
}

TEST_CASE("check boxes and option buttons change as Windows' own do, before their Click runs") {
    struct Row {
        int before;
        int after;
    };
    // A greyed box clicked is cleared, as the real check boxes clear it.
    const Row boxes[] = {{0, 1}, {1, 0}, {2, 0}};
    for (const Row& row : boxes) {
        CAPTURE(row.before);
        Fixture fixture;
        Sample& form = fixture.form;
        form.chkFlag.value = row.before;
        int seen = -1;
        form.chkFlag.onClick = [&] { seen = form.chkFlag.value; };
        CHECK(ui::click(form.chkFlag).empty());
        CHECK(form.chkFlag.value == row.after);
        CHECK(seen == row.after);
    }

    Fixture fixture;
    Sample& form = fixture.form;
    form.optA.value = true;
    form.optElsewhere.value = true;
    CHECK(ui::click(form.optB).empty());
    CHECK(ui::click(form.optB).empty()); // a selected option still hears its click
    CHECK_FALSE(form.optA.value);
    CHECK(form.optB.value);
    CHECK(form.optElsewhere.value); // another container's group keeps its choice
    CHECK(form.heard == "optB;optB;");
}

TEST_CASE("a pick changes the selection, then Click runs, then Change when the entry moved") {
    struct Row {
        const char* list;
        int index;
        ui::Pick how;
        const char* refusal;
        const char* selected; // positions selected afterwards
        const char* heard;
    };
    const Row rows[] = {
        {"lstOne", 1, ui::Pick::Only, "", "1", "lstOne click;lstOne change;"},
        {"lstOne", -1, ui::Pick::Only, "lstOne has no entry #-1 (it has 3)", "", ""},
        {"lstOne", 3, ui::Pick::Only, "lstOne has no entry #3 (it has 3)", "", ""},
        {"lstOne", 0, ui::Pick::Add, "lstOne allows one selected entry only: use select", "", ""},
        {"lstMany", 2, ui::Pick::Add, "", "02", "lstMany click;lstMany change;"},
        {"lstMany", 0, ui::Pick::Remove, "", "", "lstMany click;"},
        {"lstMany", 2, ui::Pick::Only, "", "2", "lstMany click;lstMany change;"},
        {"cboPick", 2, ui::Pick::Only, "", "2", "cboPick click;cboPick change;"},
    };
    for (const Row& row : rows) {
        const std::string name = row.list;
        CAPTURE(name);
        CAPTURE(row.index);
        Fixture fixture;
        Sample& form = fixture.form;
        // Where the user starts: the first entry current, and selected.
        form.lstMany.setSelected(0, true);
        auto& list = static_cast<ui::ListControl&>(*form.find(row.list));
        CHECK(ui::select(list, row.index, row.how) == row.refusal);
        std::string selected;
        for (int i = 0; i < list.listCount(); ++i) {
            selected += list.selected(i) ? std::to_string(i) : "";
        }
        CHECK(selected == row.selected);
        CHECK(form.heard == row.heard);
    }

    Fixture fixture;
    Sample& form = fixture.form;
    CHECK(ui::select(form.cboPick, 1).empty());
    CHECK(form.cboPick.text == "b");
    form.lstOne.enabled = false;
    CHECK(ui::select(form.lstOne, 1) == "lstOne is disabled");
    // A pick made in a real list window is written by the renderer and heard the same way.
    form.lstOne.enabled = true;
    form.heard.clear();
    CHECK(ui::select(form.lstOne, [&] { form.lstOne.setListIndex(2); }).empty());
    CHECK(form.heard == "lstOne click;lstOne change;");
}

TEST_CASE("a Click that unloads the window keeps its Change from running") {
    Fixture fixture;
    Sample& form = fixture.form;
    bool changed = false;
    form.lstOne.onClick = [&] { fixture.app.unload(form); };
    form.lstOne.onChange = [&] { changed = true; };
    CHECK(ui::select(form.lstOne, 1).empty()); // the window is gone afterwards
    CHECK_FALSE(changed);
    CHECK(fixture.app.ended());
}

TEST_CASE("typing replaces a drop-down combo's text and keeps its entry; a list has no field") {
    Fixture fixture;
    Sample& form = fixture.form;
    form.cboEdit.addItem("Arial");
    form.cboEdit.setListIndex(0);
    CHECK(ui::type(form.cboEdit, "Tahoma").empty());
    CHECK(form.cboEdit.text == "Tahoma");
    CHECK(form.cboEdit.listIndex() == 0);
    CHECK(ui::type(form.cboPick, "x") == "cboPick has no text field to type into");
    form.cboEdit.visible = false;
    CHECK(ui::type(form.cboEdit, "x") == "cboEdit is not visible");
    CHECK(form.heard == "edit Tahoma;");
}
