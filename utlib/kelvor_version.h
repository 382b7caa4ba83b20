// The program's version text: the one place the version is kept.
#pragma once

inline constexpr const char* KELVOR_VERSION_TEXT = "Kelvor Version 5.01.05";
