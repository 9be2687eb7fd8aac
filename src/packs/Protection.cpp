// clsProtection: file access around the buffer decoder, with the destination replaced only on
// success.
#include "packs/Protection.h"

#include "base/General.h"
#include "platform/Files.h"

std::optional<packs::PackError> clsProtection::DecodeFile(const std::string& sourcePath,
                                                          const std::string& destinationPath) {
    if (!FileExists(sourcePath)) {
        return packs::sourceMissingError();
    }
    std::string data;
    if (const platform::Error error = platform::readFile(sourcePath, data);
        error != platform::kOk) {
        return packs::fileAccessError(error);
    }
    if (auto error = DecodeByte(data, data.size())) {
        return error;
    }
    if (FileExists(destinationPath)) {
        std::uint32_t attributes = platform::kAttrNormal;
        const bool knownAttributes =
            platform::getAttributes(destinationPath, attributes) == platform::kOk;
        platform::setAttributes(destinationPath, platform::kAttrNormal);
        if (const platform::Error error = platform::deleteFile(destinationPath);
            error != platform::kOk) {
            // A file in use stays as it was, attributes included.
            if (knownAttributes) {
                platform::setAttributes(destinationPath, attributes);
            }
            return packs::fileAccessError(error);
        }
    }
    if (const platform::Error error = platform::writeFile(destinationPath, data);
        error != platform::kOk) {
        return packs::fileAccessError(error);
    }
    return std::nullopt;
}

std::optional<packs::PackError> clsProtection::DecodeByte(std::string& data, std::size_t length) {
    if (length < data.size()) {
        std::string head = data.substr(0, length);
        auto error = DecodeByte(head, length);
        if (!error) {
            data.swap(head);
        }
        return error;
    }
    const packs::DecodeStatus status = packs::decodeBuffer(data, Progress);
    if (status != packs::DecodeStatus::Ok) {
        return packs::errorFor(status);
    }
    return std::nullopt;
}
