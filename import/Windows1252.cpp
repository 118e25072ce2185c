#include "import/Windows1252.h"
