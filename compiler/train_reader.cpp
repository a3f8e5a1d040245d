#include "compiler/train_reader.h"

namespace scenario {

void read_train_source(CompileContext& ctx, int32_t next_free_sign_record) {
  // Placeholder until the train phase lands.
  (void)ctx;
  (void)next_free_sign_record;
}

}  // namespace scenario
