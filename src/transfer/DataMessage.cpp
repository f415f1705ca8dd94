#include "transfer/DataMessage.h"
