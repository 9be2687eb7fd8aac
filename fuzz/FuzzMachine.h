// The simulated machine every harness works on: made once per process in a temporary folder.
#pragma once

#include <cstddef>
#include <string>

namespace fuzz {

// Creates and selects a fresh xp-sp2 machine the first time it is called; later calls do nothing.
// Aborts when the machine cannot be made.
void useMachine();

// The bytes of one fuzz input as text.
std::string textOf(const unsigned char* data, std::size_t size);

} // namespace fuzz
