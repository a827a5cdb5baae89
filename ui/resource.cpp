// The raw bytes of the resources the program carries.
#include "ui/resource.h"

namespace ui {

std::span<const std::byte> resourceBytes(int id, const wchar_t* type) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const std::byte*>(bytes), ::SizeofResource(module, found)};
}

} // namespace ui
