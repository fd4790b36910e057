// The statistics may not use the combination list commands.
#include "combs/CombsEdit.h"
