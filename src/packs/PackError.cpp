// Building the decoder's error values and looking up their descriptions.
#include "packs/PackError.h"

#include <utility>

namespace packs {

namespace {

std::function<std::string(const std::string&)>& descriptionLookup() {
    static std::function<std::string(const std::string&)> lookup;
    return lookup;
}

PackError objectError(const char* source, const char* descriptionId) {
    PackError error;
    error.number = kObjectError;
    error.source = source;
    error.descriptionId = descriptionId;
    const auto& lookup = descriptionLookup();
    if (lookup) {
        error.description = lookup(error.descriptionId);
    }
    return error;
}

PackError runtimeError(std::int32_t number, const char* description) {
    PackError error;
    error.number = number;
    // Runtime errors carry the project's name as their source, as VB raises them.
    error.source = "Tarvex";
    error.description = description;
    return error;
}

} // namespace

PackError errorFor(DecodeStatus status) {
    switch (status) {
    case DecodeStatus::BadMethod:
        return objectError("ProtectionDecode()", "0321");
    case DecodeStatus::BadChecksum:
        return objectError("clsProtection.Decode()", "0322");
    case DecodeStatus::Ok:
    case DecodeStatus::OutOfRange:
        break;
    }
    return runtimeError(kSubscriptOutOfRange, "Subscript out of range");
}

PackError sourceMissingError() {
    return objectError("clsProtection.DecodeFile()", "0320");
}

PackError fileAccessError(platform::Error error) {
    switch (error) {
    case platform::kErrorFileNotFound:
        return runtimeError(kFileNotFound, "File not found");
    case platform::kErrorPathNotFound:
        return runtimeError(kPathNotFound, "Path not found");
    case platform::kErrorAccessDenied:
    case platform::kErrorSharingViolation:
        return runtimeError(kPermissionDenied, "Permission denied");
    default:
        return runtimeError(kPathFileAccessError, "Path/File access error");
    }
}

void setDescriptionLookup(std::function<std::string(const std::string& id)> lookup) {
    descriptionLookup() = std::move(lookup);
}

} // namespace packs
