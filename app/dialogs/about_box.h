// The about box: the program's icon, name, version and build date.
#pragma once

#include <QString>

// The version text of field 1025.
inline constexpr const char* ABOUT_VERSION = "Ver.1.03";
// The build date as month abbreviation, day and year ("Dec 19 2001").
QString BuildDateText();
