// Template machines on Windows: there is only the machine the program runs on.
#include "testkit/TemplateMachine.h"

namespace testkit {

TemplateMachine::TemplateMachine(const std::string& name) {
    problem = "Windows runs as it is, not as " + name;
}

TemplateMachine::~TemplateMachine() = default;

} // namespace testkit
