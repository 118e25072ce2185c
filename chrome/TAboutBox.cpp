#include "chrome/TAboutBox.h"
