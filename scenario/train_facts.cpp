#include "scenario/train_facts.h"

#include "compiler/compile_context.h"
#include "compiler/keywords.h"
#include "compiler/record_scanner.h"
#include "compiler/source_fields.h"
#include "compiler/source_formats.h"
#include "scenario/text_file.h"

namespace scenario {

namespace {

namespace kw = keywords;

// The records the documents use, read as the compiler reads them: every
// matching row of the train keyword table reads its fields by the table.
void read_record(kw::Train row, SourceFields& in, TrainFacts& facts) {
  const formats::RecordValues v(in, formats::train_record(row));
  auto long_value = [&v](std::string_view name) { return static_cast<int32_t>(v.number(name)); };
  switch (row) {
    case kw::kStation: {
      StationFact s;
      s.position = long_value("posizione");
      s.kind = long_value("tipo");
      s.length = long_value("lunghezza");
      s.time_of_day = (long_value("ore") * 60 + long_value("minuti")) * 60 + long_value("secondi");
      s.name = v.text();
      facts.stations.push_back(std::move(s));
      break;
    }
    case kw::kSpeed:
      facts.speed_limits.push_back({long_value("posizione"), long_value("velocita")});
      break;
    case kw::kSlowdown:
      facts.slowdowns.push_back({long_value("x"), long_value("v"), long_value("l"), long_value("f_tt") != 0,
                                 long_value("f_ta") != 0, long_value("d_v")});
      break;
    case kw::kBrakedMass:
      facts.braked_mass_percent = long_value("percentuale");
      break;
    default:
      break;  // the fields are read all the same, so that the next keyword is where the compiler finds it
  }
}

}  // namespace

int TrainFacts::limit_at(int32_t position) const {
  int limit = 0;
  for (const SpeedFact& s : speed_limits) {
    if (s.position > position) break;
    limit = s.limit;
  }
  return limit;
}

std::optional<TrainFacts> read_train_facts(std::span<const std::string_view> lines, std::string* error) {
  // The lines as the file holds them, up to the end marker.
  std::string text;
  for (std::string_view line : lines) {
    if (line == kEndMarker) break;
    text.append(line);
    text.append("\r\n");
  }
  SourceFields in(SourceKind::kTrain, text);
  TrainFacts facts;
  int record_line = 0;
  try {
    while (const std::optional<Field> candidate = next_candidate(in, kTrainScan)) {
      record_line = candidate->line;
      kw::for_each_match(kw::kTrainRows, candidate->text, [&](size_t row) {
        read_record(static_cast<kw::Train>(row), in, facts);
        return true;
      });
    }
  } catch (const RuntimeFailure& failure) {
    if (error) {
      const std::string_view line =
          record_line >= 1 && static_cast<size_t>(record_line) <= lines.size() ? lines[record_line - 1] : "";
      *error = "train source line does not read: " + std::string(line) + " (" + failure.message + ")";
    }
    return std::nullopt;
  }
  return facts;
}

}  // namespace scenario
