#include "model/Money.h"

#include <cmath>

#include "model/Format.h"

namespace corvel {

TMoney TMoney::FromDouble(double amount) { return TMoney(std::llround(amount * kScale)); }

std::string TMoney::ToText() const { return Format("%.2f", {ToDouble()}); }

}  // namespace corvel
