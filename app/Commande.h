#pragma once

#include "catalogue/Commande.h"
