// The local time of day ("HH:MM:SS") and date ("MM/DD/YY") in the fixed forms
// that trace file lines and the file header carry.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_CLOCK_TEXT_H_
#define EBANK_DIAGNOSTICS_INTERNAL_CLOCK_TEXT_H_

namespace ebank::diagnostics {

// Both forms are eight characters and a NUL.
inline constexpr int kClockTextSize = 9;

void FormatTimeOfDay(char (&text)[kClockTextSize]);
void FormatDate(char (&text)[kClockTextSize]);

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_CLOCK_TEXT_H_
