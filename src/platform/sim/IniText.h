// The private-profile file model shared by the profile functions and the machine's own settings.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sim {

// A profile file kept as its lines so that a change rewrites one line and leaves the rest as it
// was.
class IniText {
  public:
    IniText() = default;
    // Parses `text`; CR LF and lone LF both end a line.
    explicit IniText(const std::string& text);

    // The value of `key` in `section` (names without regard to case), blanks around it trimmed and
    // one pair of surrounding quotes removed; false when the section or key is missing.
    bool find(const std::string& section, const std::string& key, std::string& value) const;

    // Every key and value of `section` in file order (values as find returns them).
    std::vector<std::pair<std::string, std::string>> entries(const std::string& section) const;

    // Every section name in file order.
    std::vector<std::string> sections() const;

    // Replaces the line of `key` (keeping the key's stored spelling) or adds the key to the end of
    // its section, adding the section at the end of the file when it is missing.
    void set(const std::string& section, const std::string& key, const std::string& value);

    // Removes the line of `key` in `section`; nothing happens when it is missing.
    void remove(const std::string& section, const std::string& key);

    // The whole file with CR LF line ends.
    std::string text() const;

  private:
    // Index range [first, last) of the lines of `section`'s body; false when the section is
    // missing.
    bool sectionRange(const std::string& section, std::size_t& first, std::size_t& last) const;
    // Index of `key`'s line within [first, last), or npos.
    std::size_t keyLine(std::size_t first, std::size_t last, const std::string& key) const;

    std::vector<std::string> lines;
};

} // namespace sim
