#pragma once

namespace lenscout {

// Start-up's choice of texts: reads the setting and selects the language it
// names, or the system's when it asks for detection. Writes nothing.
void ChooseStartupLanguage();

}  // namespace lenscout
