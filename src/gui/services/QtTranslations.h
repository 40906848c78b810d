#pragma once

// Makes Qt's own texts Japanese (the buttons of message boxes, the file dialog, the edit
// menus of text fields): installs qtbase_ja from Qt's translations folder or, where the
// program ships its own copy, from the folder "translations" beside the program. Call once
// the application object exists; later calls do nothing. False when no translation was found.
bool installJapaneseQtTexts();

// Keeps Qt's own file dialog from writing its history and view into a settings file of Qt's own
// (this program keeps nothing but its own settings): on systems where that is a file, it is sent
// nowhere. Call at start, before the first file dialog exists; it changes nothing else.
void keepQtDialogStateOffDisk();
