#include "compiler/field_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "compiler/source_fields.h"

namespace scenario {
namespace {

// Reads the whole text as fields: 'n' numeric, 't' text, repeated as given.
std::vector<std::string> read_all(std::string_view data, std::string_view kinds) {
  FieldReader r(data);
  std::vector<std::string> out;
  for (char k : kinds) {
    auto f = k == 'n' ? r.number() : r.text();
    if (!f) break;
    out.push_back(f->text);
  }
  return out;
}

TEST(FieldReader, FollowsTheFieldRulesLiterally) {
  struct Case {
    const char* data;
    const char* kinds;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"pendenza,  1200,   5\r\n", "tnn", {"pendenza", "1200", "5"}},
      // A numeric field ends at the first space: 100, an empty field, 200.
      {"100  ,200\r\n", "nnn", {"100", "", "200"}},
      // The clock's runs of spaces separate numbers; the trailing space
      // leaves an empty candidate before the line end.
      {"orologio,    15              4             15 \r\n", "tnnnt", {"orologio", "15", "4", "15", ""}},
      // A text field runs to the comma; leading and trailing spaces go.
      {"cartello_indicatore,  1700,   (  Km  )(39+204)  \r\n",
       "tnt",
       {"cartello_indicatore", "1700", "(  Km  )(39+204)"}},
      // Empty numeric fields between commas.
      {"x,  5050,  ,  ,\n", "tnnn", {"x", "5050", "", ""}},
      // A bare LF and a bare CR end lines too.
      {"a\nb\rc", "ttt", {"a", "b", "c"}},
      // Quotes are ordinary characters: a comma between them still ends the field.
      {"\"(P, 253)\"\r\n", "tt", {"\"(P", "253)\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    EXPECT_EQ(read_all(c.data, c.kinds), c.fields);
  }
}

TEST(FieldReader, EndOfFileComesAfterTheLastDelimiter) {
  FieldReader r("[generale]\r\n[fine]\r\n");
  ASSERT_TRUE(r.text());
  EXPECT_FALSE(r.eof());
  auto last = r.text();
  ASSERT_TRUE(last);
  EXPECT_EQ(last->text, "[fine]");
  EXPECT_TRUE(r.eof());
  EXPECT_FALSE(r.text().has_value());  // a read past the end

  FieldReader no_newline("a,b");
  no_newline.text();
  EXPECT_FALSE(no_newline.eof());
  EXPECT_EQ(no_newline.text()->delimiter, Delimiter::kEndOfFile);
  EXPECT_TRUE(no_newline.eof());
}

TEST(FieldReader, KeepsLineAndColumnOfEachField) {
  FieldReader r("ab, 12\r\n  cd");
  auto a = r.text();
  auto n = r.number();
  auto c = r.text();
  EXPECT_EQ(a->line, 1);
  EXPECT_EQ(a->column, 1);
  EXPECT_EQ(n->line, 1);
  EXPECT_EQ(n->column, 5);
  EXPECT_EQ(c->line, 2);
  EXPECT_EQ(c->column, 3);
}

TEST(FieldReader, LineAndColumnNumbersAnIntCannotHoldAreNotKnown) {
  constexpr uint64_t kIntMax = std::numeric_limits<int>::max();
  const std::pair<uint64_t, int> cases[] = {
      {1, 1},
      {kIntMax, std::numeric_limits<int>::max()},
      {kIntMax + 1, 0},
      {(uint64_t{1} << 32) + 1, 0},  // not 1, as a wrapped 32-bit counter would give
      {std::numeric_limits<uint64_t>::max(), 0},
  };
  for (const auto& [count, reported] : cases) EXPECT_EQ(reported_number(count), reported) << count;
}

#if defined(__linux__)
// A text of `spaces` spaces and then `tail`, over 2 GiB long, in little
// memory: one MiB of spaces in a memory file is mapped again and again, and
// only the end (the rest of the spaces and the tail) is memory of its own.
// Unmapped when it goes.
class LongSpaceRun {
 public:
  static constexpr size_t kChunk = size_t{1} << 20;

  LongSpaceRun(size_t spaces, const std::string& tail)
      : size_(spaces + tail.size()), shared_(spaces / kChunk - 1), mapped_((size_ + kChunk - 1) / kChunk * kChunk) {
    const int fd = memfd_create("spaces", 0);
    if (fd < 0 || ftruncate(fd, kChunk) != 0) return;
    void* base = mmap(nullptr, mapped_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) {
      close(fd);
      return;
    }
    base_ = static_cast<char*>(base);
    void* page = mmap(nullptr, kChunk, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    bool ok = page != MAP_FAILED;
    if (ok) {
      std::memset(page, ' ', kChunk);
      munmap(page, kChunk);
    }
    for (size_t i = 0; ok && i < shared_; ++i)
      ok = mmap(base_ + i * kChunk, kChunk, PROT_READ, MAP_SHARED | MAP_FIXED, fd, 0) != MAP_FAILED;
    close(fd);
    char* own = base_ + shared_ * kChunk;
    const size_t own_size = mapped_ - shared_ * kChunk;
    ok =
        ok && mmap(own, own_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED;
    if (!ok) return;
    std::memset(own, ' ', spaces - shared_ * kChunk);
    std::memcpy(base_ + spaces, tail.data(), tail.size());
    ready_ = true;
  }
  ~LongSpaceRun() {
    if (base_) munmap(base_, mapped_);
  }
  LongSpaceRun(const LongSpaceRun&) = delete;
  LongSpaceRun& operator=(const LongSpaceRun&) = delete;

  bool ready() const { return ready_; }
  std::string_view text() const { return {base_, size_}; }

 private:
  size_t size_;
  size_t shared_;  // chunks of the memory file
  size_t mapped_;
  char* base_ = nullptr;
  bool ready_ = false;
};
#endif

// Leading spaces are skipped, so a line of 2 GiB of spaces before a field
// is read without the field taking that memory.
TEST(FieldReader, ALineLongerThanAnIntCanCountGivesColumnsThatAreNotKnown) {
#if defined(__linux__)
  const std::string tail = "ab,cd\nef";
  // "ab" starts in the last column an int can count.
  const LongSpaceRun run(size_t{std::numeric_limits<int>::max()} - 1, tail);
  if (!run.ready()) GTEST_SKIP() << "cannot map a text of 2 GiB here";
  FieldReader r(run.text());
  const auto ab = r.text();
  const auto cd = r.text();
  ASSERT_TRUE(ab && cd);
  EXPECT_EQ(ab->text, "ab");
  EXPECT_EQ(ab->line, 1);
  EXPECT_EQ(ab->column, std::numeric_limits<int>::max());
  EXPECT_EQ(cd->text, "cd");
  EXPECT_EQ(cd->line, 1);
  EXPECT_EQ(cd->column, 0);
  const auto ef = r.text();
  ASSERT_TRUE(ef);
  EXPECT_EQ(ef->text, "ef");
  EXPECT_EQ(ef->line, 2);
  EXPECT_EQ(ef->column, 1);
#else
  GTEST_SKIP() << "maps one page of memory many times over, which only Linux is asked to do here";
#endif
}

TEST(FieldReader, NumbersAreAnOptionalSignAndDigits) {
  EXPECT_EQ(parse_number(""), 0);
  EXPECT_EQ(parse_number("-16"), -16);
  EXPECT_EQ(parse_number("+5"), 5);
  EXPECT_EQ(parse_number("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(parse_number("-9223372036854775808"), INT64_MIN);
  for (const char* bad : {"-", "+", "1.5", "12abc", "0x10", "9223372036854775808", " 1"})
    EXPECT_FALSE(parse_number(bad).has_value()) << bad;
}

TEST(SourceFields, TypedReadsFailOutsideTheirRange) {
  SourceFields ok(SourceKind::kTrain, "2147483647,-32768,255,0,");
  EXPECT_EQ(ok.read_long(), 2147483647);
  EXPECT_EQ(ok.read_integer(), -32768);
  EXPECT_EQ(ok.read_byte(), 255);
  EXPECT_EQ(ok.read_byte(), 0);

  auto fails = [](const char* data, auto read) {
    SourceFields f(SourceKind::kTrain, data);
    try {
      read(f);
    } catch (const RuntimeFailure& failure) {
      EXPECT_TRUE(failure.where.has_value());
      return true;
    }
    return false;
  };
  EXPECT_TRUE(fails("2147483648", [](SourceFields& f) { f.read_long(); }));
  EXPECT_TRUE(fails("32768", [](SourceFields& f) { f.read_integer(); }));
  EXPECT_TRUE(fails("256", [](SourceFields& f) { f.read_byte(); }));
  EXPECT_TRUE(fails("-1", [](SourceFields& f) { f.read_byte(); }));
  EXPECT_TRUE(fails("abc", [](SourceFields& f) { f.read_long(); }));
  EXPECT_TRUE(fails("", [](SourceFields& f) { f.read_long(); }));  // past the end
  EXPECT_TRUE(fails(std::string(70000, 'x').c_str(), [](SourceFields& f) { f.read_text(); }));
}

}  // namespace
}  // namespace scenario
