// ddCOM::IsDATE: a tag that marks a double as an automation DATE, so that
// overloads taking a date are chosen over those taking a plain number.
#ifndef EBANK_CORE_IS_DATE_H_
#define EBANK_CORE_IS_DATE_H_

namespace ddCOM {

class IsDATE {
 public:
  IsDATE(double value) : value_(value) {}
  IsDATE& operator=(const IsDATE& other) = default;

  operator double() const { return value_; }

 private:
  double value_;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_IS_DATE_H_
