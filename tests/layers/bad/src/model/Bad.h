// The bottom layer stays free of widgets.
#include <QString>
