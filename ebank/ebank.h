// Umbrella header: includes the whole public API of the ebank libraries.
#ifndef EBANK_EBANK_H_
#define EBANK_EBANK_H_

#include "ebank/version.h"

// Platform layer: Windows types and the COM, OLE Automation, Win32 and MSXML
// operations.
#include "ebank/platform/types.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/language_id.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/com_support.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/guid_string.h"
#include "ebank/platform/com/task_memory.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/num_parse.h"
#include "ebank/platform/oleaut/system_time.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/platform/oleaut/var_date.h"
#include "ebank/platform/oleaut/var_decimal.h"
#include "ebank/platform/oleaut/var_format.h"
#include "ebank/platform/oleaut/var_number.h"
#include "ebank/platform/oleaut/variant.h"
#include "ebank/platform/oleaut/variant_time.h"
#include "ebank/platform/win32/code_page.h"
#include "ebank/platform/win32/debug_output.h"
#include "ebank/platform/win32/format_message.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/local_memory.h"
#include "ebank/platform/win32/module.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/resource.h"
#include "ebank/platform/win32/temp_path.h"
#include "ebank/platform/win32/version_info.h"
#include "ebank/platform/win32/wide_format.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/platform/win32/wvsprintf.h"
#include "ebank/platform/msxml/msxml.h"

// ddCOM: strings, money, dates, interface pointers and the error model.
#include "ebank/core/library_version.h"
#include "ebank/core/bstring.h"
#include "ebank/core/copy_bstr.h"
#include "ebank/core/is_bstr.h"
#include "ebank/core/currency.h"
#include "ebank/core/date.h"
#include "ebank/core/is_date.h"
#include "ebank/core/decimal.h"
#include "ebank/core/iptr.h"
#include "ebank/core/exception.h"
#include "ebank/core/error.h"
#include "ebank/core/error_info_exception.h"
#include "ebank/core/raise.h"
#include "ebank/core/catch.h"
#include "ebank/core/support_error_info.h"
#include "ebank/core/error_info_functions.h"

// ddXML, the banking records and vocabulary, the transaction database.
#include "ebank/xml/xml_class.h"
#include "ebank/banking/ebank_const.h"
#include "ebank/banking/ebank_xml.h"
#include "ebank/banking/ifx.h"
#include "ebank/banking/orv_txn_db2.h"

// ovEBankCrypto: RSA strings.
#include "ebank/crypto/rsa_string.h"

#endif  // EBANK_EBANK_H_
