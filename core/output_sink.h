// Where the bytes of one output go: an output file (written to a temporary file and
// renamed over its target at the end, see output_file.h) or an open descriptor such as
// standard output. The tagging loop writes through this one interface, so every format
// reaches both the same way.
// Tested by tag_stream_test.cc and the end-to-end tests of `quillon tag`.
#ifndef QUILLON_CORE_OUTPUT_SINK_H_
#define QUILLON_CORE_OUTPUT_SINK_H_

#include <string>
#include <string_view>

#include "core/output_file.h"
#include "core/status.h"

namespace quillon {

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Takes bytes; after a failure every later call fails too.
  virtual Status Write(std::string_view bytes) = 0;
};

// An output file opened by its owner, who commits or abandons it.
class FileSink : public OutputSink {
 public:
  explicit FileSink(OutputFile* file) : file_(file) {}
  Status Write(std::string_view bytes) override { return file_->Append(bytes); }

 private:
  OutputFile* file_;
};

// An open descriptor (standard output, a pipe), written unbuffered; it stays open.
class DescriptorSink : public OutputSink {
 public:
  explicit DescriptorSink(int fd) : fd_(fd) {}
  Status Write(std::string_view bytes) override;

 private:
  int fd_;
  Status status_;
};

// Bytes gathered in memory (tests, and callers that want the output as a string).
class StringSink : public OutputSink {
 public:
  explicit StringSink(std::string* out) : out_(out) {}
  Status Write(std::string_view bytes) override {
    out_->append(bytes);
    return Status::Ok();
  }

 private:
  std::string* out_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_OUTPUT_SINK_H_
