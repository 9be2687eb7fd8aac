// Writing a cabinet: one folder of MSZIP blocks, built in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace cabformat {

// One file as it goes into a cabinet.
struct FileRecord {
    std::string name;             // path inside the cabinet, backslash-separated, ANSI
    std::uint16_t attributes = 0; // kAttrib* bits
    std::uint16_t date = 0;       // DOS date
    std::uint16_t time = 0;       // DOS time
};

// Builds a single-folder cabinet: every 32 KB block is its own deflate stream with the block
// before it as preset dictionary, as MSZIP readers expect; block checksums are written.
class CabWriter {
  public:
    CabWriter();
    ~CabWriter();
    CabWriter(const CabWriter&) = delete;
    CabWriter& operator=(const CabWriter&) = delete;

    // Adds a file with `size` bytes at `bytes`. False (and nothing added) when the name is empty
    // or too long, or the cabinet would exceed the format's limits of files or bytes.
    bool addFile(const FileRecord& record, const std::uint8_t* bytes, std::size_t size);

    // The whole cabinet file; the writer is spent afterwards (a second call gives "").
    std::string finish();

  private:
    struct State;
    std::unique_ptr<State> state;
};

} // namespace cabformat
