// A layer does not see the layers above it: this include must not compile.
#include "app/settings_path.h"
