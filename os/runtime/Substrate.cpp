#include "runtime/Substrate.h"

IMP MSHookMessage(Class cls, SEL selector, IMP replacement, const char* prefix) {
    if (cls == nullptr || !selector || !replacement) return {};
    const IMP previous = class_getMethodImplementation(cls, selector);
    const std::string types = class_getMethodTypeEncoding(cls, selector);
    if (previous && prefix != nullptr)
        class_replaceMethod(cls, SEL(std::string(prefix) + selector.name()), previous, types.c_str());
    class_replaceMethod(cls, selector, std::move(replacement), types.c_str());
    return previous;
}
