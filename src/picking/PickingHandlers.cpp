// Handlers of the number board and the application slate.

#include "app/Main.h"

void TMainForm::connectPicking() {}
