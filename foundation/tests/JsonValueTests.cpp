#include "foundation/json/Value.hpp"
#include "foundation/json/Value2Vec.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using json::Value;
using Array = std::vector<Value>;
using Object = std::map<std::string, Value>;

// Which kind tests hold, as a compact string: N B I F S A O and # for number.
std::string kinds(const Value& v)
{
    std::string k;
    k += v.isNull() ? "N" : "";
    k += v.isBool() ? "B" : "";
    k += v.isInteger() ? "I" : "";
    k += v.isFloat() ? "F" : "";
    k += v.isString() ? "S" : "";
    k += v.isArray() ? "A" : "";
    k += v.isObject() ? "O" : "";
    k += v.isNumber() ? "#" : "";
    return k;
}

TEST(JsonValue, EachConstructorGivesExactlyItsKind)
{
    EXPECT_EQ(kinds(Value()), "N");
    EXPECT_EQ(kinds(Value(false)), "B");
    EXPECT_EQ(kinds(Value(7LL)), "I#");
    EXPECT_EQ(kinds(Value(-7LL)), "I#");
    EXPECT_EQ(kinds(Value(0.5)), "F#");
    EXPECT_EQ(kinds(Value(0.5f)), "F#");
    EXPECT_EQ(kinds(Value("text")), "S");
    EXPECT_EQ(kinds(Value(std::string("text"))), "S");
    EXPECT_EQ(kinds(Value(Array{})), "A");
    EXPECT_EQ(kinds(Value(Object{})), "O");

    EXPECT_EQ(Value(9223372036854775807LL).integerValue(), 9223372036854775807LL);
    EXPECT_EQ(Value("hajó").stringValue(), "hajó");
    EXPECT_TRUE(Value(true).boolValue());
}

TEST(JsonValue, FillCopiesOnlyTheExactKind)
{
    bool b = true;
    long long i = 5;
    double d = 2.5;
    std::string s = "keep";

    Value(3LL).fillFloat(d);
    EXPECT_EQ(d, 2.5);
    Value(3.75).fillInteger(i);
    EXPECT_EQ(i, 5);
    Value("x").fillBool(b);
    Value(1LL).fillBool(b);
    EXPECT_TRUE(b);
    Value(1LL).fillString(s);
    Value().fillString(s);
    EXPECT_EQ(s, "keep");

    Value(false).fillBool(b);
    Value(-4LL).fillInteger(i);
    Value(0.125).fillFloat(d);
    Value("új").fillString(s);
    EXPECT_FALSE(b);
    EXPECT_EQ(i, -4);
    EXPECT_EQ(d, 0.125);
    EXPECT_EQ(s, "új");
}

TEST(JsonValue, CopiesAreDeepAndIndependent)
{
    Value original(Object{{"list", Value(Array{Value(1LL), Value("a")})}, {"name", Value("ship")}});
    Value copy(original);
    copy.objectValue()["list"].arrayValue().push_back(Value(2LL));
    copy.objectValue()["name"].stringValue() = "changed";
    EXPECT_EQ(original.objectValue().at("list").arrayValue().size(), 2u);
    EXPECT_EQ(original.objectValue().at("name").stringValue(), "ship");

    Value assigned(5LL);
    assigned = original;
    original.objectValue().clear();
    EXPECT_EQ(assigned.objectValue().size(), 2u);
    EXPECT_EQ(assigned.objectValue().at("list").arrayValue()[1].stringValue(), "a");

    // Containers given to the constructors are copied too.
    Array source{Value("x")};
    Value fromArray(source);
    source[0].stringValue() = "y";
    EXPECT_EQ(fromArray.arrayValue()[0].stringValue(), "x");
}

TEST(JsonValue, MovesLeaveTheSourceNull)
{
    Value source(Array{Value(1LL), Value(2LL)});
    Value target(std::move(source));
    EXPECT_TRUE(source.isNull());
    EXPECT_EQ(target.arrayValue().size(), 2u);

    Value other("old");
    other = std::move(target);
    EXPECT_TRUE(target.isNull());
    ASSERT_TRUE(other.isArray());
    EXPECT_EQ(other.arrayValue()[1].integerValue(), 2);
    EXPECT_TRUE(std::is_nothrow_move_constructible<Value>::value);
}

TEST(JsonValue, AssignmentFromItselfOrFromANestedValueStaysCorrect)
{
    Value v(Array{Value("a"), Value(Array{Value(1LL), Value(2LL)})});
    Value& self = v;
    v = self;
    ASSERT_TRUE(v.isArray());
    EXPECT_EQ(v.arrayValue()[0].stringValue(), "a");

    v = v.arrayValue()[1]; // copy from inside
    ASSERT_TRUE(v.isArray());
    ASSERT_EQ(v.arrayValue().size(), 2u);
    EXPECT_EQ(v.arrayValue()[1].integerValue(), 2);

    Value o(Object{{"inner", Value(Object{{"k", Value("v")}})}});
    o = std::move(o.objectValue()["inner"]); // move from inside
    ASSERT_TRUE(o.isObject());
    EXPECT_EQ(o.objectValue().at("k").stringValue(), "v");
}

TEST(JsonValue, ObjectKeysAreSortedAndUnique)
{
    Value o(Object{});
    o.objectValue()["b"] = Value(1LL);
    o.objectValue()["a"] = Value(2LL);
    o.objectValue()["B"] = Value(3LL);
    o.objectValue()["a"] = Value(4LL);
    std::vector<std::string> keys;
    for (const auto& member : o.objectValue())
        keys.push_back(member.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"B", "a", "b"}));
    EXPECT_EQ(o.objectValue()["a"].integerValue(), 4);
}

TEST(JsonValue, ClearValueReleasesContentAndMakesNull)
{
    Value v(Object{{"x", Value("y")}});
    v.clearValue();
    EXPECT_TRUE(v.isNull());
    v.clearValue();
    EXPECT_TRUE(v.isNull());
}

TEST(JsonValue, AccessorsOfAnotherKindNeverReachForeignContent)
{
    // Read-only access to a wrongly typed member, as a careless loader would do.
    const Value number(42LL);
    EXPECT_EQ(number.stringValue(), "");
    EXPECT_TRUE(number.arrayValue().empty());
    EXPECT_TRUE(number.objectValue().empty());
    EXPECT_FALSE(number.boolValue());
    EXPECT_EQ(number.floatValue(), 0.0);
    const Value text("abc");
    EXPECT_EQ(text.integerValue(), 0);
    EXPECT_EQ(number.integerValue(), 42);

    // Modifiable access turns the value into an empty value of that kind.
    Value v("old text");
    v.objectValue()["k"] = Value(1LL);
    ASSERT_TRUE(v.isObject());
    EXPECT_EQ(v.objectValue().size(), 1u);
    v.arrayValue().push_back(Value(true));
    ASSERT_TRUE(v.isArray());
    EXPECT_EQ(v.arrayValue().size(), 1u);
    v.floatValue() += 0.5;
    ASSERT_TRUE(v.isFloat());
    EXPECT_EQ(v.floatValue(), 0.5);
    v.boolValue() = true;
    EXPECT_TRUE(v.isBool());
    v.stringValue() += "x";
    ASSERT_TRUE(v.isString());
    EXPECT_EQ(v.stringValue(), "x");
    v.integerValue() -= 3;
    ASSERT_TRUE(v.isInteger());
    EXPECT_EQ(v.integerValue(), -3);
}

TEST(JsonValueToVector, ObjectsPreferLowerCaseKeysAndSkipNonNumbers)
{
    using V = math::Vector2<float>;
    EXPECT_EQ(json::value2vec<float>(Value(Object{{"X", Value(1LL)}, {"x", Value(2LL)}, {"y", Value(3LL)}})),
              V(2.f, 3.f));
    EXPECT_EQ(json::value2vec<float>(Value(Object{{"X", Value(1.5)}, {"Y", Value(-2LL)}})), V(1.5f, -2.f));
    EXPECT_EQ(json::value2vec<float>(Value(Object{{"X", Value(4LL)}, {"x", Value("no")}, {"Y", Value(true)}})),
              V(4.f, 0.f));
    EXPECT_EQ(json::value2vec<float>(Value(Object{})), V(0.f, 0.f));
}

TEST(JsonValueToVector, ArraysTakeTheFirstTwoNumbersAndOtherKindsGiveZero)
{
    using V = math::Vector2<float>;
    EXPECT_EQ(json::value2vec<float>(Value(Array{Value("a"), Value(5LL)})), V(0.f, 5.f));
    EXPECT_EQ(json::value2vec<float>(Value(Array{Value(0.25), Value(-1LL), Value(9LL)})), V(0.25f, -1.f));
    EXPECT_EQ(json::value2vec<float>(Value(Array{Value(7LL)})), V(7.f, 0.f));
    EXPECT_EQ(json::value2vec<float>(Value("1,2")), V(0.f, 0.f));
    EXPECT_EQ(json::value2vec<float>(Value(3LL)), V(0.f, 0.f));
    EXPECT_EQ(json::value2vec<float>(Value()), V(0.f, 0.f));
}

} // namespace
