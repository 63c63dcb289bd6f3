// JsonValue against the real script control (Wine provides it), with the support script loaded.
#include "net/json_value.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/support/temp_working_directory.h"

namespace {

std::unique_ptr<JsonValue> Parsed(const std::string& json) {
    std::unique_ptr<JsonValue> value = CreateJsonValue();
    EXPECT_TRUE(value->Parse(json)) << json;
    return value;
}

TEST(JsonValue, ScriptControlIsAvailable) {
    std::unique_ptr<JsonValue> value = CreateJsonValue();
    EXPECT_EQ("{}", value->ToJson()) << "a new value is an empty object";
}

TEST(JsonValue, ReadsTheUpdateReply) {
    std::unique_ptr<JsonValue> value = Parsed("{\"status\":1,\"url\":\"x\"}");
    EXPECT_EQ("1", value->GetText("status", false));
    EXPECT_EQ("x", value->GetText("url", false));
    EXPECT_EQ(kJsonNumber, value->TypeOf("status"));
    EXPECT_EQ("\"x\"", value->GetText("url", true));
    EXPECT_EQ("", value->GetText("missing", false));
    EXPECT_FALSE(value->Has("missing"));
    EXPECT_TRUE(value->Has("url"));
    EXPECT_EQ(kJsonNull, value->TypeOf("missing"));
}

TEST(JsonValue, ParseRefusesWhatIsNotAValue) {
    std::unique_ptr<JsonValue> value = CreateJsonValue();
    EXPECT_FALSE(value->Parse(""));
    EXPECT_FALSE(value->Parse("null"));
    EXPECT_FALSE(value->Parse("{status:1}"));
    EXPECT_EQ(kJsonNull, value->TypeOf("")) << "a refused text leaves null behind";
    EXPECT_TRUE(value->Parse("[1,2]"));
    EXPECT_EQ(kJsonArray, value->TypeOf(""));
    EXPECT_EQ(2, value->Count(""));
}

TEST(JsonValue, TypeOfCodesAndNumberTexts) {
    std::unique_ptr<JsonValue> value = Parsed(
        "{\"b\":true,\"n\":1.5,\"s\":\"t\",\"o\":{},\"a\":[1],\"z\":null,\"big\":123456789012345,"
        "\"sum\":0.30000000000000004,\"e\":1e21,\"neg\":-2}");
    value->SetMemberExpr("f", "(function(){return 1})");
    const struct {
        const char* path;
        int kind;
        const char* text;
    } cases[] = {
        {"b", kJsonBoolean, "true"},
        {"n", kJsonNumber, "1.5"},
        {"s", kJsonString, "t"},
        {"o", kJsonObject, nullptr},
        {"a", kJsonArray, nullptr},
        {"z", kJsonNull, ""},
        {"big", kJsonNumber, "1.234567890123e+14"},  // "%.13g"
        {"sum", kJsonNumber, "0.3"},
        {"e", kJsonNumber, "1e+21"},
        {"neg", kJsonNumber, "-2"},
        {"f", kJsonOther, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.kind, value->TypeOf(c.path)) << c.path;
        if (c.text != nullptr) {
            EXPECT_EQ(c.text, value->GetText(c.path, false)) << c.path;
        }
    }
}

TEST(JsonValue, CountAndKeysLeaveOutTheTwoHelpers) {
    std::unique_ptr<JsonValue> value = Parsed("{\"a\":1,\"b\":{\"c\":[5,6,7]}}");
    EXPECT_EQ(2, value->Count(""));
    EXPECT_EQ(3, value->Count("b.c"));
    std::vector<std::string> names = {"stale"};
    EXPECT_EQ(2, value->Keys(&names, ""));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), names);
    EXPECT_EQ(3, value->Keys(&names, "b.c"));
    EXPECT_EQ((std::vector<std::string>{"0", "1", "2"}), names);

    std::unique_ptr<JsonValue> list = Parsed("[{\"x\":1,\"y\":2,\"z\":3}]");
    EXPECT_EQ(3, list->Count("[0]")) << "a path starting with [ follows the name directly";
    EXPECT_EQ(3, list->Keys(&names, "[0]"));
    EXPECT_EQ("1", list->GetText("[0].x", false));
}

TEST(JsonValue, GbkTextsSurviveTheEngine) {
    // "快捷" and "乗" (trail byte 5C) inside strings, and an escaped U+4E2D ("中").
    std::unique_ptr<JsonValue> value = Parsed("{\"t\":\"快捷\x81\x5C\",\"u\":\"\\u4e2d\"}");
    EXPECT_EQ("快捷\x81\x5C", value->GetText("t", false));
    EXPECT_EQ("中", value->GetText("u", false));
    EXPECT_EQ("{\"t\":\"快捷\x81\x5C\",\"u\":\"中\"}", value->ToJson());
}

// The engine behind the script control has no JSON object of its own: these run the support script.
TEST(JsonValue, SupportScriptStringifiesAndParses) {
    std::unique_ptr<JsonValue> value = CreateJsonValue();
    const struct {
        const char* expression;
        const char* json;
    } cases[] = {
        {"{a:[1,'x\\n\"\\\\',null,true,undefined],b:{},c:undefined,d:function(){}}",
         "{\"a\":[1,\"x\\n\\\"\\\\\",null,true,null],\"b\":{}}"},
        {"String.fromCharCode(1,31,127,0x2028,65)", "\"\\u0001\\u001f\\u007f\\u2028A\""},
        {"new Date(Date.UTC(2024,2,5,7,8,9))", "\"2024-03-05T07:08:09Z\""},
        {"[new Number(3), new String('s'), new Boolean(false)]", "[3,\"s\",false]"},
        {"[1/0, -1/0, 0/0]", "[null,null,null]"},
        {"JSON.stringify({a:[1],b:'x'}, null, 2)",
         "\"{\\n  \\\"a\\\": [\\n    1\\n  ],\\n  \\\"b\\\": \\\"x\\\"\\n}\""},
        {"JSON.stringify({a:1,b:2,c:3}, ['c','a'])", "\"{\\\"c\\\":3,\\\"a\\\":1}\""},
        {"JSON.stringify({a:1,b:'x'}, function(k,v){return typeof v==='number'?v*2:v})",
         "\"{\\\"a\\\":2,\\\"b\\\":\\\"x\\\"}\""},
        {"JSON.parse(' {\"k\" : [1, -2.5e1, 0.5E-1, \"\\\\u0041\\\\n\"], \"o\":{}} ')",
         "{\"k\":[1,-25,0.05,\"A\\n\"],\"o\":{}}"},
        {"JSON.parse('{\"a\":1,\"b\":2}', function(k,v){return k==='a'?undefined:v})", "{\"b\":2}"},
        {"'[3]'.parseJSON()", "[3]"},
        {"({q:[2]}).toJSONString()", "\"{\\\"q\\\":[2]}\""},
    };
    for (const auto& c : cases) {
        value->SetValue(c.expression, true);
        EXPECT_EQ(c.json, value->ToJson()) << c.expression;
    }
    for (const char* bad : {"JSON.parse('{a:1}')", "JSON.parse('[1,]')", "JSON.parse('01')", "JSON.parse('\"\\t\"')",
                            "JSON.parse('[1] x')"}) {
        value->Reset(kJsonObject);
        EXPECT_FALSE(value->SetValue(bad, true)) << bad;
        EXPECT_EQ("{}", value->ToJson()) << bad << " must throw and leave the value alone";
    }
}

TEST(JsonValue, MemberAndElementOperations) {
    std::unique_ptr<JsonValue> value = CreateJsonValue();
    value->SetNumber("n", 2.5);
    EXPECT_EQ(2.5, value->GetNumber("n"));
    std::string text = "plain";
    value->SetMember("s", &text, false);
    std::string object;
    value->SetMember("o", &object, true);
    EXPECT_EQ("{}", object) << "an empty object value is written back as {}";
    std::string quoted = "it's";
    value->SetMember("q", &quoted, false);
    EXPECT_FALSE(value->Has("q")) << "a single quote breaks the expression; nothing is stored";
    EXPECT_EQ("{\"n\":2.5,\"s\":\"plain\",\"o\":{}}", value->ToJson());
    EXPECT_EQ("\"plain\"", value->GetMemberJson("s"));

    value->Push("a", "list", false);
    value->Push("{\"k\":1}", "list", true);
    value->Push("3", "list", true);
    EXPECT_EQ("[\"a\",{\"k\":1},3]", value->GetText("list", true));
    EXPECT_EQ("a", value->GetElementText(0, "list", false));
    EXPECT_EQ("{\"k\":1}", value->GetElementText(1, "list", true));
    std::unique_ptr<JsonValue> element = value->GetElement(1, "list");
    EXPECT_EQ("{\"k\":1}", element->ToJson());
    value->RemoveAt("list[1]");
    EXPECT_EQ("[\"a\",3]", value->GetText("list", true));

    value->Reset(kJsonArray);
    EXPECT_EQ("[]", value->ToJson());
    value->SetElement(0, "x", false);
    value->SetElement(1, "[1]", true);
    value->SetElement(2, "y", false);
    value->RemoveElement(0);
    EXPECT_EQ("[[1],\"y\"]", value->ToJson());
    value->Reset(3);
    EXPECT_EQ("[[1],\"y\"]", value->ToJson()) << "kind 3 is not used";
    value->Reset(kJsonNull);
    EXPECT_EQ("{}", value->ToJson());
    EXPECT_TRUE(value->SetValue("{\"v\":1}", true));
    EXPECT_TRUE(value->SetValue("text", false));
    EXPECT_EQ("\"text\"", value->ToJson());
    EXPECT_FALSE(value->SetValue("0", true));
}

TEST(JsonValue, GetObjectCopiesAndCloneShares) {
    std::unique_ptr<JsonValue> value = Parsed("{\"inner\":{\"k\":1}}");
    std::unique_ptr<JsonValue> copy = value->GetObject("inner");
    std::unique_ptr<JsonValue> clone = value->Clone();
    copy->SetNumber("k", 2);
    EXPECT_EQ("{\"inner\":{\"k\":1}}", value->ToJson()) << "the copy is independent";
    EXPECT_EQ("{\"k\":2}", copy->ToJson());
    clone->SetNumber("inner.k", 3);
    EXPECT_EQ("{\"inner\":{\"k\":3}}", value->ToJson()) << "the clone writes the same variable";
    value->Destroy();
    EXPECT_EQ("{\"inner\":{\"k\":3}}", clone->ToJson()) << "the clone keeps the engine alive";
}

TEST(JsonValue, DestroyedValueGivesEmptyResults) {
    std::unique_ptr<JsonValue> value = Parsed("{\"a\":1}");
    value->Destroy();
    EXPECT_EQ("", value->GetText("a", false));
    EXPECT_EQ(0, value->Count(""));
    EXPECT_FALSE(value->Has("a"));
}

// A reply that is a JavaScript program rather than JSON: evaluated, it would create a file.
TEST(JsonValue, ParseNeverRunsScriptFromTheText) {
    TempWorkingDirectory directory;
    std::string path = directory.File("created-by-reply.txt");
    std::string escaped;
    for (char c : path)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::string reply =
        "{\"status\":1,\"url\":(function(){var fs=new ActiveXObject('Scripting.FileSystemObject');"
        "fs.CreateTextFile('" +
        escaped + "').Close();return 'http://x/'})()}";

    std::unique_ptr<JsonValue> value = CreateJsonValue();
    EXPECT_FALSE(value->Parse(reply));
    EXPECT_EQ("", value->GetText("url", false));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << "the reply's script ran";
}

// Replies that are programs whose scripts the safe subset allows: only the strict JSON check keeps
// them from the engine, which would give each a "status" of 1. Some are plain JSON to a reader that
// takes a byte other than the system's conversion does: "€" (80) and U+F8F5 (FF) are one byte each,
// and FE 5C one character, so the quote after them ends the string and the script follows.
TEST(JsonValue, ParseRefusesScriptsThatTheSafeSubsetAllows) {
    const std::string program = "{status:(function(){return 1})()}";
    const std::string replies[] = {
        "{\"status\":(function(){return 1})()}",
        "[\"\x80\"]," + program + "//\"]\n",
        "[\"\xFF\"]," + program + "//\"]\n",
        "[\"\xFE\\\"]," + program + "//\"]\n",
    };
    for (const std::string& reply : replies) {
        std::unique_ptr<JsonValue> value = CreateJsonValue();
        EXPECT_FALSE(value->Parse(reply)) << reply;
        EXPECT_EQ("", value->GetText("status", false)) << reply;
    }
}

// Every value ends exactly the COM initialisations it made, clones and temporary copies included: a
// caller's own initialisation survives, and none is left behind.
TEST(JsonValue, ComInitialisationStaysBalancedPerThread) {
    HRESULT whileCallerHolds = E_FAIL;
    HRESULT afterCallerEnds = E_FAIL;
    std::thread worker([&] {
        if (FAILED(CoInitialize(nullptr))) return;
        {
            std::unique_ptr<JsonValue> value = CreateJsonValue();
            value->Parse("{\"a\":[1,2],\"o\":{\"k\":1}}");
            std::unique_ptr<JsonValue> clone = value->Clone();
            std::unique_ptr<JsonValue> copy = value->GetObject("o");
            std::unique_ptr<JsonValue> element = value->GetElement(0, "a");
            value->RemoveAt("a[0]");
            clone->Destroy();
            value->Destroy();
            copy->Destroy();
            element.reset();
        }
        // Still single-threaded apartment: asking for the multi-threaded one must be refused.
        whileCallerHolds = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(whileCallerHolds)) CoUninitialize();
        CoUninitialize();
        afterCallerEnds = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(afterCallerEnds)) CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(RPC_E_CHANGED_MODE, whileCallerHolds) << "a value ended the caller's COM initialisation";
    EXPECT_EQ(S_OK, afterCallerEnds) << "a value left a COM initialisation behind";
}

}  // namespace
