#include "chrome/TformMessageFlash.h"
