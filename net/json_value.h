#pragma once

// <windows.h> comes first: GetObject is also a GDI macro (GetObjectA), and every file that includes
// this header must see the member under the same name.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

#include "base/handles.h"

class JsonValue;
std::unique_ptr<JsonValue> CreateJsonValue();

// Kinds reported by JsonValue::TypeOf (and taken by Reset: 0 and 4 an empty object, 5 an empty array).
enum JsonKind : int {
    kJsonNull = 0,  // null or undefined
    kJsonBoolean = 1,
    kJsonNumber = 2,
    kJsonObject = 4,
    kJsonArray = 5,
    kJsonString = 6,
    kJsonOther = -1,  // a function, for one
};

// JSON held in a script engine of its own: one global JavaScript variable holds the value, and every
// operation hands the engine a small expression around that variable's name. Texts are GBK. Keys and
// paths are pasted into the expressions as they are; values V are quoted with ' unless the caller says
// they are objects or expressions, and are not escaped.
//
// A value lives on one thread: its engine and its COM initialisation belong to the thread that made
// it. Each value that holds an engine (a clone too) has its own COM initialisation and ends it once.
// When the script control cannot be created, every operation gives the empty result of its type.
class JsonValue {
public:
    JsonValue();  // no variable name, no engine: CreateJsonValue makes usable values
    virtual ~JsonValue();
    JsonValue(const JsonValue&) = delete;
    JsonValue& operator=(const JsonValue&) = delete;

    // Releases the engine and ends this value's COM initialisation. The value is unusable afterwards.
    virtual void Destroy();
    // A second reference to the same engine and variable: both read and write the same value.
    virtual std::unique_ptr<JsonValue> Clone();
    // Starts a fresh engine with the support script loaded; the value becomes an empty object.
    virtual void Init();
    // Replaces the value by the JSON `text`; false when it is not strict JSON or parses to null.
    virtual bool Parse(const std::string& text);
    virtual std::string ToJson();
    // `isObject`: `*value` is evaluated as an expression ("{}" when empty, written back); otherwise it
    // is stored as a string.
    virtual void SetMember(const std::string& key, std::string* value, bool isObject);
    virtual void SetMemberExpr(const std::string& key, const std::string& expression);
    virtual void SetNumber(const std::string& key, double number);
    virtual double GetNumber(const std::string& key);
    virtual std::string GetMemberJson(const std::string& key);
    // The member at `path` as JSON text, or (asJson false) as plain text: a string without quotes, a
    // number written with "%.13g", "" for a member that does not exist.
    virtual std::string GetText(const std::string& path, bool asJson);
    // A deep copy of the member at `path`, in an engine of its own.
    virtual std::unique_ptr<JsonValue> GetObject(const std::string& path);
    // Members of an object (or elements of an array) at `path`, the value itself when empty.
    virtual int Count(const std::string& path);
    // Appends V to the array at `path`, turning whatever is there into an empty array first.
    virtual void Push(const std::string& value, const std::string& path, bool isObject);
    virtual std::unique_ptr<JsonValue> GetElement(int index, const std::string& path);
    virtual std::string GetElementText(int index, const std::string& path, bool asJson);
    virtual void SetElement(int index, const std::string& value, bool isObject);
    virtual void RemoveElement(int index);
    // Removes one element of a member array, with a path of the form member[index].
    virtual void RemoveAt(const std::string& path);
    virtual void Reset(int kind);
    virtual bool SetValue(const std::string& value, bool isObject);
    virtual bool Has(const std::string& key);
    // The member names at `path`, without the two helpers every object inherits; returns their number.
    virtual int Keys(std::vector<std::string>* names, const std::string& path);
    virtual int TypeOf(const std::string& path);
    virtual void Clear();

private:
    friend std::unique_ptr<JsonValue> CreateJsonValue();

    void EvalNothing(const std::string& expression);
    std::string EvalText(const std::string& expression);
    double EvalNumber(const std::string& expression);
    bool EvalTruth(const std::string& expression);
    // N alone for an empty path, else N "." path.
    std::string MemberTarget(const std::string& path) const;
    // N alone for an empty path, N directly followed by a path that starts with "[", else N "." path.
    std::string PathTarget(const std::string& path) const;
    std::string Separator(const std::string& path) const;
    std::unique_ptr<JsonValue> CopyOfJson(const std::string& json);

    std::string variableName_;
    std::unique_ptr<ComInitScope> com_;  // declared before the engine: released after it
    Microsoft::WRL::ComPtr<IDispatch> engine_;
};

// A new value named "da" holding an empty object in an engine of its own.
std::unique_ptr<JsonValue> CreateJsonValue();
