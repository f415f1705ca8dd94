#pragma once

namespace vexel {
class SendList {};
}
