#include "low/Base.h"
#include "mid/Thing.h"
