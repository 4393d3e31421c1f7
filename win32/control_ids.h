#pragma once
// A control's number by its name in resource.h, for the core's tables that
// name controls as the templates do (ui/dialog_texts.h); 0 for a name it
// does not know.
namespace lenscout {

int controlId(const char* name);

}  // namespace lenscout
