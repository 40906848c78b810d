#pragma once

#include <QString>

// The program's file version text, "2.3.1.504" for this build. On Windows it is read from the
// FileVersion entry of the executable's Japanese version resource (empty when missing);
// elsewhere it is the text compiled in from the project version.
QString readFileVersion();
