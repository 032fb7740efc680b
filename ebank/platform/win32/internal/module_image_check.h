// Checks a module file before the dynamic loader maps it. The loader maps
// segments as the program headers describe them, and a segment that reaches
// past the end of a cut file faults (SIGBUS) the moment it is touched, inside
// the loader and so inside the calling process.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_MODULE_IMAGE_CHECK_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_MODULE_IMAGE_CHECK_H_

#include <string>

namespace ebank::platform {

// Why the file at `path` must not be loaded, or an empty text when it may be:
// a file that is not a regular file, or a 64-bit ELF file shorter than its
// program headers say. Anything else the loader judges itself (a missing file,
// a file that is no ELF object of this machine) and reports without harm.
std::string ModuleImageProblem(const char* path);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_MODULE_IMAGE_CHECK_H_
