// OS detection and the OS line on the machine templates that play real Windows installations,
// from Windows 95 to Vista and 64-bit Windows XP.
#include <doctest/doctest.h>

#include "../language/LanguageFixture.h"
#include "language/OSLine.h"
#include "platform/System.h"
#include "platform/sim/SimMachine.h"
#include "support/RecordingRenderer.h"
#include "system/OSInfo.h"
#include "ui/App.h"
#include "ui/Form.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

// A machine made from a template in its own host folder, selected for as long as it lives.
class TemplateMachine {
  public:
    explicit TemplateMachine(const std::string& templateName) {
        char pattern[] = "/tmp/tvx-os.XXXXXX";
        folder = mkdtemp(pattern);
        previous = sim::machineFolder();
        std::string problem;
        created = sim::createMachine(folder + "/m", templateName, problem);
        sim::selectMachine(folder + "/m");
    }
    ~TemplateMachine() {
        sim::selectMachine(previous);
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    TemplateMachine(const TemplateMachine&) = delete;
    TemplateMachine& operator=(const TemplateMachine&) = delete;

    std::string folder;
    std::string previous;
    bool created = false;
};

class OSLineWindow : public ui::Form {
  public:
    explicit OSLineWindow(ui::App& app) : Form(app, "frmOSLine") {}
    ui::Label lblOS{*this, "lblOS"};
};

// The product-type words and the short service pack form of a test language.
const std::vector<std::string> kLanguage = {"0001=Server", "0002=Domain Controller",
                                            "0003=Workstation", "0033=64-bit", "0314=SvcPk"};

} // namespace

TEST_CASE("the templates report what a real installation of their kind reports") {
    struct Case {
        const char* templateName;
        std::vector<std::pair<const char*, const char*>> changes; // [Version] values changed
        int platform;
        const char* name;
        const char* versionString;
        int servicePackMajor;
        int servicePackMinor;
        int family;
        int productType;
        bool isNT;
        const char* osLine;  // ShowOSInfo
        const char* osLine2; // ShowOSInfo2
    };
    const Case cases[] = {
        {"win95", {}, 1, "Windows 95", "4.0.0950", 0, 0, 0, 0, false, "Windows 95 ", "Windows 95 "},
        {"win95",
         {{"Build", "0x04000457"}, {"CSDVersion", " B"}},
         2,
         "Windows 95 Release 2",
         "4.0.1111",
         0,
         0,
         0,
         0,
         false,
         "Windows 95 Release 2 ",
         "Windows 95 Release 2 "},
        {"win98-se",
         {},
         4,
         "Windows 98 Release 2",
         "4.10.2222",
         0,
         0,
         0,
         0,
         false,
         "Windows 98 Release 2 ",
         "Windows 98 Release 2 "},
        {"win98-se",
         {{"Build", "0x040A07CE"}, {"CSDVersion", ""}},
         3,
         "Windows 98",
         "4.10.1998",
         0,
         0,
         0,
         0,
         false,
         "Windows 98 ",
         "Windows 98 "},
        {"winme",
         {},
         5,
         "Windows Millenium Edition",
         "4.90.3000",
         0,
         0,
         0,
         0,
         false,
         "Windows Millenium Edition ",
         "Windows Millenium Edition "},
        {"nt4-sp6",
         {},
         9,
         "Windows NT 4.0",
         "4.0.1381 Service Pack 6",
         6,
         0,
         1,
         0,
         true,
         "Windows NT 4.0 ",
         "Windows NT 4.0 "},
        {"nt4-sp6a",
         {},
         9,
         "Windows NT 4.0",
         "4.0.1381 Service Pack 6a",
         6,
         1,
         1,
         0,
         true,
         "Windows NT 4.0 ",
         "Windows NT 4.0 "},
        {"win2000-sp4",
         {},
         10,
         "Windows 2000",
         "5.0.2195 Service Pack 4",
         4,
         0,
         2,
         1,
         true,
         "Windows 2000 Workstation  (Service Pack 4)",
         "Windows 2000 Workstation  (SvcPk4)"},
        {"xp-sp2",
         {},
         11,
         "Windows XP",
         "5.1.2600 Service Pack 2",
         2,
         0,
         3,
         1,
         false,
         "Windows XP Workstation  (Service Pack 2)",
         "Windows XP Workstation  (SvcPk2)"},
        {"xp-sp2",
         {{"CSDVersion", ""}, {"SPMajor", "0"}},
         11,
         "Windows XP",
         "5.1.2600",
         0,
         0,
         3,
         1,
         false,
         "Windows XP Workstation  ",
         "Windows XP Workstation  "},
        {"win2003-sp2",
         {},
         12,
         "Windows 2003",
         "5.2.3790 Service Pack 2",
         2,
         0,
         4,
         3,
         false,
         "Windows 2003 Server  (Service Pack 2)",
         "Windows 2003 Server  (SvcPk2)"},
        {"win2003-sp2",
         {{"ProductType", "2"}},
         12,
         "Windows 2003",
         "5.2.3790 Service Pack 2",
         2,
         0,
         4,
         2,
         false,
         "Windows 2003 Domain Controller  (Service Pack 2)",
         "Windows 2003 Domain Controller  (SvcPk2)"},
        {"vista-sp2",
         {},
         13,
         "[Unknown]",
         "6.0.6002 Service Pack 2",
         2,
         0,
         0,
         1,
         false,
         "[Unknown] Workstation  (Service Pack 2)",
         "[Unknown] Workstation  (SvcPk2)"},
        {"xp-x64-sp2",
         {},
         12,
         "Windows 2003",
         "5.2.3790 Service Pack 2",
         2,
         0,
         4,
         1,
         false,
         "Windows 2003 64-bit Workstation  (Service Pack 2)",
         "Windows 2003 64-bit Workstation  (SvcPk2)"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.templateName);
        CAPTURE(c.versionString);
        TemplateMachine machine(c.templateName);
        REQUIRE(machine.created);
        for (const auto& change : c.changes) {
            REQUIRE(sim::setSetting("Version", change.first, change.second));
        }
        const OSInfo os;
        CHECK(os.Platform() == c.platform);
        CHECK(os.Name() == c.name);
        CHECK(os.VersionString() == c.versionString);
        CHECK(os.ServicePackMajor() == c.servicePackMajor);
        CHECK(os.ServicePackMinor() == c.servicePackMinor);
        CHECK(os.Family() == c.family);
        CHECK(os.ProductType() == c.productType);
        CHECK(os.IsNT() == c.isNT);

        langtest::ProgramFolder program;
        program.addLanguage("Test", kLanguage);
        langtest::ProgramFolder::choose("Test");
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        OSLineWindow window(app);
        ShowOSInfo(window);
        CHECK(window.lblOS.caption == c.osLine);
        ShowOSInfo2(window);
        CHECK(window.lblOS.caption == c.osLine2);
    }
}

TEST_CASE("9x templates keep the version in the build's high word and refuse the extended "
          "record") {
    struct Case {
        const char* templateName;
        std::uint32_t build;
        bool extended;
    };
    const Case cases[] = {
        {"win95", 0x040003B6, false}, {"win98-se", 0x040A08AE, false}, {"winme", 0x045A0BB8, false},
        {"nt4-sp6", 1381, true},      {"win2000-sp4", 2195, true},     {"win2003-sp2", 3790, true},
        {"vista-sp2", 6002, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.templateName);
        TemplateMachine machine(c.templateName);
        REQUIRE(machine.created);
        platform::VersionInfo plain;
        REQUIRE(platform::getVersionInfo(false, plain));
        CHECK(plain.build == c.build);
        CHECK(plain.platformId == (c.extended ? 2U : 1U));
        platform::VersionInfo extended;
        CHECK(platform::getVersionInfo(true, extended) == c.extended);
        CHECK(OSInfo().IsVerifySupported() == (c.extended && plain.major >= 5));
    }
}
