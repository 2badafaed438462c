#include "HomeScreenClasses.h"

#include "HomeScreen.h"

#include <map>

namespace springboard {
namespace {

struct Application : objc_object {
    Application(Class cls, std::string bundleIdentifier)
        : objc_object(cls), identifier(std::move(bundleIdentifier))
    {
    }
    std::string identifier;
};

struct ApplicationIcon : objc_object {
    using objc_object::objc_object;
    ~ApplicationIcon() override { objc_release(application); }
    id application = nullptr;
};

using Arguments = std::span<const Value>;

Value first_text(Arguments args) { return args.empty() ? Value("") : args[0]; }

void add(Class cls, const char* selector, IMP imp, const char* types)
{
    class_addMethod(cls, selector, std::move(imp), types);
}

void add_class_method(Class cls, const char* selector, IMP imp, const char* types)
{
    class_addMethod(object_getClass(cls), selector, std::move(imp), types);
}

// One instance for the life of the process, answered by +sharedInstance.
void add_shared_instance(Class cls)
{
    id shared = new objc_object(cls);
    add_class_method(
        cls, "sharedInstance", [shared](id, SEL, Arguments) -> Value { return shared; }, "@@:");
}

} // namespace

id define_home_screen_classes(HomeScreen& home)
{
    Class root = objc_getClass("NSObject");
    Class springboard = objc_defineClass("SpringBoard", root);
    if (springboard == nullptr)
        return nullptr;
    Class controller = objc_defineClass("SBApplicationController", root);
    Class application = objc_defineClass("SBApplication", root);
    Class icon = objc_defineClass("SBApplicationIcon", root);
    Class model = objc_defineClass("SBIconModel", root);

    add(
        springboard, "applicationDidFinishLaunching:",
        [&home](id, SEL, Arguments) -> Value {
            home.show();
            return {};
        },
        "v@:@");

    auto applications = std::make_shared<std::map<std::string, id>>();
    for (const auto& app : home.applications())
        applications->emplace(app.identifier, new Application(application, app.identifier));
    add_shared_instance(controller);
    add(
        controller, "applicationWithDisplayIdentifier:",
        [applications](id, SEL, Arguments args) -> Value {
            const auto found = applications->find(first_text(args).text());
            return found == applications->end() ? Value() : Value(found->second);
        },
        "@@:@");

    add(
        application, "displayIdentifier",
        [](id self, SEL, Arguments) -> Value {
            return static_cast<Application*>(self)->identifier;
        },
        "@@:");
    add(
        application, "displayName",
        [&home](id self, SEL, Arguments) -> Value {
            return home.application(static_cast<Application*>(self)->identifier)->displayName;
        },
        "@@:");
    add(
        application, "badge",
        [&home](id self, SEL, Arguments) -> Value {
            return home.badge(static_cast<Application*>(self)->identifier);
        },
        "@@:");
    add(
        application, "setBadge:",
        [&home](id self, SEL, Arguments args) -> Value {
            home.setBadge(static_cast<Application*>(self)->identifier, first_text(args).text());
            return {};
        },
        "v@:@");

    add_class_method(
        icon, "alloc",
        [](id self, SEL, Arguments) -> Value {
            return new ApplicationIcon(static_cast<Class>(self));
        },
        "@@:");
    add(
        icon, "initWithApplication:",
        [application](id self, SEL, Arguments args) -> Value {
            id app = args.empty() ? nullptr : args[0].object();
            if (app == nullptr || app->isa != application) {
                objc_release(self); // an icon needs an application, as on the platform
                return {};
            }
            static_cast<ApplicationIcon*>(self)->application = objc_retain(app);
            return self;
        },
        "@@:@");
    add(
        icon, "application",
        [](id self, SEL, Arguments) -> Value {
            return static_cast<ApplicationIcon*>(self)->application;
        },
        "@@:");
    add(
        icon, "setBadge:",
        [](id self, SEL, Arguments args) -> Value {
            objc_msgSend(static_cast<ApplicationIcon*>(self)->application,
                         "setBadge:", first_text(args));
            return {};
        },
        "v@:@");

    add_shared_instance(model);
    add(
        model, "noteIconStateChangedExternally",
        [&home](id, SEL, Arguments) -> Value {
            home.redrawIcons();
            return {};
        },
        "v@:");

    return objc_msgSend(objc_msgSend(springboard, "alloc").object(), "init").object();
}

} // namespace springboard
