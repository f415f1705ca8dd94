#pragma once

#include <cstddef>

namespace vexel {

// The byte offset of the first byte that does not start well-formed UTF-8
// (an overlong form, a surrogate, a sequence cut short or past U+10FFFF),
// or -1 when all of it is.
std::ptrdiff_t firstBadUtf8(const char* data, std::size_t size);

} // namespace vexel
