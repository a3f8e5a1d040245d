#include "compiler/source_formats.h"

#include <iterator>
#include <stdexcept>

namespace scenario::formats {

namespace {

namespace kw = keywords;

constexpr FieldType L = FieldType::kLong;
constexpr FieldType I = FieldType::kInteger;
constexpr FieldType B = FieldType::kByte;
constexpr FieldType T = FieldType::kText;

// The range every placed object's position must keep: the grid runs to the
// route length plus 7000 m, and the object cell needs 100 m of it.
constexpr std::string_view kObjectPosition = "0 to route length + 6900";
constexpr std::string_view kBoardPosition = "-75 to route length + 6900";

// General section of the line source.
constexpr FieldFormat kLengthFields[] = {
    {L, "lunghezza", "m", "the route length; it sizes the track grid and the plan", "1 to 1000000"},
};
constexpr FieldFormat kKilometreFields[] = {
    {L, "posizione", "m", "where along the line the reference stands", "a multiple of 50"},
    {L, "progressiva", "m", "the kilometre reading at that place", "a multiple of 50"},
    {L, "aggiunta", "", "1 adds 100 m to the kilometre reading", "0 or 1"},
};
constexpr FieldFormat kBackgroundFields[] = {
    {L, "sfondo", "", "a background value, stored as given", "any 32-bit value"},
};
constexpr FieldFormat kRepetitionFields[] = {
    {L, "inizio", "m", "start of the stretch with repeated cab-signal codes", "a multiple of 50"},
    {L, "fine", "m", "end of that stretch; 0 repeats no code", "a multiple of 50"},
};

constexpr RecordFormat kGeneral[] = {
    {kw::kGeneralRows[kw::kLength], "the route length", kLengthFields},
    {kw::kGeneralRows[kw::kKilometreThree], "the third kilometre reference", kKilometreFields},
    {kw::kGeneralRows[kw::kKilometreTwo], "the second kilometre reference", kKilometreFields},
    {kw::kGeneralRows[kw::kKilometreOne], "the first kilometre reference", kKilometreFields},
    {kw::kGeneralRows[kw::kBackgroundOne], "the first background value", kBackgroundFields},
    {kw::kGeneralRows[kw::kBackgroundTwo], "the second background value", kBackgroundFields},
    {kw::kGeneralRows[kw::kBackgroundThree], "the third background value", kBackgroundFields},
    {kw::kGeneralRows[kw::kRepetition], "the stretch with repeated cab-signal codes; the keyword names 4 or 9 codes",
     kRepetitionFields},
};

// Line records.
constexpr FieldFormat kGradientFields[] = {
    {L, "posizione", "m", "where the gradient begins; it holds until the next one", "up to route length + 6900"},
    {L, "pendenza", "per mille", "the gradient, rising positive", "any 32-bit value"},
};
constexpr FieldFormat kCurveFields[] = {
    {L, "inizio", "m", "where the curve begins", "up to route length + 6900"},
    {L, "lunghezza", "m", "the curve's length", "within the first 1000000 m"},
};
constexpr FieldFormat kMontagnaFields[] = {
    {L, "inizio", "m", "where the section begins", "-25 to route length + 6900"},
    {L, "fine", "m", "where the section ends", "after inizio"},
    {L, "tipo", "", "the section's type; above 10 also sets markers every 200 m", "1 to 9, or 11 to 19"},
};
constexpr FieldFormat kSpeedBoardFields[] = {
    {L, "posizione", "m", "where both boards stand", kBoardPosition},
    {L, "vas", "km/h", "left board, speed for rank A", "0 to 1600"},
    {L, "vbs", "km/h", "left board, speed for rank B", "0 to 1600"},
    {L, "vcs", "km/h", "left board, speed for rank C", "0 to 1600"},
    {L, "strisces", "", "left board, stripe count", "0 to 9"},
    {L, "vad", "km/h", "right board, speed for rank A", "0 to 1600"},
    {L, "vbd", "km/h", "right board, speed for rank B", "0 to 1600"},
    {L, "vcd", "km/h", "right board, speed for rank C", "0 to 1600"},
    {L, "strisced", "", "right board, stripe count", "0 to 9"},
};
constexpr FieldFormat kSignBoardFields[] = {
    {L, "posizione", "m", "where the board stands", kBoardPosition},
    {T, "testo", "", "the board text, up to the line end", "up to 65535 bytes"},
};

constexpr RecordFormat kLine[] = {
    {kw::kLineRows[kw::kGradient], "a gradient", kGradientFields},
    {kw::kLineRows[kw::kCurve],
     "a curve, read only with the plan of the line: curvad1 to curvad6 turn right, curvas1 to curvas6 left",
     kCurveFields},
    {kw::kLineRows[kw::kMontagna], "a montagna section (tunnel)", kMontagnaFields},
    {kw::kLineRows[kw::kSpeedBoards], "a pair of speed indicator boards", kSpeedBoardFields},
    {kw::kLineRows[kw::kSignBoard], "a sign board with its text", kSignBoardFields},
};

// Train records.
constexpr FieldFormat kBrakedMassFields[] = {
    {L, "percentuale", "%", "the braked-mass percentage", "any 32-bit value"},
};
constexpr FieldFormat kCoachesFields[] = {
    {L, "vetture", "", "the number of coaches", "any 32-bit value"},
};
constexpr FieldFormat kSpeedFields[] = {
    {L, "posizione", "m", "where the limit begins; it holds until the next one", "up to route length + 6900"},
    {L, "velocita", "km/h", "the speed limit", "0 to 1277"},
};
constexpr FieldFormat kAdhesionFields[] = {
    {L, "posizione", "m", "where the adhesion begins; it holds until the next one", "up to route length + 6900"},
    {L, "aderenza", "", "the adhesion value; a cell keeps its low 8 bits", "0 to 255"},
};
constexpr FieldFormat kClockFields[] = {
    {I, "orologio1", "", "the first clock value, stored as given", "-32768 to 32767"},
    {I, "orologio2", "", "the second clock value, stored as given", "-32768 to 32767"},
    {I, "orologio3", "", "the third clock value, stored as given", "-32768 to 32767"},
};
constexpr FieldFormat kSandFields[] = {
    {I, "sabbia", "", "the sand the train carries, stored as given", "-32768 to 32767"},
};
constexpr FieldFormat kSignalFields[] = {
    {L, "posizione", "m", "where the signal stands", kObjectPosition},
    {L, "sx", "", "left-hand form code", "0 to 9"},
    {L, "s1", "", "left-hand first value", "0 to 9"},
    {L, "s2", "", "left-hand second value", "0 to 9"},
    {L, "s3", "", "left-hand third value", "0 to 9"},
    {L, "rapp", "", "an extra value, kept in the tens of the form", "0 to 9"},
    {L, "dx", "", "right-hand form code", "0 to 2"},
    {L, "d1", "", "right-hand first value", "0 to 9"},
    {L, "d2", "", "right-hand second value", "0 to 9"},
    {L, "d3", "", "right-hand third value", "0 to 9"},
    {L, "tempo", "", "a time value for a left form of 2; 0 for none, 1 to 100 read as 101", "0 to 255"},
};
constexpr FieldFormat kSlowdownFields[] = {
    {L, "x", "m", "where the slowdown begins", kObjectPosition},
    {L, "v", "km/h", "the speed along it", "0 to 32767"},
    {L, "l", "m", "its length", "ending within route length + 7000"},
    {L, "f_tt", "", "1 when the limit holds for the whole length of the train", "0 or 1"},
    {L, "f_ta", "", "1 sets four marker cells before the warning board", "0 or 1"},
    {L, "d_v", "", "an extra value for its cells; 0 for none", "-32768 to 32767"},
};
constexpr FieldFormat kCodeReductionFields[] = {
    {L, "posizione", "m", "where the cab-signal code changes", kObjectPosition},
    {L, "codice", "", "the new cab-signal code; 0 or below removes the code", "1 to 32767, or 0 or below"},
};
constexpr FieldFormat kStationFields[] = {
    {L, "posizione", "m", "where the station stands", "a multiple of 50, 0 to route length + 6200"},
    {B, "tipo", "", "the kind of place: below 25 the train stops, from 25 on it passes", "0 to 255"},
    {L, "lunghezza", "m", "the length of the station zone", "a multiple of 100"},
    {B, "flag0", "", "first attribute", "0 to 255"},
    {B, "flag4", "", "second attribute; kept only for a zone of 600 m or more", "0 to 255"},
    {B, "flag3", "", "third attribute; not 0 lengthens a centred zone by 50 m", "0 to 255"},
    {I, "num1", "", "fourth attribute", "-32768 to 32767"},
    {I, "num2", "", "fifth attribute", "-32768 to 32767"},
    {B, "flag1", "", "sixth attribute", "0 to 255"},
    {I, "num3", "", "seventh attribute", "-32768 to 32767"},
    {I, "num4", "", "eighth attribute", "-32768 to 32767"},
    {I, "num5", "", "ninth attribute", "-32768 to 32767"},
    {B, "flag2", "", "tenth attribute", "0 to 255"},
    {L, "ore", "h", "the time of day: hours", "0 to 23"},
    {L, "minuti", "min", "the time of day: minutes", "0 to 59"},
    {L, "secondi", "s", "the time of day: seconds", "0 to 59"},
    {T, "nome", "", "the station's name, up to the line end", "up to 65535 bytes"},
};

constexpr RecordFormat kTrain[] = {
    {kw::kTrainRows[kw::kBrakedMass], "the braked-mass percentage", kBrakedMassFields},
    {kw::kTrainRows[kw::kCoaches], "the number of coaches", kCoachesFields},
    {kw::kTrainRows[kw::kSpeed], "a speed limit", kSpeedFields},
    {kw::kTrainRows[kw::kAdhesion], "an adhesion value", kAdhesionFields},
    {kw::kTrainRows[kw::kClock], "the clock", kClockFields},
    {kw::kTrainRows[kw::kSand], "the sand", kSandFields},
    {kw::kTrainRows[kw::kSignal], "a signal", kSignalFields},
    {kw::kTrainRows[kw::kSlowdown], "a slowdown", kSlowdownFields},
    {kw::kTrainRows[kw::kCodeReduction], "a cab-signal code change or removal", kCodeReductionFields},
    {kw::kTrainRows[kw::kStation],
     "a station or passing place; stations come in rising order, each zone at least 350 m after the previous one",
     kStationFields},
};

static_assert(std::size(kGeneral) == std::size(kw::kGeneralRows));
static_assert(std::size(kLine) == std::size(kw::kLineRows));
static_assert(std::size(kTrain) == std::size(kw::kTrainRows));

}  // namespace

std::span<const RecordFormat> general_records() { return kGeneral; }
std::span<const RecordFormat> line_records() { return kLine; }
std::span<const RecordFormat> train_records() { return kTrain; }

const RecordFormat& general_record(keywords::General row) { return kGeneral[row]; }
const RecordFormat& line_record(keywords::Line row) { return kLine[row]; }
const RecordFormat& train_record(keywords::Train row) { return kTrain[row]; }

std::string_view type_name(FieldType type) {
  switch (type) {
    case FieldType::kLong:
      return "32-bit";
    case FieldType::kInteger:
      return "16-bit";
    case FieldType::kByte:
      return "byte";
    case FieldType::kText:
      return "text";
  }
  return "";
}

const FieldFormat& RecordFields::next(bool text) {
  if (next_ >= format_.fields.size())
    throw std::logic_error("the record \"" + std::string(format_.keyword.written) + "\" has no field more");
  const FieldFormat& f = format_.fields[next_];
  if ((f.type == FieldType::kText) != text)
    throw std::logic_error("the field " + std::string(f.name) + " of \"" + std::string(format_.keyword.written) +
                           "\" is read as the wrong type");
  ++next_;
  return f;
}

int64_t RecordFields::number() {
  switch (next(false).type) {
    case FieldType::kInteger:
      return in_.read_integer();
    case FieldType::kByte:
      return in_.read_byte();
    default:
      return in_.read_long();
  }
}

int32_t RecordFields::long_value() {
  if (next_ < format_.fields.size() && format_.fields[next_].type != FieldType::kLong)
    throw std::logic_error("the field " + std::string(format_.fields[next_].name) + " of \"" +
                           std::string(format_.keyword.written) + "\" is not a 32-bit field");
  return static_cast<int32_t>(number());
}

std::string RecordFields::text() {
  (void)next(true);
  return in_.read_text();
}

RecordValues::RecordValues(SourceFields& in, const RecordFormat& format) : format_(format) {
  RecordFields fields(in, format);
  for (const FieldFormat& f : format.fields) {
    if (f.type == FieldType::kText) {
      text_ = fields.text();
      numbers_.push_back(0);
    } else {
      numbers_.push_back(fields.number());
    }
  }
}

int64_t RecordValues::number(std::string_view name) const {
  for (size_t i = 0; i < format_.fields.size(); ++i)
    if (format_.fields[i].name == name && format_.fields[i].type != FieldType::kText) return numbers_[i];
  throw std::logic_error("the record \"" + std::string(format_.keyword.written) + "\" has no number " +
                         std::string(name));
}

}  // namespace scenario::formats
