#include "app/Version.h"

namespace corvel::app {

const char* ProgramVersion() { return CORVEL_VERSION; }

}  // namespace corvel::app
