#pragma once

namespace vexel {
class ReplyMatcher {};
}
