// Prints what OSInfo finds on this machine, one property a line, for tests and for support.
#include "platform/Files.h"
#include "system/OSInfo.h"

#include <cstdio>
#include <string>

// Usage: tvxosinfo [OUTPUT-FILE]  (without a file the report goes to standard output)
int main(int argc, char** argv) {
    const OSInfo os;
    std::string report;
    auto add = [&report](const std::string& name, const std::string& value) {
        report += name + "=" + value + "\r\n";
    };
    add("Platform", std::to_string(os.Platform()));
    add("Name", os.Name());
    add("VersionString", os.VersionString());
    add("MajorVersion", std::to_string(os.MajorVersion()));
    add("MinorVersion", std::to_string(os.MinorVersion()));
    add("BuildNumber", std::to_string(os.BuildNumber()));
    add("ServicePackMajor", std::to_string(os.ServicePackMajor()));
    add("ServicePackMinor", std::to_string(os.ServicePackMinor()));
    add("Family", std::to_string(os.Family()));
    add("ProductType", std::to_string(os.ProductType()));
    add("SupportInformation", os.SupportInformation());
    add("SupportInformation2", os.SupportInformation2());
    add("IsNT", os.IsNT() ? "1" : "0");
    add("IsVerifySupported", os.IsVerifySupported() ? "1" : "0");
    add("AtLeast5.1", os.CompareVersion(5, 1) ? "1" : "0");
    if (argc > 1) {
        // Through the platform, so that on the simulated machine the report lands inside it.
        return platform::writeFile(argv[1], report) == platform::kOk ? 0 : 1;
    }
    std::fputs(report.c_str(), stdout);
    return 0;
}
