// The program's version, shown in window titles and the about window.
#pragma once

constexpr int kMajorVersion = 2;
constexpr int kMinorVersion = 7;
