// The raw bytes of the resources the program carries.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace ui {

// A resource of the running module, RCDATA unless another type is named; empty if it is missing.
std::span<const std::byte> resourceBytes(int id, const wchar_t* type = RT_RCDATA);

} // namespace ui
