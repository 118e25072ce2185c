#include "catalogue/Tdm_Kinolux.h"
