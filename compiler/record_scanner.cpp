#include "compiler/record_scanner.h"

namespace scenario {

bool closes_general_section(std::string_view field) {
  const size_t first = field.find_first_not_of(' ');
  const std::string_view trimmed = first == std::string_view::npos ? std::string_view{} : field.substr(first);
  return field.find('[') != std::string_view::npos && field.find(']') != std::string_view::npos &&
         !trimmed.starts_with('-');
}

}  // namespace scenario
