// The bytes the simulator loads, pinned by their SHA-256: the six files of
// the built-in run and the three binary files of small fixture compiles.
// Any change to the compiler, the code placement or the writers that moves a
// single output byte shows here, whatever the other tests look at.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "app/disk_sources.h"
#include "app/run_sequence.h"
#include "compiler/compile_context.h"
#include "compiler/source_store.h"
#include "output/memorizza_percorso.h"
#include "tests/golden/sha256.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using testing::sha256_hex;

using Digests = std::map<std::string, std::string>;

TEST(Sha256, KnownDigests) {
  struct Case {
    std::string bytes;
    const char* digest;
  };
  const Case cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 56 bytes: the length no longer fits the block, a second one follows.
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases) EXPECT_EQ(sha256_hex(c.bytes), c.digest) << c.bytes.size();
}

class SilentPlatform : public Platform {
 public:
  void show_window() override {}
  void message_box(const std::string&) override {}
  void close_window() override {}
};

TEST(GoldenFiles, TheBuiltInRunLeavesTheseSixFiles) {
  const fs::path dir = fs::temp_directory_path() / ("golden-run-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  SilentPlatform platform;
  std::FILE* err = std::tmpfile();
  ASSERT_EQ(Form_Load(dir, platform, err), kExitClean);
  std::fclose(err);

  const Digests expected = {
      {"Corvale_Mirbosco_731_scheda_treno.txt", "e94f645d876b290baef5a356ede50c2e7714084f80fceeb76b79718679e9b9aa"},
      {"Corvale_Mirbosco_731_rallentamenti.txt", "2c09ccb71829c102db017586638ddf1aaf6530e5dd18c771ca36937d1808e038"},
      {"Corvale_Mirbosco_731_note.txt", "b5348d11d5207e11790718351f5ecf791151bc9155a6d1f22ba4510b39e32f78"},
      {"Corvale_Mirbosco_linea.dat", "dde79ca5eaa3af47a13416f1cc1d9c7e9618876f2c882103771c6f1a270124dc"},
      {"Corvale_Mirbosco_731.sim", "42e6a979253b52f6bcef1c004bffcfd6a54737ef8857485d212ce4296a1eabf3"},
      {"Corvale_Mirbosco_731.dat", "2db7de7eddc3d0aecb7c1ee7df5fbf0c8e7fc06c52039da3d17dea9d572c5c4f"},
  };
  Digests found;
  for (const auto& [name, digest] : expected) found[name] = sha256_hex(read_whole_file(dir / name).value_or("missing"));
  EXPECT_EQ(found, expected);
  fs::remove_all(dir);
}

// A 20 km line with every kind of line record, and a train with every kind
// of train record.
const char* const kLine =
    "[generale]\r\n"
    "lunghezza percorso, 20000\r\n"
    "progressiva chilometrica uno, 23450, 218300, 1\r\n"
    "progressiva chilometrica due, 0, 0, 0\r\n"
    "progressiva chilometrica tre, 0, 0, 0\r\n"
    "sfondo uno, 129300\r\n"
    "sfondo due, 2\r\n"
    "sfondo tre, 3\r\n"
    "ripetizione segnali 9 codici, 1000, 20000\r\n"
    "[curve]\r\n"
    "curvad3, 4500, 250\r\n"
    "curvas1, 6800, 450\r\n"
    "---\r\n"
    "[pendenze]\r\n"
    "pendenza, 0, 0\r\n"
    "pendenza, 1200, 5\r\n"
    "pendenza, 9800, -3\r\n"
    "[montagne]\r\n"
    "montagna, 10000, 11000, 13\r\n"
    "montagna, 11150, 11300, 2\r\n"
    "[cartelli]\r\n"
    "cartello_indicatore, 1700, (P.253)\r\n"
    "cartello_indicatore, 17900, (  Km  )(39+204)\r\n"
    "[indicazioni]\r\n"
    "indicatori_vmax, 18100, 140, 160, 160, 2, 140, 160, 160, 2\r\n"
    "indicatori_vmax, 5050, 110, 115, 120, 0, , , , 0\r\n"
    "[fine]\r\n";

const char* const kTrain =
    "[generale]\r\n"
    "numero vetture, 16\r\n"
    "percentuale massa frenata, 130\r\n"
    "sabbia, 300\r\n"
    "orologio, 15              4             15 \r\n"
    "[aderenze]\r\n"
    "aderenza, 0, 80\r\n"
    "aderenza, 9250, 70\r\n"
    "[vel_limite]\r\n"
    "velocita, 0, 30\r\n"
    "velocita, 1250, 100\r\n"
    "velocita, 12000, 140\r\n"
    "[stazioni]\r\n"
    "stazione, 0, 8, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, Corvale\r\n"
    "stazione, 12000, 12, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, Mezzo\r\n"
    "stazione, 19000, 28, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, Mirbosco\r\n"
    "[rallentamenti]\r\n"
    "rallentamento, 9250, 80, 800, 0, 1, 0\r\n"
    "rallentamento, 14750, 40, 400, 1, 1, 30\r\n"
    "[segnali]\r\n"
    "segnale, 1800, 2, 4, 1, 1, 0, 0, 0, 0, 0, 220\r\n"
    "segnale, 8200, 1, 3, 0, 0, 1, 2, 2, 1, 1, 50\r\n"
    "segnale, 15500, 2, 5, 6, 1, 0, 2, 2, 1, 1, 115\r\n"
    "[codici]\r\n"
    "abbattimento, 3000, 270\r\n"
    "abbattimento, 3500, 0\r\n"
    "[fine]\r\n";

Digests compile_fixture(const std::string& line, const std::string& train, int32_t j, int32_t expected_error) {
  RouteModel model;
  const std::string route = "Golden", train_number = "7";
  model.route_name = route;
  model.train_number = train_number;
  MemorySources sources(line, train);
  CompileContext ctx{model, sources};
  MemorySink sink;
  const PercorsoResult result = memorizza_percorso(ctx, j, sink);
  EXPECT_EQ(result.end, PercorsoEnd::kDone);
  EXPECT_EQ(model.ErrorCode, expected_error);
  Digests out;
  for (const auto& [name, bytes] : sink.files) out[name] = sha256_hex(bytes);
  return out;
}

TEST(GoldenFiles, FixtureCompilesGiveTheseFiles) {
  std::string taken = kTrain;
  // A signal in the cell of the sign board at 1700 m: refused with 16, and
  // what was read before it stays in the files.
  taken.replace(taken.find("segnale, 8200"), 13, "segnale, 1700");
  struct Case {
    const char* what;
    std::string train;
    int32_t j;
    int32_t error;
    Digests digests;
  };
  const Case cases[] = {
      {"with the plan",
       kTrain,
       1,
       0,
       {{"Golden_linea.dat", "ca188e543d067cc78db79944d18461a00d950e1714526b0a2bc7f9af6b4869a8"},
        {"Golden_7.sim", "03b15c789772dfab16fe13d614617f90fba94394d4738b9b561de5be88882edf"},
        {"Golden_7.dat", "86d5651447c6412aeacd6bb6abef75cf08022e5f6f5a43cd10072e8d4eb58f9a"}}},
      {"without the plan",
       kTrain,
       0,
       0,
       {{"Golden_7.sim", "03b15c789772dfab16fe13d614617f90fba94394d4738b9b561de5be88882edf"},
        {"Golden_7.dat", "86d5651447c6412aeacd6bb6abef75cf08022e5f6f5a43cd10072e8d4eb58f9a"}}},
      {"with a compile error",
       taken,
       1,
       16,
       {{"Golden_linea.dat", "ca188e543d067cc78db79944d18461a00d950e1714526b0a2bc7f9af6b4869a8"},
        {"Golden_7.sim", "03b15c789772dfab16fe13d614617f90fba94394d4738b9b561de5be88882edf"},
        {"Golden_7.dat", "5d6b7e9cb37b9a6be58c61e15610452ecf30427e4e98da4dc7a23a1c2308a7ef"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(compile_fixture(kLine, c.train, c.j, c.error), c.digests);
  }
}

}  // namespace
}  // namespace scenario
