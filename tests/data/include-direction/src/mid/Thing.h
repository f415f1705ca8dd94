#pragma once
#include "low/Base.h"
// #include "top/Commented.h"
/* #include "top/AlsoCommented.h" is only named here */
  #  include "top/Spaced.h"
#include <top/Angle.h>
