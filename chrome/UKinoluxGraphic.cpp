#include "chrome/UKinoluxGraphic.h"
