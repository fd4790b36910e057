#pragma once

namespace corvel::app {

// The program's version, as the build gives it ("major.minor.patch").
const char* ProgramVersion();

}  // namespace corvel::app
