#pragma once

#include <string>
#include <string_view>

// Text files of the system are code page 1251; inside the engine every string is
// UTF-8. These two functions are the only crossing between the two.
namespace corvel {

std::string Cp1251ToUtf8(std::string_view cp1251);

// Characters that code page 1251 cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

}  // namespace corvel
