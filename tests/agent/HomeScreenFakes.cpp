#include "HomeScreenFakes.h"

#include "runtime/Runtime.h"

namespace fakes {
namespace {

struct Application : objc_object {
    using objc_object::objc_object;
    std::string identifier;
};

struct Icon : objc_object {
    using objc_object::objc_object;
    id application = nullptr;
};

Value record(std::string event) {
    home_screen_events().push_back(std::move(event));
    return {};
}

Class define(const char* name) {
    Class cls = objc_defineClass(name, objc_getClass("NSObject"));
    if (cls == nullptr) std::abort();
    return cls;
}

id shared(Class cls) {
    static std::vector<std::pair<Class, id>> instances;
    for (const auto& [owner, instance] : instances)
        if (owner == cls) return instance;
    instances.emplace_back(cls, new objc_object(cls));
    return instances.back().second;
}

} // namespace

std::vector<std::string>& home_screen_events() {
    static std::vector<std::string> events;
    return events;
}

void register_icon_classes() {
    static const bool registered = [] {
        Class application = define("FakeApplication");
        class_addMethod(
            application, "setBadge:",
            [](id self, SEL, std::span<const Value> args) {
                return record("application " + static_cast<Application*>(self)->identifier + "=" +
                              args[0].text());
            },
            "v@:@");

        Class controller = define("SBApplicationController");
        class_addMethod(
            object_getClass(controller), "sharedInstance",
            [](id self, SEL, std::span<const Value>) -> Value {
                return shared(static_cast<Class>(self));
            },
            "@@:");
        class_addMethod(
            controller, "applicationWithDisplayIdentifier:",
            [application](id, SEL, std::span<const Value> args) -> Value {
                auto* found = new Application(application); // leaked like the platform's own
                found->identifier = args[0].text();
                return found;
            },
            "@@:@");

        Class icon = define("SBApplicationIcon");
        class_addMethod(
            object_getClass(icon), "alloc",
            [](id self, SEL, std::span<const Value>) -> Value {
                return new Icon(static_cast<Class>(self));
            },
            "@@:");
        class_addMethod(
            icon, "initWithApplication:",
            [](id self, SEL, std::span<const Value> args) -> Value {
                static_cast<Icon*>(self)->application = args[0].object();
                return self;
            },
            "@@:@");
        class_addMethod(
            icon, "setBadge:",
            [](id self, SEL, std::span<const Value> args) {
                auto* app = static_cast<Application*>(static_cast<Icon*>(self)->application);
                return record("icon " + (app ? app->identifier : "nil") + "=" + args[0].text());
            },
            "v@:@");

        Class model = define("SBIconModel");
        class_addMethod(
            object_getClass(model), "sharedInstance",
            [](id self, SEL, std::span<const Value>) -> Value {
                return shared(static_cast<Class>(self));
            },
            "@@:");
        class_addMethod(
            model, "noteIconStateChangedExternally",
            [](id, SEL, std::span<const Value>) { return record("redraw"); }, "v@:");
        return true;
    }();
    (void)registered;
}

void register_springboard_class() {
    static const bool registered = [] {
        Class springboard = define("SpringBoard");
        class_addMethod(
            springboard, "applicationDidFinishLaunching:",
            [](id, SEL cmd, std::span<const Value> args) {
                return record(std::string("own ") + cmd.name() + " " + args[0].text());
            },
            "v@:@");
        return true;
    }();
    (void)registered;
}

} // namespace fakes
