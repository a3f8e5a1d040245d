#include "output/check_codes.h"

namespace scenario {

namespace {

// The lower-case form of a Windows-1252 character: A to Z, the accented
// capitals C0 to DE (but not the multiplication sign D7), and the four
// capitals the code page keeps elsewhere (S and Z with caron, OE, Y with
// diaeresis). Every other character stays as it is.
unsigned char lower_1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
    default:
      return c;
  }
}

// The weighted sum of the first 25 character codes of the code text, which
// is also left in current_field.
int32_t weighted_sum(RouteModel& m, bool by_position) {
  m.current_field = code_text(m);
  int32_t sum = 0;
  for (int i = 1; i <= kCodeLength; ++i) {
    const int32_t code = static_cast<unsigned char>(m.current_field[static_cast<size_t>(i - 1)]);
    sum += by_position ? i * code : code;
  }
  return sum;
}

}  // namespace

std::string code_text(const RouteModel& m) {
  std::string text = m.table[record::kSignals].text + m.table[record::kRoute].text;
  for (char& c : text) c = static_cast<char>(lower_1252(static_cast<unsigned char>(c)));
  text += kCodeFiller;
  return text;
}

int32_t codice_gara_st(RouteModel& m) { return weighted_sum(m, true); }

int32_t codice_gara_og(RouteModel& m) { return weighted_sum(m, false); }

}  // namespace scenario
