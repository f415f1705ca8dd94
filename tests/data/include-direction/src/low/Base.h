#pragma once
#include "low/Other.h"
#include <QString>
