// Test entry point: doctest's runner around the backend's machine set-up.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>

#include "support/TestMachine.h"

int main(int argc, char** argv) {
    testsupport::initialise(argv[0]);
    doctest::Context context(argc, argv);
    const int result = context.run();
    testsupport::shutdown();
    return result;
}
