// Settings files as a user may edit them: reading any text, and a value written then read back.
#include "FuzzMachine.h"

#include "platform/sim/IniText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    // The first line names a section and a key; the rest is the file.
    const std::string text = fuzz::textOf(data, size);
    const std::size_t end = text.find('\n');
    const std::string head = text.substr(0, end);
    const std::string body = end == std::string::npos ? std::string() : text.substr(end + 1);
    const std::size_t equals = head.find('=');
    const std::string section = head.substr(0, equals);
    const std::string key =
        equals == std::string::npos ? std::string("Key") : head.substr(equals + 1);
    sim::IniText ini(body);
    std::string value;
    ini.find(section, key, value);
    ini.entries(section);
    ini.sections();
    // A plain value under plain names must read back as written.
    const std::string blanks = " \t\r\n\v\f";
    const bool plain = !section.empty() && !key.empty() &&
                       section.find_first_of("[]\r\n") == std::string::npos &&
                       blanks.find(section.front()) == std::string::npos &&
                       blanks.find(section.back()) == std::string::npos &&
                       key.find_first_of("=[;\r\n \t\v\f") == std::string::npos;
    if (plain) {
        ini.set(section, key, "Yes");
        sim::IniText again(ini.text());
        if (!again.find(section, key, value) || value != "Yes") {
            std::abort();
        }
    }
    return 0;
}
