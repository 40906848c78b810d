// Handlers of the ticket files, the winning check and the CSV export.

#include "app/Main.h"

void TMainForm::connectTickets() {}
