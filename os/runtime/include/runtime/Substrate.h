#pragma once
// Method replacement with the contract of libsubstrate's MSHookMessage.
#include "runtime/Runtime.h"

// Puts `replacement` in place of the instance method `selector` of cls. The implementation it
// replaces (the class's own or an inherited one) stays callable on the same objects under the
// prefixed selector, e.g. "bg_applicationDidFinishLaunching:". Returns that previous
// implementation; empty, with only the replacement added, when there was none. Nothing changes
// when cls or replacement is missing.
IMP MSHookMessage(Class cls, SEL selector, IMP replacement, const char* prefix);
