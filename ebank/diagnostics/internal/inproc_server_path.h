// The file of the in-process server registered for a COM ProgID, as the
// registry names it (a full path or a bare file name).
#ifndef EBANK_DIAGNOSTICS_INTERNAL_INPROC_SERVER_PATH_H_
#define EBANK_DIAGNOSTICS_INTERNAL_INPROC_SERVER_PATH_H_

namespace ebank::diagnostics {

// The size of the caller's buffer for the server file, NUL included.
inline constexpr unsigned kServerPathSize = 260;

// Fills `server_path` (kServerPathSize bytes) with the registered server file
// of `prog_id`; a longer registered text is cut. An unknown ProgID or an
// unprintable CLSID is traced as an ERROR. False when nothing was found.
bool ResolveInprocServerPath(const wchar_t* prog_id, char* server_path);

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_INPROC_SERVER_PATH_H_
