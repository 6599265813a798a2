// Writing to a descriptor. Tested by tag_stream_test.cc.
#include "core/output_sink.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillon {

Status DescriptorSink::Write(std::string_view bytes) {
  while (status_.ok() && !bytes.empty()) {
    const ssize_t wrote = ::write(fd_, bytes.data(), bytes.size());
    if (wrote < 0) {
      if (errno == EINTR) continue;
      status_ = Status::Error(std::strerror(errno));
    } else {
      bytes.remove_prefix(static_cast<size_t>(wrote));
    }
  }
  return status_;
}

}  // namespace quillon
