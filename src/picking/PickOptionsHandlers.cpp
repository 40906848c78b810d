// Handlers of the pick options page and of automatic line generation.

#include "app/Main.h"

void TMainForm::connectPickOptions() {}
