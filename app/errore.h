// errore: the fatal message of a failed final check, " Errore n. " followed
// by the check's number, shown in the platform's message box.
#pragma once

#include <string>

#include "app/platform.h"

namespace scenario {

// The message text for the error number a.
std::string errore_message(const std::string& a);

// Shows the message and returns when the user has closed the box; the
// caller then ends the run without writing anything more.
void errore(Platform& platform, const std::string& a);

}  // namespace scenario
