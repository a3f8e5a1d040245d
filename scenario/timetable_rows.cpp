#include "scenario/timetable_rows.h"

#include <algorithm>

#include "scenario/chainage.h"

namespace scenario {

namespace {

// One minute at each of the main stops, about every forty kilometres.
constexpr Recovery kRecoveries[] = {
    {"Valdimora", 10}, {"Monteleone Scalo", 10}, {"Riofreddo", 10}, {"Belvedere", 10}, {"Mirbosco Sud", 10},
};

std::optional<int> recovery_at(std::string_view station) {
  for (const Recovery& r : kRecoveries) {
    if (r.station == station) return r.tenths;
  }
  return std::nullopt;
}

}  // namespace

std::span<const Recovery> recoveries() { return kRecoveries; }

SpeedCells speeds_for_limit(int limit) {
  return {limit, std::min(limit, kTrainTopSpeed), std::min(limit, kSpeedWithoutRepetition)};
}

std::string post_name(int32_t chainage) {
  std::string km = kilometres_text(chainage);
  std::replace(km.begin(), km.end(), '.', ',');
  return "Cippo Km." + km;
}

std::vector<TimetableEntry> timetable_entries(const TrainFacts& facts) {
  std::vector<TimetableEntry> entries;
  entries.reserve(facts.stations.size() + facts.speed_limits.size());
  auto station = facts.stations.begin();
  auto speed = facts.speed_limits.begin();
  while (station != facts.stations.end() || speed != facts.speed_limits.end()) {
    // The next location along the line: a station, a kilometre post where
    // the limit changes, or a station where it changes.
    const bool take_station =
        station != facts.stations.end() && (speed == facts.speed_limits.end() || station->position <= speed->position);
    const int32_t position = take_station ? station->position : speed->position;
    TimetableEntry e;
    e.in_force = speeds_for_limit(facts.limit_at(position));
    e.row.chainage = chainage_metres(position);
    if (take_station) {
      e.row.location = station->name;
      // A time of 0 means the source gives none for the place.
      if (station->time_of_day != 0) e.row.time_of_day = station->time_of_day;
      e.row.passing = !station->is_stop();
      e.row.recovery_tenths = recovery_at(station->name);
      ++station;
    } else {
      e.row.location = post_name(*e.row.chainage);
    }
    // Every limit record at this position: the row shows the speeds from here on.
    bool changes = false;
    while (speed != facts.speed_limits.end() && speed->position == position) {
      changes = true;
      ++speed;
    }
    if (changes) {
      e.row.speed_limit = e.in_force.limit;
      e.row.running_speed = e.in_force.running;
      e.row.further_speed = e.in_force.further;
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

}  // namespace scenario
