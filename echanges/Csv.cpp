#include "echanges/Csv.h"
