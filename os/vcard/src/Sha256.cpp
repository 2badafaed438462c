#include "Sha256.h"

#include <nettle/sha2.h>

namespace contacts {

std::array<uint8_t, 32> sha256(const uint8_t* bytes, size_t length)
{
    static_assert(SHA256_DIGEST_SIZE == 32);
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, length, bytes);
    std::array<uint8_t, 32> digest;
    sha256_digest(&context, digest.size(), digest.data());
    return digest;
}

} // namespace contacts
