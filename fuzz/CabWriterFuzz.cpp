// Files made from the input packed by our cabinet writer come back, through the platform's
// reading, with their names, sizes, dates, attributes and bytes.
#include "FuzzMachine.h"

#include "platform/Files.h"

#include "cabformat/CabWriter.h"
#include "platform/Cabinet.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Each file takes one length byte (times 300, so files span blocks) and that many bytes.
    std::vector<cabformat::FileRecord> records;
    std::vector<std::string> contents;
    cabformat::CabWriter writer;
    for (std::size_t at = 0; at < size && records.size() < 40;) {
        const std::size_t length = std::min<std::size_t>(data[at] * 300u, size - at - 1);
        cabformat::FileRecord record;
        record.name = (records.size() % 3 == 2 ? "Sub\\f" : "f") + std::to_string(records.size());
        record.attributes = data[at] & 0x27;
        record.date = static_cast<std::uint16_t>(0x3000 | (data[at] % 12 + 1) << 5 | 1);
        record.time = static_cast<std::uint16_t>((data[at] % 24) << 11);
        contents.emplace_back(reinterpret_cast<const char*>(data + at + 1), length);
        check(writer.addFile(record, data + at + 1, length));
        records.push_back(record);
        at += length + 1;
    }
    fuzz::useMachine();
    const std::string folder = "C:\\Fuzz";
    platform::deleteTree(folder);
    platform::createFolder(folder);
    const std::string cabinet = folder + "\\rt.cab";
    check(platform::writeFile(cabinet, writer.finish()) == platform::kOk);
    std::vector<platform::CabinetEntry> entries;
    check(platform::listCabinet(cabinet, entries) == platform::kOk);
    check(entries.size() == records.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        check(entries[i].path == records[i].name && entries[i].size == contents[i].size() &&
              entries[i].dosDate == records[i].date && entries[i].dosTime == records[i].time &&
              entries[i].attributes == records[i].attributes);
    }
    const std::string destination = folder + "\\out";
    check(platform::createFolder(destination) == platform::kOk);
    std::size_t extracted = 0;
    check(platform::extractCabinet(cabinet, destination, "", extracted) == platform::kOk);
    check(extracted == records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::string bytes;
        check(platform::readFile(destination + "\\" + records[i].name, bytes) == platform::kOk);
        check(bytes == contents[i]);
        platform::setAttributes(destination + "\\" + records[i].name, platform::kAttrNormal);
    }
    return 0;
}
