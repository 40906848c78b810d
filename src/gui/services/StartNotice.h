#pragma once

#include <QString>

// What a start found and mended, for the player to read: information, or a warning when
// something could not be mended or may be incomplete.
struct StartNotice {
    QString text;
    bool warning = false;
};
