// A combination header that shows boxes: refused by the layer check.
#pragma once
#include "app/UiHooks.h"
