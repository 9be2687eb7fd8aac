// The cab cleaner end to end on both machines: a driver cabinet planted from generated files is
// cleaned through frmCC with the real extract.exe and cab.dll; every way the cleaning can fail
// leaves the original cabinet byte for byte as it was.
#include <doctest/doctest.h>

#include "backup/FrmRestore.h"
#include "cabcleaner/CabClean.h"
#include "cabcleaner/FrmCC.h"
#include "e2e/CleanSetup.h"
#include "language/TextIds.h"
#include "platform/Cabinet.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/RecordingRenderer.h"
#include "support/StoredCabinet.h"
#include "support/TestMachine.h"
#include "ui/App.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using e2e::englishText;
using e2e::exists;
using e2e::programPath;
using testsupport::StoredFile;

const char kCabName[] = "tvxtest.cab";
const char kLine[] = "\\Driver Cache\\i386\\tvxtest.cab";

std::string bytesOf(const std::string& path) {
    std::string bytes;
    return platform::readFile(path, bytes) == platform::kOk ? bytes : std::string("<missing>");
}

// A driver cabinet's files: ATI and NVIDIA ones (one in an inner folder, one in upper case),
// and the files that must survive: a hidden, a read-only system and an inner-folder file, and
// names that only look like a vendor's.
std::vector<StoredFile> driverFiles() {
    std::vector<StoredFile> files = {
        {"ati2dvag.dll", std::string(70000, 'a')},
        {"acpi.sys", std::string(50000, 'b'), 0x20, 0x2B21, 0x5000},
        {"NV4_DISP.DLL", "nvidia display"},
        {"Inner\\keep.inf", "[Version]\r\n", 0x20, 0x30A5, 0x1234},
        {"Inner\\nvraid.sys", "nforce raid"},
        {"hidden.cat", "catalog", 0x02},
        {"system.inf", "system", 0x05},
        {"anvil.sys", "not a vendor file"},
        {"atapi.sys", "ata, not ati"},
        {"atiogl.xml", "ati again"},
    };
    for (StoredFile& file : files) {
        if (file.bytes.size() > 1000) {
            for (std::size_t i = 0; i < file.bytes.size(); i += 7) {
                file.bytes[i] = static_cast<char>('0' + i % 43);
            }
        }
    }
    return files;
}

// Records the boxes frmCC shows and answers Yes to its confirmation; runs `duringPack` once, at
// the first pending messages while the new cabinet is being packed.
class CabRenderer : public testsupport::RecordingRenderer {
  public:
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest& request) override {
        texts.push_back(request.text);
        if (atBox) {
            atBox();
            atBox = nullptr;
        }
        return ui::MsgBoxResult::Yes;
    }
    void processPendingMessages() override {
        if (form != nullptr && duringPack &&
            form->lblStatus2.caption == englishText(textid::kCabPacking)) {
            const std::function<void()> once = duringPack;
            duringPack = nullptr;
            once();
        }
    }
    FrmCC* form = nullptr;
    std::function<void()> duringPack;
    std::function<void()> atBox;    // runs once, at the next message box
    std::vector<std::string> texts; // the texts of the boxes shown
};

// A machine with the cab configuration tvxtest.cab, its cabinet planted under the Windows folder,
// extract.exe and cab.dll in the program folder; all of it gone afterwards.
struct CabMachine {
    explicit CabMachine(const std::string& configuration = std::string(kLine) + "\r\n") {
        windows = GetWindowsFolder();
        temp = GetTempFolder();
        cabinet = windows + kLine;
        madeCache = !exists(windows + "\\Driver Cache");
        platform::createFolder(windows + "\\Driver Cache");
        platform::createFolder(windows + "\\Driver Cache\\i386");
        original = testsupport::storedCabinet(driverFiles());
        REQUIRE(platform::writeFile(cabinet, original) == platform::kOk);
        REQUIRE(
            platform::writeFile(programPath(std::string(kCabName) + ".ccf"),
                                *packs::encodePack(configuration, packs::PackMethod::Huffman)) ==
            platform::kOk);
        // On the simulated machine the stand-ins count as present only with these files there.
        for (const char* program : {"extract.exe", "cab.dll"}) {
            if (!exists(programPath(program))) {
                REQUIRE(platform::writeFile(programPath(program), "stand-in") == platform::kOk);
                planted.push_back(programPath(program));
            }
        }
    }
    ~CabMachine() {
        platform::setAttributes(cabinet, platform::kAttrNormal);
        platform::deleteFile(cabinet);
        platform::deleteTree(cabinet + ".new");
        platform::deleteFile(programPath(std::string(kCabName) + ".ccf"));
        for (const std::string& path : planted) {
            platform::deleteFile(path);
        }
        if (madeCache) {
            platform::deleteTree(windows + "\\Driver Cache");
        }
    }
    CabMachine(const CabMachine&) = delete;
    CabMachine& operator=(const CabMachine&) = delete;

    // Loads frmCC and presses Clean; the window is kept loaded for the checks.
    FrmCC& clean() {
        FrmCC& form = app.form<FrmCC>();
        renderer.form = &form;
        app.showModeless(form);
        REQUIRE(form.cmdClean.enabled);
        app.fire(form.cmdClean.onClick);
        return form;
    }

    // What a run left in the temporary and Windows folders, one name after the other: nothing.
    std::string leftovers() const {
        std::string left;
        for (const std::string& name : e2e::listNames(temp + "tmptvxtest*")) {
            left += name + " ";
        }
        for (const std::string& path : {windows + "\\xtccf.dll", cabinet + ".new"}) {
            left += exists(path) ? path + " " : "";
        }
        return left;
    }

    e2e::CleanSetup setup;
    std::string windows;
    std::string temp;
    std::string cabinet;
    std::string original;
    bool madeCache = false;
    std::vector<std::string> planted;
    std::unique_ptr<testsupport::HoldOpen> held;
    bool skip = false;
    CabRenderer renderer;
    ui::App app{renderer};
};

// Moves a program file of the program folder aside while it lives.
struct Hidden {
    explicit Hidden(const std::string& name) : path(programPath(name)) {
        REQUIRE(platform::moveFileReplacing(path, path + ".away") == platform::kOk);
    }
    ~Hidden() { platform::moveFileReplacing(path + ".away", path); }
    Hidden(const Hidden&) = delete;
    Hidden& operator=(const Hidden&) = delete;
    std::string path;
};

} // namespace

TEST_CASE("frmCC strips the ATI and NVIDIA files from a driver cabinet and keeps everything else") {
    CabMachine machine;
    FrmCC& form = machine.clean();

    CHECK(machine.renderer.texts == std::vector<std::string>{englishText("0009")});
    CHECK(form.lblStatus.caption == englishText(textid::kCabFinished) + " tvxtest.cab !");
    CHECK(form.lblStatus2.caption == "");
    CHECK(form.lblInfoMin.caption == "");
    CHECK(form.cmdClean.enabled);
    CHECK(form.cmdClose.enabled);
    CHECK(machine.leftovers() == "");

    std::vector<StoredFile> expected;
    for (const StoredFile& file : driverFiles()) {
        if (!IsVendorFile(file.name)) {
            expected.push_back(file);
        }
    }
    REQUIRE(expected.size() == 6);
    std::vector<platform::CabinetEntry> entries;
    REQUIRE(platform::listCabinet(machine.cabinet, entries) == platform::kOk);
    REQUIRE(entries.size() == expected.size());
    testsupport::ScratchArea area;
    std::size_t extracted = 0;
    REQUIRE(platform::extractCabinet(machine.cabinet, area.folder, "", extracted) == platform::kOk);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        CAPTURE(expected[i].name);
        CHECK(entries[i].path == expected[i].name);
        CHECK(entries[i].dosDate == expected[i].date);
        CHECK(entries[i].dosTime == expected[i].time);
        CHECK((entries[i].attributes & 0x07) == (expected[i].attributes & 0x07u));
        CHECK(bytesOf(area.folder + "\\" + expected[i].name) == expected[i].bytes);
    }
    platform::setAttributes(area.folder + "\\system.inf", platform::kAttrNormal);

    // Nothing of a vendor is left, so a second clean leaves the new cabinet as it is.
    const std::string cleaned = bytesOf(machine.cabinet);
    machine.app.fire(form.cmdClean.onClick);
    CHECK(bytesOf(machine.cabinet) == cleaned);
    CHECK(form.lblStatus.caption == englishText(textid::kCabNothingToRemove));
    CHECK(form.lblStatus2.caption == machine.cabinet);
}

TEST_CASE("every failure on the way leaves the original cabinet byte for byte as it was") {
    struct Row {
        const char* what;
        const char* hide; // a program file moved aside for the run
        std::function<void(CabMachine&)> arrange;
        const char* status; // nullptr: the window is gone at the end
        std::string box;    // the error box shown, if any
    };
    const std::vector<Row> rows = {
        {"extractor missing", "extract.exe", nullptr, textid::kCabExtractFailed, ""},
        {"damaged cabinet", nullptr,
         [](CabMachine& m) {
             m.original = m.original.substr(0, m.original.size() - 100);
             REQUIRE(platform::writeFile(m.cabinet, m.original) == platform::kOk);
         },
         textid::kCabExtractFailed, ""},
        {"cab.dll missing", "cab.dll", nullptr, textid::kCabPackFailed, englishText("0027")},
        {"a file that cannot be added", nullptr,
         [](CabMachine& m) {
             // The second file to pack is held open by someone else until the box shows.
             m.renderer.duringPack = [&m] {
                 m.held = std::make_unique<testsupport::HoldOpen>(m.temp + "tmptvxtest\\" +
                                                                  m.renderer.form->lstCAB.item(1));
                 REQUIRE(m.held->held());
                 m.renderer.atBox = [&m] { m.held.reset(); };
             };
         },
         textid::kCabPackFailed, "Inner\\keep.inf " + englishText("0029")},
        {"the disk refuses the new cabinet", nullptr,
         [](CabMachine& m) {
             if (!testsupport::denyAccess(m.cabinet + ".new", true)) {
                 m.skip = true; // a fault mark of the simulated machine
             }
         },
         textid::kCabPackFailed, englishText("0028")},
        {"the window closed mid-run", nullptr,
         [](CabMachine& m) { m.renderer.duringPack = [&m] { m.renderer.form->closeRequested(); }; },
         nullptr, ""},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.what));
        CabMachine machine;
        std::unique_ptr<Hidden> hidden;
        if (row.hide != nullptr) {
            hidden = std::make_unique<Hidden>(row.hide);
        }
        if (row.arrange) {
            row.arrange(machine);
        }
        if (machine.skip) {
            continue;
        }
        FrmCC& form = machine.clean();
        testsupport::denyAccess(machine.cabinet + ".new", false);
        CHECK(bytesOf(machine.cabinet) == machine.original);
        CHECK(machine.leftovers() == "");
        std::vector<std::string> boxes = {englishText("0009")};
        if (!row.box.empty()) {
            boxes.push_back(row.box);
        }
        CHECK(machine.renderer.texts == boxes);
        if (row.status == nullptr) {
            CHECK_FALSE(machine.app.isLoaded<FrmCC>());
            continue;
        }
        CHECK(form.lblStatus.caption == englishText(row.status));
        CHECK(form.lblStatus2.caption == machine.cabinet);
        CHECK(form.cmdClean.enabled);
    }
}

TEST_CASE("the backed-up cabinet comes back byte for byte through frmRestore") {
    CabMachine machine;
    e2e::CleanSetup::setRunSettings("Yes", "No", "No", "No");
    machine.clean();
    REQUIRE(bytesOf(machine.cabinet) != machine.original);

    FrmRestore& restore = machine.app.form<FrmRestore>();
    machine.app.showModeless(restore);
    REQUIRE(restore.cboResFile.listCount() == 1);
    CHECK(restore.lstResFile.items() ==
          std::vector<std::string>{"\\Windows\\tvxtest.cab, " + machine.windows +
                                   "\\Driver Cache\\i386"});
    restore.lstResFile.setSelected(0, true);
    machine.app.fire(restore.cmdFRestore.onClick);
    CHECK(bytesOf(machine.cabinet) == machine.original);
}

TEST_CASE("frmCC offers the configurations whose cabinet exists and cleans only safe lines") {
    // Lines that would reach outside the Windows folder or name several files are passed over;
    // the last line's line break makes an empty piece.
    CabMachine machine("\\..\\Driver Cache\\i386\\tvxtest.cab\r\nC:\\Driver Cache\\i386\\"
                       "tvxtest.cab\r\nDriver Cache\\i386\\tvxtest.cab\r\n\\Driver Cache\\i386\\"
                       "*.cab\r\n\\Driver Cache\\i386\\tvxtest.ca?\r\n");
    REQUIRE(platform::writeFile(programPath("absent.cab.ccf"), "none") == platform::kOk);
    for (const char* scratch : {"tmpDriver", "tmpSP1", "tmpSP5"}) {
        platform::createFolder(machine.temp + scratch);
    }
    FrmCC& form = machine.clean();
    platform::deleteFile(programPath("absent.cab.ccf"));
    CHECK(form.lstCabNames.items() == std::vector<std::string>{"absent.cab", "tvxtest.cab"});
    CHECK(form.cboConfig.items() == std::vector<std::string>{"tvxtest.cab"});
    CHECK(bytesOf(machine.cabinet) == machine.original);
    CHECK(machine.leftovers() == "");

    // Typed text that names no configuration cleans nothing and asks nothing.
    machine.renderer.texts.clear();
    form.cboConfig.setListIndex(-1);
    form.cboConfig.text = "absent";
    machine.app.fire(form.cmdClean.onClick);
    CHECK(machine.renderer.texts.empty());
    CHECK(form.lblStatus.caption == englishText(textid::kCabChooseConfiguration));

    // Closed with its title bar while idle: the scratch folders go, no other window comes.
    machine.app.fire([&form] { form.closeRequested(); });
    CHECK(machine.app.ended());
    CHECK(e2e::listNames(machine.temp + "tmp*").empty());
    CHECK_FALSE(exists(machine.windows + "\\xtccf.dll"));
}

TEST_CASE(
    "every line of a configuration cleans its own cabinet; the texts name the configuration") {
    CabMachine machine(std::string(kLine) +
                       "\r\n\\ServicePackFiles\\i386\\tvxtest.cab\r\n\\ServicePackFiles\\i386\\"
                       "tvxall.cab\r\n");
    const std::string folder = machine.windows + "\\ServicePackFiles\\i386";
    const bool madeFolder = !exists(machine.windows + "\\ServicePackFiles");
    platform::createFolder(machine.windows + "\\ServicePackFiles");
    platform::createFolder(folder);
    // No ATI file in the second one: its NVIDIA files still go. The third holds vendor files
    // only and becomes a cabinet without files.
    REQUIRE(platform::writeFile(folder + "\\tvxtest.cab",
                                testsupport::storedCabinet(
                                    {{"nvcpl.dll", "n"}, {"usb.sys", "u"}})) == platform::kOk);
    REQUIRE(platform::writeFile(folder + "\\tvxall.cab",
                                testsupport::storedCabinet({{"ati.dll", "a"}, {"nv.dll", "n"}})) ==
            platform::kOk);
    FrmCC& form = machine.clean();
    CHECK(form.lblStatus.caption == englishText(textid::kCabFinished) + " tvxtest.cab !");
    const std::pair<std::string, std::size_t> cabinets[] = {
        {machine.cabinet, 6}, {folder + "\\tvxtest.cab", 1}, {folder + "\\tvxall.cab", 0}};
    for (const auto& [path, count] : cabinets) {
        const std::string cabinet = path;
        CAPTURE(cabinet);
        std::vector<platform::CabinetEntry> entries;
        REQUIRE(platform::listCabinet(cabinet, entries) == platform::kOk);
        CHECK(entries.size() == count);
        for (const platform::CabinetEntry& entry : entries) {
            CHECK_FALSE(IsVendorFile(entry.path));
        }
    }
    CHECK(machine.leftovers() == "");
    platform::deleteFile(folder + "\\tvxtest.cab");
    platform::deleteFile(folder + "\\tvxall.cab");
    if (madeFolder) {
        platform::deleteTree(machine.windows + "\\ServicePackFiles");
    }
}
