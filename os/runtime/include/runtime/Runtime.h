#pragma once
// The class runtime of the device: classes found by name, methods found by selector text, methods
// added at run time, and messages sent to objects. One registry per process (a shared library),
// so the home screen and every library it loads see the same classes.
//
// Objects are reference counted by hand (retain/release), as on the platform. A class is itself an
// object whose class (its metaclass) holds the class methods, so `alloc` and `sharedInstance` are
// messages to the class. Every class derives from the root class "NSObject", which answers
// +alloc, -init, -retain, -release, -class and -respondsToSelector:. A class whose instances carry
// C++ state gives its metaclass an `alloc` that makes them.
//
// A message to nil answers nil. A message that no class in the chain answers is logged and
// answers nil too: the device never stops on a missing method.
//
// Thread: the registry may be used from any thread; a method runs on the thread that sends it.
#include "runtime/Value.h"

#include <atomic>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

struct objc_class;
using Class = objc_class*;
using id = objc_object*;

// A selector: its text, interned, so two selectors of the same text compare equal by address.
class SEL {
public:
    SEL() = default;
    SEL(const char* name);
    SEL(std::string_view name);

    const char* name() const { return name_ ? name_ : ""; }
    explicit operator bool() const { return name_ != nullptr; }
    friend bool operator==(SEL a, SEL b) { return a.name_ == b.name_; }

private:
    const char* name_ = nullptr;
};

template <>
struct std::hash<SEL> {
    size_t operator()(SEL s) const noexcept { return std::hash<const void*>()(s.name()); }
};

// A method's implementation: the receiver, the selector it was reached by, and the arguments.
using IMP = std::function<Value(id self, SEL _cmd, std::span<const Value> args)>;

struct objc_object {
    explicit objc_object(Class cls) : isa(cls) {}
    virtual ~objc_object() = default;
    objc_object(const objc_object&) = delete;
    objc_object& operator=(const objc_object&) = delete;

    Class isa;
    std::atomic<int> retainCount{1};
};

struct objc_class : objc_object {
    struct Method {
        IMP imp;
        std::string types;
    };

    objc_class(Class metaclass, Class parent, std::string className)
        : objc_object(metaclass), superclass(parent), name(std::move(className))
    {
    }

    Class superclass;
    std::string name;
    std::unordered_map<SEL, Method> methods; // guarded by the registry
};

SEL sel_registerName(const char* name);
const char* sel_getName(SEL selector);

// The class of that name, or nullptr when none is registered.
Class objc_getClass(const char* name);
// Registers a new class under superclass (nullptr: a root class); nullptr when the name is taken.
Class objc_defineClass(const char* name, Class superclass);
Class object_getClass(id object);
const char* class_getName(Class cls);
Class class_getSuperclass(Class cls);

// Adds an instance method (a class method when cls is a metaclass). Returns false and changes
// nothing when the class itself already has a method of that name; an inherited one is overridden.
bool class_addMethod(Class cls, SEL name, IMP imp, const char* types);
// Sets the class's own method of that name, adding it when missing (an existing method keeps its
// type encoding). Returns the implementation it replaced; empty when the class had none itself.
IMP class_replaceMethod(Class cls, SEL name, IMP imp, const char* types);
// The implementation that answers the selector for instances of cls (searching superclasses);
// empty when none does.
IMP class_getMethodImplementation(Class cls, SEL name);
bool class_respondsToSelector(Class cls, SEL name);
// The type encoding of the method that answers the selector ("v@:"); empty when none does.
std::string class_getMethodTypeEncoding(Class cls, SEL name);

// Sends the selector with its arguments to the object and returns its answer.
Value objc_msgSendv(id self, SEL op, std::span<const Value> args);

template <class... Args>
Value objc_msgSend(id self, SEL op, Args&&... args)
{
    const Value values[] = {Value(std::forward<Args>(args))..., Value()};
    return objc_msgSendv(self, op, std::span<const Value>(values, sizeof...(Args)));
}

// Retain counting: release destroys the object when the count reaches 0. Classes live forever.
id objc_retain(id object);
void objc_release(id object);
