#include "transfer/ReplyMatcher.h"
