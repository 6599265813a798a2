// An output sink for tests of full devices: it takes `room` bytes, then refuses every
// write as a full disk does, and keeps what it took.
#ifndef QUILLON_TESTS_CORE_FULL_SINK_H_
#define QUILLON_TESTS_CORE_FULL_SINK_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "core/output_sink.h"

namespace quillon::testing {

class FullSink : public OutputSink {
 public:
  explicit FullSink(size_t room) : room_(room) {}
  Status Write(std::string_view bytes) override {
    if (bytes.size() > room_) return Status::Error("No space left on device");
    room_ -= bytes.size();
    taken.append(bytes);
    return Status::Ok();
  }
  std::string taken;

 private:
  size_t room_;
};

}  // namespace quillon::testing

#endif  // QUILLON_TESTS_CORE_FULL_SINK_H_
