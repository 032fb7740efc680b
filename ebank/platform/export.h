// Export control for the ebank shared libraries.
//
// Both libraries are compiled with hidden visibility; EBANK_EXPORT marks the
// classes, functions and data that form their public API.
#ifndef EBANK_PLATFORM_EXPORT_H_
#define EBANK_PLATFORM_EXPORT_H_

#define EBANK_EXPORT __attribute__((visibility("default")))

#endif  // EBANK_PLATFORM_EXPORT_H_
