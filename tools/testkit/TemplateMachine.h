// A machine of a given Windows template for the length of a test: footprints of Windows 98 or 2000
// installations are planted where their folders and registry layout are the real ones.
#pragma once

#include <string>

namespace testkit {

// While it lives, the process works on a fresh simulated machine made from the template `name`
// ("xp-sp2", "win98-se", "win2000-sp4" ...) with the stand-in programs of the machine it replaced;
// the replaced machine comes back when it dies. On Windows there is one machine: nothing changes.
class TemplateMachine {
  public:
    explicit TemplateMachine(const std::string& name);
    ~TemplateMachine();
    TemplateMachine(const TemplateMachine&) = delete;
    TemplateMachine& operator=(const TemplateMachine&) = delete;

    // True when the process now works on a machine of the template (false on Windows, or when the
    // machine could not be made, with `problem` telling why).
    bool made() const { return !folder.empty(); }
    std::string problem;

  private:
    std::string folder;   // host folder of the machine made ("" when none)
    std::string previous; // host folder of the machine it replaced
};

} // namespace testkit
