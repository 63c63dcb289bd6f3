#include "net/script_control.h"

#include <ole2.h>

#include "base/handles.h"
#include "base/text_codec.h"

namespace {

const DWORD kAllContexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
const DWORD kLocalContexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// The strings a failed Invoke hands back.
class ScopedExcepInfo {
public:
    ScopedExcepInfo() : info_() {}
    ~ScopedExcepInfo() {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
    }
    ScopedExcepInfo(const ScopedExcepInfo&) = delete;
    ScopedExcepInfo& operator=(const ScopedExcepInfo&) = delete;

    EXCEPINFO* get() { return &info_; }

private:
    EXCEPINFO info_;
};

// Calls member `name` with one argument: as a method (`result` receives its value) or, with `put`, as a
// property assignment.
bool Invoke(IDispatch* control, const wchar_t* name, bool put, VARIANT* argument, VARIANT* result) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return false;
    }
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params = {argument, put ? &namedPut : nullptr, 1, put ? 1u : 0u};
    ScopedExcepInfo exception;
    UINT badArgument = 0;
    const WORD flags = put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD;
    return SUCCEEDED(
        control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, exception.get(), &badArgument));
}

bool InvokeWithText(IDispatch* control, const wchar_t* name, bool put, const std::wstring& argument, VARIANT* result) {
    ScopedBstr text(argument);
    if (text.get() == nullptr) {
        return false;
    }
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = text.get();
    return Invoke(control, name, put, &arg, result);
}

}  // namespace

bool CreateScriptControl(ComPtr<IDispatch>* control) {
    CLSID classId;
    if (FAILED(CLSIDFromProgID(L"MSScriptControl.ScriptControl", &classId))) {
        return false;
    }
    ComPtr<IDispatch> created;
    HRESULT result = CoCreateInstance(classId, nullptr, kAllContexts, IID_PPV_ARGS(&created));
    if (result == E_INVALIDARG) {
        result = CoCreateInstance(classId, nullptr, kLocalContexts, IID_PPV_ARGS(&created));
    }
    if (FAILED(result) || FAILED(OleRun(created.Get()))) {
        return false;
    }
    *control = created;
    return true;
}

bool SetSafeSubset(IDispatch* control) {
    VARIANT on;
    VariantInit(&on);
    on.vt = VT_BOOL;
    on.boolVal = VARIANT_TRUE;
    return Invoke(control, L"UseSafeSubset", true, &on, nullptr);
}

bool SetScriptLanguage(IDispatch* control, const std::string& language) {
    return InvokeWithText(control, L"Language", true, AnsiToWide(language), nullptr);
}

bool AddScriptCode(IDispatch* control, const std::string& code) {
    return AddScriptCode(control, AnsiToWide(code));
}

bool AddScriptCode(IDispatch* control, const std::wstring& code) {
    ScopedVariant ignored;
    return InvokeWithText(control, L"AddCode", false, code, ignored.get());
}

bool EvalScript(IDispatch* control, const std::string& expression, VARIANT* result) {
    if (InvokeWithText(control, L"Eval", false, AnsiToWide(expression), result)) {
        return true;
    }
    VariantClear(result);
    return false;
}
