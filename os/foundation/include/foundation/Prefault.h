#pragma once
// Mapping in the memory of a fresh, large array before it is written.
#include <cstddef>

namespace os {

// Maps in the pages of [data, data + bytes) with one system call rather than one fault per page,
// and in huge pages where the system has them: a large array spans thousands of small pages, and
// the first write to each can cost more than what is written there (far more under a virtual
// machine's shadow page tables, where even a mapped page faults once more on first use). The
// range is widened to whole pages, so that a large array's first page, which it shares with its
// allocation's header, joins the first huge page. Never changes what the memory holds; where the
// system can do neither, the pages fault in as they are written. Zero bytes: nothing happens.
void prefault(const void* data, std::size_t bytes);

} // namespace os
