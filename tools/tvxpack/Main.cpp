// tvxpack: encodes data files into containers for the program folder, and decodes them back.
#include "packs/PackDecoder.h"
#include "packs/PackEncoder.h"
#include "packs/PackError.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: tvxpack encode [--stored] [--source] IN OUT\n"
                               "       tvxpack decode IN OUT\n";

std::optional<std::string> readHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes.str();
}

bool writeHostFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "tvxpack: %s\n", message.c_str());
    return 1;
}

int encode(const std::vector<std::string>& options, const std::string& in, const std::string& out) {
    bool stored = false;
    bool source = false;
    for (const std::string& option : options) {
        if (option == "--stored") {
            stored = true;
        } else if (option == "--source") {
            source = true;
        } else {
            return fail("unknown option " + option + "\n" + kUsage);
        }
    }
    std::optional<std::string> plain = readHostFile(in);
    if (!plain) {
        return fail("cannot read " + in);
    }
    if (source) {
        *plain = packs::shippedText(*plain);
    }
    const std::optional<std::string> container =
        packs::encodePack(*plain, stored ? packs::PackMethod::Stored : packs::PackMethod::Huffman);
    if (!container) {
        return fail(in + " is too large for a container");
    }
    if (!writeHostFile(out, *container)) {
        return fail("cannot write " + out);
    }
    return 0;
}

int decode(const std::string& in, const std::string& out) {
    std::optional<std::string> data = readHostFile(in);
    if (!data) {
        return fail("cannot read " + in);
    }
    const packs::DecodeStatus status = packs::decodeBuffer(*data, {});
    if (status != packs::DecodeStatus::Ok) {
        const packs::PackError error = packs::errorFor(status);
        std::fprintf(stderr, "tvxpack: %s: error %ld from %s%s%s\n", in.c_str(),
                     static_cast<long>(error.number), error.source.c_str(),
                     error.descriptionId.empty() ? "" : ", description ",
                     error.descriptionId.empty() ? "" : error.descriptionId.c_str());
        return 2;
    }
    if (!writeHostFile(out, *data)) {
        return fail("cannot write " + out);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && args[0] == "encode") {
        const std::vector<std::string> options(args.begin() + 1, args.end() - 2);
        return encode(options, args[args.size() - 2], args.back());
    }
    if (args.size() == 3 && args[0] == "decode") {
        return decode(args[1], args[2]);
    }
    std::fputs(kUsage, stderr);
    return 1;
}
