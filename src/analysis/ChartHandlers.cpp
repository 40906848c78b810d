// Handlers of the trend charts.

#include "app/Main.h"

void TMainForm::connectAnalysis() {}
