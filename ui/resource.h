// The raw bytes of the resources the program carries.
#pragma once

#include <cstddef>
#include <span>

namespace ui {

// An RCDATA resource of the running module; empty if it is missing.
std::span<const std::byte> resourceBytes(int id);

} // namespace ui
