// Names through the save's bytes and the reader: every character that the
// name box can hold, and random names of the whole code page 936. What the
// writer accepts reads back with the same name and values; what it refuses,
// it refuses for a reason that its rules name.
//
// The random names are few by default, so that the sanitizer build stays
// quick. KORVATH_RANDOM_NAMES sets their number; ten million take a few
// minutes in a Release build:
//
//   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/rel --target app_names_tests
//   KORVATH_RANDOM_NAMES=10000000 build/rel/tests/app/app_names_tests
//
// Each test prints how many names it tried, accepted and refused for each
// reason; the time is gtest's.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "tests/app/npc_file_properties.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using korvath::app::properties::CheckWrittenForm;
using korvath::app::properties::FormInput;

namespace {

constexpr const char* kFolder = "C:\\AI文件夹\\";

// The name saved from the start record, and its file read back.
struct RoundTrip {
  BuildVerdict verdict;
  std::optional<NpcScriptRefusal> refusal;
  std::string written, read;
};
RoundTrip SaveAndRead(const std::string& name) {
  RoundTrip trip;
  NpcRecord npc = testdata::StartRecord();
  trip.verdict = BuildNpcScript(npc, ScriptInput{"5000", name, kFolder});
  if (!trip.verdict.accepted()) return trip;
  trip.written = npc.NpcName;
  const std::vector<std::string> kept = KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines));
  trip.refusal = CheckNpcScript(kept);
  if (std::optional<NpcScriptValues> values = ParseNpcScript(kept)) trip.read = values->name;
  return trip;
}

// Short labels of the writer's refusals, for the counts.
class RefusalTally {
 public:
  RefusalTally() {
    NpcRecord npc = testdata::StartRecord();
    labels_[std::string(EmptyNameMessage())] = "empty name";
    labels_[std::string(UnsavableNameMessage())] = "a character that cannot be saved";
    labels_[BuildNpcScript(npc, ScriptInput{"1", "张\"", kFolder}).message] = "a quote, semicolon or control character";
    labels_[BuildNpcScript(npc, ScriptInput{"1", "Abc", kFolder}).message] = "no Chinese character";
    labels_[std::string(HitChanceMessage())] = "hit chances above 100";
  }
  void Count(const BuildVerdict& verdict) {
    ++tried_;
    if (verdict.accepted()) return void(++accepted_);
    const auto label = labels_.find(verdict.message);
    ++counts_[label == labels_.end() ? "another reason" : label->second];
  }
  size_t refused(const std::string& label) const {
    const auto count = counts_.find(label);
    return count == counts_.end() ? 0 : count->second;
  }
  void Print(const char* what) const {
    std::printf("%s: %zu names, %zu accepted, written and read back\n", what, tried_, accepted_);
    for (const auto& [label, count] : counts_) std::printf("  refused, %s: %zu\n", label.c_str(), count);
  }
  size_t accepted() const { return accepted_; }

 private:
  std::map<std::string, std::string> labels_;
  std::map<std::string, size_t> counts_;
  size_t tried_ = 0, accepted_ = 0;
};

// The form as the start-up leaves it, with `name` in the name box.
FormInput StartForm(std::string name) {
  return FormInput{testdata::StartRecord(), ScriptInput{"5000", std::move(name), kFolder}};
}

// A form with every list at a random item, hit chances within 100, a random
// HP and `name`.
FormInput RandomForm(std::mt19937_64& rng, std::string name) {
  std::string choices(properties::kFormChoiceBytes, '\0');
  FormInput form;
  do {
    for (char& c : choices) c = char(rng());
    choices.back() = 0;  // every character has a GBK form
    form = properties::FormInputOfBytes(choices + "\xFF" + std::to_string(1 + rng() % 9999) + "\xFF" + kFolder);
  } while (form.npc.NpcAttack1 + form.npc.NpcAttack2 + form.npc.NpcAttack3 > 100);
  form.input.nameText = std::move(name);
  return form;
}

// One character of code page 936: a byte 0x01 to 0x80 (0x80 is the euro
// sign), or a lead byte 0x81 to 0xFE and a trail byte 0x40 to 0xFE but 0x7F.
constexpr int kOneByteChars = 0x80;
constexpr int kTrails = 0xFE - 0x40;
constexpr int kChars = kOneByteChars + (0xFE - 0x81 + 1) * kTrails;
std::string CharOfCodePage(int index) {
  if (index < kOneByteChars) return std::string(1, char(index + 1));
  const int pair = index - kOneByteChars, trail = 0x40 + pair % kTrails;
  return {char(0x81 + pair / kTrails), char(trail < 0x7F ? trail : trail + 1)};
}

}  // namespace

// GBK names whose bytes are valid UTF-8 too (皓 is 0xF0 0xA9, 海 0xBA 0xA3):
// what the save writes, the reader reads.
TEST(Names, NamesWhoseBytesAreValidUtf8TooReadBack) {
  for (const char* name : {"皓海", "郑皓东", "皓东", "皓晨", "馥安", "谢谢"}) {
    const RoundTrip trip = SaveAndRead(name);
    EXPECT_TRUE(trip.verdict.accepted()) << name;
    EXPECT_EQ(trip.refusal, std::nullopt) << name;
    EXPECT_EQ(trip.read, name);
  }
}

// The euro sign of the name box is code page 936's one byte 0x80: the save
// refuses it, and a file that holds it is refused for the same rule.
TEST(Names, ALoneByteOfTheEuroSignIsRefusedAtSaveAndRead) {
  EXPECT_EQ(SaveAndRead("张\x80").verdict.message, UnsavableNameMessage());
  std::string file = testdata::StartFileBytes();
  file.replace(file.find("\"") + 1, 4, "张\x80");
  EXPECT_EQ(CheckNpcScript(KeptLinesOfFile(file)), (NpcScriptRefusal{NpcScriptRefusal::Reason::NotGbkName, 1}));
}

// Every character of the code page, alone and before and after a Chinese
// character: the writer accepts exactly what its rules let through, and every
// name it accepts reads back as written, with the form's values.
TEST(Names, EveryCharacterTheNameBoxHoldsIsSavedAndReadBack) {
  RefusalTally tally;
  for (int index = 0; index < kChars; ++index) {
    const std::string c = CharOfCodePage(index);
    for (const std::string& name : {c, "张" + c, c + "张"}) {
      BuildVerdict verdict;
      ASSERT_EQ(CheckWrittenForm(StartForm(name), &verdict), "") << ::testing::PrintToString(name);
      tally.Count(verdict);
    }
    // Beside a Chinese character, only a lone byte of 0x80 or above, a quote
    // or semicolon, typed half or full width, and a control character are refused.
    const uint8_t b = uint8_t(c[0]);
    const bool refused = c.size() == 1 ? b == '"' || b == ';' || b < 0x20 || b >= 0x7F
                                       : c == "\xA3\xA2" || c == "\xA3\xBB";
    EXPECT_EQ(SaveAndRead("张" + c).verdict.accepted(), !refused) << ::testing::PrintToString(c);
  }
  tally.Print("every character, alone and beside a Chinese one");
  EXPECT_EQ(tally.refused("another reason"), 0u);
}

// Random names of 1 to 8 characters, a quarter of them one byte long, drawn
// from the whole code page, with random values in the lists.
TEST(Names, RandomNamesOfTheWholeCodePageAreSavedAndReadBack) {
  const char* count = std::getenv("KORVATH_RANDOM_NAMES");
  const long names = count ? std::atol(count) : 20000;
  std::mt19937_64 rng(20270311);
  RefusalTally tally;
  for (long i = 0; i < names; ++i) {
    std::string name;
    for (uint64_t chars = 1 + rng() % 8; chars > 0; --chars) {
      const uint64_t pick = rng();
      name += CharOfCodePage(pick % 4 == 0 ? int(pick / 4 % kOneByteChars)
                                           : kOneByteChars + int(pick / 4 % (kChars - kOneByteChars)));
    }
    const FormInput form = RandomForm(rng, name);
    BuildVerdict verdict;
    ASSERT_EQ(CheckWrittenForm(form, &verdict), "") << ::testing::PrintToString(name);
    tally.Count(verdict);
  }
  tally.Print("random names");
  EXPECT_EQ(tally.refused("another reason"), 0u);
  EXPECT_EQ(tally.refused("hit chances above 100"), 0u);
  EXPECT_GT(tally.accepted(), size_t(names) / 4);
}
