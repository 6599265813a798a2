// A small result type for operations that can fail with a text meant for the user.
// Library code never exits or throws across its interface for expected failures; it
// returns a Status and the front end decides how to show the text.
#ifndef QUILLON_CORE_STATUS_H_
#define QUILLON_CORE_STATUS_H_

#include <string>
#include <utility>

namespace quillon {

class Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(std::string message) {
    Status s;
    s.ok_ = false;
    s.message_ = std::move(message);
    return s;
  }

  bool ok() const { return ok_; }
  const std::string& message() const { return message_; }

 private:
  bool ok_ = true;
  std::string message_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_STATUS_H_
