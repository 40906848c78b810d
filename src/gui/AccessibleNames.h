#pragma once

class QWidget;

// Gives the controls of a window that a screen reader cannot name from their own text (an
// edit beside its label, a table, a number field named after its group box) a name a player
// understands, and a description where the name alone does not say enough. Controls are
// found by their objectNames; a window calls it once its controls are built.
void nameForScreenReaders(QWidget *window);
