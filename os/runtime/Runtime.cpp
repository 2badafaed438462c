#include "runtime/Runtime.h"

#include "foundation/Log.h"

#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

struct Registry {
    std::shared_mutex mutex;
    std::unordered_map<std::string, Class> classes;
    std::vector<std::unique_ptr<objc_class>> owned;
    Class root = nullptr;
};

Registry& registry();

struct SelectorTable {
    std::mutex mutex;
    std::unordered_set<std::string> names;
};

SelectorTable& selectors()
{
    static auto* table = new SelectorTable; // never destroyed: libraries may send at exit
    return *table;
}

const char* intern(std::string_view name)
{
    auto& table = selectors();
    std::lock_guard lock(table.mutex);
    return table.names.emplace(name).first->c_str();
}

// Caller holds the registry lock.
const objc_class::Method* find_method(Class cls, SEL name)
{
    for (; cls != nullptr; cls = cls->superclass) {
        const auto found = cls->methods.find(name);
        if (found != cls->methods.end())
            return &found->second;
    }
    return nullptr;
}

Class define_locked(Registry& r, const char* name, Class superclass)
{
    if (name == nullptr || r.classes.contains(name))
        return nullptr;
    // A metaclass inherits from its superclass's metaclass; the root's metaclass from the root
    // class itself, so class objects answer the root's instance methods too.
    Class meta_super = superclass ? superclass->isa : nullptr;
    auto meta = std::make_unique<objc_class>(nullptr, meta_super, name);
    auto cls = std::make_unique<objc_class>(meta.get(), superclass, name);
    if (superclass == nullptr)
        meta->superclass = cls.get();
    Class result = cls.get();
    r.classes.emplace(name, result);
    r.owned.push_back(std::move(meta));
    r.owned.push_back(std::move(cls));
    return result;
}

bool is_class(id object)
{
    return object != nullptr && (object->isa == nullptr || object->isa->isa == nullptr);
}

void add_root_methods(Class root)
{
    Class meta = root->isa;
    meta->methods[SEL("alloc")] = {[](id self, SEL, std::span<const Value>) -> Value {
                                       return new objc_object(static_cast<Class>(self));
                                   },
                                   "@@:"};
    root->methods[SEL("init")] = {
        [](id self, SEL, std::span<const Value>) -> Value { return self; }, "@@:"};
    root->methods[SEL("retain")] = {
        [](id self, SEL, std::span<const Value>) -> Value { return objc_retain(self); }, "@@:"};
    root->methods[SEL("release")] = {[](id self, SEL, std::span<const Value>) -> Value {
                                         objc_release(self);
                                         return {};
                                     },
                                     "v@:"};
    root->methods[SEL("class")] = {[](id self, SEL, std::span<const Value>) -> Value {
                                       return is_class(self) ? self : self->isa;
                                   },
                                   "#@:"};
    root->methods[SEL("respondsToSelector:")] = {
        [](id self, SEL, std::span<const Value> args) -> Value {
            return !args.empty() && class_respondsToSelector(self->isa, SEL(args[0].text()));
        },
        "c@::"};
}

Registry& registry()
{
    static Registry* r = [] {
        auto* made = new Registry; // never destroyed, like the classes it holds
        made->root = define_locked(*made, "NSObject", nullptr);
        add_root_methods(made->root);
        return made;
    }();
    return *r;
}

} // namespace

SEL::SEL(const char* name) : name_(name ? intern(name) : nullptr) {}
SEL::SEL(std::string_view name) : name_(intern(name)) {}

SEL sel_registerName(const char* name) { return SEL(name); }
const char* sel_getName(SEL selector) { return selector.name(); }

Class objc_getClass(const char* name)
{
    if (name == nullptr)
        return nullptr;
    auto& r = registry();
    std::shared_lock lock(r.mutex);
    const auto found = r.classes.find(name);
    return found == r.classes.end() ? nullptr : found->second;
}

Class objc_defineClass(const char* name, Class superclass)
{
    auto& r = registry();
    std::unique_lock lock(r.mutex);
    return define_locked(r, name, superclass);
}

Class object_getClass(id object) { return object ? object->isa : nullptr; }
const char* class_getName(Class cls) { return cls ? cls->name.c_str() : "nil"; }
Class class_getSuperclass(Class cls) { return cls ? cls->superclass : nullptr; }

bool class_addMethod(Class cls, SEL name, IMP imp, const char* types)
{
    if (cls == nullptr || !name || !imp)
        return false;
    auto& r = registry();
    std::unique_lock lock(r.mutex);
    return cls->methods.try_emplace(name, objc_class::Method{std::move(imp), types ? types : ""})
        .second;
}

IMP class_replaceMethod(Class cls, SEL name, IMP imp, const char* types)
{
    if (cls == nullptr || !name || !imp)
        return {};
    auto& r = registry();
    std::unique_lock lock(r.mutex);
    const auto [slot, added] =
        cls->methods.try_emplace(name, objc_class::Method{imp, types ? types : ""});
    if (added)
        return {};
    return std::exchange(slot->second.imp, std::move(imp));
}

IMP class_getMethodImplementation(Class cls, SEL name)
{
    auto& r = registry();
    std::shared_lock lock(r.mutex);
    const auto* method = find_method(cls, name);
    return method ? method->imp : IMP();
}

bool class_respondsToSelector(Class cls, SEL name)
{
    auto& r = registry();
    std::shared_lock lock(r.mutex);
    return find_method(cls, name) != nullptr;
}

std::string class_getMethodTypeEncoding(Class cls, SEL name)
{
    auto& r = registry();
    std::shared_lock lock(r.mutex);
    const auto* method = find_method(cls, name);
    return method ? method->types : std::string();
}

Value objc_msgSendv(id self, SEL op, std::span<const Value> args)
{
    if (self == nullptr || self->isa == nullptr)
        return {};
    const IMP imp = class_getMethodImplementation(self->isa, op);
    if (!imp) {
        NSLog("*** %c[%s %s]: unrecognized selector sent to %s %p", is_class(self) ? '+' : '-',
              class_getName(self->isa), op.name(), is_class(self) ? "class" : "instance",
              static_cast<void*>(self));
        return {};
    }
    return imp(self, op, args);
}

id objc_retain(id object)
{
    if (object != nullptr && !is_class(object))
        object->retainCount.fetch_add(1);
    return object;
}

void objc_release(id object)
{
    if (object == nullptr || is_class(object))
        return;
    if (object->retainCount.fetch_sub(1) == 1)
        delete object;
}
