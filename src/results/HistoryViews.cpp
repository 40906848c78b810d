// Handlers of the history list and the prize table.

#include "app/Main.h"

void TMainForm::connectResultsViews() {}
