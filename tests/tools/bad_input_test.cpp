// scenario compile on inputs an author should never write but sometimes
// will: missing and odd files, garbage, huge files and fields, NUL and
// undefined bytes, numbers at and past the limits of their types, long
// hyphen chains and the longest route. Every case must end with a defined
// exit status and a clear diagnostic, within bounded time and memory, and
// leave the author's files exactly as they were.
//
// The tool runs as a child process so that its time and peak memory can be
// measured; that needs POSIX, so this file is not part of the Windows build.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/run_lock.h"
#include "tests/tools/tool_run.h"

namespace scenario::testing {
namespace {

using nlohmann::json;

struct Measured {
  int status = -1;  // exit status; -1 when killed or signalled
  double seconds = 0;
  long peak_kib = 0;  // peak resident memory of the child, as last seen
  std::string out, err;
};

// The child's peak resident memory so far (VmHWM), or 0 when it has gone.
long peak_resident_kib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

// Under the sanitizers the tool reserves terabytes of address space for
// their shadow memory, so its address space cannot be limited there, and
// its resident memory also holds up to 256 MiB of freed blocks kept back to
// catch uses after free.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitAddressSpace = false;
constexpr long kSanitizerAllowanceMib = 300;
#else
constexpr bool kLimitAddressSpace = true;
constexpr long kSanitizerAllowanceMib = 0;
#endif

// Runs SCENARIO_EXE in cwd with a time limit and, outside the sanitizer
// build, an address-space limit: a child that outlives the time is killed
// and reported with status -1; one that needs more memory fails its
// allocation. The peak memory is read from /proc while the child runs, once
// it has started the tool (before that it is a copy of this process).
Measured run_measured(const std::vector<std::string>& args, const fs::path& cwd, double limit_seconds, long limit_mib,
                      rlim_t file_size_limit = RLIM_INFINITY) {
  const fs::path out = cwd / ".stdout";
  const fs::path err = cwd / ".stderr";
  int started[2];
  if (pipe2(started, O_CLOEXEC) != 0) return {};
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    close(started[0]);
    if (chdir(cwd.c_str()) != 0) _exit(126);
    const int in = open("/dev/null", O_RDONLY);
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || o < 0 || e < 0) _exit(126);
    dup2(in, 0);
    dup2(o, 1);
    dup2(e, 2);
    if (file_size_limit != RLIM_INFINITY) {
      // A write past the limit then fails with EFBIG instead of killing the tool.
      signal(SIGXFSZ, SIG_IGN);
      const rlimit lim{file_size_limit, file_size_limit};
      setrlimit(RLIMIT_FSIZE, &lim);
    }
    if (kLimitAddressSpace) {
      const rlim_t bytes = static_cast<rlim_t>(limit_mib) << 20;
      const rlimit lim{bytes, bytes};
      setrlimit(RLIMIT_AS, &lim);
    }
    std::vector<char*> argv;
    std::string exe = SCENARIO_EXE;
    argv.push_back(exe.data());
    std::vector<std::string> copies = args;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  close(started[1]);
  char ignored;
  while (read(started[0], &ignored, 1) > 0) {
  }
  close(started[0]);

  Measured m;
  int raw = 0;
  for (;;) {
    m.peak_kib = std::max(m.peak_kib, peak_resident_kib(child));
    if (waitpid(child, &raw, WNOHANG) == child) break;
    if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > limit_seconds) {
      kill(child, SIGKILL);
      waitpid(child, &raw, 0);
      raw = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  m.out = slurp(out);
  m.err = slurp(err);
  fs::remove(out);
  fs::remove(err);
  return m;
}

// What the author's directory holds: every file's bytes and time of last
// change, and every directory.
struct AuthorFile {
  std::string bytes;
  fs::file_time_type mtime;
  bool directory = false;
  bool operator==(const AuthorFile&) const = default;
};
std::map<std::string, AuthorFile> author_files(const fs::path& dir) {
  std::map<std::string, AuthorFile> files;
  for (const auto& e : fs::directory_iterator(dir)) {
    AuthorFile f;
    f.directory = e.is_directory();
    if (!f.directory) f.bytes = slurp(e.path());
    f.mtime = fs::last_write_time(e.path());
    files[e.path().filename().string()] = std::move(f);
  }
  return files;
}

void write_bytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A string literal with the NUL bytes inside it.
template <size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// Sources that compile cleanly unless a case adds to them.
const std::string kGeneral = "[generale]\r\nlunghezza percorso, 10000\r\n";
std::string line_with(const std::string& records) {
  return kGeneral + "[pendenze]\r\npendenza, 0, 0\r\n" + records + "[fine]\r\n";
}
std::string train_with(const std::string& records) {
  return "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 80\r\n" + records + "[fine]\r\n";
}
std::string station(const std::string& pos, const std::string& kind, const std::string& length,
                    const std::string& tail = "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, Stazione") {
  return "stazione, " + pos + ", " + kind + ", " + length + ", " + tail + "\r\n";
}

// A deterministic run of bytes of every value.
std::string garbage(size_t n) {
  std::string s(n, '\0');
  uint32_t x = 2463534242u;
  for (char& c : s) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x & 0xFF);
  }
  return s;
}

// The longest route, with an object of each kind on or next to the last
// cells a record may reach: N = 20140 and positions up to 1006900 m. The
// plan may turn up to metre 999999 only.
std::string longest_line(const std::string& curve = "curvad1, 998999, 1000") {
  return "[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\n" + curve +
         "\r\n"
         "[pendenze]\r\npendenza, 0, 0\r\npendenza, 1006900, 5\r\n[montagne]\r\nmontagna, 1006900, 1007000, 12\r\n"
         "[indicazioni]\r\nindicatori_vmax, 1006900, 140, 160, 160, 2, 140, 160, 160, 2\r\n"
         "[cartelli]\r\ncartello_indicatore, 1006850, (Km 1006,850)\r\n[fine]\r\n";
}
std::string longest_train() {
  return "[generale]\r\nvelocita, 0, 100\r\nvelocita, 1006900, 60\r\naderenza, 0, 80\r\naderenza, 1006900, 70\r\n" +
         station("1006200", "12", "200") +
         "segnale, 1006000, 2, 4, 1, 1, 0, 2, 2, 1, 1, 115\r\nabbattimento, 1006600, 270\r\n"
         "rallentamento, 1006700, 80, 50, 0, 1, 0\r\n[fine]\r\n";
}

struct Case {
  const char* name;
  // Fills the author's directory and returns the arguments after "compile".
  std::function<std::vector<std::string>(const fs::path& src)> make;
  int status;           // the exit status
  const char* says;     // a part of the diagnostics on stderr; "" when none is due
  double seconds = 30;  // time limit
  long peak_mib = 300;  // memory limit (address space outside the sanitizer build)
};

std::vector<std::string> pair_of(const fs::path& src, const std::string& line, const std::string& train) {
  write_bytes(src / "R_linea.txt", line);
  write_bytes(src / "R_1-.txt", train);
  return {"src/R_linea.txt", "src/R_1-.txt"};
}
auto line_case(std::string line) {
  return [line](const fs::path& src) { return pair_of(src, line, train_with("")); };
}
auto train_case(std::string train) {
  return [train](const fs::path& src) { return pair_of(src, line_with(""), train); };
}

const size_t kHundredMegabytes = 100u << 20;

std::vector<Case> cases() {
  std::vector<Case> c;
  // Files that are not there, empty, or not files at all.
  c.push_back({"missing line source",
               [](const fs::path& src) {
                 write_bytes(src / "R_1-.txt", train_with(""));
                 return std::vector<std::string>{"src/R_linea.txt", "src/R_1-.txt"};
               },
               74, "R_linea.txt does not exist"});
  c.push_back({"missing train source",
               [](const fs::path& src) {
                 write_bytes(src / "R_linea.txt", line_with(""));
                 return std::vector<std::string>{"src/R_linea.txt", "src/R_1-.txt"};
               },
               74, "R_1-.txt does not exist"});
  c.push_back({"empty sources", [](const fs::path& src) { return pair_of(src, "", ""); }, 2, "[code 102]"});
  c.push_back({"empty train source", [](const fs::path& src) { return pair_of(src, line_with(""), ""); }, 0, ""});
  c.push_back({"directory as the line source",
               [](const fs::path& src) {
                 fs::create_directory(src / "R_linea.txt");
                 write_bytes(src / "R_1-.txt", train_with(""));
                 return std::vector<std::string>{"src/R_linea.txt", "src/R_1-.txt"};
               },
               74, "R_linea.txt is a directory"});
  // Garbage: bytes of every value, alone and after a valid general section.
  c.push_back({"binary garbage", [](const fs::path& src) { return pair_of(src, garbage(1 << 20), garbage(1 << 20)); },
               2, "[code 102]"});
  c.push_back(
      {"garbage after the general section",
       [](const fs::path& src) { return pair_of(src, kGeneral + "[x]\r\n" + garbage(1 << 20), garbage(1 << 20)); }, 0,
       ""});
  // Huge files: 100 MB of records, and 100 MB in one field without a line end.
  c.push_back({"100 MB of gradient records",
               [](const fs::path& src) {
                 const std::string record = "pendenza, 0, 0\r\n";
                 std::string line = kGeneral + "[pendenze]\r\n";
                 line.reserve(kHundredMegabytes + 100);
                 while (line.size() < kHundredMegabytes) line += record;
                 return pair_of(src, line + "[fine]\r\n", train_with(""));
               },
               0, "", 120, 1500});
  c.push_back({"100 MB in one field",
               [](const fs::path& src) { return pair_of(src, std::string(kHundredMegabytes, 'x'), train_with("")); }, 2,
               "[code 102]", 120, 1500});
  // Lines of a million characters.
  c.push_back({"sign board text of a million characters",
               line_case(line_with("cartello_indicatore, 1700, " + std::string(1000000, 'A') + "\r\n")), 1,
               "longer than the 65535"});
  c.push_back({"number of a million digits",
               line_case(line_with("pendenza, 100, " + std::string(1000000, '7') + "\r\n")), 1, "bytes left out"});
  c.push_back(
      {"unknown field of a million characters", line_case(line_with(std::string(1000000, 'x') + "\r\n")), 0, ""});
  c.push_back({"a million commas", line_case(line_with(std::string(1000000, ',') + "\r\n")), 0, ""});
  c.push_back({"a million spaces", train_case(train_with(std::string(1000000, ' ') + "\r\n")), 0, ""});
  // NUL bytes, and bytes Windows-1252 does not define.
  c.push_back({"NUL inside a keyword", line_case(line_with(bytes("pen\0denza, 100, 5\r\n"))), 0, "pen\\x00denza"});
  c.push_back({"NUL inside a number",
               line_case(line_with(bytes("pendenza, 1\0"
                                         "00, 5\r\n"))),
               1, "[code 25]"});
  c.push_back({"NUL and undefined bytes in a board text",
               line_case(line_with(bytes("cartello_indicatore, 1700, (P\0 \x81\x8D\x8F\x90\x9D)\r\n"))), 0, ""});
  c.push_back(
      {"Windows-1252 letter inside a keyword", line_case(line_with("pend\xE8nza, 100, 5\r\n")), 0, "pend\xC3\xA8nza"});
  c.push_back({"undefined byte inside a keyword",
               train_case(train_with("velo\x81"
                                     "cita, 100, 5\r\n")),
               0, "velo\\x81cita"});
  // A tab is not a space: it ends no field and is not skipped before one.
  c.push_back({"tabs between numbers", train_case(train_with("orologio, 15\t4\t15\r\n")), 1, "\"15\\x094\\x0915\""});
  c.push_back({"tab before a keyword", line_case(line_with("\tpendenza, 100, 5\r\n")), 0, ""});
  // Numbers at and past the limits of their types: 32-bit positions and
  // values, 16-bit clock and sand, byte station fields, and the values the
  // compiler derives from them.
  c.push_back({"32-bit position at its top", line_case(line_with("pendenza, 2147483647, 5\r\n")), 1, "[code 15]"});
  c.push_back({"32-bit position past its top", line_case(line_with("pendenza, 2147483648, 5\r\n")), 1, "[code 25]"});
  c.push_back({"32-bit position at its bottom", line_case(line_with("pendenza, -2147483648, 5\r\n")), 0, ""});
  c.push_back({"32-bit board position at its bottom", line_case(line_with("cartello_indicatore, -2147483648, (x)\r\n")),
               1, "[code 204]"});
  c.push_back({"a board at -1 m takes cell 1", line_case(line_with("cartello_indicatore, -1, (x)\r\n")), 2, "1250"});
  c.push_back(
      {"32-bit position past its bottom", line_case(line_with("pendenza, -2147483649, 5\r\n")), 1, "[code 25]"});
  c.push_back({"gradient at the top of 32 bits", line_case(line_with("pendenza, 100, 2147483647\r\n")), 0, ""});
  c.push_back({"gradient at the bottom of 32 bits", line_case(line_with("pendenza, 100, -2147483648\r\n")), 0, ""});
  c.push_back(
      {"route length at its limit", line_case("[generale]\r\nlunghezza percorso, 1000000\r\n[fine]\r\n"), 0, ""});
  c.push_back({"route length past its limit", line_case("[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n"), 2,
               "[code 1]"});
  c.push_back({"route length at the top of 32 bits",
               line_case("[generale]\r\nlunghezza percorso, 2147483647\r\n[fine]\r\n"), 2, "[code 1]"});
  c.push_back({"route length at the bottom of 32 bits",
               line_case("[generale]\r\nlunghezza percorso, -2147483648\r\n[fine]\r\n"), 2, "[code 201]"});
  c.push_back({"kilometre references at the top of 32 bits",
               line_case(kGeneral + "progressiva chilometrica uno, 2147483600, 2147483600, 1\r\n"
                                    "progressiva chilometrica due, 2147483647, 2147483647, 1\r\n"
                                    "progressiva chilometrica tre, 2147483646, -2147483648, 1\r\n[fine]\r\n"),
               1, "[code 2]"});
  c.push_back({"code repetition at the limits",
               line_case(kGeneral + "ripetizione segnali 9 codici, -2147483600, 2147483600\r\n[fine]\r\n"), 0, ""});
  c.push_back(
      {"montagna type and ends at the limits",
       line_case(line_with("montagna, 1000, 2147483647, 2147483647\r\nmontagna, 2000, -2147483648, -2147483648\r\n")),
       0, ""});
  c.push_back({"speed boards at the top of 16 bits",
               line_case(line_with("indicatori_vmax, 5050, 1638, 0, 0, 32767, 35, 0, 0, 0\r\n")), 0, ""});
  c.push_back({"speed boards past the top of 16 bits",
               line_case(line_with("indicatori_vmax, 5050, 1638, 0, 0, 0, 40, 0, 0, 0\r\n")), 1, "[code 25]"});
  c.push_back({"speed board stripes at the limits of 32 bits",
               line_case(line_with("indicatori_vmax, 5050, 0, 0, 0, 2147483647, 0, 0, 0, -2147483648\r\n")), 0, ""});
  c.push_back({"clock and sand at the limits of 16 bits",
               train_case(train_with("orologio, 32767, -32768, 0\r\nsabbia, -32768\r\n")), 0, ""});
  c.push_back({"clock past the top of 16 bits", train_case(train_with("orologio, 32768, 0, 0\r\n")), 1, "[code 25]"});
  c.push_back({"sand past the bottom of 16 bits", train_case(train_with("sabbia, -32769\r\n")), 1, "[code 25]"});
  c.push_back({"speed limit at the top of a byte", train_case(train_with("velocita, 5000, 1277\r\n")), 0, ""});
  c.push_back(
      {"speed limit past the top of a byte", train_case(train_with("velocita, 5000, 1278\r\n")), 1, "[code 25]"});
  c.push_back({"adhesion and make-up at the limits of 32 bits",
               train_case(train_with("aderenza, 5000, 2147483647\r\naderenza, 6000, -2147483648\r\n"
                                     "numero vetture, 2147483647\r\npercentuale massa frenata, -2147483648\r\n")),
               0, ""});
  c.push_back({"station byte fields at their top",
               train_case(train_with(station("1000", "255", "200",
                                             "255, 255, 255, 32767, -32768, 255, 32767, 32767, 32767, 255, "
                                             "2147483647, 2147483647, 2147483647, Stazione"))),
               0, ""});
  c.push_back(
      {"station kind past the top of a byte", train_case(train_with(station("1000", "256", "200"))), 1, "[code 25]"});
  c.push_back({"station kind below zero", train_case(train_with(station("1000", "-1", "200"))), 1, "[code 25]"});
  c.push_back(
      {"station zone beyond the grid", train_case(train_with(station("5000", "8", "2000000"))), 1, "[code 205]"});
  // The zone's end, 5000 + 2147483600, wraps below zero as 32-bit sums do.
  c.push_back({"station length at the top of 32 bits", train_case(train_with(station("5000", "8", "2147483600"))), 1,
               "[code 24]"});
  c.push_back({"signal values at the limits of 32 bits",
               train_case(train_with("segnale, 2800, 2147483647, 2147483647, -2147483648, 2147483647, 2147483647, "
                                     "-2147483648, 2147483647, -2147483648, 2147483647, 2147483647\r\n")),
               0, ""});
  c.push_back({"slowdown values at the limits of 32 bits",
               train_case(train_with("rallentamento, 5000, 2147483647, 100, -2147483648, 2147483647, 2147483647\r\n")),
               0, ""});
  c.push_back({"slowdown length at the top of 32 bits",
               train_case(train_with("rallentamento, 5000, 80, 2147483647, 0, 0, 0\r\n")), 1, "[code 206]"});
  c.push_back({"code reduction values at the limits of 32 bits",
               train_case(train_with("abbattimento, 5000, 2147483647\r\nabbattimento, 6000, -2147483648\r\n")), 0, ""});
  // Hyphen chains: a hundred thousand hyphen fields in each section, and a
  // chain that runs into the end of the file.
  c.push_back({"hyphen chains in every section",
               [](const fs::path& src) {
                 std::string hyphens;
                 for (int i = 0; i < 100000; ++i) hyphens += "-\r\n";
                 return pair_of(src,
                                "[generale]\r\n" + hyphens + "lunghezza percorso, 10000\r\n[x]\r\n" + hyphens +
                                    "pendenza, 100, 5\r\n[fine]\r\n",
                                train_with(hyphens + "velocita, 100, 5\r\n"));
               },
               0, ""});
  c.push_back({"hyphen chain at the end of the general section",
               line_case("[generale]\r\nlunghezza percorso, 10000\r\n-\r\n-\r\n"), 1, "[code 25]"});
  // The longest route with objects at its last accepted cells.
  c.push_back({"route of 1000000 m with objects at its end",
               [](const fs::path& src) { return pair_of(src, longest_line(), longest_train()); }, 0, "", 60, 600});
  c.push_back({"route of 1000000 m with a curve at its last accepted cell",
               [](const fs::path& src) { return pair_of(src, longest_line("curvad1, 1006900, 50"), longest_train()); },
               1, "[code 103]", 60, 600});
  return c;
}

TEST(BadInput, EveryCaseEndsCleanlyAndLeavesTheAuthorsFilesAlone) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const fs::path dir = scratch_dir("bad-input");
    fs::create_directory(dir / "src");
    fs::create_directory(dir / "out");
    std::vector<std::string> args = c.make(dir / "src");
    const auto before = author_files(dir / "src");
    args.insert(args.begin(), "compile");
    for (const char* more : {"--route", "R", "--train", "1", "--out", "out", "--json"}) args.push_back(more);

    const Measured m = run_measured(args, dir, c.seconds, c.peak_mib);
    // The peak is seen only when the run outlasts a sample; the limit holds either way.
    std::printf("%-58s exit %3d %7.2f s %s\n", c.name, m.status, m.seconds,
                m.peak_kib > 0 ? (std::to_string(m.peak_kib / 1024) + " MiB").c_str() : "");
    EXPECT_EQ(m.status, c.status) << m.err.substr(0, 2000);
    EXPECT_LT(m.seconds, c.seconds);
    EXPECT_LT(m.peak_kib, (c.peak_mib + kSanitizerAllowanceMib) * 1024) << "peak resident memory in KiB";
    if (*c.says) {
      EXPECT_NE(m.err.find(c.says), std::string::npos) << m.err.substr(0, 2000);
    } else if (c.status == 0) {
      EXPECT_EQ(m.err.find("error"), std::string::npos) << m.err.substr(0, 2000);
    }

    // Clear: every diagnostic is one line of readable length.
    std::istringstream lines(m.err);
    for (std::string l; std::getline(lines, l);) EXPECT_LT(l.size(), 1000u) << l.substr(0, 200);

    // With --json, a run that compiled prints exactly one JSON object
    // whose error code the diagnostics name.
    if (m.status == 0 || m.status == 1 || m.status == 2) {
      try {
        const json j = json::parse(m.out);
        // A failed final check is fatal by itself, whatever the compile recorded.
        if (j["fatal"].is_number())
          EXPECT_TRUE(j["fatal"] == 1250 || j["fatal"] == 1251) << j["fatal"];
        else
          EXPECT_EQ(j["error_code"].get<int>() != 0, m.status != 0 || !j["fatal"].is_null());
        EXPECT_EQ(j["files"].size(), m.status == 2 ? 0u : 3u);
      } catch (const json::exception& e) {
        ADD_FAILURE() << "stdout is not one JSON object: " << e.what() << "\n" << m.out.substr(0, 500);
      }
    }

    // Nothing of the author's is deleted, changed or added to.
    EXPECT_TRUE(author_files(dir / "src") == before);
    fs::remove_all(dir);
  }
}

// An output directory where the files cannot be written whole (a 16 KiB
// file size limit, which binds root too): the scenario file fits, the track
// file (2141 cells, 32 KiB) does not. The tool says which file and exits 74;
// the earlier set is still whole (neither file replaced), nothing
// half-written or temporary is left, the sources are untouched, and the
// JSON object names no file as written.
TEST(BadOutput, AFileThatCannotBeWrittenLeavesTheEarlierSetWhole) {
  const fs::path dir = scratch_dir("bad-output");
  fs::create_directory(dir / "src");
  fs::create_directory(dir / "out");
  const std::string line = "[generale]\r\nlunghezza percorso, 100000\r\n[pendenze]\r\npendenza, 0, 0\r\n[fine]\r\n";
  std::vector<std::string> args = pair_of(dir / "src", line, train_with(""));
  args.insert(args.begin(), "compile");
  for (const char* more : {"--route", "R", "--train", "1", "--out", "out", "--no-profile", "--json"})
    args.push_back(more);
  const std::string earlier_sim = "earlier scenario file";
  const std::string earlier_dat = "earlier track file";
  write_bytes(dir / "out" / "R_1.sim", earlier_sim);
  write_bytes(dir / "out" / "R_1.dat", earlier_dat);
  const auto sources = author_files(dir / "src");

  const Measured m = run_measured(args, dir, 30, 300, 16 << 10);
  EXPECT_EQ(m.status, 74) << m.err;
  EXPECT_NE(m.err.find("R_1.dat"), std::string::npos) << m.err;
  auto out = author_files(dir / "out");
  out.erase(kLockFileName);
  ASSERT_EQ(out.size(), 2u) << "no temporary may remain";
  EXPECT_EQ(out.at("R_1.dat").bytes, earlier_dat);
  EXPECT_EQ(out.at("R_1.sim").bytes, earlier_sim)
      << "the scenario file that fitted is not put beside the old track file";
  EXPECT_TRUE(author_files(dir / "src") == sources);
  // The JSON object still comes, naming no file as written.
  try {
    const json j = json::parse(m.out);
    EXPECT_EQ(j["fatal"], "unexpected");
    EXPECT_EQ(j["files"], json::array());
  } catch (const json::exception& e) {
    ADD_FAILURE() << "stdout is not one JSON object: " << e.what() << "\n" << m.out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario::testing
