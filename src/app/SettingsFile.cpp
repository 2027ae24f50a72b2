#include "app/SettingsFile.h"
