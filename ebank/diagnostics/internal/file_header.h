// The header at the top of each process's trace file: date, installation and
// data directories, the installation's version, and the product versions of
// this library and of the installed banking components.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_FILE_HEADER_H_
#define EBANK_DIAGNOSTICS_INTERNAL_FILE_HEADER_H_

#include <cstdio>

namespace ebank::diagnostics {

// Writes the header into the freshly opened trace file. Components are listed
// until the first one that is not registered; the resolver's ERROR trace for it
// lands inside the header when ERROR entries reach the file.
void WriteFileHeader(std::FILE* stream);

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_FILE_HEADER_H_
