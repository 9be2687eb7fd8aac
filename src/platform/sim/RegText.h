// Registration text (REGEDIT4) of the simulated registry: the export and import that regedit,
// tvxmachine and the registry's own file on disk share.
#pragma once

#include <string>

namespace sim {

class RegistryStore;
struct RegNode;

// Appends `node` and everything below it under the key name `name`, one block per key.
// `forStore` writes links as links and values on one line each; otherwise a link's target is
// exported under the link's name and long hex data is wrapped as regedit wraps it.
void writeKeyText(RegistryStore& store, const RegNode& node, const std::string& name, bool forStore,
                  std::string& out);

// Applies registration text ("REGEDIT4" or version 5.00, ANSI or UTF-16) to `store`: keys are
// created, "[-KEY]" deletes a key tree, "name"=- deletes a value. False when the text is no
// registration file or some line could not be used; `problem` then describes the first one.
bool importRegText(RegistryStore& store, const std::string& text, bool forStore,
                   std::string& problem);

} // namespace sim
