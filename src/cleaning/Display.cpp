// Display adapter query.
#include "cleaning/Display.h"

#include "platform/System.h"

std::string GetDisplayAdapterName() {
    std::string description;
    if (!platform::displayDeviceString(0, description)) {
        return std::string();
    }
    return description.substr(0, description.find('\0'));
}
