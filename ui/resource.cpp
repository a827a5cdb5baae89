// The raw bytes of the resources the program carries.
#include "ui/resource.h"

#include <windows.h>

namespace ui {

std::span<const std::byte> resourceBytes(int id) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const std::byte*>(bytes), ::SizeofResource(module, found)};
}

} // namespace ui
