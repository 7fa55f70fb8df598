// The process-wide settings and their settings-file keys.
#include "chart/settings.h"

SettingsRecord Settings;
