#include "app/cjk_text.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <optional>

#include "app/pinyin_name.h"
#include "platform/com_ptr.h"
#include "platform/gbk_convert.h"
#include "platform/text_commands.h"

namespace korvath::app {

using platform::ComPtr;

namespace {

// A BSTR that frees itself.
class ComText {
 public:
  explicit ComText(const std::wstring& text) : s_(SysAllocStringLen(text.data(), UINT(text.size()))) {}
  ~ComText() { SysFreeString(s_); }
  ComText(const ComText&) = delete;
  ComText& operator=(const ComText&) = delete;
  BSTR get() const { return s_; }

 private:
  BSTR s_;
};

DISPID NameId(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

// Whether the whole text matches, or nothing when the object is missing.
std::optional<bool> RegExpTest(const std::wstring& pattern, const std::wstring& text) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &clsid))) return std::nullopt;
  ComPtr<IDispatch> regexp;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(regexp.out()))))
    return std::nullopt;

  ComText patternText(pattern);
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = patternText.get();
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS put = {&value, &putId, 1, 1};
  if (FAILED(regexp->Invoke(NameId(regexp.get(), L"Pattern"), IID_NULL, LOCALE_USER_DEFAULT,
                            DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr)))
    return std::nullopt;

  ComText subject(text);
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = subject.get();
  DISPPARAMS call = {&argument, nullptr, 1, 0};
  VARIANT result;
  VariantInit(&result);
  if (FAILED(regexp->Invoke(NameId(regexp.get(), L"Test"), IID_NULL, LOCALE_USER_DEFAULT,
                            DISPATCH_METHOD, &call, &result, nullptr, nullptr)))
    return std::nullopt;
  bool matched = result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
  VariantClear(&result);
  return matched;
}

bool IsCjkTextExact(std::string_view text) {
  if (platform::RemoveAllSpaces(text).size() <= 1) return false;
  HRESULT com = CoInitialize(nullptr);
  std::optional<bool> matched =
      RegExpTest(L"^[\\u4e00-\\u9fa5]{1,}$", platform::GbkToWide(text));
  if (SUCCEEDED(com)) CoUninitialize();
  // Without the regular-expression object the byte test has to do.
  return matched.value_or(IsCjkTextByBytes(text));
}

}  // namespace

bool IsCjkText(std::string_view text, bool exactTest) {
  return exactTest ? IsCjkTextExact(text) : IsCjkTextByBytes(text);
}

}  // namespace korvath::app
