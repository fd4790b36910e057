#pragma once
// The string table itself holds the Russian texts.
inline constexpr const char* kAllowedInTable = "Разрешено";
