#include "runtime/Runtime.h"
#include "runtime/Substrate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each test defines its own classes: the registry lives as long as the process.
Class define(const std::string& name, Class superclass = objc_getClass("NSObject"))
{
    Class cls = objc_defineClass(name.c_str(), superclass);
    EXPECT_NE(cls, nullptr) << name;
    return cls;
}

IMP answering(std::string answer)
{
    return [answer](id, SEL, std::span<const Value>) -> Value { return answer; };
}

id make(Class cls) { return objc_msgSend(objc_msgSend(cls, "alloc").object(), "init").object(); }

TEST(Classes, AreFoundByNameOnceDefined)
{
    EXPECT_EQ(objc_getClass("LookupTarget"), nullptr);
    Class cls = define("LookupTarget");
    EXPECT_EQ(objc_getClass("LookupTarget"), cls);
    EXPECT_STREQ(class_getName(cls), "LookupTarget");
    EXPECT_EQ(class_getSuperclass(cls), objc_getClass("NSObject"));
    EXPECT_EQ(objc_defineClass("LookupTarget", nullptr), nullptr) << "a name is defined once";
    EXPECT_EQ(objc_getClass("LookupTarget"), cls);
    EXPECT_EQ(objc_getClass(nullptr), nullptr);
}

TEST(Selectors, OfTheSameTextAreOne)
{
    const std::string text = "tableView:cellForRowAtIndexPath:";
    EXPECT_EQ(SEL(text.c_str()), sel_registerName("tableView:cellForRowAtIndexPath:"));
    EXPECT_NE(SEL("a"), SEL("b"));
    EXPECT_STREQ(sel_getName(SEL(std::string_view("badge:"))), "badge:");
}

TEST(AddMethod, AddsAMethodThatAnswersWithItsArguments)
{
    Class cls = define("Adder");
    ASSERT_TRUE(class_addMethod(
        cls, "add:to:",
        [](id, SEL cmd, std::span<const Value> args) -> Value {
            EXPECT_STREQ(cmd.name(), "add:to:");
            return args[0].integer() + args[1].integer();
        },
        "i@:ii"));
    id object = make(cls);
    EXPECT_EQ(objc_msgSend(object, "add:to:", 2, 40).integer(), 42);
    EXPECT_TRUE(class_respondsToSelector(cls, "add:to:"));
    EXPECT_EQ(class_getMethodTypeEncoding(cls, "add:to:"), "i@:ii");
    objc_release(object);
}

TEST(AddMethod, RefusesANameTheClassAlreadyHasAndChangesNothing)
{
    Class cls = define("Refuser");
    ASSERT_TRUE(class_addMethod(cls, "birthdaysActivate", answering("first"), "v@:"));
    EXPECT_FALSE(class_addMethod(cls, "birthdaysActivate", answering("second"), "@@:"));
    id object = make(cls);
    EXPECT_EQ(objc_msgSend(object, "birthdaysActivate").text(), "first");
    EXPECT_EQ(class_getMethodTypeEncoding(cls, "birthdaysActivate"), "v@:");
    objc_release(object);
}

TEST(AddMethod, OverridesAnInheritedMethodInTheSubclassOnly)
{
    Class base = define("AddBase");
    Class derived = define("AddDerived", base);
    class_addMethod(base, "name", answering("base"), "@@:");
    EXPECT_TRUE(class_addMethod(derived, "name", answering("derived"), "@@:"));
    id b = make(base);
    id d = make(derived);
    EXPECT_EQ(objc_msgSend(b, "name").text(), "base");
    EXPECT_EQ(objc_msgSend(d, "name").text(), "derived");
    objc_release(b);
    objc_release(d);
}

TEST(AddMethod, RejectsMissingPieces)
{
    Class cls = define("AddNothing");
    EXPECT_FALSE(class_addMethod(nullptr, "x", answering("x"), "v@:"));
    EXPECT_FALSE(class_addMethod(cls, "x", IMP(), "v@:"));
    EXPECT_FALSE(class_respondsToSelector(cls, "x"));
}

TEST(Hook, ReplacementAnswersAndPreviousAnswersUnderThePrefixOnTheSameObject)
{
    Class cls = define("HookedApp");
    std::vector<std::string> calls;
    class_addMethod(
        cls, "applicationDidFinishLaunching:",
        [&calls](id self, SEL cmd, std::span<const Value> args) -> Value {
            calls.push_back(std::string("own ") + cmd.name() + " " + args[0].text());
            EXPECT_EQ(objc_msgSend(self, "who").text(), "app");
            return {};
        },
        "v@:@");
    class_addMethod(cls, "who", answering("app"), "@@:");

    const IMP previous = MSHookMessage(
        cls, "applicationDidFinishLaunching:",
        [&calls](id self, SEL, std::span<const Value> args) -> Value {
            calls.push_back("replacement " + args[0].text());
            objc_msgSend(self, "bg_applicationDidFinishLaunching:", args[0]);
            return {};
        },
        "bg_");
    EXPECT_TRUE(previous);

    id app = make(cls);
    objc_msgSend(app, "applicationDidFinishLaunching:", "launch");
    EXPECT_EQ(calls, (std::vector<std::string>{"replacement launch",
                                               "own bg_applicationDidFinishLaunching: launch"}));
    EXPECT_EQ(class_getMethodTypeEncoding(cls, "bg_applicationDidFinishLaunching:"), "v@:@");
    EXPECT_EQ(class_getMethodTypeEncoding(cls, "applicationDidFinishLaunching:"), "v@:@");
    objc_release(app);
}

TEST(Hook, KeepsAnInheritedImplementationUnderThePrefixAndLeavesTheSuperclassAlone)
{
    Class base = define("HookBase");
    Class derived = define("HookDerived", base);
    class_addMethod(base, "greet", answering("hello"), "@@:");
    MSHookMessage(derived, "greet", answering("hooked"), "bg_");
    id b = make(base);
    id d = make(derived);
    EXPECT_EQ(objc_msgSend(d, "greet").text(), "hooked");
    EXPECT_EQ(objc_msgSend(d, "bg_greet").text(), "hello");
    EXPECT_EQ(objc_msgSend(b, "greet").text(), "hello");
    EXPECT_FALSE(class_respondsToSelector(base, "bg_greet"));
    objc_release(b);
    objc_release(d);
}

TEST(Hook, ASecondReplacementUnderTheSamePrefixRunsTheFirstThenTheOwnMethodOnce)
{
    Class cls = define("HookedTwice");
    std::vector<std::string> calls;
    class_addMethod(
        cls, "launch",
        [&calls](id, SEL, std::span<const Value>) -> Value {
            calls.push_back("own");
            return {};
        },
        "v@:");
    const auto replacement = [&calls](std::string name) -> IMP {
        return [&calls, name](id self, SEL, std::span<const Value>) -> Value {
            calls.push_back(name);
            return objc_msgSend(self, "bg_launch");
        };
    };
    MSHookMessage(cls, "launch", replacement("first"), "bg_");
    MSHookMessage(cls, "launch", replacement("second"), "bg_");

    id app = make(cls);
    objc_msgSend(app, "launch");
    EXPECT_EQ(calls, (std::vector<std::string>{"second", "first", "own"}));
    calls.clear();
    objc_msgSend(app, "bg_launch");
    EXPECT_EQ(calls, std::vector<std::string>{"own"});
    objc_release(app);
}

TEST(Hook, WithoutAPreviousMethodOnlyAddsTheReplacement)
{
    Class cls = define("HookFresh");
    EXPECT_FALSE(MSHookMessage(cls, "fresh", answering("new"), "bg_"));
    EXPECT_TRUE(class_respondsToSelector(cls, "fresh"));
    EXPECT_FALSE(class_respondsToSelector(cls, "bg_fresh"));
    EXPECT_FALSE(MSHookMessage(nullptr, "fresh", answering("x"), "bg_"));
    EXPECT_FALSE(MSHookMessage(cls, "other", IMP(), "bg_"));
    EXPECT_FALSE(class_respondsToSelector(cls, "other"));
}

TEST(Messages, ToNilOrUnansweredSelectorsAnswerNil)
{
    EXPECT_TRUE(objc_msgSend(nullptr, "anything").isNil());
    Class cls = define("Silent");
    id object = make(cls);
    EXPECT_TRUE(objc_msgSend(object, "noSuchMethod:", 1).isNil());
    EXPECT_TRUE(objc_msgSend(cls, "noSuchClassMethod").isNil());
    objc_release(object);
}

struct Counted : objc_object {
    using objc_object::objc_object;
    ~Counted() override { ++destroyed; }
    static inline int destroyed = 0;
    std::string state = "fresh";
};

TEST(Objects, ClassMethodsMakeInstancesWithTheirOwnStateAndReleaseDestroysThem)
{
    Class cls = define("CountedThing");
    class_addMethod(
        object_getClass(cls), "alloc",
        [](id self, SEL, std::span<const Value>) -> Value {
            return new Counted(static_cast<Class>(self));
        },
        "@@:");
    class_addMethod(
        cls, "initWithState:",
        [](id self, SEL, std::span<const Value> args) -> Value {
            static_cast<Counted*>(self)->state = args[0].text();
            return self;
        },
        "@@:@");
    id object =
        objc_msgSend(objc_msgSend(cls, "alloc").object(), "initWithState:", "ready").object();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(static_cast<Counted*>(object)->state, "ready");
    EXPECT_EQ(objc_msgSend(object, "class").object(), cls);
    EXPECT_EQ(objc_msgSend(cls, "class").object(), cls);
    EXPECT_TRUE(objc_msgSend(object, "respondsToSelector:", "initWithState:").boolean());
    EXPECT_FALSE(objc_msgSend(object, "respondsToSelector:", "fly").boolean());

    const int before = Counted::destroyed;
    objc_msgSend(object, "retain");
    objc_msgSend(object, "release");
    EXPECT_EQ(Counted::destroyed, before);
    objc_msgSend(object, "release");
    EXPECT_EQ(Counted::destroyed, before + 1);

    objc_msgSend(cls, "release"); // classes live forever
    EXPECT_EQ(objc_getClass("CountedThing"), cls);
}

} // namespace
