// A layer sees the layers below it.
#include "platform/paths.h"
