// The options panel toggle, always on top and the About box.
#include "ui/options.h"

namespace ui {

void bindOptions(MainWindow&) {}

std::wstring readFileVersion(const std::wstring&) { return {}; }

} // namespace ui
