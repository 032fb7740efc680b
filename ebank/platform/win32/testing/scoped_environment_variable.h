// Test helper: sets or clears an environment variable for one scope and
// restores its previous state afterwards.
#ifndef EBANK_PLATFORM_WIN32_TESTING_SCOPED_ENVIRONMENT_VARIABLE_H_
#define EBANK_PLATFORM_WIN32_TESTING_SCOPED_ENVIRONMENT_VARIABLE_H_

#include <cstdlib>
#include <optional>
#include <string>

namespace ebank::platform {

class ScopedEnvironmentVariable {
 public:
  // A null `value` removes the variable for the scope.
  ScopedEnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironmentVariable() {
    if (previous_) {
      setenv(name_.c_str(), previous_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_TESTING_SCOPED_ENVIRONMENT_VARIABLE_H_
