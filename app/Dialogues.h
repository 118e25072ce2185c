#pragma once

// The dialogs' interface belongs to the core, which asks its questions through it.
#include "catalogue/Dialogues.h"
