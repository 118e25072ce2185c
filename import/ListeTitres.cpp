#include "import/ListeTitres.h"
