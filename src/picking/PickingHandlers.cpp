// Handlers of the number board, the slate, the pick options and line generation.

#include "app/Main.h"

void TMainForm::connectPicking() {}
