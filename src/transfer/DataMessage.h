#pragma once

namespace vexel {
class DataMessage {};
}
