#include "mid/Thing.h"
#include "Near.h"
#include "top/Main.h"
