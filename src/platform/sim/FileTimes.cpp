// File times and replacing moves on the simulated machine. The machine has no time zone: a
// file's local time is kept as its host modification time read as UTC.
#include "platform/Files.h"
#include "platform/System.h"

#include "platform/sim/HostFs.h"
#include "platform/sim/Machine.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

using sim::HostEntry;
using sim::WinPath;

bool marked(const char* section, const WinPath& path) {
    return sim::Machine::current().marked(section, sim::canonicalPath(path));
}

// Parses and locates `text`, which must name an existing file (not a folder).
Error existingFile(const std::string& text, WinPath& path, HostEntry& entry) {
    Error error = sim::parseWinPath(text, path);
    if (error == kOk) {
        error = sim::locate(path, entry);
    }
    if (error == kOk && !entry.exists) {
        error = kErrorFileNotFound;
    }
    if (error == kOk && (entry.isDir || entry.isLink)) {
        error = kErrorAccessDenied;
    }
    return error;
}

// What stands in the way of changing the file `path`.
Error changeRefused(const WinPath& path) {
    if (marked("AccessDenied", path)) {
        return kErrorAccessDenied;
    }
    return marked("InUse", path) ? kErrorSharingViolation : kOk;
}

} // namespace

Error getFileTime(const std::string& path, LocalTime& time) {
    WinPath parsed;
    HostEntry entry;
    const Error error = existingFile(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    struct stat st {};
    std::tm fields{};
    if (stat(entry.host.c_str(), &st) != 0 || gmtime_r(&st.st_mtime, &fields) == nullptr) {
        return kErrorAccessDenied;
    }
    time = LocalTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                     fields.tm_hour,        fields.tm_min,     fields.tm_sec};
    return kOk;
}

Error setFileTime(const std::string& path, const LocalTime& time) {
    WinPath parsed;
    HostEntry entry;
    Error error = existingFile(path, parsed, entry);
    if (error == kOk) {
        error = changeRefused(parsed);
    }
    if (error != kOk) {
        return error;
    }
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    const struct timespec stamps[2] = {{timegm(&fields), 0}, {timegm(&fields), 0}};
    return utimensat(AT_FDCWD, entry.host.c_str(), stamps, 0) == 0 ? kOk : kErrorAccessDenied;
}

Error moveFileReplacing(const std::string& from, const std::string& to) {
    WinPath source;
    HostEntry sourceEntry;
    Error error = existingFile(from, source, sourceEntry);
    if (error == kOk) {
        error = changeRefused(source);
    }
    if (error != kOk) {
        return error;
    }
    WinPath target;
    HostEntry targetEntry;
    error = sim::parseWinPath(to, target);
    if (error == kOk) {
        error = sim::locate(target, targetEntry);
    }
    if (error != kOk) {
        return error;
    }
    if (target.parts.empty() || target.drive != source.drive) {
        return kErrorAccessDenied;
    }
    WinPath parent = target;
    parent.parts.pop_back();
    if (marked("AccessDenied", parent)) {
        return kErrorAccessDenied;
    }
    if (targetEntry.exists) {
        if (targetEntry.isDir || targetEntry.isLink ||
            (sim::hostAttributes(targetEntry.host, false) & kAttrReadOnly) != 0) {
            return kErrorAccessDenied;
        }
        error = changeRefused(target);
        if (error != kOk) {
            return error;
        }
    }
    return std::rename(sourceEntry.host.c_str(), targetEntry.host.c_str()) == 0
               ? kOk
               : kErrorAccessDenied;
}

} // namespace platform
