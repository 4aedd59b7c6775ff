// Seeded random inputs over the text commands: run under AddressSanitizer and
// UBSan in the native build, they look for out-of-bounds reads, overflow and
// broken invariants on byte strings no caller would write by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "tests/platform/text_commands_properties.h"

namespace korvath::platform::testing {
namespace {

// Bytes that matter to GBK and to the commands: blanks, the full-width rows,
// lead bytes, trail bytes that look like ASCII ("\", "a", "A", "|"), bytes
// that are never trail bytes, digits and signs.
constexpr uint8_t kInteresting[] = {' ',  'a',  'A',  'z',  '\\', '|',  '~',  '1',  '9',  '-',  '+',
                                    '\t', 0x00, 0x40, 0x5C, 0x7F, 0x80, 0x81, 0xA1, 0xA3, 0xAB, 0xB0,
                                    0xB1, 0xC1, 0xD5, 0xC5, 0xEE, 0xF7, 0xFE, 0xFF};

std::string RandomBytes(std::mt19937& rng, size_t maxLength) {
  std::uniform_int_distribution<size_t> length(0, maxLength);
  std::uniform_int_distribution<int> pick(0, sizeof kInteresting - 1);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::bernoulli_distribution interesting(0.85);
  std::string out(length(rng), '\0');
  for (char& c : out) c = static_cast<char>(interesting(rng) ? kInteresting[pick(rng)] : anyByte(rng));
  return out;
}

// Well-formed GBK: ASCII (mostly printable, some blanks and digits) and whole
// two-byte characters, full-width forms among them.
std::string RandomGbk(std::mt19937& rng, size_t maxChars) {
  std::uniform_int_distribution<size_t> length(0, maxChars);
  std::uniform_int_distribution<int> kind(0, 5);
  std::uniform_int_distribution<int> ascii(0x20, 0x7E);
  std::uniform_int_distribution<int> digit('0', '9');
  std::uniform_int_distribution<int> lead(0x81, 0xFE);
  std::uniform_int_distribution<int> trail(0x40, 0xFE);
  std::uniform_int_distribution<int> fullTrail(0xA1, 0xFE);
  std::string out;
  for (size_t n = length(rng); n > 0; --n) {
    switch (kind(rng)) {
      case 0: out += static_cast<char>(ascii(rng)); break;
      case 1: out += static_cast<char>(digit(rng)); break;
      case 2: out += "\xA1\xA1"; break;
      case 3:
        out += '\xA3';
        out += static_cast<char>(fullTrail(rng));
        break;
      default: {
        int t = trail(rng);
        if (t == 0x7F) t = 0x80;
        out += static_cast<char>(lead(rng));
        out += static_cast<char>(t);
      }
    }
  }
  return out;
}

TEST(TextCommandsFuzz, ArbitraryBytesKeepTheInvariants) {
  std::mt19937 rng(20240601);
  for (int i = 0; i < 100000; ++i) {
    const std::string input = RandomBytes(rng, 40);
    const std::string failure = CheckTextCommandProperties(input);
    ASSERT_TRUE(failure.empty()) << "input " << i << ": " << failure;
  }
}

TEST(TextCommandsFuzz, WellFormedGbkKeepsTheConversionRoundTrips) {
  std::mt19937 rng(7);
  for (int i = 0; i < 30000; ++i) {
    const std::string text = RandomGbk(rng, 16);
    const std::string failure = CheckWellFormedProperties(text);
    ASSERT_TRUE(failure.empty()) << "input " << i << ": " << failure;
    // Well-formed text, and a part cut from it, also feed the general checks.
    std::string input(1, static_cast<char>(rng()));
    input += text;
    ASSERT_EQ(CheckTextCommandProperties(input), "") << "input " << i;
  }
}

}  // namespace
}  // namespace korvath::platform::testing
