#include "app/errore.h"

namespace scenario {

std::string errore_message(const std::string& a) { return " Errore n. " + a; }

void errore(Platform& platform, const std::string& a) { platform.message_box(errore_message(a)); }

}  // namespace scenario
