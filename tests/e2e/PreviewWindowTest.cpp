// The preview from the cleaning windows' File menu: frmPreview lists what the clean would take, in
// the chosen language, while the machine keeps every leftover.
#include <doctest/doctest.h>

#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
#include "e2e/CleanSetup.h"
#include "packs/Protection.h"
#include "support/Drive.h"
#include "testkit/Footprint.h"

#include <string>
#include <vector>

namespace {

using e2e::englishText;

// The engine's preview of `names`, in order, as the windows run it.
std::vector<RunItem> enginePreview(const std::vector<std::string>& names) {
    std::vector<RunItem> items;
    PreviewState state;
    RunContext context;
    cRegSearch search;
    clsProtection decoder;
    context.preview = &state;
    context.search = &search;
    context.onItem = [&items](const RunItem& item) { items.push_back(item); };
    for (const std::string& name : names) {
        context.configurationName = name;
        PreviewConfiguration(context, decoder, name);
    }
    return items;
}

std::string summary(const std::vector<RunItem>& items) {
    std::size_t removes = 0;
    for (const RunItem& item : items) {
        removes += item.outcome == ItemOutcome::Removes ? 1 : 0;
    }
    return englishText("0073") + " " + std::to_string(removes) + "    " + englishText("0074") +
           " " + std::to_string(items.size() - removes);
}

} // namespace

TEST_CASE("Preview in the normal window lists the clean's items and removes nothing") {
    e2e::CleanSetup setup;
    setup.addShippedConfiguration("NVIDIA");
    const std::vector<testkit::FootprintItem>& planted = setup.plant("NVIDIA");
    const std::vector<RunItem> items = enginePreview({"NVIDIA"});
    REQUIRE(items.size() > 10);
    REQUIRE(items[0].kind == ItemKind::File);

    const testsupport::DriveOutcome run = testsupport::driveTarvex(
        std::string(R"(
        tick 2
        select frmMain.cboConfigs NVIDIA
        during expect frmMain.cmdClean.enabled false
        during expect frmMain.mnuFilePreview.enabled false
        click frmMain.mnuFilePreview
        expect loaded frmPreview
        expect frmPreview.caption ")") +
        englishText("0060") + "\"\nexpect frmPreview.lblFilters.caption \"" + englishText("0075") +
        " NVIDIA\"\n" + "expect frmPreview.lstPreview.listcount " + std::to_string(items.size()) +
        "\nexpect frmPreview.lstPreview.item#0 \"" + englishText("0063") + " (" + items[0].path +
        "): " + std::to_string(items[0].bytes) + " " + englishText("0070") + "\"\n" +
        "expect frmPreview.lblSummary.caption \"" + summary(items) + "\"\n" + R"(
        click frmPreview.cmdClose
        expect not-loaded frmPreview
        expect frmMain.cmdClean.enabled true
        expect frmMain.mnuFilePreview.enabled true
        expect frmMain.lstDetail.listcount 0
        click frmMain.cmdClose
        expect ended
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    for (const testkit::FootprintItem& item : planted) {
        INFO(item.path << " " << item.valueName);
        CHECK(testkit::IsPresent(item));
    }
    CHECK_FALSE(e2e::exists(e2e::programPath("NVIDIA.txr")));
    CHECK_FALSE(e2e::exists(GetWindowsFolder() + "\\xttxf.dll"));
}

TEST_CASE("Preview in the advanced window takes the checked slots in slot order") {
    e2e::CleanSetup setup;
    setup.addShippedConfiguration("NVIDIA");
    setup.addShippedConfiguration("ATI");
    setup.plant("NVIDIA");
    setup.plant("ATI");
    WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Advanced");
    const std::vector<RunItem> items = enginePreview({"NVIDIA", "ATI"});
    std::size_t nvidia = 0;
    while (nvidia < items.size() && items[nvidia].configuration == "NVIDIA") {
        ++nvidia;
    }
    REQUIRE(nvidia > 0);
    REQUIRE(nvidia < items.size());

    const testsupport::DriveOutcome run = testsupport::driveTarvex(
        R"(
        tick 2
        expect loaded frmAdvanced
        click frmAdvanced.mnuFilePreview
        expect frmPreview.lstPreview.listcount 0
        expect frmPreview.lblSummary.caption ")" +
        summary({}) + R"("
        click frmPreview.cmdClose
        click frmAdvanced.chkConfig3
        select frmAdvanced.cboConfigs3 ATI
        click frmAdvanced.chkConfig1
        select frmAdvanced.cboConfigs1 NVIDIA
        click frmAdvanced.mnuFilePreview
        expect frmPreview.lblFilters.caption ")" +
        englishText("0075") + R"( NVIDIA, ATI"
        expect frmPreview.lstPreview.listcount )" +
        std::to_string(items.size() + 2) + R"(
        expect frmPreview.lstPreview.item#0 "[NVIDIA]"
        expect frmPreview.lstPreview.item#)" +
        std::to_string(nvidia + 1) + R"( "[ATI]"
        expect frmPreview.lblSummary.caption ")" +
        summary(items) + R"("
        click frmPreview.cmdClose
        click frmAdvanced.cmdClose
        expect ended
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK(setup.leftovers("NVIDIA") != "");
}
