// The whole platform layer: the only interface through which the program reaches the operating
// system.
#pragma once

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/System.h"
