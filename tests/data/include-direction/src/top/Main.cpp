#include "low/Base.h"
#include "mid/sub/Deep.h"
#include "../low/Other.h"
#include "nowhere/Ghost.h"
