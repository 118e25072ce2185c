#include "chrome/TTransparentWnd.h"
