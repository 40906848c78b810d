// Handlers of the results download and the Help menu.

#include "app/Main.h"

void TMainForm::connectHelpAndDownload() {}
