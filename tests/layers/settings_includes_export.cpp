// The settings store does not see the export settings file built on it: this include must
// not compile.
#include "export/export_settings.h"
