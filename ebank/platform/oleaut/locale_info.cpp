#include "ebank/platform/oleaut/locale_info.h"

#include <strings.h>
#include <cstdlib>

namespace ebank::platform {
namespace {

const LocaleInfo kEnglish = {
    false,
    L'.',
    L',',
    L'/',
    L':',
    {L"January", L"February", L"March", L"April", L"May", L"June", L"July", L"August", L"September",
     L"October", L"November", L"December"},
    {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun", L"Jul", L"Aug", L"Sep", L"Oct", L"Nov",
     L"Dec"},
    {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"},
    {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"},
    L"AM",
    L"PM",
    L"m/d/yyyy",
    L"dddd, mmmm d, yyyy",
    L"dd-mmm-yy",
    L"h:nn:ss AM/PM",
    L"hh:nn AM/PM",
    L"hh:nn",
    false};

const LocaleInfo kGerman = {
    true,
    L',',
    L'.',
    L'.',
    L':',
    {L"Januar", L"Februar", L"M\u00e4rz", L"April", L"Mai", L"Juni", L"Juli", L"August",
     L"September", L"Oktober", L"November", L"Dezember"},
    {L"Jan", L"Feb", L"Mrz", L"Apr", L"Mai", L"Jun", L"Jul", L"Aug", L"Sep", L"Okt", L"Nov",
     L"Dez"},
    {L"Sonntag", L"Montag", L"Dienstag", L"Mittwoch", L"Donnerstag", L"Freitag", L"Samstag"},
    {L"So", L"Mo", L"Di", L"Mi", L"Do", L"Fr", L"Sa"},
    L"AM",
    L"PM",
    L"dd.mm.yyyy",
    L"dddd, d. mmmm yyyy",
    L"dd. mmm yy",
    L"hh:nn:ss",
    L"hh:nn",
    L"hh:nn",
    true};

// Read on every call so that tests and callers may change EBANK_LOCALE.
const LocaleInfo& HostDefault() {
  const char* name = std::getenv("EBANK_LOCALE");
  if (name != nullptr && strncasecmp(name, "de", 2) == 0) return kGerman;
  return kEnglish;
}

}  // namespace

const LocaleInfo& GetLocaleInfoFor(LCID lcid) {
  switch (PRIMARYLANGID(LANGIDFROMLCID(lcid))) {
    case LANG_GERMAN:
      return kGerman;
    case LANG_NEUTRAL:
      return HostDefault();
    default:
      return kEnglish;
  }
}

}  // namespace ebank::platform
