#include "net/json_value.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "base/gbk_text.h"
#include "base/text_codec.h"
#include "net/json_check.h"
#include "net/json_support_script.h"
#include "net/script_control.h"
#include "net/text_between.h"

namespace {

const char kVariableName[] = "da";

std::string NumberText(double number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.13g", number);
    return text;
}

int TruncateToInt(double number) {
    return number > INT_MIN && number < INT_MAX ? static_cast<int>(number) : 0;
}

std::string Quote(bool isObject) {
    return isObject ? "" : "'";
}

}  // namespace

JsonValue::JsonValue() = default;

JsonValue::~JsonValue() {
    Destroy();
}

void JsonValue::Destroy() {
    engine_.Reset();
    com_.reset();
}

std::unique_ptr<JsonValue> JsonValue::Clone() {
    std::unique_ptr<JsonValue> clone = std::make_unique<JsonValue>();
    clone->variableName_ = variableName_;
    if (engine_) {
        clone->com_ = std::make_unique<ComInitScope>();
        clone->engine_ = engine_;
    }
    return clone;
}

void JsonValue::Init() {
    if (!com_) {
        com_ = std::make_unique<ComInitScope>();
    }
    engine_.Reset();
    Microsoft::WRL::ComPtr<IDispatch> engine;
    if (!CreateScriptControl(&engine)) {
        return;
    }
    // Where the control knows it, scripts may not create objects that are unsafe for scripting (files,
    // programs); everything the support script and the accessor's expressions need stays allowed.
    SetSafeSubset(engine.Get());
    if (!SetScriptLanguage(engine.Get(), "JavaScript") || !AddScriptCode(engine.Get(), kJsonSupportScript)) {
        return;
    }
    engine_ = engine;
    EvalNumber("var " + variableName_ + "={}");
}

bool JsonValue::Parse(const std::string& text) {
    if (!engine_) {
        Init();
    }
    if (!engine_) {
        return false;
    }
    EvalNumber("var " + variableName_ + "=null");
    // The text comes from the network. It is converted to UTF-16 once; the check reads those characters
    // and the engine receives the very same ones, so no byte can mean one thing to the check and
    // another to the engine. They are the whole expression, in parentheses: eval of a checked string
    // value would run the string's characters as code.
    const std::wstring wide = AnsiToWide(text);
    if (!IsStrictJson(std::u16string(wide.begin(), wide.end()))) {
        return false;
    }
    if (!AddScriptCode(engine_.Get(), L"var " + AnsiToWide(variableName_) + L"=(" + wide + L")")) {
        return false;
    }
    return EvalTruth("null !=" + variableName_);
}

std::string JsonValue::ToJson() {
    return EvalText("JSON.stringify(" + variableName_ + ")");
}

void JsonValue::SetMember(const std::string& key, std::string* value, bool isObject) {
    if (isObject) {
        if (value->empty()) *value = "{}";
        EvalNothing(variableName_ + "." + key + "= eval(" + *value + ")");
    } else {
        EvalNothing(variableName_ + "." + key + "='" + *value + "'");
    }
}

void JsonValue::SetMemberExpr(const std::string& key, const std::string& expression) {
    EvalNothing(variableName_ + "." + key + "= eval(" + expression + ")");
}

void JsonValue::SetNumber(const std::string& key, double number) {
    EvalNothing(variableName_ + "." + key + "=" + NumberText(number));
}

double JsonValue::GetNumber(const std::string& key) {
    return EvalNumber(variableName_ + "." + key);
}

std::string JsonValue::GetMemberJson(const std::string& key) {
    return EvalText("JSON.stringify(" + variableName_ + "." + key + ")");
}

std::string JsonValue::GetText(const std::string& path, bool asJson) {
    const std::string member = variableName_ + Separator(path) + path;
    if (asJson) {
        return EvalText("JSON.stringify(" + member + ")");
    }
    if (!engine_) {
        return std::string();
    }
    if (TypeOf(path) == kJsonNumber) {
        return NumberText(GetNumber(path));
    }
    return EvalText(member);
}

std::unique_ptr<JsonValue> JsonValue::GetObject(const std::string& path) {
    return CopyOfJson(EvalText("JSON.stringify(" + variableName_ + Separator(path) + path + ")"));
}

int JsonValue::Count(const std::string& path) {
    return TruncateToInt(EvalNumber("get__count(" + PathTarget(path) + ")"));
}

void JsonValue::Push(const std::string& value, const std::string& path, bool isObject) {
    const std::string target = MemberTarget(path);
    EvalNothing("if (Object.prototype.toString.call(" + target + ") != '[object Array]') { " + target +
                "=new Array();} " + target + ".push(" + Quote(isObject) + value + Quote(isObject) + ")");
}

std::unique_ptr<JsonValue> JsonValue::GetElement(int index, const std::string& path) {
    const std::string target = MemberTarget(path);
    return CopyOfJson(EvalText("JSON.stringify(" + target + "[" + std::to_string(index) + "])"));
}

std::string JsonValue::GetElementText(int index, const std::string& path, bool asJson) {
    const std::string element = MemberTarget(path) + "[" + std::to_string(index) + "]";
    return EvalText(asJson ? "JSON.stringify(" + element + ")" : element);
}

void JsonValue::SetElement(int index, const std::string& value, bool isObject) {
    EvalNothing(variableName_ + "[" + std::to_string(index) + "]=" + Quote(isObject) + value + Quote(isObject));
}

void JsonValue::RemoveElement(int index) {
    EvalNothing(variableName_ + ".splice(" + std::to_string(index) + ",1)");
}

void JsonValue::RemoveAt(const std::string& path) {
    const std::string member = TextBefore(path, "[");
    const int index = static_cast<int>(std::strtol(TextBetween(path, "[", "]").c_str(), nullptr, 10));
    std::unique_ptr<JsonValue> temp = CreateJsonValue();
    temp->Parse(GetText(member, true));
    temp->RemoveElement(index);
    SetMemberExpr(member, temp->ToJson());
    temp->Destroy();
}

void JsonValue::Reset(int kind) {
    if (kind == kJsonNull || kind == kJsonObject) {
        EvalNumber("var " + variableName_ + "={}");
    } else if (kind == kJsonArray) {
        EvalNumber("var " + variableName_ + "=new Array()");
    }
}

bool JsonValue::SetValue(const std::string& value, bool isObject) {
    return EvalTruth(variableName_ + "=" + Quote(isObject) + value + Quote(isObject));
}

bool JsonValue::Has(const std::string& key) {
    return EvalTruth(variableName_ + "." + key + " !=null");
}

int JsonValue::Keys(std::vector<std::string>* names, const std::string& path) {
    std::string text = EvalText("var ary=''; for (var key in " + PathTarget(path) + ") {ary=ary+ key+','; }");
    text = ReplaceText(text, "toJSONString,", "");
    text = ReplaceText(text, "parseJSON,", "");
    EvalNothing("ary=null");
    *names = SplitText(text, ",");
    return static_cast<int>(names->size());
}

int JsonValue::TypeOf(const std::string& path) {
    const std::string target = MemberTarget(path);
    if (EvalTruth(target + "==null")) {
        return kJsonNull;
    }
    const std::string type = EvalText("typeof (" + target + ")");
    if (type == "string") return kJsonString;
    if (type == "number") return kJsonNumber;
    if (type == "boolean") return kJsonBoolean;
    if (type == "object") return StartsWithText(GetText(path, true), "[") ? kJsonArray : kJsonObject;
    return kJsonOther;
}

void JsonValue::Clear() {
    EvalNothing(variableName_ + "={}");
}

void JsonValue::EvalNothing(const std::string& expression) {
    if (!engine_) {
        return;
    }
    ScopedVariant ignored;
    EvalScript(engine_.Get(), expression, ignored.get());
}

std::string JsonValue::EvalText(const std::string& expression) {
    ScopedVariant result;
    if (!engine_ || !EvalScript(engine_.Get(), expression, result.get())) {
        return std::string();
    }
    if (result.get()->vt == VT_BOOL) {
        return result.get()->boolVal != VARIANT_FALSE ? "true" : "false";  // as JavaScript writes them
    }
    ScopedVariant text;
    if (FAILED(VariantChangeType(text.get(), result.get(), 0, VT_BSTR)) || text.get()->bstrVal == nullptr) {
        return std::string();
    }
    return WideToAnsi(std::wstring(text.get()->bstrVal, SysStringLen(text.get()->bstrVal)));
}

double JsonValue::EvalNumber(const std::string& expression) {
    ScopedVariant result;
    if (!engine_ || !EvalScript(engine_.Get(), expression, result.get())) {
        return 0;
    }
    ScopedVariant number;
    if (FAILED(VariantChangeType(number.get(), result.get(), 0, VT_R8))) {
        return 0;
    }
    return number.get()->dblVal;
}

// The result's truth as JavaScript sees it: an object and a non-empty string are true, zero and NaN
// false. (The VARIANT conversion would refuse objects and read only "true"/"false" from strings.)
bool JsonValue::EvalTruth(const std::string& expression) {
    ScopedVariant result;
    if (!engine_ || !EvalScript(engine_.Get(), expression, result.get())) {
        return false;
    }
    const VARIANT* value = result.get();
    switch (value->vt) {
        case VT_EMPTY:
        case VT_NULL:
            return false;
        case VT_BOOL:
            return value->boolVal != VARIANT_FALSE;
        case VT_BSTR:
            return SysStringLen(value->bstrVal) > 0;
        case VT_DISPATCH:
            return value->pdispVal != nullptr;
        default:
            break;
    }
    ScopedVariant number;
    if (FAILED(VariantChangeType(number.get(), result.get(), 0, VT_R8))) {
        return false;
    }
    const double n = number.get()->dblVal;
    return n == n && n != 0;  // NaN is false
}

std::string JsonValue::MemberTarget(const std::string& path) const {
    return path.empty() ? variableName_ : variableName_ + "." + path;
}

std::string JsonValue::PathTarget(const std::string& path) const {
    return variableName_ + Separator(path) + path;
}

std::string JsonValue::Separator(const std::string& path) const {
    // An empty path is the value itself, as everywhere else: "da", not the broken "da.".
    return path.empty() || path[0] == '[' ? "" : ".";
}

std::unique_ptr<JsonValue> JsonValue::CopyOfJson(const std::string& json) {
    std::unique_ptr<JsonValue> temp = CreateJsonValue();
    temp->Parse(json);
    std::unique_ptr<JsonValue> copy = temp->Clone();
    temp->Destroy();
    return copy;
}

std::unique_ptr<JsonValue> CreateJsonValue() {
    std::unique_ptr<JsonValue> value = std::make_unique<JsonValue>();
    value->variableName_ = kVariableName;
    value->Init();
    return value;
}
