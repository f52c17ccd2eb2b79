#pragma once

// The text marks live in the lowest room, so that the link's own messages are marked too.
#include "link/screen_text.h"
