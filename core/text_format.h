// printf-style text for messages (the compiler's library has no std::format yet).
#pragma once

#include <string>

namespace zarnfoil {

std::string Sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace zarnfoil
