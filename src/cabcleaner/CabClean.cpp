// The cab cleaner's safety steps: what a configuration line may name, scratch folders of the
// run's own, the vendor-file filter and the checks made before an original cabinet is replaced.
#include "cabcleaner/CabClean.h"

#include "backup/Backup.h"
#include "base/General.h"
#include "platform/Files.h"

#include <cctype>

namespace {

constexpr int kMaxCandidates = 100;

bool exists(const std::string& path) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(path, attributes) == platform::kOk;
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string lastPart(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

// The last non-empty line of a CR LF text.
std::string lastLine(const std::string& text) {
    std::string last;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        if (end > start) {
            last = text.substr(start, end - start);
        }
    }
    return last;
}

constexpr std::uint32_t kCompared =
    platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem;

bool sameFile(const platform::CabinetEntry& a, const platform::CabinetEntry& b) {
    return a.path == b.path && a.size == b.size && a.dosDate == b.dosDate &&
           a.dosTime == b.dosTime && (a.attributes & kCompared) == (b.attributes & kCompared);
}

} // namespace

bool IsSafeCabinetLine(const std::string& line) {
    return !line.empty() && line[0] == '\\' && line.find("..") == std::string::npos &&
           line.find_first_of(":*?") == std::string::npos;
}

std::string CabBaseName(const std::string& cabName) {
    return cabName.substr(0, cabName.find('.'));
}

std::string FreePath(const std::string& path) {
    for (int n = 1; n <= kMaxCandidates; ++n) {
        const std::string candidate = n == 1 ? path : path + std::to_string(n);
        if (!exists(candidate)) {
            return candidate;
        }
    }
    return "";
}

std::string MakeFreshFolder(const std::string& path) {
    const std::string folder = FreePath(path);
    return !folder.empty() && platform::createFolder(folder) == platform::kOk ? folder : "";
}

bool IsVendorFile(const std::string& innerPath) {
    const std::string name = lowerCase(lastPart(innerPath));
    return name.compare(0, 3, "ati") == 0 || name.compare(0, 2, "nv") == 0;
}

bool ExtractedCompletely(const std::string& folder,
                         const std::vector<platform::CabinetEntry>& entries) {
    for (const platform::CabinetEntry& entry : entries) {
        std::uint64_t length = 0;
        if (platform::fileLength(folder + "\\" + entry.path, length) != platform::kOk ||
            length != entry.size) {
            return false;
        }
    }
    return true;
}

bool VerifyCabinet(const std::string& cabinet, const std::vector<platform::CabinetEntry>& added,
                   const std::string& scratch) {
    std::vector<platform::CabinetEntry> packed;
    if (platform::listCabinet(cabinet, packed) != platform::kOk || packed.size() != added.size()) {
        return false;
    }
    for (std::size_t i = 0; i < packed.size(); ++i) {
        if (!sameFile(packed[i], added[i])) {
            return false;
        }
    }
    std::size_t compared = 0;
    const platform::Error read = platform::readCabinetFiles(
        cabinet, [&](const platform::CabinetEntry& entry, const std::string& bytes) {
            std::string original;
            const bool same =
                compared < added.size() && entry.path == added[compared].path &&
                platform::readFile(scratch + "\\" + entry.path, original) == platform::kOk &&
                original == bytes;
            compared += same ? 1 : 0;
            return same;
        });
    return read == platform::kOk && compared == added.size();
}

bool BackUpCabinet(const std::string& line, const std::string& cabName, const std::string& stamp,
                   const std::string& fullPath, const std::string& windowsFolder) {
    PrepareBackupFolders(stamp, cabName, "Yes", "No", "No", "No");
    FileBackup(line, cabName, stamp, fullPath, windowsFolder, "1");
    const std::string setFolder = BackupSetFolder(stamp, cabName, "_FileBackup");
    const std::string index = ReadTextFile(setFolder + "\\" + lastPart(setFolder) + ".dfb");
    // The last line, as the restore splits it: the copy's place in the set, ", ", its folder.
    const std::string last = lastLine(index);
    const std::size_t comma = last.rfind(',');
    if (comma == std::string::npos || comma + 2 > last.size()) {
        return false;
    }
    const std::string item = last.substr(0, comma);
    const std::string folder = last.substr(comma + 2);
    std::string original;
    std::string copy;
    return folder == fullPath.substr(0, fullPath.rfind('\\')) &&
           lastPart(item) == lastPart(fullPath) &&
           platform::readFile(fullPath, original) == platform::kOk &&
           platform::readFile(setFolder + item, copy) == platform::kOk && original == copy;
}
