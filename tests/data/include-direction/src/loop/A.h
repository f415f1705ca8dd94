#pragma once
#include "round/B.h"
