#include "low/Base.h"
