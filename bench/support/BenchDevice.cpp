#include "BenchDevice.h"

#include "TempDevice.h"

#include <cstdlib>
#include <memory>

namespace {

struct Device {
    TempDevice device;
    Device(int n, PersonMaker make)
    {
        std::vector<ab::Person> persons = make(n);
        if (!ab::AddressBook::create()->save(persons))
            std::abort();
    }
};

} // namespace

void useDeviceWith(int n, PersonMaker make)
{
    static std::unique_ptr<Device> device;
    static int size = -1;
    if (size == n)
        return;
    device.reset();
    device = std::make_unique<Device>(n, make);
    size = n;
}
