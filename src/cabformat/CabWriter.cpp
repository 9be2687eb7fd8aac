// Writing a single-folder MSZIP cabinet with zlib.
#include "cabformat/CabWriter.h"

#include "cabformat/CabHeader.h"

#include <vector>
#include <zlib.h>

namespace cabformat {

namespace {

// With the block before as dictionary, level 3 packs binaries a little tighter than level 6
// without one (what MSZIP writers commonly do), in under two thirds of the time.
constexpr int kLevel = 3;
constexpr int kRawDeflateWindowBits = -15;
constexpr int kMemoryLevel = 8;

void put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

const std::uint8_t* bytesOf(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

} // namespace

struct CabWriter::State {
    State() {
        ready = deflateInit2(&stream, kLevel, Z_DEFLATED, kRawDeflateWindowBits, kMemoryLevel,
                             Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~State() {
        if (ready) {
            deflateEnd(&stream);
        }
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    // Compresses `pending` into one CFDATA record; false when zlib fails.
    bool flushBlock();

    z_stream stream{};
    bool ready = false;
    bool spent = false;
    std::vector<FileRecord> files;
    std::vector<std::uint32_t> sizes;
    std::vector<std::uint32_t> offsets;
    std::uint64_t total = 0;
    std::string pending;  // the block being filled
    std::string previous; // the last block written: the next one's dictionary
    std::string data;     // every CFDATA record so far
    std::size_t blocks = 0;
    std::vector<std::uint8_t> output;
};

bool CabWriter::State::flushBlock() {
    if (deflateReset(&stream) != Z_OK) {
        return false;
    }
    if (!previous.empty() && deflateSetDictionary(&stream, bytesOf(previous),
                                                  static_cast<uInt>(previous.size())) != Z_OK) {
        return false;
    }
    output.resize(sizeof kMszipMarker + deflateBound(&stream, static_cast<uLong>(pending.size())));
    output[0] = kMszipMarker[0];
    output[1] = kMszipMarker[1];
    stream.next_in = const_cast<Bytef*>(bytesOf(pending));
    stream.avail_in = static_cast<uInt>(pending.size());
    stream.next_out = output.data() + sizeof kMszipMarker;
    stream.avail_out = static_cast<uInt>(output.size() - sizeof kMszipMarker);
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) {
        return false;
    }
    const std::size_t packed = output.size() - stream.avail_out;
    std::string sizes;
    put16(sizes, static_cast<std::uint32_t>(packed));
    put16(sizes, static_cast<std::uint32_t>(pending.size()));
    put32(data, checksum(bytesOf(sizes), sizes.size(), checksum(output.data(), packed, 0)));
    data += sizes;
    data.append(reinterpret_cast<const char*>(output.data()), packed);
    ++blocks;
    previous.swap(pending);
    pending.clear();
    return true;
}

CabWriter::CabWriter() : state(std::make_unique<State>()) {}

CabWriter::~CabWriter() = default;

bool CabWriter::addFile(const FileRecord& record, const std::uint8_t* bytes, std::size_t size) {
    State& s = *state;
    if (!s.ready || s.spent || record.name.empty() || record.name.size() > kMaxNameLength ||
        record.name.find('\0') != std::string::npos || s.files.size() >= kMaxFiles ||
        s.total + size > kMaxFolderBytes) {
        return false;
    }
    s.offsets.push_back(static_cast<std::uint32_t>(s.total));
    s.sizes.push_back(static_cast<std::uint32_t>(size));
    s.files.push_back(record);
    s.total += size;
    while (size > 0) {
        const std::size_t room = kBlockSize - s.pending.size();
        const std::size_t taken = size < room ? size : room;
        s.pending.append(reinterpret_cast<const char*>(bytes), taken);
        bytes += taken;
        size -= taken;
        if (s.pending.size() == kBlockSize && !s.flushBlock()) {
            s.ready = false;
            return false;
        }
    }
    return true;
}

std::string CabWriter::finish() {
    State& s = *state;
    if (!s.ready || s.spent || (!s.pending.empty() && !s.flushBlock())) {
        s.spent = true;
        return "";
    }
    s.spent = true;
    // A cabinet without files has no folder either.
    const std::uint32_t folders = s.files.empty() ? 0 : 1;
    std::string fileRecords;
    for (std::size_t i = 0; i < s.files.size(); ++i) {
        const FileRecord& file = s.files[i];
        put32(fileRecords, s.sizes[i]);
        put32(fileRecords, s.offsets[i]);
        put16(fileRecords, 0); // the one folder
        put16(fileRecords, file.date);
        put16(fileRecords, file.time);
        put16(fileRecords, file.attributes);
        fileRecords += file.name;
        fileRecords.push_back('\0');
    }
    const std::uint32_t filesOffset =
        static_cast<std::uint32_t>(kHeaderSize + folders * kFolderSize);
    const std::uint32_t dataOffset = filesOffset + static_cast<std::uint32_t>(fileRecords.size());
    std::string cabinet;
    cabinet.reserve(dataOffset + s.data.size());
    cabinet.append(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    put32(cabinet, 0);
    put32(cabinet, dataOffset + static_cast<std::uint32_t>(s.data.size()));
    put32(cabinet, 0);
    put32(cabinet, filesOffset);
    put32(cabinet, 0);
    cabinet.push_back(static_cast<char>(kVersionMinor));
    cabinet.push_back(static_cast<char>(kVersionMajor));
    put16(cabinet, folders);
    put16(cabinet, static_cast<std::uint32_t>(s.files.size()));
    put16(cabinet, 0); // no reserve, no previous or next cabinet
    put16(cabinet, 0); // set id
    put16(cabinet, 0); // number in the set
    if (folders != 0) {
        put32(cabinet, dataOffset);
        put16(cabinet, static_cast<std::uint32_t>(s.blocks));
        put16(cabinet, kCompressMszip);
    }
    cabinet += fileRecords;
    cabinet += s.data;
    s.data.clear();
    return cabinet;
}

} // namespace cabformat
