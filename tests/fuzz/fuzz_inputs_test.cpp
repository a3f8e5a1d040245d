#include "fuzz/fuzz_input.h"

#ifdef FUZZ_DIAGNOSTICS_SEEDS_DIR
#include "fuzz/decoders_input.h"
#include "fuzz/diagnostics_input.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/disk_sources.h"
#include "compiler/source_store.h"
#include "output/memorizza_percorso.h"
#include "output/output_sink.h"

namespace scenario::fuzz {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) { return read_whole_file(p).value_or(std::string()); }

std::vector<fs::path> files_in(const char* dir) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file() && e.path().filename() != "README.md") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string test_name(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.parent_path().filename().string() + "_" + info.param.filename().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// Every seed and every recorded finding keeps the rules of its fuzz entry:
// the entry aborts, and this test dies, when one is broken. A finding names
// its target at the start of its file name, as fuzz/run leaves it.
class FuzzInput : public ::testing::TestWithParam<fs::path> {};

TEST_P(FuzzInput, KeepsEveryRuleOfTheFuzzEntry) {
  const std::string input = slurp(GetParam());
  const std::string name = GetParam().filename().string();
  const bool diagnostics =
      name.rfind("diagnostics_fuzzer-", 0) == 0 || GetParam().parent_path().filename() == "diagnostics";
  const bool decoders = name.rfind("decoders_fuzzer-", 0) == 0 || GetParam().parent_path().filename() == "decoders";
#ifdef FUZZ_DIAGNOSTICS_SEEDS_DIR
  if (diagnostics) {
    diagnose_input(input);
    return;
  }
  if (decoders) {
    decode_input(input);
    return;
  }
#else
  if (diagnostics || decoders) GTEST_SKIP() << "the authoring tool is not part of this build";
#endif
  compile_input(input);
}

std::vector<fs::path> all_inputs() {
  std::vector<fs::path> all = files_in(FUZZ_SEEDS_DIR);
#ifdef FUZZ_DIAGNOSTICS_SEEDS_DIR
  const std::vector<fs::path> diagnostics = files_in(FUZZ_DIAGNOSTICS_SEEDS_DIR);
  all.insert(all.end(), diagnostics.begin(), diagnostics.end());
  const std::vector<fs::path> decoders = files_in(FUZZ_DECODERS_SEEDS_DIR);
  all.insert(all.end(), decoders.begin(), decoders.end());
#endif
  const std::vector<fs::path> findings = files_in(FUZZ_REGRESSIONS_DIR);
  all.insert(all.end(), findings.begin(), findings.end());
  return all;
}

INSTANTIATE_TEST_SUITE_P(SeedsAndFindings, FuzzInput, ::testing::ValuesIn(all_inputs()), test_name);

// The seeds named error-NNN reach ErrorCode NNN, and final-NNNN fail that
// final check: the fuzzer starts from every refusal the compiler has.
class Seed : public ::testing::TestWithParam<fs::path> {};

TEST_P(Seed, ReachesTheOutcomeItIsNamedAfter) {
  const std::string name = GetParam().filename().string();
  const SourcePair pair = split_input(slurp(GetParam()));
  RouteModel model;
  model.route_name = "Seed";
  model.train_number = "1";
  MemorySources sources;
  if (pair.line) sources.set(SourceKind::kLine, *pair.line);
  if (pair.train) sources.set(SourceKind::kTrain, *pair.train);
  CompileContext ctx{model, sources};
  MemorySink sink;
  const PercorsoResult result = memorizza_percorso(ctx, pair.with_profile ? 1 : 0, sink);
  const int expected = std::stoi(name.substr(name.find('-') + 1));
  if (name.rfind("final-", 0) == 0) {
    EXPECT_EQ(result.end, PercorsoEnd::kFinalCheckFailed);
    EXPECT_EQ(result.failed_check, expected);
  } else {
    EXPECT_EQ(model.ErrorCode, expected);
  }
}

std::vector<fs::path> named_seeds() {
  std::vector<fs::path> named;
  for (const fs::path& p : files_in(FUZZ_SEEDS_DIR)) {
    const std::string n = p.filename().string();
    if (n.rfind("error-", 0) == 0 || n.rfind("final-", 0) == 0) named.push_back(p);
  }
  return named;
}

INSTANTIATE_TEST_SUITE_P(Named, Seed, ::testing::ValuesIn(named_seeds()), test_name);

TEST(FuzzInputSplit, FlagByteSeparatorAndMissingSources) {
  const SourcePair both = split_input("0line\n====\ntrain");
  EXPECT_EQ(both.line, "line");
  EXPECT_EQ(both.train, "train");

  const SourcePair no_separator = split_input(std::string("0only\0line", 10));
  EXPECT_EQ(no_separator.line, std::string("only\0line", 9));
  EXPECT_EQ(no_separator.train, "");

  EXPECT_TRUE(both.with_profile);
  EXPECT_FALSE(split_input("4a\n====\nb").with_profile);
  EXPECT_TRUE(split_input("4a\n====\nb").line);
  EXPECT_TRUE(split_input("").with_profile);

  EXPECT_FALSE(split_input("1a\n====\nb").line);
  EXPECT_FALSE(split_input("2a\n====\nb").train);
  const SourcePair none = split_input("3a\n====\nb");
  EXPECT_FALSE(none.line || none.train);

  // Only the first separator splits; a later one belongs to the train source.
  EXPECT_EQ(split_input("0a\n====\nb\n====\nc").train, "b\n====\nc");
  EXPECT_EQ(split_input(join_input(both)).line, both.line);
  EXPECT_EQ(split_input(join_input(none)).train, none.train);
  SourcePair plain = both;
  plain.with_profile = false;
  EXPECT_EQ(join_input(plain)[0], '4');
  EXPECT_FALSE(split_input(join_input(plain)).with_profile);
}

}  // namespace
}  // namespace scenario::fuzz
