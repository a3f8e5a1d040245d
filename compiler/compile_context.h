// What every stage of a compile shares: the route model, the source store,
// an optional observer that hears every recorded error, and the place of the
// record being read. Errors are recorded here, in one way for every stage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/field_reader.h"
#include "compiler/route_model.h"
#include "compiler/source_store.h"

namespace scenario {

// Where a record starts in a source text.
struct SourceLocation {
  SourceKind file = SourceKind::kLine;
  int line = 0;
  int column = 0;
};

// Hears every assignment to ErrorCode, in order, with the record that caused
// it when a reader was reading one. The pass reports no location.
class CompileObserver {
 public:
  virtual ~CompileObserver() = default;
  virtual void error_recorded(int32_t code, std::optional<int32_t> position, const std::optional<SourceLocation>& where,
                              std::string_view record) = 0;
};

struct CompileContext {
  CompileContext(RouteModel& m, SourceStore& s, CompileObserver* o = nullptr) : model(m), sources(s), observer(o) {}

  RouteModel& model;
  SourceStore& sources;
  CompileObserver* observer;

  // The record being read: where it starts and its keyword field. Cleared
  // when no reader is inside a record.
  std::optional<SourceLocation> record_at;
  std::string record_keyword;
};

// A reader enters the record whose keyword field is keyword, in file, and
// leaves it: the place every recorded error then reports.
void enter_record(CompileContext& ctx, SourceKind file, const Field& keyword);
void leave_record(CompileContext& ctx);

// Records a compile error: ErrorCode := code and, when given, ErrorPosition
// := position. The last assignment wins; the position is never reset.
void record_error(CompileContext& ctx, int32_t code, std::optional<int32_t> position = std::nullopt);

// A run-time failure inside the compiler: a field that does not convert or
// lies outside its type, a read past the end of a source, a value that does
// not fit its field. Thrown only inside the compiler and caught by the error
// handler of memorizza_dati, which records ErrorCode 25.
struct RuntimeFailure {
  std::string message;
  std::optional<SourceLocation> where;
};

}  // namespace scenario
