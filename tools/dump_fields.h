// What the fields of the binary files mean, for people: the role of each
// scenario record, the name of each cell kind and what its values hold,
// and where along the line a cell's object stands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "compiler/route_model.h"

namespace scenario::tool {

// One field of a record or cell: its name in the route model, what it holds
// here (empty when the role does not use it), and its value. Texts are
// Windows-1252 bytes, as stored.
struct NamedField {
  std::string_view name;
  std::string_view meaning;
  std::variant<int64_t, std::string> value;
};

// What a scenario record holds, told from its index and its fields.
enum class RecordRole { kUnused, kCleared, kStation, kSignBoard, kKilometreReference, kTrain, kRoute, kSignals };

// The role of record `index`: record 0 is unused; 81 to 86 hold the
// kilometre references, the train, the route and the signals; any other is
// a station when a number is set, a sign board when only a text is, and
// cleared otherwise.
RecordRole record_role(int index, const ScenarioRecord& r);

// "unused", "cleared", "station", "sign board", "kilometre reference",
// "train", "route" or "signals and train".
std::string_view role_name(RecordRole role);

// Every field of the record in file order, named for its role.
std::vector<NamedField> record_fields(int index, const ScenarioRecord& r);

// "nothing", "signal", "slowdown end", …; "unknown" for a kind the format
// does not have.
std::string_view cell_kind_name(uint8_t kind);

// The object fields of a cell (kind, value1 to value4, timer), named for its
// kind, then the stretch fields (approach, montagna, speed, gradient,
// adhesion).
std::vector<NamedField> cell_fields(const TrackCell& c);

// True when the cell holds anything in its object fields: a kind, a value,
// a timer or an approach marker. Stretch fields alone do not count.
bool cell_is_set(const TrackCell& c);

// Where along the line, in metres, the object of a cell of this kind
// stands, by the rule that placed it: signals, slowdown cells and boards
// one cell above position / 50, code points and markers at position / 50,
// a station stop point one cell below the end of the station's zone.
int64_t object_position(int64_t cell, uint8_t kind);

}  // namespace scenario::tool
