#include "chrome/Images.h"
