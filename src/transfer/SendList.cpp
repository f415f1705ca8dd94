#include "transfer/SendList.h"
