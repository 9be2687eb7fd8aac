// Speed of a whole cab clean: a generated driver cabinet of about 100 MB (a few thousand files
// with driver-like names, a tenth of them ATI's and NVIDIA's) cleaned through frmCC with the
// real extract.exe and cab.dll: extract, filter, pack, verify, replace. Leaves a copy of the
// original at C:\bench-original.cab for scripts/bench.sh to time other tools on.
#include "base/General.h"
#include "cabcleaner/FrmCC.h"
#include "packs/PackEncoder.h"
#include "platform/CabLibrary.h"
#include "platform/Cabinet.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/App.h"
#include "ui/Renderer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char kLine[] = "\\Driver Cache\\i386\\bench.cab";
const char* const kStems[] = {"usb",   "serial", "i8042", "atapi",   "acpi",   "netw",  "scsi",
                              "hid",   "kbd",    "mouse", "parport", "sound",  "modem", "disk",
                              "cdrom", "video",  "vga",   "pci",     "isapnp", "wdm"};
const char* const kVendorStems[] = {"ati", "nv"};
const char* const kExtensions[] = {".sys", ".dll", ".inf", ".cat", ".hlp", ".exe"};

// Shows nothing and answers Yes: the bench confirms the clean like a user.
class QuietRenderer : public ui::Renderer {
  public:
    void formLoaded(ui::Form&) override {}
    void formShown(ui::Form&) override {}
    void runModal(ui::Form&) override {}
    void formUnloaded(ui::Form&) override {}
    void refresh(ui::Form&) override {}
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest& request) override {
        boxes.push_back(request.text);
        return ui::MsgBoxResult::Yes;
    }
    void processPendingMessages() override {}
    void run() override {}
    int textWidth(const ui::Control&, const std::string& text) override {
        return static_cast<int>(text.size()) * 6;
    }
    void openHelp(ui::Form&, const std::string&, unsigned) override {}
    std::vector<std::string> boxes;
};

// Driver-like bytes: code-like runs drawn from a small vocabulary between stretches of noise,
// so that deflate packs them to roughly half, as it does real drivers.
std::string driverBytes(std::size_t size, unsigned& seed) {
    static std::vector<std::string> words = [] {
        std::vector<std::string> made;
        unsigned s = 7;
        for (int i = 0; i < 512; ++i) {
            std::string word(4 + i % 13, '\0');
            for (char& c : word) {
                s = s * 1103515245u + 12345u;
                c = static_cast<char>(s >> 16);
            }
            made.push_back(word);
        }
        return made;
    }();
    std::string bytes;
    bytes.reserve(size + 32);
    while (bytes.size() < size) {
        seed = seed * 1103515245u + 12345u;
        if ((seed >> 8) % 4 == 0) {
            for (int i = 0; i < 6; ++i) {
                seed = seed * 1103515245u + 12345u;
                bytes.push_back(static_cast<char>(seed >> 16));
            }
        } else {
            bytes += words[(seed >> 12) % words.size()];
        }
    }
    bytes.resize(size);
    return bytes;
}

std::uint64_t sizeOf(const std::string& path) {
    std::uint64_t length = 0;
    platform::fileLength(path, length);
    return length;
}

bool writeNew(const std::string& path, const std::string& bytes) {
    return platform::writeFile(path, bytes) == platform::kOk;
}

} // namespace

// Usage: cab_bench [--megabytes N]. Changes the machine it runs on: use a scratch machine.
int main(int argc, char** argv) {
    std::size_t megabytes = 100;
    if (argc == 3 && std::string(argv[1]) == "--megabytes") {
        megabytes = static_cast<std::size_t>(std::max(1, std::atoi(argv[2])));
    }
    const std::string windows = GetWindowsFolder();
    const std::string program = platform::programFolder();
    const std::string source = windows + "\\TvxCabBench";
    const std::string cabinet = windows + kLine;
    platform::createFolder(windows + "\\Driver Cache");
    platform::createFolder(windows + "\\Driver Cache\\i386");
    platform::createFolder(source);
    // On the simulated machine the stand-ins count as present only with these files there.
    for (const char* name : {"extract.exe", "cab.dll"}) {
        if (sizeOf(program + "\\" + name) == 0 && !writeNew(program + "\\" + name, "stand-in")) {
            std::printf("cab_bench: cannot write %s\\%s (on the simulated machine TVX_MACHINE must "
                        "name a machine)\n",
                        program.c_str(), name);
            return 1;
        }
    }

    // The original cabinet, packed by the program folder's cab.dll from generated files.
    std::vector<std::string> names;
    std::size_t total = 0;
    unsigned seed = 12345;
    {
        platform::CabLibrary cab;
        std::int32_t handle = cab.compressInitialize() != 0 ? cab.create(cabinet) : 0;
        if (handle == 0) {
            std::printf("cab_bench: cab.dll cannot make %s\n", cabinet.c_str());
            return 1;
        }
        for (int i = 0; total < megabytes * 1000000; ++i) {
            seed = seed * 1103515245u + 12345u;
            const char* stem = i % 10 == 3 ? kVendorStems[(seed >> 9) % 2]
                                           : kStems[(seed >> 9) % (sizeof kStems / sizeof *kStems)];
            const std::string name =
                std::string(stem) + std::to_string(i) +
                kExtensions[(seed >> 13) % (sizeof kExtensions / sizeof *kExtensions)];
            const std::size_t size = 1000 + (seed >> 10) % 60000;
            const std::string path = source + "\\" + name;
            if (!writeNew(path, driverBytes(size, seed)) || cab.addFile(handle, path, "") == 0) {
                std::printf("cab_bench: cannot add %s\n", name.c_str());
                return 1;
            }
            names.push_back(name);
            total += size;
        }
        if (cab.close(handle) == 0) {
            std::printf("cab_bench: cab.dll did not finish %s\n", cabinet.c_str());
            return 1;
        }
        cab.compressTerminate();
    }
    platform::deleteTree(source);
    std::string original;
    platform::readFile(cabinet, original);
    writeNew("C:\\bench-original.cab", original);
    writeNew(program + "\\bench.cab.ccf",
             *packs::encodePack(std::string(kLine) + "\r\n", packs::PackMethod::Huffman));
    std::printf("cab_bench: %zu files, %.1f MB of data, original cabinet %.1f MB\n", names.size(),
                total / 1e6, original.size() / 1e6);

    QuietRenderer renderer;
    ui::App app(renderer);
    FrmCC& form = app.form<FrmCC>();
    app.showModeless(form);
    const Clock::time_point start = Clock::now();
    app.fire(form.cmdClean.onClick);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    std::vector<platform::CabinetEntry> entries;
    const bool listed = platform::listCabinet(cabinet, entries) == platform::kOk;
    std::size_t expected = 0;
    for (const std::string& name : names) {
        expected += name.compare(0, 3, "ati") != 0 && name.compare(0, 2, "nv") != 0 ? 1 : 0;
    }
    std::printf("  clean (extract, filter, pack, verify, replace): %.2f s, %.1f MB/s of cabinet "
                "data\n",
                seconds, total / 1e6 / seconds);
    std::printf("  new cabinet: %zu files, %.1f MB (the kept data packed by cab.dll)\n",
                entries.size(), sizeOf(cabinet) / 1e6);
    if (!listed || entries.size() != expected) {
        std::printf("FAILED: the new cabinet holds %zu files, %zu expected (%s)\n", entries.size(),
                    expected, form.lblStatus.caption.c_str());
        return 1;
    }
    std::printf("cab_bench: seconds=%.3f original=%zu ours=%llu\n", seconds, original.size(),
                static_cast<unsigned long long>(sizeOf(cabinet)));
    return 0;
}
