// Encoded files as a damaged disk may hold them: the decoder must reject or decode, never read or
// write out of bounds, and leave the destination alone when it fails.
#include "FuzzMachine.h"

#include "packs/Protection.h"
#include "platform/Files.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    fuzz::useMachine();
    const std::string source = "C:\\fuzz.txf";
    const std::string destination = "C:\\fuzz.dec";
    if (platform::writeFile(source, fuzz::textOf(data, size)) != platform::kOk ||
        platform::writeFile(destination, "before") != platform::kOk) {
        std::abort();
    }
    clsProtection decoder;
    if (decoder.DecodeFile(source, destination)) {
        std::string kept;
        if (platform::readFile(destination, kept) != platform::kOk || kept != "before") {
            std::abort(); // a failed decode must not touch what was there
        }
    }
    std::string inPlace = fuzz::textOf(data, size);
    decoder.DecodeByte(inPlace, inPlace.size());
    return 0;
}
