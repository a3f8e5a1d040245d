// The timetable sheet of the built-in train: the stations and kilometre
// posts of the run, with their speeds and times, laid out on the sheet's
// pages; the title boxes carry the train's number, route and data.
#pragma once

#include "scenario/sheet_pages.h"
#include "scenario/train_facts.h"

namespace scenario {

// The title boxes of the built-in train 731.
SheetTitle train_title(const TrainFacts& facts);

}  // namespace scenario
