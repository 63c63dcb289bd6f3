#pragma once

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <string>

// The Windows script control ("MSScriptControl.ScriptControl") reached through IDispatch, on the
// thread that created it. Texts are GBK and cross to the control as UTF-16.

// Creates the control, retrying without the remote server context when that one is refused, and runs
// it. COM must be initialised on the calling thread.
bool CreateScriptControl(Microsoft::WRL::ComPtr<IDispatch>* control);

// Asks the control to refuse objects that are not marked safe for scripting (UseSafeSubset). Set before
// the language; false where the control does not take it.
bool SetSafeSubset(IDispatch* control);
bool SetScriptLanguage(IDispatch* control, const std::string& language);
// Runs `code` in the control's global scope; false on a script error.
bool AddScriptCode(IDispatch* control, const std::string& code);
// The same for code already in UTF-16: the control receives exactly these characters.
bool AddScriptCode(IDispatch* control, const std::wstring& code);
// The value of `expression`; false (and `result` VT_EMPTY) on a script error.
bool EvalScript(IDispatch* control, const std::string& expression, VARIANT* result);
